// The npm package as a user meets it: the tarball installed offline into an
// empty project, its commands run as npx runs them and compared, bytes and
// exit statuses, with the native programs; its API imported from an ES
// module; its types checked by tsc --strict.
//
//   node npm_test.mjs CASE TARBALL NATIVE_DIR SOURCE_DIR
//
// CASE: commands (the documented npx commands and the golden runs),
// random (seeded random argument lists), failures (what a user meets when
// files cannot be written), api, types, node-versions (the oldest Node.js
// the package claims, and a maintained one, where npm gave them to
// tests/npm). NATIVE_DIR holds hndpos, hndpos-tables and hndpos-view.
import { spawnSync } from "node:child_process";
import fs from "node:fs";
import os from "node:os";
import path from "node:path";

const [testCase, tarballArgument, nativeArgument, sourceArgument] = process.argv.slice(2);
const tarball = path.resolve(tarballArgument);
const nativeDir = path.resolve(nativeArgument);
const sourceDir = path.resolve(sourceArgument);
const here = path.join(sourceDir, "tests", "npm");
const skip = (why) => {
  console.log("SKIPPED: " + why);
  process.exit(77);
};
if (!fs.existsSync(tarball)) skip(`no ${tarball}: cmake --workflow --preset npm makes it`);
if (!fs.existsSync(path.join(nativeDir, "hndpos-tables"))) skip(`no native programs in ${nativeDir}: cmake --workflow --preset test`);

let failures = 0;
let checks = 0;
const fail = (what) => {
  failures += 1;
  console.error("FAIL: " + what);
};
const check = (ok, what) => {
  checks += 1;
  if (!ok) fail(what);
};

const work = fs.mkdtempSync(path.join(os.tmpdir(), "hndpos-npm-"));
fs.chmodSync(work, 0o755); // an unprivileged user runs the package too
process.on("exit", () => fs.rmSync(work, { recursive: true, force: true }));

// The user's project: an empty package, the tarball installed without a network.
const project = path.join(work, "project");
fs.mkdirSync(project);
fs.writeFileSync(path.join(project, "package.json"), JSON.stringify({ name: "clock-face", private: true, type: "module" }));
const npmEnvironment = { ...process.env, npm_config_update_notifier: "false", npm_config_fund: "false", npm_config_audit: "false" };
const installed = spawnSync("npm", ["install", "--offline", tarball], { cwd: project, env: npmEnvironment, encoding: "utf8" });
if (installed.status !== 0) {
  console.error(installed.stdout + installed.stderr);
  process.exit(1);
}
const bin = (name) => path.join(project, "node_modules", ".bin", name);

// " の " + 8 hexadecimal digits + " で" in Shift_JIS: where a failure report
// names its code offset, which is the image's own.
const masked = (bytes) =>
  Buffer.from(bytes).toString("latin1").replace(/ \x82\xcc [0-9A-F]{8} \x82\xc5/g, " \x82\xcc XXXXXXXX \x82\xc5");

// A run in a fresh directory: status, standard output and error, and the
// files it left there.
let runs = 0;
function runIn(command, args, { setup, shell, node } = {}) {
  const dir = path.join(work, "run" + runs++);
  fs.mkdirSync(dir);
  fs.chmodSync(dir, 0o777);
  if (setup) setup(dir);
  const before = new Set(fs.readdirSync(dir));
  const result = shell
    ? spawnSync("sh", ["-c", shell + ' "$0" "$@"', command, ...args], { cwd: dir })
    : spawnSync(node ? node : command, node ? [command, ...args] : args, { cwd: dir });
  const files = {};
  for (const name of fs.readdirSync(dir).sort()) {
    const file = path.join(dir, name);
    if (!before.has(name) && fs.lstatSync(file).isFile()) files[name] = fs.readFileSync(file).toString("latin1");
  }
  return { status: result.status, signal: result.signal, stdout: masked(result.stdout), stderr: masked(result.stderr), files };
}

// The package's command and the native program agree on everything.
function same(program, args, options = {}) {
  const mine = runIn(bin(program), args, options);
  const native = runIn(path.join(nativeDir, program), args, options);
  const shown = `${program} ${args.map((a) => JSON.stringify(a)).join(" ")}`;
  check(mine.status === native.status, `${shown}: status ${mine.status} (${mine.signal}), native ${native.status}`);
  check(mine.stdout === native.stdout, `${shown}: standard output differs: ${mine.stdout.slice(0, 200)}`);
  check(mine.stderr === native.stderr, `${shown}: standard error differs: ${mine.stderr.slice(0, 300)} / ${native.stderr.slice(0, 300)}`);
  check(JSON.stringify(Object.keys(mine.files)) === JSON.stringify(Object.keys(native.files)) &&
        Object.keys(mine.files).every((name) => mine.files[name] === native.files[name]),
        `${shown}: the files differ: ${Object.keys(mine.files)} / ${Object.keys(native.files)}`);
  return native;
}

