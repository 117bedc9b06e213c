#include "driver/integer_syntax.h"

#include "io/failure.h"

namespace hndpos {
namespace {

constexpr ScannedInteger rejected{};

int decimal_digit(char c) { return c >= '0' && c <= '9' ? c - '0' : -1; }

int hex_digit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

// Each digit is appended only while the value so far is at most
// 214748364, so the accumulator never passes 2147483649.
ScannedInteger scan_decimal(std::string_view digits, bool negative) {
    if (digits.empty()) return rejected;
    std::uint32_t magnitude = 0;
    for (const char c : digits) {
        const int digit = decimal_digit(c);
        if (digit < 0 || magnitude > 214748364u) return rejected;
        magnitude = magnitude * 10 + static_cast<std::uint32_t>(digit);
    }
    if (magnitude > 2147483647u) return rejected;
    const auto value = static_cast<std::int32_t>(magnitude);
    return {negative ? -value : value, true};
}

// Each digit is appended only while the value so far is at most 0x0FFFFFFF,
// so at most eight significant digits fit.
ScannedInteger scan_hexadecimal(std::string_view digits) {
    if (digits.empty()) return rejected;
    std::uint32_t bits = 0;
    for (const char c : digits) {
        const int digit = hex_digit(c);
        if (digit < 0 || bits > 0x0FFFFFFFu) return rejected;
        bits = bits * 16 + static_cast<std::uint32_t>(digit);
    }
    return {static_cast<std::int32_t>(bits), true};
}

}  // namespace

ScannedInteger scan_integer(std::string_view text) {
    text = text.substr(0, text.find('\0'));
    const std::size_t start = text.find_first_not_of(' ');
    if (start == std::string_view::npos) return rejected;
    const std::string_view number = text.substr(start);
    switch (number.front()) {
    case '-': return scan_decimal(number.substr(1), true);
    case '+': return scan_decimal(number.substr(1), false);
    case '$': return scan_hexadecimal(number.substr(1));
    default: return scan_decimal(number, false);
    }
}

std::int32_t parse_integer_argument(std::string_view text) {
    const ScannedInteger scanned = scan_integer(text);
    if (!scanned.accepted) throw EConvertError(text);
    return scanned.value;
}

}  // namespace hndpos
