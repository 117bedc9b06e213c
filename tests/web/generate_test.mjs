// The module under Node.js: generate() against every golden case and a few
// hundred seeded random argument lists run through the native program. The
// console bytes are compared with the failure report's code offset masked
// (the page's code is not the native program's); the file bytes exactly.
//
//   node generate_test.mjs HNDPOS_JS GOLDEN_DIR NATIVE_HNDPOS
import { spawnSync } from "node:child_process";
import fs from "node:fs";
import { createRequire } from "node:module";
import os from "node:os";
import path from "node:path";

const [modulePath, goldenDir, nativeArgument] = process.argv.slice(2);
const nativeProgram = nativeArgument ? path.resolve(nativeArgument) : "";
const createModule = createRequire(import.meta.url)(path.resolve(modulePath));
const hndpos = await createModule();
let failures = 0;
const fail = (text) => {
  failures += 1;
  console.error("FAIL: " + text);
};

// " の " + 8 hexadecimal digits + " で" in Shift_JIS.
const maskOffset = (bytes) =>
  Buffer.from(bytes).toString("latin1").replace(/ \x82\xcc [0-9A-F]{8} \x82\xc5/g, " \x82\xcc XXXXXXXX \x82\xc5");
const sameBytes = (a, b) => (a === null || b === null ? a === b : Buffer.compare(Buffer.from(a), Buffer.from(b)) === 0);

// The golden runs from their manifest (golden file, arguments), then the usage text.
const goldenCases = fs.readFileSync(path.join(goldenDir, "cases.tsv"), "utf8").split("\n")
  .filter((line) => line && !line.startsWith("#")).map((line) => line.split("\t"))
  .map(([, file, ...texts]) => [file, texts]);
goldenCases.push(
  ["usage", []],
  ["usage", ["83", "30", "9", "13", "x"]],
  ["usage", ["83", "30", "9", "13", "-2147483648"]],
);
for (const [name, texts] of goldenCases) {
  const run = hndpos.generate(texts);
  const stdout = fs.readFileSync(path.join(goldenDir, name + ".stdout"));
  const table = name === "usage" ? null : fs.readFileSync(path.join(goldenDir, name + ".c"));
  const failed = name.startsWith("invalid-op");
  if (run.status !== (failed ? 1 : 0)) fail(`${name} ${texts.join(" ")}: status ${run.status}`);
  if (!sameBytes(run.file, table)) fail(`${name} ${texts.join(" ")}: the file differs from ${name}.c`);
  const console_ = maskOffset(run.console);
  if (failed ? !console_.startsWith(stdout.toString("latin1")) : console_ !== stdout.toString("latin1"))
    fail(`${name} ${texts.join(" ")}: the console differs from ${name}.stdout`);
}
console.log(`${goldenCases.length} golden cases compared`);

// What a process's arguments cannot hold, times off the clock, and memory
// running out: refused as such, and the module stays usable.
const usage = fs.readFileSync(path.join(goldenDir, "usage.stdout"));
for (const texts of [["83\u0000junk", "30", "9", "13", "14"], ["83", "30", "9", "13", "\u000014"]]) {
  const run = hndpos.generate(texts);
  if (run.status !== 0 || run.file !== null || !sameBytes(run.console, usage)) fail(`${JSON.stringify(texts)} is taken as an integer`);
  if (hndpos.accepts(texts.find((text) => text.includes("\u0000")))) fail("accepts() takes a text with a NUL");
}
const example = hndpos.generate(["83", "30", "9", "13", "14"]).file;
for (const time of [[0, 0, 100], [-1, 0, 0], [24, 0, 0], [0, 60, 0], [1.5, 0, 0], [1, 2]]) {
  let threw = "";
  try {
    hndpos.view(example, { time });
  } catch (error) {
    threw = error.message;
  }
  if (!/time/.test(threw)) fail(`view(time ${time}) did not refuse the time: ${threw}`);
}
const hoard = [];
for (let size = 1 << 26; size >= 16; ) {
  const pointer = hndpos._malloc(size);
  if (pointer) hoard.push(pointer);
  else size >>= 1;
}
// hndpos itself reports memory it cannot have (EOutOfMemory, exit 1); where
// not even the run can start, the module throws it.
let exhausted = "";
try {
  const run = hndpos.generate(["83", "30", "9", "13", "14"]);
  if (run.status === 1 && Buffer.from(run.console).toString("latin1").includes("EOutOfMemory")) exhausted = "EOutOfMemory";
} catch (error) {
  exhausted = error.name;
}
let textExhausted = "";
try {
  hndpos.toText(new Uint8Array(8));
} catch (error) {
  textExhausted = error.name;
}
hoard.forEach((pointer) => hndpos._free(pointer));
if (textExhausted !== "EOutOfMemory") fail(`toText() on an exhausted heap gave '${textExhausted}', not EOutOfMemory`);
if (exhausted !== "EOutOfMemory") fail(`an exhausted heap gave '${exhausted}', not EOutOfMemory`);
if (!sameBytes(hndpos.generate(["83", "30", "9", "13", "14"]).file, fs.readFileSync(path.join(goldenDir, "example.c"))))
  fail("the module is broken after memory ran out");
