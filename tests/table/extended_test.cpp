#include "table/extended.h"

#include <gtest/gtest.h>

#include <cstdint>

#include "io/failure.h"

namespace hndpos {
namespace {

constexpr std::uint64_t top = std::uint64_t{1} << 63;

// value = significand × 2^(exponent_unbiased − 63)
Extended make(bool negative, int exponent_unbiased, std::uint64_t significand) {
    return {negative, static_cast<std::uint16_t>(exponent_unbiased + extended_bias), significand};
}

TEST(Extended, BytesRoundTrip) {
    const std::array<std::uint8_t, 10> bytes = {0x05, 0xAD, 0x5E, 0xDF, 0x9B, 0x4F, 0x77, 0xD6, 0xFB, 0x3F};
    const Extended value = extended_from_bytes(bytes);
    EXPECT_EQ(value, (Extended{false, 0x3FFB, 0xD6774F9BDF5EAD05}));
    EXPECT_EQ(extended_to_bytes(value), bytes);
    const Extended negative = extended_from_bytes({0, 0, 0, 0, 0, 0, 0, 0x80, 0xFF, 0xBF});
    EXPECT_EQ(negative, make(true, 0, top));
}

TEST(Extended, IntegersConvertExactly) {
    struct Case {
        std::int32_t value;
        Extended expected;
    };
    const Case cases[] = {
        {0, Extended{}},
        {1, make(false, 0, top)},
        {-1, make(true, 0, top)},
        {59, make(false, 5, std::uint64_t{59} << 58)},
        {2147483647, make(false, 30, std::uint64_t{0x7FFFFFFF} << 33)},
        {-2147483647 - 1, make(true, 31, top)},
    };
    for (const Case& c : cases) EXPECT_EQ(extended_from_int32(c.value), c.expected) << c.value;
}

TEST(Extended, ProductsRoundOnceToNearestEven) {
    struct Case {
        Extended a, b, expected;
        const char* what;
    };
    const Case cases[] = {
        {make(false, 0, top), make(true, 3, top | 5), make(true, 3, top | 5), "1 × x is exact"},
        // (2^63+1)^2 = 2^126 + 2^64 + 1: the bits below the 64 kept are a
        // tiny remainder, rounded down.
        {make(false, 0, top | 1), make(false, 0, top | 1), make(false, 0, top | 2), "below half rounds down"},
        // (2^64−1)^2 = (2^64 − 2)·2^64 + 1: one low bit, rounded down.
        {make(false, 0, ~std::uint64_t{0}), make(false, 0, ~std::uint64_t{0}), make(false, 1, ~std::uint64_t{0} - 1),
         "one bit below rounds down"},
        // 3 × (1 + 2^-63) and 3 × (1 + 3·2^-63) end exactly half-way.
        {extended_from_int32(3), make(false, 0, top | 1), make(false, 1, (top | (top >> 1)) + 2), "tie to even, up"},
        {extended_from_int32(3), make(false, 0, top | 3), make(false, 1, (top | (top >> 1)) + 4), "tie to even, down"},
        {extended_from_int32(0), make(true, 2, top), Extended{true, 0, 0}, "zero keeps the sign rule"},
        {extended_from_int32(-2), make(true, 2, top), make(false, 3, top), "signs"},
    };
    for (const Case& c : cases) EXPECT_EQ(extended_multiply(c.a, c.b), c.expected) << c.what;
}

TEST(Extended, RoundingUpOutOfTheSignificandRaisesTheExponent) {
    EXPECT_EQ(extended_round_pack(false, extended_bias, ~std::uint64_t{0}, top + 1), make(false, 1, top));
    EXPECT_EQ(extended_round_pack(true, extended_bias, ~std::uint64_t{0}, top), make(true, 1, top));
    EXPECT_EQ(extended_round_pack(false, extended_bias, ~std::uint64_t{0}, top - 1), make(false, 0, ~std::uint64_t{0}));
}

TEST(Extended, ConversionToIntegerRoundsTiesToEven) {
    struct Case {
        Extended value;
        std::int32_t expected;
    };
    const Case cases[] = {
        {make(false, 2, std::uint64_t{9} << 60), 4},        // 4.5
        {make(false, 2, std::uint64_t{11} << 60), 6},       // 5.5
        {make(true, 2, std::uint64_t{9} << 60), -4},        // −4.5
        {make(false, 2, std::uint64_t{13} << 60), 6},       // 6.5
        {make(true, 2, (std::uint64_t{9} << 60) + 1), -5},  // just below −4.5
        {make(true, 2, (std::uint64_t{9} << 60) - 1), -4},  // just above −4.5
        {make(false, -1, top), 0},                          // 0.5
        {make(false, -1, top | 1), 1},                      // just above 0.5
        {make(false, -2, ~std::uint64_t{0}), 0},            // just below 0.5
        {make(false, 0, top | (top >> 1)), 2},              // 1.5
        {make(false, -70, top), 0},
        {Extended{true, 0, 0}, 0},
        {make(false, 30, std::uint64_t{0xFFFFFFFD} << 32), 2147483646},     // 2147483646.5
        {make(true, 31, top | (std::uint64_t{1} << 31)), -2147483647 - 1},  // −2147483648.5
        {make(true, 31, top), -2147483647 - 1},
        {make(false, 30, std::uint64_t{0x7FFFFFFF} << 33), 2147483647},
    };
    for (const Case& c : cases) EXPECT_EQ(extended_to_int32(c.value), c.expected) << c.expected;
}

TEST(Extended, ConversionRefusesValuesOutsideTheRange) {
    const Extended refused[] = {
        make(false, 31, top),                                // 2^31
        make(false, 30, ~std::uint64_t{0}),                  // 2^31 − 2^-33: nearest integer 2^31
        make(false, 30, std::uint64_t{0xFFFFFFFF} << 32),    // 2147483647.5: the tie goes to 2^31
        make(true, 31, top | (std::uint64_t{1} << 31) | 1),  // just below −2147483648.5
        make(true, 31, top | (std::uint64_t{1} << 32)),      // −2^31 − 1
        make(true, 32, top),                                 // −2^32
        make(false, 100, top),
    };
    for (const Extended& value : refused) EXPECT_THROW(extended_to_int32(value), EInvalidOp);
}

}  // namespace
}  // namespace hndpos
