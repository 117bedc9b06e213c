// The readers' small pieces of text: a piece of a file as their messages
// quote it, and a decimal number as the programs write one.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace hndpos {

// In double quotes: its first 60 bytes, a tab as \t and any other byte
// outside printable ASCII as \xHH, "..." where it goes on.
std::string quoted(std::string_view text);

// The whole text as a decimal the programs write: an optional "-", no
// leading zeros, within low..high.
bool parse_decimal(std::string_view text, std::int64_t low, std::int64_t high, std::int64_t& value);

}  // namespace hndpos