console.log("NUL bytes, times off the clock and an exhausted heap refused; the module works after");

// Each hand's index at every second of 12 hours, against the floor of the
// exact fraction in integers, as the header's macros compute it.
for (const positions of [[720, 600, 360], [43200, 43200, 43200], [60, 7, 1]]) {
  let wrong = 0;
  for (let second = 0; second < 43200; ++second) {
    const time = [Math.floor(second / 3600), Math.floor(second / 60) % 60, second % 60, (second * 7) % 1000];
    const elapsed = [second, (second % 3600), time[2] * 1000 + time[3]];
    const expected = [43200, 3600, 60000].map((turn, hand) => {
      const product = positions[hand] * elapsed[hand];
      return (product - (product % turn)) / turn;
    });
    const got = hndpos.handIndices({ positions, time });
    if (got.join() !== expected.join() && wrong++ < 3) fail(`handIndices ${positions} at ${time}: ${got}, expected ${expected}`);
  }
}
// A key the program has no option for, or a value of the wrong type, is a
// RangeError naming the key; what the program refuses, its own words.
const refusalOf = (options) => {
  try {
    hndpos.tables(options);
    return "taken";
  } catch (error) {
    return `${error.name}: ${error.message}`;
  }
};
for (const [options, expected] of [
  [{ center: [1, 2, 3], radii: [4, 5, 6] }, "RangeError: key center takes [X, Y]"],
  [{ center: [1, 2], radii: [4, 5, 6], positions: [60, 60] }, "RangeError: key positions takes [HOUR, MINUTE, SECOND]"],
  [{ center: [1, 2], radii: [4, 5, 6], colour: "red" }, "RangeError: unknown key colour: the keys are center, radii, figures"],
  [{ center: [1, 2], radii: [4, 5, 6], bounds: "false" }, "RangeError: key bounds takes true or false"],
  [{ center: [1, 2], radii: [4, 5, 6], subpixel: 2.5 }, "RangeError: key subpixel takes an integer"],
  [{ center: [1, 2], figures: [{ name: "a\u0000b", positions: 4, points: [[1, 0]] }] }, "RangeError: key figures[0].name holds a NUL byte"],
  [{ center: [1, 2] }, "RangeError: --radii HOUR MINUTE SECOND or a --figure is required"],
  [{ center: [1, 2], radii: [4, 5, 6], subpixel: null, rounding: null }, "taken"],
]) {
  const got = refusalOf(options);
  if (!got.startsWith(expected)) fail(`tables(${JSON.stringify(options)}): ${got}, expected ${expected}`);
}
console.log("handIndices at every second of 12 hours; tables() refuses keys and values naming the key");

if (!nativeProgram || !fs.existsSync(nativeProgram)) {
  console.log(`SKIPPED: no native hndpos at '${nativeProgram}' to compare random cases with (build the test preset first)`);
  process.exit(failures ? 1 : 77);
}

