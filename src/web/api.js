// The module's entry points as JavaScript, for the page, for Node.js and for
// scripts: the three programs run on files in memory, their exact bytes out.

const decoder = new TextDecoder();
const encoder = new TextEncoder();

// The module's memory is exhausted: nothing was written at address 0, and
// the module stays usable once memory is freed.
function outOfMemory() {
  const error = new Error("EOutOfMemory: the page's memory is exhausted");
  error.name = "EOutOfMemory";
  return error;
}

function allocate(size) {
  const pointer = _malloc(Math.max(1, size));
  if (!pointer) throw outOfMemory();
  return pointer;
}

// The bytes in the module's memory for the call; freed after it.
function withBytes(bytes, use) {
  const pointer = allocate(bytes.length);
  HEAPU8.set(bytes, pointer);
  try {
    return use(pointer, bytes.length);
  } finally {
    _free(pointer);
  }
}

function withCString(text, use) {
  const bytes = encoder.encode(String(text));
  const withNul = new Uint8Array(bytes.length + 1);
  withNul.set(bytes);
  return withBytes(withNul, (pointer) => use(pointer));
}

function copyBytes(pointer, size) {
  return HEAPU8.slice(pointer, pointer + size);
}

// Arguments as the module takes them: each ended by a NUL.
function joinedArguments(args) {
  const parts = args.map((arg) => encoder.encode(String(arg) + "\0"));
  const all = new Uint8Array(parts.reduce((sum, part) => sum + part.length, 0));
  let at = 0;
  for (const part of parts) {
    all.set(part, at);
    at += part.length;
  }
  return all;
}

function splitArguments(text) {
  return text === "" ? [] : text.slice(0, -1).split("\0");
}

// A text the module returns (NULs and all), or the exhausted heap.
function moduleText(pointer) {
  if (!pointer) throw outOfMemory();
  return decoder.decode(copyBytes(pointer, _hndpos_text_size()));
}

function asBytes(file) {
  if (typeof file === "string") return encoder.encode(file);
  if (file instanceof Uint8Array) return file;
  throw new TypeError("a file is a Uint8Array or a string");
}

// A program run on files in memory: `program` is hndpos, hndpos-tables or
// hndpos-view, `args` its arguments; `files` the files it may read (name:
// bytes), `input` its standard input, `read` the files to give back.
// Returns {status, stdout (bytes), stderr (text), files (name: bytes, or
// null where the program wrote none)}.
function runProgram(program, args, { files = {}, input = new Uint8Array(0), read = [] } = {}) {
  withBytes(asBytes(input), (pointer, size) => _hndpos_files_reset(pointer, size));
  for (const [name, bytes] of Object.entries(files)) {
    const status = withCString(name, (namePointer) =>
      withBytes(asBytes(bytes), (pointer, size) => _hndpos_file_put(namePointer, pointer, size)));
    if (status !== 0) throw outOfMemory();
  }
  const status = withCString(program, (programPointer) =>
    withBytes(joinedArguments(args), (pointer, size) => _hndpos_run(programPointer, pointer, size)));
  if (status === -2) throw outOfMemory();
  const bytesOf = (name) => withCString(name, (pointer) => {
    const size = _hndpos_file_size(pointer);
    return size < 0 ? null : copyBytes(_hndpos_file_data(pointer), size);
  });
  return { status: status, stdout: bytesOf("<stdout>"), stderr: decoder.decode(bytesOf("<stderr>")),
           files: Object.fromEntries(read.map((name) => [name, bytesOf(name)])) };
}
Module["run"] = runProgram;

// What a program said when it refused, as an exception: the first line of
// its report, without its name and "; nothing written"; a RangeError where
// it refused its arguments (exit status 2), an Error where it refused the
// tables or the file.
function refusal(program, result) {
  const text = result.stderr.split("\n")[0].replace(program + ": ", "").replace(/; (nothing|no file) written$/, "");
  return result.status === 2 ? new RangeError(text) : new Error(text);
}

