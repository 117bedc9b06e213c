// The integer syntax of the command-line arguments.
//
// Leading spaces (0x20 only), then a decimal number with an optional sign
// or a hexadecimal number introduced by "$", and nothing after it. Decimal
// magnitudes run from 0 to 2147483647 whatever the sign, so −2147483648 is
// refused in decimal; up to eight significant hexadecimal digits are taken
// as 32 two's-complement bits ("$80000000" is −2147483648, "$FFFFFFFF" is −1).
// Any number of leading zeros is accepted. A NUL byte ends the text.
#pragma once

#include <cstdint>
#include <string_view>

namespace hndpos {

struct ScannedInteger {
    std::int32_t value = 0;  // of no use when not accepted
    bool accepted = false;
};

ScannedInteger scan_integer(std::string_view text);

// The value, or EConvertError "'<text>' は整数ではありません" for a text
// that is not an integer.
std::int32_t parse_integer_argument(std::string_view text);

}  // namespace hndpos