// Seeded random argument lists: numbers in every form the syntax has,
// texts it refuses, the failing radius, and other argument counts.
let seed = 0x484e4450;
const random = () => {
  seed = (seed + 0x6d2b79f5) | 0;
  let t = Math.imul(seed ^ (seed >>> 15), 1 | seed);
  t = (t + Math.imul(t ^ (t >>> 7), 61 | t)) ^ t;
  return ((t ^ (t >>> 14)) >>> 0) / 4294967296;
};
const pick = (items) => items[Math.floor(random() * items.length)];
const int32 = () => Math.floor(random() * 4294967296) - 2147483648;
const text = () => {
  const kind = random();
  if (kind < 0.3) return String(Math.floor(random() * 512) - 128);
  if (kind < 0.5) return String(int32());
  if (kind < 0.65) return "$" + (int32() >>> 0).toString(16)[pick(["toUpperCase", "toLowerCase"])]();
  if (kind < 0.75) return " ".repeat(1 + Math.floor(random() * 3)) + pick(["+", "-", ""]) + Math.floor(random() * 300);
  if (kind < 0.8) return "$80000000";
  return pick(["", " ", "-", "+", "$", "1e3", "12 ", "0x10", "--5", "$-1", "１２", "2147483648", "-0", "007", "$100000000"]);
};
const work = fs.mkdtempSync(path.join(os.tmpdir(), "hndpos-web-"));
const cases = 300;
for (let i = 0; i < cases; ++i) {
  const count = random() < 0.9 ? 5 : pick([0, 4, 6]);
  const texts = Array.from({ length: count }, text);
  fs.rmSync(path.join(work, "hpostbl.c"), { force: true });
  const native = spawnSync(nativeProgram, texts, { cwd: work });
  const nativeFile = fs.existsSync(path.join(work, "hpostbl.c")) ? fs.readFileSync(path.join(work, "hpostbl.c")) : null;
  const run = hndpos.generate(texts);
  const shown = JSON.stringify(texts);
  if (run.status !== native.status) fail(`${shown}: status ${run.status}, native ${native.status}`);
  if (maskOffset(run.console) !== maskOffset(native.stdout)) fail(`${shown}: the console differs from the native program's`);
  if (!sameBytes(run.file, nativeFile)) fail(`${shown}: the file differs from the native program's`);
}
console.log(`${cases} seeded random argument lists compared with ${nativeProgram}`);

// tables() against the native hndpos-tables beside the native hndpos: the
// same JSON text, or the same refusal.
const nativeTables = path.join(path.dirname(nativeProgram), "hndpos-tables");
const tableCases = 60;
for (let i = 0; i < tableCases; ++i) {
  const center = [Math.floor(random() * 400) - 50, pick([int32(), Math.floor(random() * 300)])];
  const radii = [Math.floor(random() * 200) - 100, Math.floor(random() * 200), pick([int32(), 5])];
  const positions = [pick([1, 7, 60, 720, 4321]), pick([60, 97, 3600]), pick([60, 600, 1])];
  const type = pick([undefined, "u8", "u16", "i16", "i32"]);
  // Every third call with figures, the rule and the layout, some without
  // hands, some with clashing names.
  const extras = {};
  if (i % 3 === 0) {
    extras.figures = [{ name: pick(["hand", "ticks", "hour"]), positions: pick([60, 720, 7]), points: [[-12, -2], [48, 0], [-12, 2]] },
                      { name: pick(["ticks", "dot"]), positions: 60, points: [[pick([90, int32()]), 0], [100, pick([0, 1])]] }];
    extras.rounding = pick(["extended", "nearest"]);
    extras.subpixel = pick([0, 3, 8]);
    extras.layout = pick(["split", "xy"]);
    extras.bounds = pick([false, true]);
  }
  const hands = !extras.figures || random() < 0.5;
  const args = ["--center", ...center.map(String), ...(hands ? ["--radii", ...radii.map(String)] : []),
                "--positions", ...positions.map(String), ...(type ? ["--type", type] : []),
                ...(extras.figures || []).flatMap((f) => ["--figure", f.name, String(f.positions), f.points.map((p) => p.join(",")).join(" ")]),
                ...(extras.figures ? ["--rounding", extras.rounding, "--subpixel", String(extras.subpixel), "--layout", extras.layout] : []),
                ...(extras.bounds ? ["--bounds"] : []), "--format", "json", "-o", "-"];
  const native = spawnSync(nativeTables, args, { cwd: work });
  let json = null;
  let refused = "";
  try {
    json = hndpos.tablesFiles({ center, ...(hands ? { radii } : {}), positions, type, ...extras }).json;
  } catch (error) {
    refused = error.message;
  }
  const shown = args.join(" ");
  if (native.status === 0) {
    if (json !== native.stdout.toString("utf8")) fail(`hndpos-tables ${shown}: tables() differs from the native JSON`);
  } else if (!native.stderr.toString("utf8").startsWith(`hndpos-tables: ${refused}`)) {
    fail(`hndpos-tables ${shown}: refused natively with ${native.stderr}, tables() said ${refused}`);
  }
}

