#!/usr/bin/env bash
# The Rust and MicroPython modules end to end: a dial of three hands and two
# figures (one on an arc, both with masks, with bounds) written as a module,
# built or imported by the real toolchain, every entry, box, level, index
# and arc position read back through the module's names and compared with
# the JSON of the same request; then the viewer reading the module back and
# refusing an edited entry.
#
#   modules.sh rust|micropython HNDPOS_TABLES HNDPOS_VIEW
set -uo pipefail
case_name=$1
tables=$(realpath "$2")
viewer=$(realpath "$3")
here=$(cd "$(dirname "$0")" && pwd)
who="[$case_name]"
# shellcheck source=../../harness.sh
. "$here/../../harness.sh"
need python3

dial=(--center 119.5 119.5 --radii 60 90 100 --figure needle 61 "-12,-3 100,-1 104,0 100,1 -12,3"
    --arc needle -135 270 --mask needle 2 --figure hand 60 "-8,-4 70,0 -8,4" --turn hand 1h --mask hand 4
    --bounds --rounding nearest --subpixel 2)
"$tables" "${dial[@]}" --format json -o dial.json || die "the JSON"

# What the module must give, from the JSON and the formulas.
python3 - >want.txt <<'PY'
import json
from fractions import Fraction
d = json.load(open("dial.json"))
for hand in d["hands"]:
    print(hand["name"], "x", *hand["x"])
    print(hand["name"], "y", *hand["y"])
masks = {m["name"]: m for m in d["masks"]}
for f in d["figures"]:
    for k in range(f["positions"]):
        print(f["name"], k, *(f"{x},{y}" for x, y in zip(f["x"][k], f["y"][k])), "box", *f["bounds"][k])
        m = masks[f["name"]]["positions"][k]
        print(f["name"], "mask", k, m["x"], m["y"], m["width"], m["height"], *m["levels"])
        changed = masks[f["name"]]["changed"][k]
        print(f["name"], "changed", k, *(changed or ["none"]))
for h, m, s, ms in [(0, 0, 0, 0), (10, 8, 30, 250), (23, 59, 59, 999), (12, 30, 0, 0)]:
    elapsed = [((h % 12) * 3600 + m * 60 + s, 43200), (m * 60 + s, 3600), (s * 1000 + ms, 60000)]
    print("index", h, m, s, ms, *(60 * e // t for e, t in elapsed), 60 * (m * 60 + s) // 3600)
for v in range(-10, 111, 3):
    place = min(max(Fraction(v, 100) * 60, 0), 60)
    print("arc", v, int(place + Fraction(1, 2)))
PY

case "$case_name" in
rust)
    command -v rustc >/dev/null || skip "rustc not found"
    "$tables" "${dial[@]}" --format rust -o dial.rs || die "the Rust module"
    # Inside a no_std library, every warning an error.
    printf '#![no_std]\npub mod dial;\n' >lib.rs
    rustc --edition 2021 --crate-type lib -D warnings lib.rs -o libdial.rlib 2>err.txt ||
        die "the module does not build in a no_std crate: $(head -20 err.txt)"
    cat >main.rs <<'RS'
mod dial;
use dial::*;

fn row<T: core::fmt::Display>(words: &str, values: impl Iterator<Item = T>) {
    let mut line = String::from(words);
    for v in values {
        line += &format!(" {}", v);
    }
    println!("{}", line);
}

fn figure<const P: usize, T: core::fmt::Display + Copy>(
    name: &str, x: &[[T; P]], y: &[[T; P]], bounds: &[[T; 4]], boxes: &[[i32; 4]],
    level: fn(usize, i64, i64) -> u8, changed: &[Option<[i32; 4]>],
) {
    for k in 0..x.len() {
        let points = (0..P).map(|p| format!("{},{}", x[k][p], y[k][p]));
        row(&format!("{} {}", name, k), points.chain(["box".to_string()]).chain(bounds[k].iter().map(|b| b.to_string())));
        let [left, top, width, height] = boxes[k];
        let levels = (0..height as i64).flat_map(|dy| (0..width as i64).map(move |dx| (dx, dy)))
            .map(|(dx, dy)| level(k, left as i64 + dx, top as i64 + dy));
        row(&format!("{} mask {} {} {} {} {}", name, k, left, top, width, height), levels);
        match changed[k] {
            Some(b) => row(&format!("{} changed {}", name, k), b.iter()),
            None => println!("{} changed {} none", name, k),
        }
    }
}

fn main() {
    assert!(CENTER_X2 == 239 && CENTER_Y2 == 239 && SUBPIXEL_BITS == 2 && HOUR_POSITIONS == HOUR_X.len());
    row("hour x", HOUR_X.iter());
    row("hour y", HOUR_Y.iter());
    row("minute x", MINUTE_X.iter());
    row("minute y", MINUTE_Y.iter());
    row("second x", SECOND_X.iter());
    row("second y", SECOND_Y.iter());
    figure(
        "needle", &NEEDLE_X, &NEEDLE_Y, &NEEDLE_BOUNDS, &NEEDLE_MASK_BOX, needle_level, &NEEDLE_MASK_CHANGED,
    );
    figure("hand", &HAND_X, &HAND_Y, &HAND_BOUNDS, &HAND_MASK_BOX, hand_level, &HAND_MASK_CHANGED);
    for (h, m, s, ms) in [(0, 0, 0, 0), (10, 8, 30, 250), (23, 59, 59, 999), (12, 30, 0, 0)] {
        println!("index {} {} {} {} {} {} {} {}", h, m, s, ms, hour_index(h, m, s), minute_index(m, s),
                 second_index(s, ms), hand_index(m, s));
    }
    const AT_HIGH: usize = needle_position_of(100, 0, 100);
    assert!(AT_HIGH == NEEDLE_POSITIONS - 1 && NEEDLE_POINTS == 5 && NEEDLE_MASK_BITS == 2);
    for v in (-10..111).step_by(3) {
        println!("arc {} {}", v, needle_position_of(v, 0, 100));
    }
}
RS
    rustc --edition 2021 -D warnings -O main.rs -o read 2>err.txt || die "the reader does not build: $(head -20 err.txt)"
    ./read >found.txt || die "the reader failed"
    module=dial.rs
    ;;
micropython)
    need node
    package="$here/../../npm/node_modules/@micropython/micropython-webassembly-pyscript/micropython.mjs"
    [ -f "$package" ] || skip "MicroPython's WebAssembly port is not installed: npm ci --prefix tests/npm"
    "$tables" "${dial[@]}" --format micropython -o dial.py || die "the MicroPython module"
    cat >main.py <<'PY'