// The program's arguments for the API's options, by the program's own
// option table; an unknown key or a value of the wrong type is a
// RangeError naming the key.
function requestArguments(program, options) {
  const json = JSON.stringify(options === undefined || options === null ? {} : options, (key, value) => {
    if (typeof value === "number" && !Number.isFinite(value)) throw new RangeError(`key ${key} takes a finite number`);
    if (typeof value === "bigint") throw new RangeError(`key ${key} takes a number, not a BigInt`);
    return value;
  });
  const out = allocate(8);
  try {
    const text = withCString(program, (programPointer) => withCString(json, (pointer) => {
      const result = _hndpos_request_arguments(programPointer, pointer, out, out + 4);
      if (!result) throw outOfMemory();
      return decoder.decode(copyBytes(result, HEAP32[(out + 4) >> 2]));
    }));
    if (HEAP32[out >> 2] !== 1) throw new RangeError(text);
    return splitArguments(text);
  } finally {
    _free(out);
  }
}
Module["requestArguments"] = requestArguments;

// hndpos run with these argument texts: its exit status, its console bytes
// and the bytes of hpostbl.c (null where it wrote no file). A process's
// arguments hold no NUL byte; a text with one is no integer, so it becomes
// one the program refuses, the empty text.
Module["generate"] = function (texts) {
  const args = Array.from(texts).map((text) => (String(text).includes("\0") ? "" : String(text)));
  const result = runProgram("hndpos", args, { read: ["hpostbl.c"] });
  return { status: result.status, console: result.stdout, file: result.files["hpostbl.c"] };
};

// The value hndpos reads from the text, or null where it refuses it.
Module["integerValue"] = function (text) {
  if (String(text).includes("\0")) return null;
  const out = allocate(4);
  try {
    return withCString(text, (pointer) => (_hndpos_integer_value(pointer, out) === 1 ? HEAP32[out >> 2] : null));
  } finally {
    _free(out);
  }
};

// Whether hndpos takes the text as an integer argument.
Module["accepts"] = function (text) {
  return Module["integerValue"](text) !== null;
};

// hndpos-view --to-utf8 [--english] on bytes the program wrote.
function viewText(bytes, english) {
  const result = runProgram("hndpos-view", english ? ["--to-utf8", "--english", "-"] : ["--to-utf8", "-"], { input: bytes });
  if (result.status !== 0) throw refusal("hndpos-view", result);
  return decoder.decode(result.stdout);
}
Module["toText"] = (bytes) => viewText(bytes, false);
Module["english"] = (bytes) => viewText(bytes, true);

// hndpos-view --emit on hpostbl.c's bytes: storage "data", "const" or
// "progmem"; {c, h}, c null for data (the table file itself is the source).
Module["emitFiles"] = function (table, storage) {
  const result = runProgram("hndpos-view", ["--emit", storage, "-o", "out.c", "hpostbl.c"],
                     { files: { "hpostbl.c": table }, read: ["out.c", "hpostbl.h"] });
  if (result.status !== 0) throw refusal("hndpos-view", result);
  return { c: storage === "data" ? null : decoder.decode(result.files["out.c"]),
           h: decoder.decode(result.files["hpostbl.h"]) };
};

// hndpos-view on a table file's bytes (hpostbl.c, or hndpos-tables' C
// source or JSON), as bytes or as text, with its options (time, display,
// scale): {svg, problem, advice, bounds, figureBounds}. svg is the picture
// ("" for a dial wider than the picture shows); problem the first tip that
// wraps or leaves the display (""); advice the hndpos-tables command for a
// dial that wraps (""); bounds each hand's [low x, high x, low y, high y],
// figureBounds each figure's by name, in the entries' units. A refused file
// throws an Error with the line and the reason.
Module["view"] = function (file, options) {
  const args = requestArguments("hndpos-view", options);
  const files = { input: asBytes(file) };
  const checked = runProgram("hndpos-view", args.concat(["--check", "-o", "check.txt", "input"]),
                      { files: files, read: ["check.txt"] });
  const report = checked.stderr.split("\n").filter((line) => line !== "");
  const refused = /^hndpos-view: input:(\d+): (.*)$/.exec(report[0] || "");
  if (refused) throw new Error(`line ${refused[1]}: ${refused[2]}`);
  if (checked.status !== 0 && !checked.files["check.txt"]) throw refusal("hndpos-view", checked);
  const problem = report.length ? report[0].replace("hndpos-view: input: ", "") : "";
  const advice = report.length > 1 ? report[1].replace("hndpos-view: for this dial's true coordinates, run: ", "") : "";
  const bounds = [];
  const figureBounds = {};
  for (const line of decoder.decode(checked.files["check.txt"] || new Uint8Array(0)).split("\n")) {
    const box = /^(hour|minute|second) hand: x (-?\d+) to (-?\d+), y (-?\d+) to (-?\d+)/.exec(line) ||
                /^figure (\w+): x (-?\d+) to (-?\d+), y (-?\d+) to (-?\d+)/.exec(line);
    if (!box) continue;
    const numbers = box.slice(2, 6).map(Number);
    if (line.startsWith("figure ")) figureBounds[box[1]] = numbers;
    else bounds.push(numbers);
  }
  const pictured = runProgram("hndpos-view", args.concat(["-o", "dial.svg", "input"]), { files: files, read: ["dial.svg"] });
  const svg = pictured.status === 0 ? decoder.decode(pictured.files["dial.svg"]) : "";
  return { svg: svg, problem: problem, advice: advice, bounds: bounds, figureBounds: figureBounds };
};

