// The package's API from an ES module in a user's project, against the
// native programs' bytes: hndpos, tables, view, handIndices and limits,
// and the errors a caller meets.
//
//   node api_check.mjs NATIVE_DIR SOURCE_DIR     (from the project)
import { spawnSync } from "node:child_process";
import fs from "node:fs";
import os from "node:os";
import path from "node:path";
import { handIndices, hndpos, limits, tables, view } from "hndpos";

const [nativeDir, sourceDir] = process.argv.slice(2);
const dir = fs.mkdtempSync(path.join(os.tmpdir(), "hndpos-api-"));
let failures = 0;
const check = (ok, what) => {
  if (!ok) {
    failures += 1;
    console.error("FAIL: " + what);
  }
};
const same = (a, b) => a !== null && b !== null && Buffer.compare(Buffer.from(a), Buffer.from(b)) === 0;
const native = (program, args) => spawnSync(path.join(nativeDir, program), args, { cwd: dir });
const refusal = (call) => {
  try {
    call();
    return null;
  } catch (error) {
    return error;
  }
};

// hndpos: the console and hpostbl.c, byte for byte.
for (const texts of [["83", "30", "9", "13", "14"], ["250", "2", "10", "-10", "300"], ["1", "2"], ["$7F", "  3", "+4", "5", "6"]]) {
  fs.rmSync(path.join(dir, "hpostbl.c"), { force: true });
  const theirs = native("hndpos", texts);
  const run = hndpos(texts);
  const file = fs.existsSync(path.join(dir, "hpostbl.c")) ? fs.readFileSync(path.join(dir, "hpostbl.c")) : null;
  check(run.status === theirs.status && same(run.console, theirs.stdout) && (run.file === null ? file === null : same(run.file, file)),
        "hndpos " + texts.join(" "));
}
// tables: the three files and the JSON as an object.
const options = { center: [160, 120], radii: [60, 90, 100], positions: [720, 60, 600], type: "u16" };
const files = tables(options);
native("hndpos-tables", ["--center", "160", "120", "--radii", "60", "90", "100", "--positions", "720", "60", "600", "--type", "u16", "-o", "dial.c"]);
native("hndpos-tables", ["--center", "160", "120", "--radii", "60", "90", "100", "--positions", "720", "60", "600", "--type", "u16",
                         "--format", "json", "-o", "dial.json"]);
for (const name of ["c", "h", "json"]) check(same(files[name], fs.readFileSync(path.join(dir, "dial." + name))), "tables(): dial." + name);
check(files.tables.hands[0].x.length === 720 && files.tables.type === "u16", "tables(): the JSON as an object");
const refused = refusal(() => tables({ center: [160, 120], radii: [60, 90, 100], type: "u8" }));
check(refused instanceof Error && refused.message === "the second hand's x at position 13 is 258, which u8 cannot hold", "tables() refuses u8: " + refused);
check(refusal(() => tables({ center: [1, 2], radii: [3, 4] })) instanceof RangeError, "tables() refuses two radii");
// Figures: the same files as hndpos-tables' --figure and its rule.
const figured = tables({ center: [233, 233], figures: [{ name: "hand", positions: 60, points: [[-24, -6], [120, 0], [-24, 6]] }],
                         rounding: "nearest", subpixel: 2, layout: "xy", bounds: true });
native("hndpos-tables", ["--center", "233", "233", "--figure", "hand", "60", "-24,-6 120,0 -24,6", "--rounding", "nearest",
                         "--subpixel", "2", "--layout", "xy", "--bounds", "--format", "json", "-o", "figures.json"]);
check(same(figured.json, fs.readFileSync(path.join(dir, "figures.json"))) && figured.tables.figures[0].bounds.length === 60 &&
      new TextDecoder().decode(figured.c).includes("uint16_t hand_xy[60][3][2] = {"), "tables() with figures");
// A gauge: a half-pixel centre, an arc and a mask, and the viewer at a reading.
const needle = "-12,-3 100,-1 104,0 100,1 -12,3";
const gauge = tables({ center: [119.5, 119.5], figures: [{ name: "needle", positions: 61, points: needle }], arcs: [["needle", -135, 270]],
                       masks: [["needle", 4]], rounding: "nearest", subpixel: 4 });
native("hndpos-tables", ["--center", "119.5", "119.5", "--figure", "needle", "61", needle, "--arc", "needle", "-135", "270", "--mask", "needle", "4",
                         "--rounding", "nearest", "--subpixel", "4", "--format", "json", "-o", "gauge.json"]);
check(same(gauge.json, fs.readFileSync(path.join(dir, "gauge.json"))) && gauge.tables.masks[0].positions.length === 61, "tables() with an arc and a mask");
const rust = tables({ center: [83, 30], radii: [9, 13, 14], format: "rust" });
native("hndpos-tables", ["--center", "83", "30", "--radii", "9", "13", "14", "--format", "rust", "-o", "dial.rs"]);
check(same(rust.module, fs.readFileSync(path.join(dir, "dial.rs"))) && rust.c.length === 0, "tables() as a Rust module");
const reading = native("hndpos-view", ["--reading", "needle", "75", "0", "100", "-o", "-", "gauge.json"]);
check(view(gauge.json, { readings: [["needle", 75, 0, 100]] }).svg === reading.stdout.toString(), "view() at a reading");
// view: the picture and the check of each kind of file, as hndpos-view gives them.
fs.writeFileSync(path.join(dir, "hpostbl.c"), hndpos(["83", "30", "9", "13", "14"]).file);
for (const [file, display] of [["hpostbl.c", [96, 44]], ["dial.c", [320, 240]], ["dial.json", [300, 240]]]) {
  const bytes = fs.readFileSync(path.join(dir, file));
  const seen = view(bytes, { time: [3, 40, 15], display });
  const picture = native("hndpos-view", ["--time", "03:40:15", "--display", display.join("x"), "-o", "-", file]);
  check(seen.svg === picture.stdout.toString(), `view(${file}): the picture differs from hndpos-view's`);
  const checked = native("hndpos-view", ["--check", "--display", display.join("x"), file]);
  check((seen.problem ? `hndpos-view: ${file}: ${seen.problem}\n` : "") === checked.stderr.toString(),
        `view(${file}): "${seen.problem}", hndpos-view said ${checked.stderr}`);
  check(seen.bounds.length === 3 && seen.bounds.every((box) => box.length === 4), `view(${file}): bounds`);
}
const stale = refusal(() => view(fs.readFileSync(path.join(dir, "dial.json"), "utf8").replace("[160, 120]", "[160, 121]")));
check(stale instanceof Error && /^line 2: the hour hand's y at position 0 is 60, but the parameters give 61/.test(stale.message),
      "view() refuses a stale table: " + stale);
const wrapped = view(hndpos(["250", "2", "10", "-10", "300"]).file, { display: [256, 256] });
check(wrapped.advice === "hndpos-tables --center 250 2 --radii 10 -10 300 --display 256x256 -o dial.c", "view(): advice " + wrapped.advice);
check(refusal(() => view(new Uint8Array(0), { time: [24, 0, 0] })) instanceof RangeError, "view() refuses 24:00:00");
// The rest.
check(JSON.stringify(handIndices({ positions: [720, 60, 600], time: [10, 30, 0, 500] })) === "[630,30,5]", "handIndices()");
check(JSON.stringify(limits().wideDisplay) === "[1,65535]", "limits()");
fs.rmSync(dir, { recursive: true, force: true });
console.log(failures ? `${failures} failed` : "the API gives the native programs' bytes");
process.exit(failures ? 1 : 0);
