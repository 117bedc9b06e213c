#include "table/extended.h"

#include <utility>

#include "io/failure.h"

namespace hndpos {
namespace {

// The failure position of an out-of-range conversion is the return point in
// the conversion routine, so this must stay a call of its own.
[[noreturn]] [[gnu::noinline]] void raise_invalid_op() { throw EInvalidOp(return_point_in_caller()); }

// (hi, lo) shifted right by `count` bits, with every bit shifted out kept as
// a sticky 1 in the lowest place: enough for rounding, as 64 bits lie
// between the lowest place and the rounding bit.
extended_detail::Wide shift_right_jamming(extended_detail::Wide v, int count) {
    if (count == 0) return v;
    if (count >= 128) return {0, (v.hi | v.lo) != 0 ? 1u : 0u};
    if (count >= 64) {
        const int c = count - 64;
        const std::uint64_t lost = c == 0 ? v.lo : (v.lo | (v.hi << (64 - c)));
        return {0, (c == 0 ? v.hi : v.hi >> c) | (lost != 0 ? 1u : 0u)};
    }
    const std::uint64_t lost = v.lo << (64 - count);
    return {v.hi >> count, (v.lo >> count) | (v.hi << (64 - count)) | (lost != 0 ? 1u : 0u)};
}

// significand × 2^-shift rounded to the nearest integer, ties to even,
// for shift 1..64.
std::uint64_t rounded_magnitude(std::uint64_t significand, int shift) {
    const std::uint64_t integer = shift == 64 ? 0 : significand >> shift;
    const std::uint64_t remainder = shift == 64 ? significand : significand & ((std::uint64_t{1} << shift) - 1);
    const std::uint64_t half = std::uint64_t{1} << (shift - 1);
    const bool round_up = remainder > half || (remainder == half && (integer & 1) != 0);
    return integer + (round_up ? 1 : 0);
}

bool magnitude_less(Extended a, Extended b) {
    return a.exponent != b.exponent ? a.exponent < b.exponent : a.significand < b.significand;
}

}  // namespace

Extended extended_add(Extended a, Extended b) {
    if (b.significand == 0) return a.significand == 0 ? Extended{} : a;
    if (a.significand == 0) return b;
    if (magnitude_less(a, b)) std::swap(a, b);  // |a| ≥ |b|
    std::int32_t exponent = a.exponent;
    const extended_detail::Wide small = shift_right_jamming({b.significand, 0}, a.exponent - b.exponent);
    std::uint64_t hi = a.significand;
    std::uint64_t lo = 0;
    if (a.negative == b.negative) {
        lo = small.lo;
        hi += small.hi;
        if (hi < small.hi) {  // carried into 2^64: one place to the right
            const extended_detail::Wide halved = shift_right_jamming({hi, lo}, 1);
            hi = halved.hi | (std::uint64_t{1} << 63);
            lo = halved.lo;
            ++exponent;
        }
    } else {
        lo = 0 - small.lo;
        hi = hi - small.hi - (small.lo != 0 ? 1 : 0);
        if (hi == 0 && lo == 0) return {};
        // Cancellation: normalise. Only an exponent difference of 0 or 1
        // cancels more than one bit, and then no bit was shifted out.
        while ((hi >> 63) == 0) {
            hi = (hi << 1) | (lo >> 63);
            lo <<= 1;
            --exponent;
        }
    }
    return extended_round_pack(a.negative, exponent, hi, lo);
}

std::int64_t extended_to_int64(Extended value) {
    const int shift = extended_bias + 63 - value.exponent;
    if (value.significand == 0 || shift > 64) return 0;  // magnitude below 1/2
    if (shift < 2) raise_invalid_op();                   // magnitude at least 2^62
    const auto magnitude = static_cast<std::int64_t>(rounded_magnitude(value.significand, shift));
    return value.negative ? -magnitude : magnitude;
}

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
    const std::uint64_t magnitude = rounded_magnitude(value.significand, shift);
    const std::uint64_t limit = value.negative ? 0x80000000u : 0x7FFFFFFFu;
    if (magnitude > limit) raise_invalid_op();
    return value.negative ? static_cast<std::int32_t>(0 - magnitude) : static_cast<std::int32_t>(magnitude);
}

}  // namespace hndpos
