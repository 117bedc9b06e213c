#include "read/text_fields.h"

#include <charconv>

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

bool parse_decimal(std::string_view text, std::int64_t low, std::int64_t high, std::int64_t& value) {
    if (text.empty() || text == "-" || text.starts_with("-0") || (text.size() > 1 && text[0] == '0')) return false;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc{} && end == text.data() + text.size() && value >= low && value <= high;
}

}  // namespace hndpos
