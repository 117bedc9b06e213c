"""The entries of hndpos's hpostbl.c or of hndpos-tables' JSON, read one
way for every test: entries(path)["x"][hand][position].

    entries.py FILE    prints them a line each, hand by hand, x then y
    entries.py --differ DIR...
                       prints each DIR whose hpostbl.c and tables.json hold
                       other entries, or that cannot be read
"""
import json
import re
import sys


def entries(path):
    if path.endswith(".json"):
        hands = json.load(open(path))["hands"]
        return {axis: [hand[axis] for hand in hands] for axis in "xy"}
    # After the two comment lines, xtbl's 12 rows of 15 entries, then ytbl's.
    rows = open(path, "rb").read().decode("ascii", "replace").split("\r\n")[2:26]
    numbers = [int(n) for row in rows for n in re.findall(r"-?\d+", row.split("{")[-1])]
    return {axis: [numbers[a * 180 + h * 60 : a * 180 + h * 60 + 60] for h in range(3)] for a, axis in enumerate("xy")}


def differ(directory):
    try:
        table = entries(f"{directory}/hpostbl.c")
        whole = all(len(hand) == 60 for axis in "xy" for hand in table[axis])
        return not whole or table != entries(f"{directory}/tables.json")
    except (OSError, ValueError, KeyError, IndexError):
        return True


if __name__ == "__main__" and sys.argv[1] == "--differ":
    print("\n".join(d for d in sys.argv[2:] if differ(d)))
elif __name__ == "__main__":
    table = entries(sys.argv[1])
    print("\n".join(str(v) for h in range(len(table["x"])) for axis in "xy" for v in table[axis][h]))
