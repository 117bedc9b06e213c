// The module's entry points as JavaScript, for the page, for Node.js and for
// scripts: argument texts in, the program's exact bytes out.

// The module's memory is exhausted: nothing was written at address 0, and
// the module stays usable once memory is freed.
function outOfMemory() {
  const error = new Error("EOutOfMemory: the page's memory is exhausted");
  error.name = "EOutOfMemory";
  return error;
}

function allocate(size) {
  const pointer = _malloc(size);
  if (!pointer) throw outOfMemory();
  return pointer;
}

// An argument text as the program receives it. A process's arguments hold no
// NUL byte; a text with one is no integer, so it becomes one the program
// refuses, the empty text.
function argumentText(text) {
  const value = String(text);
  return value.includes("\0") ? "" : value;
}

// The text's UTF-8 bytes and a NUL in the module's memory; the caller frees.
function cString(text) {
  const bytes = new TextEncoder().encode(String(text));
  const pointer = allocate(bytes.length + 1);
  HEAPU8.set(bytes, pointer);
  HEAPU8[pointer + bytes.length] = 0;
  return pointer;
}

function withCString(text, use) {
  const pointer = cString(text);
  try {
    return use(pointer);
  } finally {
    _free(pointer);
  }
}

function copyBytes(pointer, size) {
  return HEAPU8.slice(pointer, pointer + size);
}

// hndpos run with these argument texts: its exit status, its console bytes
// and the bytes of hpostbl.c (null where it wrote no file).
Module["generate"] = function (texts) {
  const pointers = [];
  let list = 0;
  let status;
  try {
    for (const text of Array.from(texts)) pointers.push(cString(argumentText(text)));
    list = allocate(4 * Math.max(1, pointers.length));
    pointers.forEach((pointer, index) => {
      HEAPU32[(list >> 2) + index] = pointer;
    });
    status = _hndpos_run(list, pointers.length);
  } finally {
    pointers.forEach((pointer) => _free(pointer));
    if (list) _free(list);
  }
  return {
    status: status,
    console: copyBytes(_hndpos_console_data(), _hndpos_console_size()),
    file: _hndpos_file_created() ? copyBytes(_hndpos_file_data(), _hndpos_file_size()) : null,
  };
};

// Whether hndpos takes the text as an integer argument.
Module["accepts"] = function (text) {
  return withCString(argumentText(text), (pointer) => _hndpos_accepts(pointer) === 1);
};

// The value hndpos reads from the text, or null where it refuses it.
Module["integerValue"] = function (text) {
  const out = allocate(4);
  try {
    return withCString(argumentText(text), (pointer) => (_hndpos_integer_value(pointer, out) === 1 ? HEAP32[out >> 2] : null));
  } finally {
    _free(out);
  }
};

// Shift_JIS bytes written by hndpos, as text.
Module["toText"] = function (bytes) {
  const pointer = allocate(Math.max(1, bytes.length));
  HEAPU8.set(bytes, pointer);
  try {
    const text = _hndpos_to_utf8(pointer, bytes.length);
    if (!text) throw outOfMemory();
    return UTF8ToString(text);
  } finally {
    _free(pointer);
  }
};

// What each line of bytes the program wrote means, in English.
Module["english"] = function (bytes) {
  const pointer = allocate(Math.max(1, bytes.length));
  HEAPU8.set(bytes, pointer);
  try {
    const text = _hndpos_english(pointer, bytes.length);
    if (!text) throw outOfMemory();
    return UTF8ToString(text);
  } finally {
    _free(pointer);
  }
};

// The last generated table for firmware, as hndpos-view --emit writes it:
// storage "data", "const" or "progmem"; {c, h}, c null for data (the table
// file itself is the source); null without a complete table.
Module["gridFiles"] = function (storage) {
  const kind = ["data", "const", "progmem"].indexOf(storage);
  if (kind < 0) throw new RangeError("storage is data, const or progmem");
  const part = (which) => {
    const text = _hndpos_grid_file(kind, which);
    if (!text) throw outOfMemory();
    return UTF8ToString(text);
  };
  const h = part(1);
  if (!h) return null;
  return { c: kind === 0 ? null : part(0), h: h };
};

