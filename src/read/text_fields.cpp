#include "read/text_fields.h"

#include <algorithm>
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

bool stated_words(std::string_view text, std::vector<std::string>& words) {
    while (!text.empty()) {
        if (!text.starts_with(' ') || text.size() < 2) return false;
        text.remove_prefix(1);
        const bool quoted_word = text.starts_with('"');
        const std::size_t end = quoted_word ? text.find('"', 1) : std::min(text.find(' '), text.size());
        if (end == std::string_view::npos) return false;
        words.emplace_back(text.substr(quoted_word ? 1 : 0, quoted_word ? end - 1 : end));
        text.remove_prefix(quoted_word ? end + 1 : end);
    }
    return !words.empty();
}

}  // namespace hndpos
