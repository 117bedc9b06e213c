// The integer syntax against a small model of its rules: the digits are
// checked, leading zeros dropped, and the value bounded only at the end.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "driver/integer_syntax.h"

namespace {

struct Model {
    bool accepted = false;
    std::int64_t value = 0;
};

Model model(std::string_view text) {
    text = text.substr(0, text.find('\0'));
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    bool negative = false, hexadecimal = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+' || text.front() == '$')) {
        negative = text.front() == '-';
        hexadecimal = text.front() == '$';
        text.remove_prefix(1);
    }
    const std::string_view digits = hexadecimal ? "0123456789abcdefABCDEF" : "0123456789";
    if (text.empty() || text.find_first_not_of(digits) != std::string_view::npos) return {};
    while (text.size() > 1 && text.front() == '0') text.remove_prefix(1);
    if (text.size() > (hexadecimal ? 8u : 10u)) return {};  // too many significant digits
    const std::int64_t magnitude = std::stoll(std::string(text), nullptr, hexadecimal ? 16 : 10);
    if (hexadecimal) return {true, magnitude >= 0x80000000LL ? magnitude - 0x100000000LL : magnitude};
    if (magnitude > 2147483647) return {};
    return {true, negative ? -magnitude : magnitude};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const hndpos::ScannedInteger scanned = hndpos::scan_integer(text);
    const Model expected = model(text);
    if (scanned.accepted != expected.accepted || (expected.accepted && scanned.value != expected.value)) std::abort();
    return 0;
}