// The dial of the last generated table as SVG ("" without a complete
// table); a display of width × height draws its outline (0 for none).
Module["dialSvg"] = function (hours, minutes, seconds, width, height) {
  const within = (value, last) => Number.isInteger(value) && value >= 0 && value <= last;
  if (!within(hours, 23) || !within(minutes, 59) || !within(seconds, 59))
    throw new RangeError("expected a time from 0:00:00 to 23:59:59, as hndpos-view --time takes it");
  const svg = _hndpos_dial_svg(hours, minutes, seconds, width || 0, height || 0);
  if (!svg) throw outOfMemory();
  return UTF8ToString(svg);
};

// The first tip of the last generated table that wraps modulo 256 or
// leaves the display, or "" when all fit.
Module["displayProblem"] = function (width, height) {
  return UTF8ToString(_hndpos_display_problem(width || 0, height || 0, 0));
};

// Where a tip of the last generated table wraps: the hndpos-tables command
// that writes the same dial with true coordinates (for the display, when
// one is given); "" otherwise.
Module["wideTablesCommand"] = function (width, height) {
  return UTF8ToString(_hndpos_display_problem(width || 0, height || 0, 1));
};

// hndpos-tables' arithmetic: {center: [x, y], radii: [h, m, s], positions:
// [h, m, s] (default 60 each), type: "u8", "u16", "i16", "i32" or absent
// for the narrowest}, and as hndpos-tables' --figure, --rounding,
// --subpixel, --layout and --bounds take them: figures: [{name, positions,
// points: [[A, B], ...]}], rounding: "extended" or "nearest", subpixel: 0
// to 8, layout: "split" or "xy", bounds: true; radii may be left out when
// there are figures. tablesFiles() gives the files as text, {json, c, h}
// (dial.c and dial.h); tables() the JSON as an object. A refused table
// throws an Error with hndpos-tables' reason.
const tableTypes = ["u8", "u16", "i16", "i32"];

// `count` 32-bit integers from an array option, or a RangeError that names it.
function integers(value, count, what) {
  if (!Array.isArray(value) || value.length !== count ||
      !value.every((v) => Number.isInteger(v) && v >= -2147483648 && v <= 2147483647))
    throw new RangeError(`${what} takes an array of ${count} 32-bit integers`);
  return value;
}

// One of `names` for a text option, its index; the first where absent.
function choice(value, names, what) {
  if (value === undefined || value === null) return 0;
  const index = names.indexOf(value);
  if (index < 0) throw new RangeError(`${what} is ${names.join(" or ")}`);
  return index;
}

// The figures as integers (positions, count of points, the points) and
// their names, one a line; the module checks them as hndpos-tables does.
function figureArguments(figures) {
  if (figures === undefined || figures === null) return { values: [0], names: "" };
  if (!Array.isArray(figures)) throw new RangeError("figures takes an array of {name, positions, points}");
  const values = [figures.length];
  const names = figures.map((figure, index) => {
    const what = `figures[${index}]`;
    if (typeof figure !== "object" || figure === null || typeof figure.name !== "string" || figure.name.includes("\n"))
      throw new RangeError(`${what} takes {name, positions, points}, the name a text`);
    if (!Array.isArray(figure.points)) throw new RangeError(`${what}.points takes an array of [A, B]`);
    values.push(...integers([figure.positions], 1, `${what}.positions`), figure.points.length);
    figure.points.forEach((point, p) => values.push(...integers(point, 2, `${what}.points[${p}]`)));
    return figure.name;
  });
  return { values: values, names: names.join("\n") };
}

// The options as the module takes them: the integers, the figures' names
// and the type's number (-1 for the narrowest).
function tablesArguments(options) {
  const given = options || {};
  const hands = given.radii !== undefined && given.radii !== null;
  if (!hands && !(Array.isArray(given.figures) && given.figures.length > 0))
    throw new RangeError("radii [hour, minute, second] are needed where there are no figures");
  const subpixel = given.subpixel === undefined ? 0 : integers([given.subpixel], 1, "subpixel")[0];
  const figures = figureArguments(given.figures);
  const values = integers(given.center, 2, "center [x, y]").concat(
    hands ? integers(given.radii, 3, "radii [hour, minute, second]") : [0, 0, 0],
    given.positions === undefined ? [60, 60, 60] : integers(given.positions, 3, "positions [hour, minute, second]"),
    [hands ? 1 : 0, choice(given.rounding, ["extended", "nearest"], "rounding"), subpixel,
     choice(given.layout, ["split", "xy"], "layout"), given.bounds ? 1 : 0],
    figures.values);
  const type = given.type === undefined || given.type === null || given.type === "" ? -1 : tableTypes.indexOf(given.type);
  if (type === -1 && given.type !== undefined && given.type !== null && given.type !== "")
    throw new RangeError("type is u8, u16, i16 or i32");
  return { values: values, names: figures.names, type: type };
}

