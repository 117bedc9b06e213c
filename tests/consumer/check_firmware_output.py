"""Checks what a clock firmware printed (tests/consumer/run.sh).

    check_output.py OUTPUT TABLES POSITIONS_HOUR POSITIONS_MINUTE

TABLES is hndpos's hpostbl.c or hndpos-tables' JSON. The firmware's
"tables" section must hold every entry of TABLES, read through the
header's macros; its "indexes" section each hand's index at every minute
of 12 hours, the floor of the positions times the elapsed part of the turn.
"""
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "programs", "hndpos-tables"))
from entries import entries  # noqa: E402

output_path, tables_path, hour_positions, minute_positions = sys.argv[1], sys.argv[2], int(sys.argv[3]), int(sys.argv[4])
lines = open(output_path, encoding="ascii").read().split("\n")
tables_at, indexes_at = lines.index("tables"), lines.index("indexes")

# The expected entries, keyed "x0", "y0", ... (axis, hand).
table = entries(tables_path)
expected = {axis + str(h): table[axis][h] for axis in "xy" for h in range(len(table[axis]))}

read = {key: [] for key in expected}
for line in lines[tables_at + 1 : indexes_at]:
    head, values = line.split(":")
    key, start = head.split()
    if int(start) != len(read[key]):
        sys.exit(f"{key}: the line for index {start} comes after {len(read[key])} entries")
    read[key] += [int(v) for v in values.split()]
for key in expected:
    if read[key] != expected[key]:
        at = next(i for i, (a, b) in enumerate(zip(read[key] + [None] * len(expected[key]), expected[key])) if a != b)
        sys.exit(f"{key}[{at}]: the firmware read {read[key][at] if at < len(read[key]) else 'nothing'}, the table holds {expected[key][at]}")

indexes = [int(v) for line in lines[indexes_at + 1 :] for v in line.split()]
wanted = []
for h in range(12):
    for m in range(60):
        wanted += [hour_positions * (h * 3600 + m * 60) // 43200, minute_positions * (m * 60) // 3600]
if indexes != wanted:
    at = next(i for i, (a, b) in enumerate(zip(indexes + [None] * len(wanted), wanted)) if a != b)
    sys.exit(f"index {at // 2} minutes after 0:00 ({'hour' if at % 2 == 0 else 'minute'} hand): the firmware computed {indexes[at] if at < len(indexes) else 'nothing'}, expected {wanted[at]}")
print(f"{sum(len(v) for v in expected.values())} entries and {len(wanted)} indexes as the tables and the formulas give them")
