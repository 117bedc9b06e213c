// The words a request is made of, each stated once: the entry types and
// their C facts, where the arrays live, how figures are laid out, the
// roundings, what is written; the names the files may take. The option
// tables' help and refusals, the readers and the emitter all take them
// from here.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "dial/figures.h"

namespace hndpos {

// The words one choice may be given as, in the order of its enumeration.
class WordList {
public:
    constexpr explicit WordList(std::span<const std::string_view> words) : words_(words) {}
    // The index of the word, or none.
    std::optional<std::size_t> find(std::string_view word) const;
    std::string_view operator[](std::size_t index) const { return words_[index]; }
    std::span<const std::string_view> words() const { return words_; }
    std::string joined(std::string_view separator) const;  // "u8|u16|i16|i32"
    std::string spoken() const;                            // "u8, u16, i16 or i32"

private:
    std::span<const std::string_view> words_;
};

enum class EntryType { u8, u16, i16, i32 };
enum class Storage { data, constant, progmem };
// Figures as NAME_x and NAME_y, or one NAME_xy of {x, y} pairs.
enum class PointLayout { split, pairs };
enum class TablesFormat { c, json, rust, micropython };

inline constexpr std::array<std::string_view, 4> entry_type_words = {"u8", "u16", "i16", "i32"};
inline constexpr std::array<std::string_view, 3> storage_words = {"data", "const", "progmem"};
inline constexpr std::array<std::string_view, 2> layout_words = {"split", "xy"};
inline constexpr std::array<std::string_view, 2> rounding_words = {"extended", "nearest"};
inline constexpr std::array<std::string_view, 4> format_words = {"c", "json", "rust", "micropython"};
// The turns a figure may follow, in the order of dial_rules.h's turns.
inline constexpr std::array<std::string_view, 4> turn_words = {"12h", "1h", "1m", "24h"};

inline constexpr WordList entry_types{entry_type_words};
inline constexpr WordList storages{storage_words};
inline constexpr WordList layouts{layout_words};
inline constexpr WordList roundings{rounding_words};
inline constexpr WordList formats{format_words};
inline constexpr WordList turns{turn_words};
// A mask's bits per level: word i is 2^i bits (pixels/pixel_mask.h).
inline constexpr std::array<std::string_view, 4> mask_depth_words = {"1", "2", "4", "8"};
inline constexpr WordList mask_depths{mask_depth_words};

// The word's value, or none.
template <typename Enum>
std::optional<Enum> parse_word(const WordList& list, std::string_view word) {
    const std::optional<std::size_t> index = list.find(word);
    return index ? std::optional<Enum>(static_cast<Enum>(*index)) : std::nullopt;
}
template <typename Enum>
std::string_view word_of(const WordList& list, Enum value) {
    return list[static_cast<std::size_t>(value)];
}

// What each entry type is in C: its name, its range and how AVR reads one
// from program memory. In the order the narrowest type is looked for.
struct EntryTypeFacts {
    std::string_view c_type;
    std::int64_t low;
    std::int64_t high;
    std::string_view avr_read;
};
const EntryTypeFacts& entry_type_facts(EntryType type);
bool entry_type_holds(EntryType type, std::int64_t value);

// How figures are written: NAME_x[N][P] and NAME_y[N][P], or NAME_xy; with
// `bounds`, NAME_bounds[N][4] of {xmin, ymin, xmax, ymax}.
struct FigureOutput {
    PointLayout layout = PointLayout::split;
    bool bounds = false;
};

struct EmitNames {
    std::string prefix;  // of the arrays; upper-cased, of the macros
    std::string header;  // the header the source includes
};

// Everything about how tables are written beside the dial itself: the
// emitter takes it whole, so that no part of a request is forgotten.
struct EmitSpec {
    EntryType type = EntryType::i32;
    Storage storage = Storage::data;
    EmitNames names;
    FigureOutput figures;
};

// The longest prefix: with the longest names the header defines, a file
// name and an identifier every C compiler takes.
inline constexpr std::size_t max_prefix_length = 128;

// A C identifier, or nothing.
bool is_identifier_prefix(std::string_view text);
// Where a header name can stand in #include "..." and in a C comment: not
// empty, no control character, no double quote or backslash, no "/*" or
// "*/", and no "??" (a trigraph in C99).
bool is_valid_header_name(std::string_view name);

}  // namespace hndpos