// The wide tables' picture and display check are hndpos-view's, byte for
// byte, on the file hndpos-tables wrote; a wrapped byte table gives the
// viewer's command.
const nativeViewer = path.join(path.dirname(nativeProgram), "hndpos-view");
const panels = [[[63, 31], [16, 24, 28], [60, 60, 60], [128, 64]], [[160, 120], [60, 90, 100], [720, 60, 60], [320, 240]],
                [[233, 233], [120, 180, 210], [720, 3600, 60], [466, 466]], [[233, 233], [120, 180, 210], [60, 60, 60], [400, 466]]];
for (const [center, radii, positions, [width, height]] of panels) {
  const options = { center, radii, positions };
  spawnSync(nativeTables, ["--center", ...center, "--radii", ...radii, "--positions", ...positions, "-o", "dial.c"].map(String), { cwd: work });
  const picture = spawnSync(nativeViewer, ["--display", `${width}x${height}`, "--time", "10:08:30", "-o", "-", "dial.c"], { cwd: work });
  const viewed = hndpos.view(hndpos.tablesFiles(options).c, { time: [10, 8, 30], display: [width, height] });
  if (viewed.svg !== picture.stdout.toString("utf8")) fail(`${width}x${height}: view().svg differs from hndpos-view's picture`);
  const checked = spawnSync(nativeViewer, ["--check", "--display", `${width}x${height}`, "dial.c"], { cwd: work });
  if ((viewed.problem ? `hndpos-view: dial.c: ${viewed.problem}\n` : "") !== checked.stderr.toString("utf8"))
    fail(`${width}x${height}: view().problem says "${viewed.problem}", hndpos-view ${checked.stderr}`);
}
spawnSync(nativeProgram, ["233", "233", "120", "180", "210"], { cwd: work });
const wrapped = hndpos.view(hndpos.generate(["233", "233", "120", "180", "210"]).file, { display: [466, 466] });
const advice = spawnSync(nativeViewer, ["--check", "--display", "466x466"], { cwd: work }).stderr.toString("utf8");
if (!advice.endsWith(`hndpos-view: for this dial's true coordinates, run: ${wrapped.advice}\n`))
  fail(`view().advice is "${wrapped.advice}", hndpos-view says ${advice}`);
// One sentence for one refusal, whichever door the request comes in by.
for (const [options, args] of [
  [{ center: [83, 30], radii: [9, 13, 14], positions: [0, 60, 60] }, ["--positions", "0", "60", "60"]],
  [{ center: [83, 30], radii: [9, 13, 14], subpixel: 9 }, ["--subpixel", "9"]],
  [{ center: [83, 30], radii: [9, 13, 14], display: [97, 64] }, ["--display", "97", "64"]],
]) {
  const native = spawnSync(nativeTables, ["--center", "83", "30", "--radii", "9", "13", "14", ...args, "-o", "dial.c"], { cwd: work });
  const sentence = native.stderr.toString("utf8").split("\n")[0].replace("hndpos-tables: ", "").replace("; nothing written", "");
  const got = refusalOf(options);
  if (!got.endsWith(`Error: ${sentence}`)) fail(`${args.join(" ")}: the API said "${got}", the program "${sentence}"`);
}
fs.rmSync(work, { recursive: true, force: true });
console.log(`${tableCases} seeded random tables() calls compared with ${nativeTables}`);
console.log(`${failures === 0 ? goldenCases.length + cases + tableCases : 0} passed, ${failures} failed`);
process.exit(failures ? 1 : 0);
