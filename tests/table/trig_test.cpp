#include "table/trig.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "reference_data.h"
#include "table/hand_tip.h"

namespace hndpos {
namespace {

using testing::read_reference;

::testing::AssertionResult rounds_correctly(Extended (*function)(Extended), const testing::ReferenceLine& line) {
    const Extended got = function(line.argument);
    if (got == line.result) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << line.function << " of [" << line.text << "] gave sign " << got.negative
                                         << " exponent " << std::hex << got.exponent << " significand "
                                         << got.significand;
}

void check_file(const char* file_name, Extended (*function)(Extended), std::size_t expected_count) {
    const auto lines = read_reference(file_name, false);
    ASSERT_EQ(lines.size(), expected_count) << file_name;
    for (const auto& line : lines) EXPECT_TRUE(rounds_correctly(function, line));
}

// The GNU C library's MPFR-made vectors, including zeros, a subnormal and
// arguments next to π/2.
TEST(Trig, MatchesGlibcVectors) {
    check_file("sin-intel96.txt", extended_sin, 92);
    check_file("cos-intel96.txt", extended_cos, 75);
}

// The 120 clock-angle values, arguments within a few units of the last
// place of kπ/2 and kπ/6, the hard family cos(s·2^-32) and random
// arguments, all rounded by an independent high-precision reference.
TEST(Trig, MatchesHighPrecisionReference) {
    const auto lines = read_reference("trig-reference.txt", true);
    ASSERT_GT(lines.size(), 6000u);
    for (const auto& line : lines) {
        EXPECT_TRUE(rounds_correctly(line.function == "sin" ? extended_sin : extended_cos, line));
    }
}

// The results nearest to a rounding boundary among 1.1e8 arguments: each
// must still be rounded correctly, and those within 2^-125 of the midpoint
// (far inside the error bound at the first working precision) can only be
// decided at a higher one. A bound weaker than the true error lets them
// through at the first.
TEST(Trig, HardestCasesRoundCorrectlyAtAWiderPrecision) {
    const auto lines = read_reference("hard-cases.txt", true);
    ASSERT_EQ(lines.size(), 400u);
    int widened = 0;
    for (const auto& line : lines) {
        const bool sine = line.function == "sin";
        EXPECT_TRUE(rounds_correctly(sine ? extended_sin : extended_cos, line));
        // The exact result's distance to the midpoint: the last column, in
        // units of the result's last place 2^(exponent - 16383 - 63).
        const double ulps = std::stod(line.text.substr(line.text.rfind(' ') + 1));
        const double log2_gap = std::log2(ulps) + (line.result.exponent - extended_bias - 63);
        if (log2_gap >= -125) continue;
        const int words = sine ? extended_sin_working_words(line.argument) : extended_cos_working_words(line.argument);
        EXPECT_GT(words, 4) << line.text;
        ++widened;
    }
    EXPECT_GE(widened, 7);
}

TEST(Trig, NegativeArgumentsMirror) {
    for (const auto& line : read_reference("trig-reference.txt", true)) {
        const Extended negated = extended_negate(line.argument);
        if (line.function == "sin") {
            EXPECT_EQ(extended_sin(negated), extended_negate(line.result)) << line.text;
        } else {
            EXPECT_EQ(extended_cos(negated), line.result) << line.text;
        }
    }
}

// π/2 by Machin's formula, π/4 = 4·atan(1/5) − atan(1/239), in plain
// base-2^32 fixed point with guard words: an independent derivation of
// the constant the reduction uses.
std::vector<std::uint32_t> machin_half_pi_fraction(std::size_t words) {
    const std::size_t n = words + 4;            // guard words
    using Number = std::vector<std::uint32_t>;  // [0] integer part, then fraction
    auto divide = [&](Number& a, std::uint32_t d) {
        std::uint64_t remainder = 0;
        for (auto& w : a) {
            const std::uint64_t current = (remainder << 32) | w;
            w = static_cast<std::uint32_t>(current / d);
            remainder = current % d;
        }
    };
    auto add_scaled = [&](Number& sum, const Number& term, std::uint32_t factor, bool subtract) {
        std::int64_t carry = 0;
        for (std::size_t i = n + 1; i-- > 0;) {
            const std::int64_t v = static_cast<std::int64_t>(sum[i]) +
                                   (subtract ? -1 : 1) * static_cast<std::int64_t>(term[i]) * factor + carry;
            sum[i] = static_cast<std::uint32_t>(v & 0xFFFFFFFF);
            carry = (v - static_cast<std::int64_t>(sum[i])) / (std::int64_t{1} << 32);
        }
    };
    auto is_zero = [](const Number& a) {
        for (auto w : a)
            if (w != 0) return false;
        return true;
    };
    Number pi(n + 1, 0);
    // arctan(1/m) = Σ (−1)^k / ((2k+1) m^(2k+1)), scaled by `factor`
    auto add_arctan = [&](std::uint32_t m, std::uint32_t factor, bool subtract) {
        Number power(n + 1, 0);
        power[0] = 1;
        divide(power, m);
        for (std::uint32_t k = 0; !is_zero(power); ++k) {
            Number term = power;
            divide(term, 2 * k + 1);
            add_scaled(pi, term, factor, subtract != (k % 2 == 1));
            divide(power, m);
            divide(power, m);
        }
    };
    add_arctan(5, 16, false);  // π = 16·atan(1/5) − 4·atan(1/239)
    add_arctan(239, 4, true);
    divide(pi, 2);
    EXPECT_EQ(pi[0], 1u);
    return {pi.begin() + 1, pi.begin() + 1 + static_cast<std::ptrdiff_t>(words)};
}

TEST(Trig, HalfPiConstantMatchesMachin) {
    const auto words = half_pi_fraction_words();
    const auto expected = machin_half_pi_fraction(words.size());
    for (std::size_t i = 0; i < words.size(); ++i) EXPECT_EQ(words[i], expected[i]) << "word " << i;
}

// AngleStep is the extended value nearest to π/30: with AngleStep =
// s × 2^-67 and half a unit of its last place 2^-68, that is
// |15·s − (π/2)·2^67| < 7.5. The difference is small, so it can be taken
// modulo 2^64.
TEST(Trig, AngleStepIsNearestToPiOver30) {
    EXPECT_EQ(AngleStep, (Extended{false, 0x3FFB, 0xD6774F9BDF5EAD05}));
    const auto w = half_pi_fraction_words();
    // floor((π/2)·2^67) = 2^67 + the first 67 bits after the point; 2^67 vanishes modulo 2^64.
    const std::uint64_t scaled_half_pi = (std::uint64_t{w[0]} << 35) + (std::uint64_t{w[1]} << 3) + (w[2] >> 29);
    const auto floor_difference = static_cast<std::int64_t>(scaled_half_pi - 15 * AngleStep.significand);
    // π/30 lies above AngleStep by 0.0866 of a unit: 15 × 0.0866 = 1.3.
    EXPECT_EQ(floor_difference, 1);
}

// The clock angles' values are computed while the program is built; they
// must be what the same functions give at run time.
TEST(Trig, ClockAngleValuesMatchTheRunTimeFunctions) {
    for (int j = 0; j < position_count; ++j) {
        const Extended angle = extended_multiply(extended_from_int32(j), AngleStep);
        EXPECT_EQ(clock_angle_sin(j), extended_sin(angle)) << j;
        EXPECT_EQ(clock_angle_cos(j), extended_cos(angle)) << j;
    }
}

}  // namespace
}  // namespace hndpos