// The options of the tables the module holds, as a key.
let heldTables = null;

function makeTables(options) {
  const { values, names, type } = tablesArguments(options);
  heldTables = null;
  const list = allocate(4 * values.length);
  try {
    values.forEach((value, index) => {
      HEAP32[(list >> 2) + index] = value;
    });
    const status = withCString(names, (text) => _hndpos_tables(list, values.length, text, type));
    if (status === 2) throw outOfMemory();
    if (status !== 0) throw new Error(UTF8ToString(_hndpos_tables_text(3)));
  } finally {
    _free(list);
  }
  heldTables = JSON.stringify([values, names, type]);
}

// The module holds the tables of the last call: another call's options
// make them again.
function holdTables(options) {
  const { values, names, type } = tablesArguments(options);
  if (heldTables !== JSON.stringify([values, names, type])) makeTables(options);
}

Module["tablesFiles"] = function (options) {
  makeTables(options);
  return {
    json: UTF8ToString(_hndpos_tables_text(0)),
    c: UTF8ToString(_hndpos_tables_text(1)),
    h: UTF8ToString(_hndpos_tables_text(2)),
  };
};

Module["tables"] = function (options) {
  return JSON.parse(Module["tablesFiles"](options).json);
};

// The tables' dial as hndpos-view draws it at the panel's scale, at
// hours:minutes:seconds, with a display of width x height (0 for none);
// "" where the dial spans more than the picture can show.
Module["tablesDialSvg"] = function (options, hours, minutes, seconds, width, height) {
  const within = (value, last) => Number.isInteger(value) && value >= 0 && value <= last;
  if (!within(hours, 23) || !within(minutes, 59) || !within(seconds, 59))
    throw new RangeError("expected a time from 0:00:00 to 23:59:59, as hndpos-view --time takes it");
  holdTables(options);
  const svg = _hndpos_tables_svg(hours, minutes, seconds, width || 0, height || 0);
  if (!svg) throw outOfMemory();
  return UTF8ToString(svg);
};

// The first tip of the tables outside a display of width x height, or "".
Module["tablesDisplayProblem"] = function (options, width, height) {
  holdTables(options);
  return UTF8ToString(_hndpos_tables_display_problem(width || 0, height || 0));
};

// Each hand's index at a time of day, as the header's macros compute it:
// {positions: [h, m, s], time: [hours, minutes, seconds, milliseconds]}
// gives [hour, minute, second].
Module["handIndices"] = function (options) {
  const given = options || {};
  const values = integers(given.positions, 3, "positions [hour, minute, second]")
    .concat(integers(given.time, 4, "time [hours, minutes, seconds, milliseconds]"));
  const memory = allocate(4 * 10);
  try {
    values.forEach((value, index) => {
      HEAP32[(memory >> 2) + index] = value;
    });
    if (_hndpos_hand_indices(memory, memory + 12, memory + 28) !== 0)
      throw new RangeError("positions run from " + Module["limits"]().positions.join(" to ") +
                           " and the time from [0, 0, 0, 0] to [23, 59, 59, 999]");
    return Array.from(HEAP32.subarray((memory >> 2) + 7, (memory >> 2) + 10));
  } finally {
    _free(memory);
  }
};

// The limits the programs apply, each [least, most]: positions per hand,
// a side of hndpos-view's display, a side of hndpos-tables' display.
Module["limits"] = function () {
  const pair = (first) => [_hndpos_limit(first), _hndpos_limit(first + 1)];
  return { positions: pair(0), byteDisplay: pair(2), wideDisplay: pair(4) };
};
