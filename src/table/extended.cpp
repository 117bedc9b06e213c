#include "table/extended.h"

#include "io/failure.h"

namespace hndpos {
namespace {

// The failure position of an out-of-range conversion is the return point in
// the conversion routine, so this must stay a call of its own.
[[noreturn]] [[gnu::noinline]] void raise_invalid_op() { throw EInvalidOp(return_point_in_caller()); }

}  // namespace

std::array<std::uint8_t, 10> extended_to_bytes(Extended value) {
    std::array<std::uint8_t, 10> bytes{};
    for (std::size_t i = 0; i < 8; ++i) bytes[i] = static_cast<std::uint8_t>(value.significand >> (8 * i));
    const unsigned sign_exponent = value.exponent | (value.negative ? 0x8000u : 0u);
    bytes[8] = static_cast<std::uint8_t>(sign_exponent);
    bytes[9] = static_cast<std::uint8_t>(sign_exponent >> 8);
    return bytes;
}

std::int32_t extended_to_int32(Extended value) {
    // value = significand × 2^-shift
    const int shift = extended_bias + 63 - value.exponent;
    if (value.significand == 0 || shift > 64) return 0;  // magnitude below 1/2
    if (shift < 32) raise_invalid_op();                  // magnitude at least 2^32
    const std::uint64_t integer = shift == 64 ? 0 : value.significand >> shift;
    const std::uint64_t remainder =
        shift == 64 ? value.significand : value.significand & ((std::uint64_t{1} << shift) - 1);
    const std::uint64_t half = std::uint64_t{1} << (shift - 1);
    const bool round_up = remainder > half || (remainder == half && (integer & 1) != 0);
    const std::uint64_t magnitude = integer + (round_up ? 1 : 0);
    const std::uint64_t limit = value.negative ? 0x80000000u : 0x7FFFFFFFu;
    if (magnitude > limit) raise_invalid_op();
    return value.negative ? static_cast<std::int32_t>(0 - magnitude) : static_cast<std::int32_t>(magnitude);
}

}  // namespace hndpos
