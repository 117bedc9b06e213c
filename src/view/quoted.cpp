#include "view/quoted.h"

namespace hndpos {

std::string quoted(std::string_view text) {
    std::string out = "\"";
    for (const char c : text.substr(0, 60)) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte == '\t') {
            out += "\\t";
        } else if (byte < 0x20 || byte >= 0x7F) {
            constexpr char digits[] = "0123456789ABCDEF";
            out += "\\x";
            out += digits[byte >> 4];
            out += digits[byte & 0xF];
        } else {
            out += c;
        }
    }
    return out + (text.size() > 60 ? "...\"" : "\"");
}

}  // namespace hndpos
