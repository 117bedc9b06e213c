// Text made of pieces in one pass. A chain of + on std::string makes a
// temporary string for every step, and in the page's WebAssembly each
// temporary brings its own cleanup code: the emitter's and the viewer's
// texts are built with these instead.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

namespace hndpos {

inline void append(std::string& text, std::initializer_list<std::string_view> pieces) {
    for (const std::string_view piece : pieces) text.append(piece);
}

inline std::string join(std::initializer_list<std::string_view> pieces) {
    std::string text;
    append(text, pieces);
    return text;
}

}  // namespace hndpos
