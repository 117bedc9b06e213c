#include "request/vocabulary.h"

#include <algorithm>

namespace hndpos {
namespace {

// In the order of entry_type_words.
constexpr std::array<EntryTypeFacts, 4> type_facts = {{
    {"uint8_t", 0, UINT8_MAX, "pgm_read_byte"},
    {"uint16_t", 0, UINT16_MAX, "pgm_read_word"},
    {"int16_t", INT16_MIN, INT16_MAX, "pgm_read_word"},
    {"int32_t", INT32_MIN, INT32_MAX, "pgm_read_dword"},
}};
static_assert(type_facts.size() == entry_type_words.size());

}  // namespace

std::optional<std::size_t> WordList::find(std::string_view word) const {
    const auto found = std::find(words_.begin(), words_.end(), word);
    return found == words_.end() ? std::nullopt : std::optional<std::size_t>(found - words_.begin());
}

std::string WordList::joined(std::string_view separator) const {
    std::string text;
    for (const std::string_view word : words_) text.append(text.empty() ? "" : separator).append(word);
    return text;
}

std::string WordList::spoken() const {
    std::string text;
    for (std::size_t i = 0; i < words_.size(); ++i)
        text.append(i == 0 ? "" : i + 1 == words_.size() ? " or " : ", ").append(words_[i]);
    return text;
}

const EntryTypeFacts& entry_type_facts(EntryType type) { return type_facts[static_cast<std::size_t>(type)]; }

bool entry_type_holds(EntryType type, std::int64_t value) {
    return value >= entry_type_facts(type).low && value <= entry_type_facts(type).high;
}

bool is_identifier_prefix(std::string_view text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        const bool letter = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_';
        if (!letter && !(i > 0 && c >= '0' && c <= '9')) return false;
    }
    return true;
}

bool is_valid_header_name(std::string_view name) {
    if (name.empty() || name.find("*/") != std::string_view::npos || name.find("/*") != std::string_view::npos ||
        name.find("??") != std::string_view::npos)
        return false;
    return std::none_of(name.begin(), name.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return byte < 0x20 || byte == 0x7F || c == '"' || c == '\\';
    });
}

}  // namespace hndpos
