// The 80-bit extended floating-point format, emulated with integers.
//
// A value is (-1)^negative × significand × 2^(exponent − 16383 − 63), with
// an explicit integer bit in the significand. Every operation rounds once,
// to nearest with ties to even, and none depends on the host's floating
// point, so every build on every processor computes the same bits.
//
// The operations here serve the hand-tip arithmetic: operands are zero or
// normal numbers and results stay far inside the normal range. Subnormal
// operands are accepted by the trigonometric functions (see trig.h).
#pragma once

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>

namespace hndpos {

struct Extended {
    bool negative = false;
    std::uint16_t exponent = 0;     // biased by 16383; 0 for zero and subnormals
    std::uint64_t significand = 0;  // bit 63 is the integer bit of a normal value

    friend bool operator==(const Extended&, const Extended&) = default;
};

inline constexpr int extended_bias = 16383;

namespace extended_detail {

struct Wide {
    std::uint64_t hi;
    std::uint64_t lo;
};

// The full 128-bit product, from 32-bit halves so that no build needs a
// 128-bit integer type.
constexpr Wide multiply_64x64(std::uint64_t a, std::uint64_t b) {
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

}  // namespace extended_detail

// The value stored in ten bytes, lowest address first: eight bytes of
// significand, then sign and exponent.
constexpr Extended extended_from_bytes(const std::array<std::uint8_t, 10>& bytes) {
    std::uint64_t significand = 0;
    for (std::size_t i = 8; i-- > 0;) significand = (significand << 8) | bytes[i];
    const unsigned sign_exponent = bytes[8] | (static_cast<unsigned>(bytes[9]) << 8);
    return {(sign_exponent & 0x8000u) != 0, static_cast<std::uint16_t>(sign_exponent & 0x7FFFu), significand};
}

std::array<std::uint8_t, 10> extended_to_bytes(Extended value);

// Exact conversion: every 32-bit integer fits in the 64-bit significand.
constexpr Extended extended_from_int32(std::int32_t value) {
    if (value == 0) return {};
    const bool negative = value < 0;
    // Magnitude in unsigned arithmetic: −2147483648 has no positive int32.
    std::uint64_t magnitude =
        negative ? 0 - static_cast<std::uint64_t>(static_cast<std::int64_t>(value)) : static_cast<std::uint64_t>(value);
    const int shift = std::countl_zero(magnitude);
    return {negative, static_cast<std::uint16_t>(extended_bias + 63 - shift), magnitude << shift};
}

// Sign and 64-bit significand of an unrounded value together with the bits
// below it: the value is (hi + lo / 2^64) × 2^(exponent − 16383 − 63), where
// hi has bit 63 set. Rounds to 64 bits, ties to even; the one place where
// this format is rounded. `lo` may hold a sticky bit in place of lost bits.
constexpr Extended extended_round_pack(bool negative, std::int32_t exponent, std::uint64_t hi, std::uint64_t lo) {
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

// The exact product rounded once. Operands are zero or normal.
constexpr Extended extended_multiply(Extended a, Extended b) {
    const bool negative = a.negative != b.negative;
    if (a.significand == 0 || b.significand == 0) return {negative, 0, 0};
    // Both significands lie in [2^63, 2^64), so the product lies in
    // [2^126, 2^128): normalised by at most one shift.
    extended_detail::Wide product = extended_detail::multiply_64x64(a.significand, b.significand);
    std::int32_t exponent = a.exponent + b.exponent - extended_bias + 1;
    if ((product.hi >> 63) == 0) {
        product.hi = (product.hi << 1) | (product.lo >> 63);
        product.lo <<= 1;
        --exponent;
    }
    return extended_round_pack(negative, exponent, product.hi, product.lo);
}

// Exact negation.
constexpr Extended extended_negate(Extended value) {
    value.negative = !value.negative;
    return value;
}

// The exact sum rounded once. Operands are zero or normal; an exact zero
// sum is +0.
Extended extended_add(Extended a, Extended b);

// value × 2^power, exactly (the exponent stays far inside the range).
constexpr Extended extended_scale(Extended value, int power) {
    if (value.significand != 0) value.exponent = static_cast<std::uint16_t>(value.exponent + power);
    return value;
}

// The nearest integer, ties to even. Raises EInvalidOp when it lies outside
// −2147483648..2147483647.
std::int32_t extended_to_int32(Extended value);

// The nearest integer, ties to even, for a magnitude below 2^62 (the
// figures' sums, scaled to sub-pixels, stay below 2^41).
std::int64_t extended_to_int64(Extended value);

}  // namespace hndpos
