// The pieces of C that both layouts' files share: numbers, names, the
// header's frame and its index macros, and a header written through one
// list of the names it defines (so that a clash is found in that list, not
// by reading the text back).
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "dial/dial_rules.h"
#include "request/vocabulary.h"
#include "table/hand_tip.h"

namespace hndpos {

// A C constant of the value: INT32_MIN has no literal of its own type.
std::string c_number(std::int64_t value);
std::string upper(std::string_view text);

// "" or "const "; "" or " PROGMEM".
std::string storage_qualifier(Storage storage);
std::string storage_attribute(Storage storage);

// A source and the header it includes, written by one run: both carry a
// digest of what the run was asked, and a source that meets another run's
// header (two runs at once onto one name) stops the compiler.
std::string run_digest(std::string_view what);
std::string digest_check(const std::string& macro, const std::string& header, const std::string& digest);

// A header's text and every name it defines, in order.
class HeaderText {
public:
    void add(std::string_view text) { text_.append(text); }
    // "#define NAME BODY" (or "#define NAME" for an empty body).
    void define(std::string_view name, std::string_view body);
    // "#define NAME(PARAMETERS) BODY".
    void define_function(std::string_view name, std::string_view parameters, std::string_view body);
    // Text of its own that defines NAME (a macro over several lines).
    void add_definition(std::string_view name, std::string_view text) {
        text_.append(text);
        names_.emplace_back(name);
    }
    // "extern DECLARATOR;", whose array is NAME.
    void declare(std::string_view declarator, std::string_view name);
    // Another header text's, with its names.
    void add_all(const HeaderText& other) {
        text_ += other.text_;
        names_.insert(names_.end(), other.names_.begin(), other.names_.end());
    }

    const std::string& text() const { return text_; }
    const std::vector<std::string>& names() const { return names_; }

private:
    std::string text_;
    std::vector<std::string> names_;
};

// What a header's first part says: the program, the centre, the hands.
struct HeaderFacts {
    std::string macro;      // the upper-cased prefix
    std::string header;     // the header's own name
    std::string title;      // the first comment's text
    std::string generator;  // the program that writes the header
    std::int32_t center_x;
    std::int32_t center_y;
    std::array<std::int32_t, hand_count> radii;
    std::array<int, hand_count> positions;
    bool has_hands = true;
    bool half_x = false;  // the centre lies half a pixel past center_x
    bool half_y = false;
};

// The first comment, the guard, the includes, the parameters and each
// hand's index macro.
void header_start(HeaderText& header, const HeaderFacts& facts, Storage storage, bool fixed_width_types);
// The declarations in C linkage, then `after` (functions that read the
// arrays), and the guard's end.
void header_end(HeaderText& header, const std::vector<std::pair<std::string, std::string>>& declarations,
                const HeaderText& after = {});
// The digest's definition, which pairs the header with its source.
void define_digest(HeaderText& header, const std::string& macro, const std::string& digest);

// The index at a time of day of something with `positions` positions (a
// number, or the macro's argument "positions") that follows `turn`: the
// floor of positions × elapsed / turn in unsigned long, which has 32 bits
// even where int has 16, the fraction reduced where the count is known.
void define_index(HeaderText& header, std::string_view name, int turn, std::string_view positions);

// The arguments an index macro of each turn takes: "h, m, s" ...
std::string index_arguments(int turn);

// A header of index macros that take a hand's positions as an argument,
// HNDPOS_HOUR_INDEX_OF(positions, h, m, s) and the like: for code that
// serves tables of any positions (the Arduino library's hndpos.h).
std::string index_helpers_header(std::string_view header_name);

// hndpos-tables' words as the files state them, each after a space, one
// with a space in double quotes (read/text_fields.h reads them back).
std::string stated_words_text(std::span<const std::string> words);

}  // namespace hndpos
