// The failure report names its code offset in the program's image; the
// page has no such image, so every position reads as offset 0 of module
// "hndpos". (Emscripten's own version needs USE_OFFSET_CONVERTER, which
// parses the whole module at every start of the page.)
mergeInto(LibraryManager.library, {
  emscripten_return_address: function (level) {
    return 0;
  },
});
