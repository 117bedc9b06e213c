// The package's API: the programs' exact bytes from JavaScript.

/** What hndpos wrote: its exit status, its console bytes and hpostbl.c's (null when it wrote none). */
export interface Run {
  status: number;
  console: Uint8Array;
  file: Uint8Array | null;
}

export type EntryType = "u8" | "u16" | "i16" | "i32";

/** A figure: points [A, B] in a hand's frame (A along the hand, negative for a tail; B across it), turned to each of its positions. */
export interface Figure {
  /** A C identifier: it names the figure's arrays and macros. */
  name: string;
  positions: number;
  /** The points, or their text as --figure takes it, "A,B A,B". */
  points: [number, number][] | string;
}

/** hndpos-tables' options, each under its option's name (figures for --figure); null is an option left out. An unknown key, or a value of the wrong type, throws a RangeError naming the key. */
export interface TablesOptions {
  /** Whole pixels, or halves (119.5: between two pixels, with subpixel 1 or more). */
  center: [number, number];
  /** The hands' lengths; may be left out when there are figures. */
  radii?: [number, number, number];
  /** Positions per hand; default [60, 60, 60]. */
  positions?: [number, number, number];
  /** The entries' type; absent for the narrowest that holds them. */
  type?: EntryType;
  figures?: Figure[];
  /** [figure, turn]: the figure follows the turn "12h", "1h", "1m" or "24h", as a hand. */
  turns?: [string, "12h" | "1h" | "1m" | "24h"][] | null;
  /** [figure, start, sweep]: the figure stands on an arc, in degrees clockwise from 12 o'clock (at most two decimal places); needs rounding "nearest". */
  arcs?: [string, number | string, number | string][] | null;
  /** [figure, bits]: the figure's exact coverage of each pixel at each position, in levels of 1, 2, 4 or 8 bits. */
  masks?: [string, 1 | 2 | 4 | 8][] | null;
  /** "extended" (hndpos's arithmetic, the default) or "nearest" (the integer nearest to the exact value). */
  rounding?: "extended" | "nearest";
  /** Entries in units of 1/2^subpixel pixel, 0 to 8. */
  subpixel?: number;
  /** The C layout of the figures: NAME_x and NAME_y ("split", the default) or NAME_xy of {x, y} pairs. */
  layout?: "split" | "xy";
  /** Each figure's box {xmin, ymin, xmax, ymax} at each position. */
  bounds?: boolean | null;
  /** Where the C arrays live: RAM, read-only data or AVR program memory. */
  storage?: "data" | "const" | "progmem" | null;
  /** The arrays' prefix; upper-cased, the macros'. */
  prefix?: string | null;
  /** The header dial.c includes (default dial.h). */
  header?: string | null;
  /** Refuse a tip off a panel of [width, height]. */
  display?: [number, number] | null;
  /** "c" (the default), or a module for "rust" (no_std) or "micropython", returned in `module`. */
  format?: "c" | "json" | "rust" | "micropython" | null;
}

/** hndpos-tables' JSON; "rounding", "subpixel" and "figures" where figures or a rule were asked for. */
export interface Tables {
  center: [number, number];
  /** Empty for figures alone. */
  radii: [number, number, number] | [];
  type: EntryType;
  hands: { name: "hour" | "minute" | "second"; positions: number; x: number[]; y: number[] }[];
  rounding?: "extended" | "nearest";
  subpixel?: number;
  figures?: {
    name: string;
    positions: number;
    points: [number, number][];
    /** One list of the points' entries per position. */
    x: number[][];
    y: number[][];
    bounds?: [number, number, number, number][];
    turn?: "12h" | "1h" | "1m" | "24h";
    /** [start, sweep] in degrees. */
    arc?: [number, number];
  }[];
  /** Each masked figure's levels at each position, row by row over its box, and the box that changes from the position before. */
  masks?: {
    name: string;
    bits: 1 | 2 | 4 | 8;
    positions: { x: number; y: number; width: number; height: number; levels: number[] }[];
    changed: [number, number, number, number][];
  }[];
}

export interface TablesFiles {
  tables: Tables;
  /** dial.c, its header and dial.json, as hndpos-tables writes them. */
  c: Uint8Array;
  h: Uint8Array;
  json: Uint8Array;
  /** The header's name, as dial.c includes it. */
  header: string;
  /** With a format other than C: the file written (c, h and header then empty). */
  module: Uint8Array | null;
}

export interface ViewOptions {
  /** [hours, minutes, seconds], or "HH:MM:SS"; default [10, 8, 30]. */
  time?: [number, number, number] | string | null;
  /** [width, height] of the panel; default none. */
  display?: [number, number] | null;
  /** The size of a display pixel in the picture, 1 to 64. */
  scale?: number | null;
  /** [figure, value, low, high]: a figure on an arc drawn at the position nearest value on its scale. */
  readings?: [string, number, number, number][] | null;
}

export interface ViewResult {
  /** The picture, as hndpos-view draws it; "" for a dial wider than a picture shows. */
  svg: string;
  /** The first tip that wraps modulo 256 or leaves the display; "" when all fit. */
  problem: string;
  /** For a table whose tips wrap: the hndpos-tables command that writes its true coordinates. */
  advice: string;
  /** Each hand's [low x, high x, low y, high y], in the entries' units; none for figures alone. */
  bounds: [number, number, number, number][];
  /** Each figure's [low x, high x, low y, high y], by name. */
  figureBounds: Record<string, [number, number, number, number]>;
}

/** What a program run on files in memory wrote. */
export interface ProgramRun {
  status: number;
  stdout: Uint8Array;
  stderr: string;
  /** The files asked for, null where the program wrote none. */
  files: Record<string, Uint8Array | null>;
}

export interface Limits {
  positions: [number, number];
  byteDisplay: [number, number];
  wideDisplay: [number, number];
}

/** Runs hndpos with these argument texts. */
export function hndpos(args: readonly string[]): Run;
/** hndpos-tables' files; throws a RangeError for arguments the program refuses, an Error with its reason for tables it refuses. */
export function tables(options: TablesOptions): TablesFiles;
/** hndpos-view on a table file; throws an Error with the line and the reason for a file it refuses. */
export function view(file: Uint8Array | string, options?: ViewOptions): ViewResult;
/** Each hand's index at a time of day, as the tables' header computes it. */
export function handIndices(options: { positions: [number, number, number]; time: [number, number, number, number] }): [number, number, number];
export function limits(): Limits;
/** Any of the programs, with its arguments, on files in memory: `files` it may read, `input` its standard input, `read` the files to give back. */
export function run(program: "hndpos" | "hndpos-tables" | "hndpos-view", args: readonly string[],
                    options?: { files?: Record<string, Uint8Array | string>; input?: Uint8Array | string; read?: readonly string[] }): ProgramRun;
