#!/usr/bin/env python3
"""Reference data for the tests, computed independently of the program.

Sine and cosine come from mpmath at 600 bits and are rounded to the 80-bit
extended format here, with exact integer arithmetic; every other step of the
table arithmetic (products, ties-to-even conversion, byte wrap) is redone
with Python integers. Writes:

  tests/table/data/trig-reference.txt   sin/cos of hard and random arguments
  tests/programs/hndpos/golden/<case>.c              hpostbl.c for the golden cases
  tests/programs/hndpos/golden/<case>.stdout         what the program prints for them
  tests/programs/hndpos/golden/usage.stdout          the banner and the usage text
  tests/programs/hndpos/golden/cases.tsv             the golden runs: names and arguments, for every test

Run from the repository root: python3 tools/reference.py
"""
import random
import sys

import mpmath

mpmath.mp.prec = 600
BIAS = 16383
ANGLE_STEP = (0xD6774F9BDF5EAD05, 0x3FFB)  # significand, biased exponent
SEED = 20261208


def round_to_extended(man, exp):
    """Round man * 2**exp (man an exact integer) to (negative, sig, biased exponent), ties to even."""
    negative = man < 0
    man = abs(man)
    if man == 0:
        return negative, 0, 0
    shift = man.bit_length() - 64
    if shift > 0:
        q, r = divmod(man, 1 << shift)
        half = 1 << (shift - 1)
        if r > half or (r == half and q & 1):
            q += 1
        if q >> 64:
            q >>= 1
            shift += 1
    else:
        q = man << -shift
    return negative, q, exp + shift + 63 + BIAS


def round_real(value):
    """Correctly round an mpmath value far from a rounding boundary."""
    if value == 0:
        return False, 0, 0
    sign, man, exp, _ = mpmath.mpf(value)._mpf_
    man = -int(man) if sign else int(man)
    negative, sig, e = round_to_extended(man, exp)
    # The 600-bit value must be far enough from a midpoint that its own
    # error cannot change the rounding.
    width = abs(man).bit_length()
    if width > 64 + 200:
        low = abs(man) & ((1 << (width - 64)) - 1)
        half = 1 << (width - 65)
        if abs(low - half) < (1 << (width - 64 - 200)):
            sys.exit("value too close to a rounding boundary for this reference")
    return negative, sig, e


def to_mpf(negative, sig, e):
    v = mpmath.ldexp(mpmath.mpf(sig), e - BIAS - 63)
    return -v if negative else v


def ext_multiply_int(sig, e, negative, n):
    """Round (−1)^negative · sig · 2^(e−BIAS−63) × n to extended."""
    return round_to_extended((-1 if negative else 1) * sig * n, e - BIAS - 63)


def nearest_int_even(negative, sig, e):
    shift = e - BIAS - 63
    if shift >= 0:
        n = sig << shift
    else:
        q, r = divmod(sig, 1 << -shift)
        half = 1 << (-shift - 1)
        n = q + (1 if r > half or (r == half and q & 1) else 0)
    return -n if negative else n


def clock_angle(j):
    return round_to_extended(ANGLE_STEP[0] * j, ANGLE_STEP[1] - BIAS - 63)


def entry(unit, radius, center):
    n = nearest_int_even(*ext_multiply_int(unit[1], unit[2], unit[0], radius))
    if not -2**31 <= n < 2**31:
        raise OverflowError
    return ((n & 0xFF) + (center & 0xFF)) & 0xFF


def sjis(text):
    return text.encode("shift_jis")


def table_file(params):
    cx, cy, hr, mr, sr = params
    radii = (hr, mr, sr)
    summary = (sjis("中心座標 ") + b"%d:%d" % (cx, cy) + sjis("  時針半径 ") + b"%d" % hr +
               sjis("  分針半径 ") + b"%d" % mr + sjis("  秒針半径 ") + b"%d" % sr)
    lines = [sjis("/* アナログ時計用の針表示位置テーブル  0時針,1分針,2秒針 */"), b"/*   " + summary + b" */"]
    units = []
    for j in range(60):
        neg, sig, e = clock_angle(j)
        a = to_mpf(neg, sig, e)
        s = round_real(mpmath.sin(a))
        c = round_real(mpmath.cos(a))
        units.append((s, (not c[0], c[1], c[2])))
    try:
        for axis, head, center in ((0, b"int xtbl[3][60] = {\t", cx), (1, b"int ytbl[3][60] = {\t", cy)):
            for row in range(12):
                hand, first = divmod(15 * row, 60)
                values = [entry(units[j][axis], radii[hand], center) for j in range(first, first + 15)]
                text = b",".join(b"%d" % v for v in values)
                text += b"};" if row == 11 else b","
                lines.append((head if row == 0 else b"\t" * 5) + text)
    except OverflowError:
        pass  # the program stops at this entry; the rows before it stay in the file
    return summary, b"".join(line + b"\r\n" for line in lines)