// hndpos-tables' files for the API's options, every option the program has
// under its own name (figures for --figure): {json, c, h, header, module},
// the texts of dial.json, dial.c and its header, and the header's name; with
// a format other than C, the file written in `module` and no C. What
// the program refuses throws in its own words (see refusal()).
Module["tablesFiles"] = function (options) {
  const args = requestArguments("hndpos-tables", options).concat(["-o", "dial.c"]);
  const joined = joinedArguments(args);
  const header = withBytes(joined, (pointer, size) => moduleText(_hndpos_header_name(pointer, size))) || "dial.h";
  const c = runProgram("hndpos-tables", args, { read: ["dial.c", header] });
  if (c.status !== 0) throw refusal("hndpos-tables", c);
  const jsonArgs = splitArguments(withBytes(joined, (pointer, size) => moduleText(_hndpos_tables_command(pointer, size, 0))));
  const json = runProgram("hndpos-tables", jsonArgs, { read: ["dial.json"] });
  if (json.status !== 0) throw refusal("hndpos-tables", json);
  // Another format than C (format: "rust", ...) is one file, without a header.
  const written = decoder.decode(c.files["dial.c"]);
  const oneFile = c.files[header] === null;
  return { json: decoder.decode(json.files["dial.json"]), c: oneFile ? "" : written,
           h: oneFile ? "" : decoder.decode(c.files[header]), header: oneFile ? "" : header, module: oneFile ? written : null };
};

Module["tables"] = function (options) {
  return JSON.parse(Module["tablesFiles"](options).json);
};

// The command line that writes these tables, as a POSIX shell takes it:
// hndpos-tables' own writing of its request ("" for options it refuses).
Module["tablesCommand"] = function (options) {
  const args = requestArguments("hndpos-tables", options).concat(["-o", "dial.c"]);
  return withBytes(joinedArguments(args), (pointer, size) => moduleText(_hndpos_tables_command(pointer, size, 1)));
};

// Words as a POSIX shell reads them back.
Module["shellWords"] = function (words) {
  return withBytes(joinedArguments(words), (pointer, size) => moduleText(_hndpos_shell_words(pointer, size)));
};

// Each hand's index at a time of day, as the header's macros compute it:
// {positions: [h, m, s], time: [hours, minutes, seconds, milliseconds]}
// gives [hour, minute, second].
Module["handIndices"] = function (options) {
  const given = options || {};
  const integers = (value, count, what) => {
    if (!Array.isArray(value) || value.length !== count ||
        !value.every((v) => Number.isInteger(v) && v >= -2147483648 && v <= 2147483647))
      throw new RangeError(`${what} takes an array of ${count} 32-bit integers`);
    return value;
  };
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
// a side of hndpos-view's display for hpostbl.c, a side of a panel.
Module["limits"] = function () {
  const pair = (first) => [_hndpos_limit(first), _hndpos_limit(first + 1)];
  return { positions: pair(0), byteDisplay: pair(2), wideDisplay: pair(4) };
};
