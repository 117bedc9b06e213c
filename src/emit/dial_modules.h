// The tables as a module of another language for firmware that cannot
// include C: a Rust module for #![no_std] crates and a MicroPython module.
// Both give the same names: CENTER_X and CENTER_Y (CENTER_X2 and
// CENTER_Y2, twice the centre, where it lies between pixels), each hand's
// and figure's POSITIONS and X and Y tables (a figure's flat in MicroPython,
// X[k * POINTS + p]), bounds and masks, and the index formulas as
// functions. The first two lines name the generator and the request's
// arguments, which give the file back.
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "dial/dial_tables.h"
#include "request/vocabulary.h"

namespace hndpos {

// The module's first line, and the start of its second (the arguments
// follow, a value with a space in double quotes, then ".").
inline constexpr std::string_view rust_title = "// Clock tables written by hndpos-tables; do not edit.";
inline constexpr std::string_view micropython_title = "# Clock tables written by hndpos-tables; do not edit.";
inline constexpr std::string_view rust_words_start = "// With";
inline constexpr std::string_view micropython_words_start = "# With";

// `words` are the request's arguments without its output.
std::string dial_rust(const DialTables& tables, EntryType type, bool bounds, std::span<const std::string> words);
std::string dial_micropython(const DialTables& tables, EntryType type, bool bounds, std::span<const std::string> words);

}  // namespace hndpos
