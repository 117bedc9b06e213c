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
Extended extended_from_int32(std::int32_t value);

// Sign and 64-bit significand of an unrounded value together with the bits
// below it: the value is (hi + lo / 2^64) × 2^(exponent − 16383 − 63), where
// hi has bit 63 set. Rounds to 64 bits, ties to even; the one place where
// this format is rounded. `lo` may hold a sticky bit in place of lost bits.
Extended extended_round_pack(bool negative, std::int32_t exponent, std::uint64_t hi, std::uint64_t lo);

// The exact product rounded once. Operands are zero or normal.
Extended extended_multiply(Extended a, Extended b);

// Exact negation.
Extended extended_negate(Extended value);

// The nearest integer, ties to even. Raises EInvalidOp when it lies outside
// −2147483648..2147483647.
std::int32_t extended_to_int32(Extended value);

}  // namespace hndpos
