// The module's entry points as JavaScript, for the page, for Node.js and for
// scripts: argument texts in, the program's exact bytes out.

// The text's UTF-8 bytes and a NUL in the module's memory; the caller frees.
function cString(text) {
  const bytes = new TextEncoder().encode(String(text));
  const pointer = _malloc(bytes.length + 1);
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
  const pointers = Array.from(texts, cString);
  const list = _malloc(4 * Math.max(1, pointers.length));
  pointers.forEach((pointer, index) => {
    HEAPU32[(list >> 2) + index] = pointer;
  });
  const status = _hndpos_run(list, pointers.length);
  pointers.forEach((pointer) => _free(pointer));
  _free(list);
  return {
    status: status,
    console: copyBytes(_hndpos_console_data(), _hndpos_console_size()),
    file: _hndpos_file_created() ? copyBytes(_hndpos_file_data(), _hndpos_file_size()) : null,
  };
};

// Whether hndpos takes the text as an integer argument.
Module["accepts"] = function (text) {
  return withCString(text, (pointer) => _hndpos_accepts(pointer) === 1);
};

// Shift_JIS bytes written by hndpos, as text.
Module["toText"] = function (bytes) {
  const pointer = _malloc(Math.max(1, bytes.length));
  HEAPU8.set(bytes, pointer);
  try {
    return UTF8ToString(_hndpos_to_utf8(pointer, bytes.length));
  } finally {
    _free(pointer);
  }
};

// The dial of the last generated table as SVG ("" without a complete
// table); a display of width × height draws its outline (0 for none).
Module["dialSvg"] = function (hours, minutes, seconds, width, height) {
  return UTF8ToString(_hndpos_dial_svg(hours, minutes, seconds, width || 0, height || 0));
};

// The first tip of the last generated table that wraps modulo 256 or
// leaves the display, or "" when all fit.
Module["displayProblem"] = function (width, height) {
  return UTF8ToString(_hndpos_display_problem(width || 0, height || 0));
};
