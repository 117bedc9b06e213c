"""hndpos-tables' masks against exact rational areas.

    mask_oracle.py HNDPOS_TABLES [CC]

For random figures (both roundings, sub-pixels 0 to 8, every bit depth,
axis-aligned ones whose half-covered pixels are exact ties) the JSON's
levels must equal round-half-even(area × (2^bits − 1)), the area of the
polygon inside each pixel's unit square found by clipping it with Python's
fractions; its changed boxes must match; an outline refused as crossing
itself must cross itself; with the nearest rounding a symmetric figure's
masks mirror exactly. With a C compiler, the C of some of them is compiled
and every position read back through LEVEL and both blitters.
"""
import json
import math
import os
import random
import subprocess
import sys
import tempfile
from fractions import Fraction as F

TABLES = os.path.abspath(sys.argv[1])
CC = sys.argv[2] if len(sys.argv) > 2 else None
CASES = 80
failures = []


def fail(message):
    failures.append(message)
    print("FAIL", message)


def clip(polygon, axis, bound, keep_above):
    out = []
    for i, p in enumerate(polygon):
        q = polygon[(i + 1) % len(polygon)]
        p_in = p[axis] >= bound if keep_above else p[axis] <= bound
        q_in = q[axis] >= bound if keep_above else q[axis] <= bound
        if p_in:
            out.append(p)
        if p_in != q_in:
            t = (bound - p[axis]) / (q[axis] - p[axis])
            out.append((p[0] + t * (q[0] - p[0]), p[1] + t * (q[1] - p[1])))
    return out


def area(polygon):
    return sum(polygon[i][0] * polygon[(i + 1) % len(polygon)][1] - polygon[(i + 1) % len(polygon)][0] * polygon[i][1]
               for i in range(len(polygon))) / 2


def round_half_even(value):
    low = math.floor(value)
    rest = value - low
    return low + 1 if rest > F(1, 2) or (rest == F(1, 2) and low % 2 == 1) else low


def oracle_levels(points, subpixel, bits):
    polygon = [(F(x, 1 << subpixel), F(y, 1 << subpixel)) for x, y in points]
    sign = 1 if area(polygon) >= 0 else -1
    whole = (1 << bits) - 1
    levels = {}
    xs = [p[0] for p in polygon]
    ys = [p[1] for p in polygon]
    for j in range(math.floor(min(ys)) - 1, math.ceil(max(ys)) + 2):
        row = clip(clip(polygon, 1, F(2 * j - 1, 2), True), 1, F(2 * j + 1, 2), False)
        if not row:
            continue
        for i in range(math.floor(min(xs)) - 1, math.ceil(max(xs)) + 2):
            cell = clip(clip(row, 0, F(2 * i - 1, 2), True), 0, F(2 * i + 1, 2), False)
            level = round_half_even(sign * area(cell) * whole) if cell else 0
            if level:
                levels[(i, j)] = level
    return levels


def crosses(points):
    """Two edges cross between their ends, or the outline passes through one
    of its own points or edges from one side to the other."""
    p = []
    for q in points:
        if not p or p[-1] != q:
            p.append(q)
    while len(p) > 1 and p[-1] == p[0]:
        p.pop()
    n = len(p)

    def orient(a, b, c):
        v = (b[0] - a[0]) * (c[1] - a[1]) - (b[1] - a[1]) * (c[0] - a[0])
        return (v > 0) - (v < 0)

    for i in range(n):
        a, b = p[i], p[(i + 1) % n]
        for j in range(n):
            c, d = p[j], p[(j + 1) % n]
            if j in (i, (i + 1) % n, (i - 1) % n):
                continue
            if orient(a, b, c) * orient(a, b, d) < 0 and orient(c, d, a) * orient(c, d, b) < 0:
                return True
        # point i on another edge or point, its neighbours on either side of
        # the other pass: the angle test, by sorting the four directions
        before, after = p[(i - 1) % n], p[(i + 1) % n]
        for j in range(n):
            c, d = p[j], p[(j + 1) % n]
            if j in (i, (i - 1) % n):
                continue
            on_edge = orient(c, d, a) == 0 and min(c[0], d[0]) <= a[0] <= max(c[0], d[0]) and \
                min(c[1], d[1]) <= a[1] <= max(c[1], d[1]) and a != d
            if not on_edge:
                continue
            other = [c, d] if a != c else [p[(j - 1) % n], d]
            directions = [math.atan2(q[1] - a[1], q[0] - a[0]) for q in (before, after, *other)]
            if len(set(directions)) < 4:
                continue
            low, high = sorted(directions[:2])
            inside = [low < t < high for t in directions[2:]]
            if inside[0] != inside[1]:
                return True
    return False


