// What the page's module lacks of a system, for the program's own code.
//
// The failure report names its code offset in the program's image; the
// page has no such image, so every position reads as offset 0 of module
// "hndpos" (Emscripten's own return addresses need USE_OFFSET_CONVERTER,
// which parses the whole module at every start of the page). For the same
// reason there are no loaded images to list; the page's system-call table
// names its module itself and never asks.
mergeInto(LibraryManager.library, {
  // Emscripten's own needs its offset converter; this one needs nothing.
  emscripten_return_address__deps: [],
  emscripten_return_address: function (level) {
    return 0;
  },
  dl_iterate_phdr: function (callback, data) {
    return 0;
  },
});