GOLDEN_CASES = {
    "example": (83, 30, 9, 13, 14),
    "zeros": (0, 0, 0, 0, 0),
    "wrap": (250, 2, 10, -10, 300),
    "negative-radii": (-173, 339, -9, -13, -2147483647),
    "large-radii": (127, 128, 2147483647, 1000003, 65537),
    "ties": (0, 0, 5, 3001, 2999),
    # A radius of −2147483648 fails at x position 45 of its hand.
    "invalid-op-hour": (83, 30, -2147483648, 13, 14),
    "invalid-op-minute": (83, 30, 9, -2147483648, 14),
    "invalid-op-second": (83, 30, 9, 13, -2147483648),
}


# The runs that end to end tests compare with a golden file: the case's
# name, its golden file and the five arguments as typed (a radius of
# -2147483648 has only the hexadecimal form). Every test reads them from
# tests/programs/hndpos/golden/cases.tsv.
def golden_runs():
    runs = []
    for name, params in GOLDEN_CASES.items():
        runs.append((name, name, ["$80000000" if v == -2147483648 else str(v) for v in params]))
    runs.append(("syntax-forms", "example", ["  +83", "$1E", "009", "$d", " 14"]))
    return runs


def trig_lines(rng):
    args = []
    for j in range(60):
        args.append(clock_angle(j))
    half_pi = mpmath.pi / 2
    for k in range(1, 5):
        for numerator, denominator in ((k, 1), (k, 3)):
            base = round_real(half_pi * numerator / denominator)
            for d in range(-4, 5):
                args.append((False, base[1] + d, base[2]))
    for s in range(1, 200, 2):
        args.append(round_to_extended(s, -32))
    for _ in range(3000):
        e = rng.randrange(BIAS - 40, BIAS + 3)
        sig = rng.getrandbits(63) | (1 << 63)
        if to_mpf(False, sig, e) < 6.3:
            args.append((False, sig, e))
    out = []
    for neg, sig, e in args:
        a = to_mpf(neg, sig, e)
        for name, fn in (("sin", mpmath.sin), ("cos", mpmath.cos)):
            rn, rs, re_ = round_real(fn(a))
            out.append("%s %04x %016x %04x %016x" % (name, e | (0x8000 if neg else 0), sig,
                                                   re_ | (0x8000 if rn else 0), rs))
    return out


BANNER = (sjis("アナログ時計用針先端位置 C言語用テーブル作成 v1.00") + b"\r\n" +
          b"Programmed by HNDPOS authors (hndpos@example.org)\r\n\r\n")
USAGE = b"".join(sjis(line) + b"\r\n" for line in (
    "構文: HNDPOS 中心X座標 中心Y座標 時針半径 分針半径 秒針半径",
    "例えば、",
    " HNDPOS 83 30 9 13 14",
    "で、拙作ZIFRONAと同じ座標になります。",
    '生成するCソースのファイル名は"hpostbl.c"固定(^^;です。',
))


def main():
    rng = random.Random(SEED)
    with open("tests/table/data/trig-reference.txt", "w") as f:
        f.write("# Correctly rounded sin and cos in the extended format, by tools/reference.py (mpmath,\n")
        f.write("# 600 bits, seed %d). Columns: function, argument sign+exponent, argument\n" % SEED)
        f.write("# significand, result sign+exponent, result significand (hexadecimal).\n")
        for line in trig_lines(rng):
            f.write(line + "\n")
    for name, params in GOLDEN_CASES.items():
        summary, data = table_file(params)
        with open("tests/programs/hndpos/golden/%s.c" % name, "wb") as f:
            f.write(data)
        with open("tests/programs/hndpos/golden/%s.stdout" % name, "wb") as f:
            f.write(BANNER + summary + b"\r\n")
    with open("tests/programs/hndpos/golden/usage.stdout", "wb") as f:
        f.write(BANNER + USAGE)
    with open("tests/programs/hndpos/golden/cases.tsv", "w") as f:
        f.write("# case, golden file, the five arguments as typed; tab-separated, by tools/reference.py\n")
        for name, golden, arguments in golden_runs():
            f.write("\t".join([name, golden] + arguments) + "\n")


if __name__ == "__main__":
    main()