def levels_of(mask):
    return {(mask["x"] + i % mask["width"], mask["y"] + i // mask["width"]): v
            for i, v in enumerate(mask["levels"]) if v}


def changed_box(before, after):
    keys = [key for key in set(before) | set(after) if before.get(key, 0) != after.get(key, 0)]
    if not keys:
        return None
    return [min(k[0] for k in keys), min(k[1] for k in keys), max(k[0] for k in keys), max(k[1] for k in keys)]


def random_case(rng):
    subpixel = rng.randint(0, 8)
    case = {"positions": rng.choice([4, 8, 12, 16, 24, rng.randint(1, 30)]), "subpixel": subpixel,
            "bits": rng.choice([1, 2, 4, 8]), "rounding": rng.choice(["extended", "nearest"])}
    kind = rng.random()
    if kind < 0.3:  # axis-aligned: at positions 0 and N/4 its sides lie on pixel centres
        a, b, w = rng.randint(-4, 2), rng.randint(3, 14), rng.randint(1, 3)
        points = [(a, -w), (b, -w), (b, w), (a, w)]
    elif kind < 0.6:  # symmetric about the axis
        half = [(rng.randint(-6, 16), rng.randint(1, 4)) for _ in range(rng.randint(1, 4))]
        half.sort(key=lambda q: q[0])
        points = [(x, -y) for x, y in half] + [(x, y) for x, y in reversed(half)]
        if len(points) < 3:
            points.append((half[-1][0] + 3, 0))
    else:  # star-shaped round the centre, either way round
        count = rng.randint(3, 9)
        angles = sorted(rng.uniform(0, 2 * math.pi) for _ in range(count))
        if rng.random() < 0.5:
            angles.reverse()
        points = [(round(r * math.cos(t)), round(r * math.sin(t))) for t in angles for r in [rng.uniform(1, 14)]]
    case["points"] = points
    if rng.random() < 0.3:  # a gauge: a half-pixel centre, an arc symmetric about 12 o'clock
        sweep = rng.choice([1, -1]) * 2 * rng.randint(50, 18000)  # hundredths, so start is exact
        case.update(center=rng.choice([("24.5", "24.5"), ("24.5", "24"), ("24", "24.5")]), rounding="nearest",
                    subpixel=max(subpixel, 1), arc=(sweep / -200, sweep / 100), positions=rng.randint(2, 40))
    return case


def center_twice(case):
    return [round(2 * float(c)) for c in case.get("center", ("24", "24"))]


def dial_arguments(case):
    points = " ".join(f"{a},{b}" for a, b in case["points"])
    arguments = [TABLES, "--center", *case.get("center", ("24", "24")), "--figure", "f", str(case["positions"]),
                 points, "--rounding", case["rounding"], "--subpixel", str(case["subpixel"])]
    if "arc" in case:
        arguments += ["--arc", "f", *(f"{degrees:.2f}" for degrees in case["arc"])]
    return arguments


def run_tables(case, directory, extra):
    arguments = dial_arguments(case) + ["--mask", "f", str(case["bits"])] + extra
    return subprocess.run(arguments, capture_output=True, text=True, cwd=directory)


def check_json(case, number, directory):
    run = run_tables(case, directory, ["--format", "json", "-o", "-"])
    label = f"case {number} {case}"
    if run.returncode == 2 and "crosses itself" in run.stderr:
        return None  # checked below against its outlines
    if run.returncode != 0:
        fail(f"{label}: exit {run.returncode}: {run.stderr}")
        return None
    dial = json.loads(run.stdout)
    figure = dial["figures"][0]
    masks = dial["masks"][0]
    found = [levels_of(m) for m in masks["positions"]]
    for k in range(case["positions"]):
        outline = list(zip(figure["x"][k], figure["y"][k]))
        if crosses(outline):
            fail(f"{label}: position {k} crosses itself, yet was not refused")
        want = oracle_levels(outline, case["subpixel"], case["bits"])
        if found[k] != want:
            differ = sorted(set(found[k].items()) ^ set(want.items()))[:4]
            fail(f"{label}: position {k}: levels differ at {differ}")
            return dial
        if masks["changed"][k] != changed_box(found[k - 1], found[k]):
            fail(f"{label}: position {k}: changed {masks['changed'][k]}")
    return dial


def check_refusal(case, number, directory):
    run = run_tables(case, directory, ["--format", "json", "-o", "-"])
    if run.returncode != 2 or "crosses itself" not in run.stderr:
        return 0
    position = int(run.stderr.split("at position ")[1].split(":")[0])
    # The figure's entries at that position, from a run without the mask.
    plain = subprocess.run(dial_arguments(case) + ["--format", "json", "-o", "-"], capture_output=True, text=True,
                           cwd=directory)
    figure = json.loads(plain.stdout)["figures"][0]
    outline = list(zip(figure["x"][position], figure["y"][position]))
    if not crosses(outline):
        fail(f"case {number} {case}: position {position} refused as crossing itself: {outline}")
    return 1


def check_mirrors(dial, case, number):
    """Nearest rounding, a symmetric figure: position N − k is position k
    mirrored about the centre's column, N/2 − k about its row; on an arc
    symmetric about 12 o'clock, N − 1 − k is k mirrored. Whole or half, the
    centre's column maps pixel x to 2·centre − x."""
    n = case["positions"]
    cx2, cy2 = center_twice(case)
    found = [levels_of(m) for m in dial["masks"][0]["positions"]]
    for k in range(n):
        mirrored = {(cx2 - x, y): v for (x, y), v in found[k].items()}
        partner = n - 1 - k if "arc" in case else (n - k) % n
        if found[partner] != mirrored:
            fail(f"case {number} {case}: position {partner} is not position {k} mirrored")
            return
        if "arc" in case:
            continue
        if n % 2 == 0 and found[(n // 2 - k) % n] != {(x, cy2 - y): v for (x, y), v in found[k].items()}:
            fail(f"case {number} {case}: position {(n // 2 - k) % n} is not position {k} upside down")
            return


READER = r"""
#include <stdio.h>
#include <string.h>
#include "dial.h"
static uint16_t frame[40 * 44];
static uint8_t pages[40 * 6];
int main(void) {
    unsigned k;
    long x, y;
    for (k = 0; k < HNDPOS_F_POSITIONS; ++k) {
        for (y = 0; y < 48; ++y)
            for (x = 0; x < 48; ++x) printf("%u ", HNDPOS_F_LEVEL(k, x, y));
        /* Frames smaller than the dial: the blitters clip. */
        memset(frame, 0, sizeof frame);
        f_mask_blend_rgb565(k, frame, 40, 44, 0xFFFF);
        for (x = 0; x < 40 * 44; ++x) printf("%u ", frame[x]);
        memset(pages, 0, sizeof pages);
        f_mask_page_1bit(k, pages, 40, 44, 1);
        for (x = 0; x < 40 * 6; ++x) printf("%u ", pages[x]);
        printf("%d\n", HNDPOS_F_UNCHANGED(k));
    }
    return 0;
}
"""


def check_c(case, dial, number, directory, storage):
    run = run_tables(case, directory, ["--storage", storage, "-o", "dial.c"])
    if run.returncode != 0:
        fail(f"case {number}: C: {run.stderr}")
        return
    with open(os.path.join(directory, "main.c"), "w") as out:
        out.write(READER)
    build = subprocess.run([CC, "-std=c99", "-Wall", "-Wextra", "-Wpedantic", "-Werror", "-O1", "main.c", "dial.c",
                            "-o", "reader"], capture_output=True, text=True, cwd=directory)
    if build.returncode != 0:
        fail(f"case {number}: C does not compile: {build.stderr[:2000]}")
        return
    lines = subprocess.run(["./reader"], capture_output=True, text=True, cwd=directory).stdout.splitlines()
    whole = (1 << case["bits"]) - 1
    for k, mask in enumerate(dial["masks"][0]["positions"]):
        values = [int(v) for v in lines[k].split()]
        found = levels_of(mask)
        levels = [found.get((x, y), 0) for y in range(48) for x in range(48)]

        def channel(a, full):
            return (full * a + whole // 2) // whole

        clipped = [found.get((x, y), 0) for y in range(44) for x in range(40)]
        blended = [channel(a, 31) << 11 | channel(a, 63) << 5 | channel(a, 31) for a in clipped]
        pages = [0] * (40 * 6)
        for i, a in enumerate(clipped):
            if 2 * a > whole:
                pages[(i // 40 >> 3) * 40 + i % 40] |= 1 << (i // 40 & 7)
        unchanged = int(dial["masks"][0]["changed"][k] is None)
        if values != levels + blended + pages + [unchanged]:
            fail(f"case {number} ({storage}): the C gives other pixels at position {k}")
            return


def main():
    rng = random.Random(2026)
    compiled = refused = mirrored = gauges = 0
    with tempfile.TemporaryDirectory() as directory:
        for number in range(CASES):
            case = random_case(rng)
            dial = check_json(case, number, directory)
            if dial is None:
                refused += check_refusal(case, number, directory)
                continue
            points = case["points"]
            gauges += "arc" in case
            if case["rounding"] == "nearest" and sorted(points) == sorted((a, -b) for a, b in points):
                check_mirrors(dial, case, number)
                mirrored += 1
            if CC and compiled < 6 and case["positions"] >= 8:
                check_c(case, dial, number, directory, ["data", "const"][compiled % 2])
                compiled += 1
    print(f"{CASES} figures checked ({gauges} gauges on arcs about half-pixel centres): {refused} refused as "
          f"crossing themselves, {mirrored} mirrored, "
          f"{compiled} compiled; {len(failures)} failures")
    return 1 if failures else 0


sys.exit(main())
