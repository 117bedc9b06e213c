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

// hndpos-tables' tables for {center: [x, y], radii: [hour, minute, second],
// positions (default [60, 60, 60]), type ("u8", "u16", "i16", "i32" or
// absent for the narrowest), figures: [{name, positions, points: [[A, B],
// ...]}], rounding ("extended" or "nearest"), subpixel (0 to 8), layout
// ("split" or "xy"), bounds (true for the figures' boxes)}: {tables, c, h,
// json}, the JSON as an object and the bytes of dial.c, dial.h and
// dial.json. A refused table throws an Error with hndpos-tables' reason.
export function tables(options) {
  const files = module.tablesFiles(options);
  return { tables: JSON.parse(files.json), c: encoder.encode(files.c), h: encoder.encode(files.h), json: encoder.encode(files.json) };
}

// hndpos-view on a table file's bytes (hpostbl.c, or hndpos-tables' C
// source or JSON): {svg, problem, advice, bounds} at {time, display}.
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