import dial


def row(words, values):
    print(" ".join([words] + [str(v) for v in values]))


assert dial.CENTER_X2 == 239 and dial.SUBPIXEL_BITS == 2 and len(dial.HOUR_X) == dial.HOUR_POSITIONS
for name in ("hour", "minute", "second"):
    row(name + " x", getattr(dial, name.upper() + "_X"))
    row(name + " y", getattr(dial, name.upper() + "_Y"))
for name in ("needle", "hand"):
    N = name.upper()
    count, points = getattr(dial, N + "_POSITIONS"), getattr(dial, N + "_POINTS")
    xs, ys, bounds = getattr(dial, N + "_X"), getattr(dial, N + "_Y"), getattr(dial, N + "_BOUNDS")
    boxes, changed, level = getattr(dial, N + "_MASK_BOX"), getattr(dial, N + "_MASK_CHANGED"), getattr(dial, name + "_level")
    for k in range(count):
        corners = ["%d,%d" % (xs[k * points + p], ys[k * points + p]) for p in range(points)]
        row("%s %d" % (name, k), corners + ["box"] + list(bounds[4 * k : 4 * k + 4]))
        x, y, w, h = boxes[4 * k : 4 * k + 4]
        row("%s mask %d %d %d %d %d" % (name, k, x, y, w, h), [level(k, x + i % w, y + i // w) for i in range(w * h)])
        box = changed[4 * k : 4 * k + 4]
        row("%s changed %d" % (name, k), ["none"] if box[2] < box[0] else box)
for h, m, s, ms in [(0, 0, 0, 0), (10, 8, 30, 250), (23, 59, 59, 999), (12, 30, 0, 0)]:
    row("index %d %d %d %d" % (h, m, s, ms), [dial.hour_index(h, m, s), dial.minute_index(m, s),
                                             dial.second_index(s, ms), dial.hand_index(m, s)])
for v in range(-10, 111, 3):
    row("arc %d" % v, [dial.needle_position_of(v, 0, 100)])
PY
    cat >run.mjs <<JS
import fs from "node:fs";
import { loadMicroPython } from "$package";
const lines = [];
const mp = await loadMicroPython({ heapsize: 16 << 20, stdout: (line) => lines.push(line) });
mp.FS.writeFile("/dial.py", fs.readFileSync("dial.py"));
mp.runPython("import sys\nsys.path.append('/')\n" + fs.readFileSync("main.py", "utf8"));
fs.writeFileSync("found.txt", lines.join("\n") + "\n");
JS
    timeout 60 node run.mjs 2>err.txt || die "MicroPython does not import or read the module: $(tail -5 err.txt)"
    module=dial.py
    ;;
esac
cmp -s found.txt want.txt || die "the module gives other entries than the JSON: $(diff found.txt want.txt | head -4)"

# The viewer reads the module back, and refuses an edited entry.
"$viewer" --check "$module" >check.txt || die "the viewer refuses the module: $(cat check.txt)"
grep -q "^figure needle, masks: 2 bits" check.txt || die "the viewer's check: $(cat check.txt)"
python3 - "$module" <<'PY'
import re, sys
text = open(sys.argv[1]).read()
# The second hand's x table: its first entry one more.
at = text.index("SECOND_X")
first = re.compile(r"\n    (\d+)").search(text, at)
open("edited", "w").write(text[: first.start(1)] + str(int(first.group(1)) + 1) + text[first.end(1) :])
PY
cp edited "edited.${module##*.}"
"$viewer" --check "edited.${module##*.}" >/dev/null 2>err.txt && die "an edited entry passes"
grep -q "the second hand's x at position 0 is" err.txt || die "the edited entry is not named: $(cat err.txt)"
echo "a $case_name module of three hands and two figures: built, read back equal to the JSON, refused when edited"
