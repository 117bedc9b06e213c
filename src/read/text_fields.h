// The readers' small pieces of text: a piece of a file as their messages
// quote it, and a decimal number as the programs write one.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace hndpos {

// In double quotes: its first 60 bytes, a tab as \t and any other byte
// outside printable ASCII as \xHH, "..." where it goes on.
std::string quoted(std::string_view text);

// The whole text as a decimal the programs write: an optional "-", no
// leading zeros, within low..high.
bool parse_decimal(std::string_view text, std::int64_t low, std::int64_t high, std::int64_t& value);

// " w1 w2 "w 3"": words each after a space, one with a space in double
// quotes, as the files state hndpos-tables' arguments; false where the text
// is not written so or holds none.
bool stated_words(std::string_view text, std::vector<std::string>& words);

}  // namespace hndpos
