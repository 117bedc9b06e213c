// hndpos for JavaScript: the programs' own code in WebAssembly, the same
// module the page runs. Every function takes what the page's
// window.hndpos takes and gives the programs' exact bytes.
import { createRequire } from "node:module";

const require = createRequire(import.meta.url);
const createHndposModule = require("./lib/hndpos.cjs");
const module = await createHndposModule({ noInitialRun: true, wasmBinary: require("./lib/run.cjs").wasmBinary() });
const encoder = new TextEncoder();

// hndpos run with these argument texts: {status, console, file}, the exit
// status and the bytes it writes on the console and into hpostbl.c (null
// where it writes none), Shift_JIS and CR LF as the program writes them.
export function hndpos(args) {
  return module.generate(args);
}

// hndpos-tables' tables for its options, each under the option's name
// (figures for --figure): {center: [x, y], radii: [hour, minute, second],
// positions, type, storage, prefix, header, display: [width, height],
// figures: [{name, positions, points: [[A, B], ...]}], rounding, subpixel,
// layout, bounds, format, ...}. Returns {tables, c, h, json, header,
// module}: the JSON as an object, the bytes of dial.c, its header and
// dial.json, and the header's name; with format "rust" or "micropython",
// the module's bytes in `module` and c and h empty. An unknown key or a value of the wrong type throws a RangeError
// naming the key; tables the program refuses throw an Error with its words.
export function tables(options) {
  const files = module.tablesFiles(options);
  return { tables: JSON.parse(files.json), c: encoder.encode(files.c), h: encoder.encode(files.h),
           json: encoder.encode(files.json), header: files.header,
           module: files.module === null ? null : encoder.encode(files.module) };
}

// hndpos-view on a table file's bytes (hpostbl.c, or hndpos-tables' C
// source or JSON): {svg, problem, advice, bounds, figureBounds} at {time,
// display, scale}.
export function view(file, options) {
  return module.view(file, options);
}

// Each hand's index at a time of day, as the tables' header computes it.
export function handIndices(options) {
  return module.handIndices(options);
}

// The limits the programs apply, each [least, most].
export function limits() {
  return module.limits();
}

// Any of the three programs run on files in memory: {status, stdout,
// stderr, files} (see the README).
export function run(program, args, options) {
  return module.run(program, args, options);
}
