#include "table/extended.h"

#include "io/failure.h"

namespace hndpos {
namespace {

struct Wide {
    std::uint64_t hi;
    std::uint64_t lo;
};

// The full 128-bit product, from 32-bit halves so that no build needs a
// 128-bit integer type.
Wide multiply_64x64(std::uint64_t a, std::uint64_t b) {
    const std::uint64_t a_lo = a & 0xFFFFFFFFu;
    const std::uint64_t a_hi = a >> 32;
    const std::uint64_t b_lo = b & 0xFFFFFFFFu;
    const std::uint64_t b_hi = b >> 32;
    const std::uint64_t lo_lo = a_lo * b_lo;
    const std::uint64_t hi_lo = a_hi * b_lo;
    const std::uint64_t lo_hi = a_lo * b_hi;
    const std::uint64_t hi_hi = a_hi * b_hi;
    const std::uint64_t middle = (lo_lo >> 32) + (hi_lo & 0xFFFFFFFFu) + (lo_hi & 0xFFFFFFFFu);
    return {hi_hi + (hi_lo >> 32) + (lo_hi >> 32) + (middle >> 32), (middle << 32) | (lo_lo & 0xFFFFFFFFu)};
}

// The failure position of an out-of-range conversion is the return point in
// the conversion routine, so this must stay a call of its own.
[[noreturn]] [[gnu::noinline]] void raise_invalid_op() {
    throw EInvalidOp(__builtin_extract_return_addr(__builtin_return_address(0)));
}

}  // namespace

std::array<std::uint8_t, 10> extended_to_bytes(Extended value) {
    std::array<std::uint8_t, 10> bytes{};
    for (std::size_t i = 0; i < 8; ++i) bytes[i] = static_cast<std::uint8_t>(value.significand >> (8 * i));
    const unsigned sign_exponent = value.exponent | (value.negative ? 0x8000u : 0u);
    bytes[8] = static_cast<std::uint8_t>(sign_exponent);
    bytes[9] = static_cast<std::uint8_t>(sign_exponent >> 8);
    return bytes;
}

Extended extended_from_int32(std::int32_t value) {
    if (value == 0) return {};
    const bool negative = value < 0;
    // Magnitude in unsigned arithmetic: −2147483648 has no positive int32.
    std::uint64_t magnitude =
        negative ? 0 - static_cast<std::uint64_t>(static_cast<std::int64_t>(value)) : static_cast<std::uint64_t>(value);
    int exponent = extended_bias + 63;
    while ((magnitude >> 63) == 0) {
        magnitude <<= 1;
        --exponent;
    }
    return {negative, static_cast<std::uint16_t>(exponent), magnitude};
}

Extended extended_round_pack(bool negative, std::int32_t exponent, std::uint64_t hi, std::uint64_t lo) {
    constexpr std::uint64_t half = std::uint64_t{1} << 63;
    const bool round_up = lo > half || (lo == half && (hi & 1) != 0);
    if (round_up) {
        ++hi;
        if (hi == 0) {  // carried out of the top: the significand is 2^64
            hi = half;
            ++exponent;
        }
    }
    return {negative, static_cast<std::uint16_t>(exponent), hi};
}

Extended extended_multiply(Extended a, Extended b) {
    const bool negative = a.negative != b.negative;
    if (a.significand == 0 || b.significand == 0) return {negative, 0, 0};
    // Both significands lie in [2^63, 2^64), so the product lies in
    // [2^126, 2^128): normalised by at most one shift.
    Wide product = multiply_64x64(a.significand, b.significand);
    std::int32_t exponent = a.exponent + b.exponent - extended_bias + 1;
    if ((product.hi >> 63) == 0) {
        product.hi = (product.hi << 1) | (product.lo >> 63);
        product.lo <<= 1;
        --exponent;
    }
    return extended_round_pack(negative, exponent, product.hi, product.lo);
}

Extended extended_negate(Extended value) {
    value.negative = !value.negative;
    return value;
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