const golden = path.join(sourceDir, "tests", "programs", "hndpos", "golden");
const goldenRuns = fs.readFileSync(path.join(golden, "cases.tsv"), "utf8").split("\n")
  .filter((line) => line && !line.startsWith("#")).map((line) => line.split("\t"))
  .map(([, name, ...texts]) => [name, texts]);

// A seeded generator, so that a failure is the same on every run.
let seed = 20261209;
const random = () => {
  seed = (seed * 1103515245 + 12345) % 2147483648;
  return seed / 2147483648;
};
const pick = (list) => list[Math.floor(random() * list.length)];
const integer = (low, high) => low + Math.floor(random() * (high - low + 1));

switch (testCase) {
case "commands": {
  // As the README writes them, through npx.
  const npx = (args, dir) => spawnSync("npx", ["--offline", ...args], { cwd: dir, env: npmEnvironment });
  const example = path.join(project, "example");  // npx finds the package above it
  fs.mkdirSync(example);
  const run = npx(["hndpos", "83", "30", "9", "13", "14"], project);
  check(run.status === 0 && Buffer.compare(run.stdout, fs.readFileSync(path.join(golden, "example.stdout"))) === 0 &&
        Buffer.compare(fs.readFileSync(path.join(project, "hpostbl.c")), fs.readFileSync(path.join(golden, "example.c"))) === 0,
        "npx hndpos 83 30 9 13 14: not the golden console and hpostbl.c: " + run.stderr);
  const tables = npx(["hndpos-tables", "--center", "160", "120", "--radii", "60", "90", "100", "--positions", "720", "60", "600",
                      "--type", "u16", "--format", "json", "-o", "-"], project);
  check(tables.status === 0 && Buffer.compare(tables.stdout, fs.readFileSync(path.join(sourceDir, "tests", "programs", "hndpos-tables", "golden", "dial.json"))) === 0,
        "npx hndpos-tables: not the golden dial.json: " + tables.stderr);
  const checked = npx(["hndpos-view", "--check", "--display", "128x64", "hpostbl.c"], project);
  check(checked.status === 0 && checked.stdout.toString() === "hour hand: x 74 to 92, y 21 to 39\nminute hand: x 70 to 96, y 17 to 43\nsecond hand: x 69 to 97, y 16 to 44\n",
        "npx hndpos-view --check: " + checked.stdout + checked.stderr);
  // The README's: the tables for a 320x240 panel, and their check.
  const readme = npx(["hndpos-tables", "--center", "160", "120", "--radii", "60", "90", "100", "--positions", "720", "60", "60", "-o", "dial.c"], example);
  const theirs = runIn(path.join(nativeDir, "hndpos-tables"), ["--center", "160", "120", "--radii", "60", "90", "100", "--positions", "720", "60", "60", "-o", "dial.c"]);
  check(readme.status === 0 && fs.readFileSync(path.join(example, "dial.c"), "latin1") === theirs.files["dial.c"] &&
        fs.readFileSync(path.join(example, "dial.h"), "latin1") === theirs.files["dial.h"], "the README's npx hndpos-tables: " + readme.stderr);
  check(npx(["hndpos-view", "--check", "--display", "320x240", "dial.c"], example).status === 0, "the README's npx hndpos-view --check");
  // Every golden run, and the usage and help texts.
  for (const [, texts] of goldenRuns) same("hndpos", texts);
  same("hndpos", []);
  for (const program of ["hndpos-tables", "hndpos-view"]) for (const args of [["--help"], ["--version"], ["--bogus"]]) same(program, args);
  same("hndpos-tables", ["--center", "0", "-1", "--radii", "233", "-2147483647", "2147483647", "--positions", "1234", "97", "1", "--format", "json", "-o", "x.json"]);
  same("hndpos-tables", ["--center", "63", "31", "--radii", "20", "28", "30", "--storage", "progmem", "--prefix", "face_", "-o", "face.c"]);
  for (const [name] of goldenRuns.slice(0, 4))
    same("hndpos-view", ["--check", "--display", "128x64", "t.c"], { setup: (dir) => fs.copyFileSync(path.join(golden, name + ".c"), path.join(dir, "t.c")) });
  break;
}
case "random": {
  // hndpos with texts a user might type, and some no program takes.
  const texts = () => pick([String(integer(-300, 300)), String(integer(-2147483647, 2147483647)), "$" + integer(0, 0xffffffff).toString(16),
                            "  " + integer(0, 99), "+" + integer(0, 500), "0" + integer(0, 9), "x", "", "1e3", "$", "-0", "2147483648"]);
  for (let i = 0; i < 60; ++i) same("hndpos", Array.from({ length: pick([5, 5, 5, 5, 4, 6, 0]) }, texts));
  // hndpos-tables over its options.
  const value = () => String(pick([integer(-50, 400), integer(-2147483647, 2147483647), integer(0, 70000)]));
  for (let i = 0; i < 20; ++i) {
    const args = ["--center", value(), value(), "--radii", value(), value(), value()];
    if (random() < 0.7) args.push("--positions", ...[0, 1, 2].map(() => String(pick([60, 720, 1, integer(1, 400), 0, 43201]))));
    if (random() < 0.3) args.push("--type", pick(["u8", "u16", "i16", "i32", "u32"]));
    if (random() < 0.3) args.push("--storage", pick(["data", "const", "progmem"]));
    if (random() < 0.3) args.push("--display", `${integer(0, 500)}x${integer(1, 500)}`);
    const json = random() < 0.4;
    if (json) args.push("--format", "json");
    args.push("-o", pick(["dial.c", "-", "t.json"]));
    if (args.at(-1) === "-" && !json) args.push("--header", "d.h");
    same("hndpos-tables", args);
  }
  // hndpos-view over the files the native programs wrote.
  for (let i = 0; i < 20; ++i) {
    const params = [integer(-20, 300), integer(-20, 300), integer(-50, 150), integer(-50, 150), integer(-50, 150)].map(String);
    const wide = random() < 0.5;
    const input = wide ? (random() < 0.5 ? "t.json" : "t.c") : "hpostbl.c";
    const secondPositions = String(integer(1, 600));
    const setup = (dir) => {
      if (wide) spawnSync(path.join(nativeDir, "hndpos-tables"), ["--center", params[0], params[1], "--radii", ...params.slice(2),
                                                                  "--positions", "720", "60", secondPositions, "-o", input], { cwd: dir });
      else spawnSync(path.join(nativeDir, "hndpos"), params, { cwd: dir });
    };
    const args = [pick(["--check", "--check", "-o"])];
    if (args[0] === "-o") args.push(pick(["p.svg", "-"]));
    if (random() < 0.6) args.push("--display", `${integer(1, 520)}x${integer(1, 520)}`);
    if (random() < 0.4) args.push("--time", `${String(integer(0, 23)).padStart(2, "0")}:${String(integer(0, 59)).padStart(2, "0")}:07`);
    args.push(input);
    same("hndpos-view", args, { setup });
  }
  break;
}
case "failures": {
  // Each run fails, natively and in the package alike.
  const fails = (program, args, options) => {
    const native = same(program, args, options);
    check(native.status !== 0, `${program} ${args.join(" ")}: the native program did not fail`);
  };
  const example = ["83", "30", "9", "13", "14"];
  const tables = ["--center", "160", "120", "--radii", "60", "90", "100", "--positions", "720", "60", "60"];
  // A directory in the way, a full disk, a device that cannot be created
  // on, a file-size limit, a reader that quits, input that is not there.
  fails("hndpos", example, { setup: (dir) => fs.mkdirSync(path.join(dir, "hpostbl.c")) });
  fails("hndpos", example, { setup: (dir) => fs.symlinkSync("/dev/full", path.join(dir, "hpostbl.c")) });
  fails("hndpos-tables", [...tables, "-o", "/dev/full"]);
  fails("hndpos-tables", [...tables, "-o", "-", "--header", "d.h"], { shell: "exec >/dev/full; exec" });
  fails("hndpos-tables", [...tables, "-o", "x/dial.c"]);
  fails("hndpos-tables", [...tables, "-o", "/proc/dial.c"]);
  fails("hndpos-tables", [...tables, "--positions", "43200", "43200", "43200", "-o", "big.c"], { shell: "ulimit -f 8; exec" });
  fails("hndpos", example, { shell: "ulimit -f 1; exec" });
  fails("hndpos-tables", [...tables, "--positions", "43200", "43200", "43200", "-o", "-", "--header", "d.h"],
       { shell: '{ "$0" "$@"; echo $? >status.txt; } | head -c 10 >/dev/null; exit "$(cat status.txt)"; :' });
  fails("hndpos-view", ["missing.c"]);
  fails("hndpos-view", ["-o", "/dev/full"], { setup: (dir) => fs.copyFileSync(path.join(golden, "example.c"), path.join(dir, "hpostbl.c")) });
  fails("hndpos-view", ["--check", "/"]);
  // No permission: a directory only root may write in, for an unprivileged user.
  const unprivileged = spawnSync("setpriv", ["--reuid=65534", "--regid=65534", "--clear-groups", "true"]);
  if (process.getuid && process.getuid() === 0 && unprivileged.status === 0) {
    const asNobody = "exec setpriv --reuid=65534 --regid=65534 --clear-groups";
    const locked = (dir) => fs.chmodSync(dir, 0o755);
    fails("hndpos", example, { shell: asNobody, setup: locked });
    fails("hndpos-tables", [...tables, "-o", "dial.c"], { shell: asNobody, setup: locked });
    fails("hndpos-view", ["-o", "p.svg", path.join(golden, "example.c")], { shell: asNobody, setup: locked });
  } else {
    console.log("note: not root, or setpriv cannot change user: the no-permission runs were left out");
  }
  break;
}
case "api":
case "node-versions": {
  // The API from an ES module in the user's project, against the native
  // programs' files; with the other Node.js releases, the commands too.
  const nodes = testCase === "api" ? [process.execPath] : ["18", "22"].map((major) => {
    const found = fs.readdirSync(path.join(here, "node_modules"), { withFileTypes: true }).find((entry) => entry.name === `node-v${major}`);
    return found ? path.join(here, "node_modules", found.name, "bin", "node") : null;
  });
  if (nodes.includes(null)) skip("Node.js 18 and 22 from npm are not installed: npm ci --prefix tests/npm");
  fs.copyFileSync(path.join(here, "api_check.mjs"), path.join(project, "api_check.mjs"));
  for (const node of nodes) {
    const version = spawnSync(node, ["--version"], { encoding: "utf8" }).stdout.trim();
    const result = spawnSync(node, ["api_check.mjs", nativeDir, sourceDir], { cwd: project, encoding: "utf8" });
    check(result.status === 0, `${version}: the API: ${result.stdout}${result.stderr}`);
    if (testCase === "node-versions") {
      for (const [, texts] of goldenRuns.slice(0, 3)) {
        const mine = runIn(bin("hndpos"), texts, { node });
        const native = runIn(path.join(nativeDir, "hndpos"), texts);
        check(mine.status === native.status && mine.stdout === native.stdout && mine.files["hpostbl.c"] === native.files["hpostbl.c"],
              `${version}: hndpos ${texts.join(" ")}`);
      }
    }
    console.log(`${version}: ${result.stdout.trim()}`);
  }
  break;
}
case "types": {
  const tsc = path.join(here, "node_modules", "typescript", "bin", "tsc");
  if (!fs.existsSync(tsc)) skip("TypeScript is not installed: npm ci --prefix tests/npm");
  fs.copyFileSync(path.join(here, "consumer.ts"), path.join(project, "consumer.ts"));
  const result = spawnSync(process.execPath, [tsc, "--strict", "--noEmit", "--module", "nodenext", "--moduleResolution", "nodenext",
                                              "--target", "es2022", "consumer.ts"], { cwd: project, encoding: "utf8" });
  check(result.status === 0, "tsc --strict --noEmit consumer.ts: " + result.stdout + result.stderr);
  // And a misuse it must refuse: the types say something.
  fs.writeFileSync(path.join(project, "misuse.ts"), 'import { tables } from "hndpos";\ntables({ center: [1, 2], radii: [3, 4], type: "u64" });\n');
  const misuse = spawnSync(process.execPath, [tsc, "--strict", "--noEmit", "--module", "nodenext", "--moduleResolution", "nodenext",
                                              "--target", "es2022", "misuse.ts"], { cwd: project, encoding: "utf8" });
  check(misuse.status !== 0, "tsc accepted two radii and the type u64");
  break;
}
default:
  console.error("unknown case " + testCase);
  process.exit(2);
}
console.log(`${testCase}: ${checks - failures} checks passed, ${failures} failed`);
process.exit(failures ? 1 : 0);
