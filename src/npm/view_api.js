// The npm package's API beside the page's (api.js, whose helpers it uses):
// hndpos-view on any table file's bytes.

// hndpos-view's reading of a table file (hpostbl.c, or hndpos-tables' C
// source or JSON), as bytes or as text: {svg, problem, advice, bounds} at
// {time: [hours, minutes, seconds] (default 10:08:30), display: [width,
// height] (default none)}. svg is the picture ("" for a dial wider than the
// picture shows), problem the first tip that wraps or leaves the display
// (""), advice the hndpos-tables command for a dial that wraps (""), bounds
// each hand's [low x, high x, low y, high y]. A refused file throws an
// Error with the line and the reason.
Module["view"] = function (file, options) {
  const given = options || {};
  const bytes = typeof file === "string" ? new TextEncoder().encode(file) : file;
  if (!(bytes instanceof Uint8Array)) throw new TypeError("file is a Uint8Array or a string");
  const [hours, minutes, seconds] =
    given.time === undefined ? [10, 8, 30] : integers(given.time, 3, "time [hours, minutes, seconds]");
  if (hours < 0 || hours > 23 || minutes < 0 || minutes > 59 || seconds < 0 || seconds > 59)
    throw new RangeError("expected a time from [0, 0, 0] to [23, 59, 59], as hndpos-view --time takes it");
  const [width, height] = given.display === undefined ? [0, 0] : integers(given.display, 2, "display [width, height]");
  const [least, most] = Module["limits"]().wideDisplay;
  if (given.display !== undefined && ![width, height].every((side) => side >= least && side <= most))
    throw new RangeError(`display sides run from ${least} to ${most}`);
  const pointer = allocate(Math.max(1, bytes.length));
  let status;
  try {
    HEAPU8.set(bytes, pointer);
    status = _hndpos_view_read(pointer, bytes.length);
  } finally {
    _free(pointer);
  }
  if (status === 2) throw outOfMemory();
  if (status !== 0) throw new Error(UTF8ToString(_hndpos_view_text(3, 0, 0, 0, 0, 0)));
  const text = (which) => {
    const result = _hndpos_view_text(which, hours, minutes, seconds, width, height);
    if (!result) throw outOfMemory();
    return UTF8ToString(result);
  };
  const numbers = text(2).split(" ").map(Number);
  return { svg: text(0), problem: text(1), advice: text(4), bounds: [0, 1, 2].map((hand) => numbers.slice(4 * hand, 4 * hand + 4)) };
};
