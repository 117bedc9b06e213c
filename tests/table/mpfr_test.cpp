// Sine, cosine and the whole entry pipeline against MPFR, bit for bit.
//
// MPFR at precision 64 with round-to-nearest-even is the extended format
// for normal numbers. Values cross between the two as integers
// (mpfr_set_uj_2exp, mpfr_get_z_2exp), never through the host's long double.

// stdint.h first: mpfr.h declares its intmax_t functions only after it.
#include <gmp.h>
#include <gtest/gtest.h>
#include <mpfr.h>
#include <stdint.h>  // NOLINT(modernize-deprecated-headers)

#include <cstdint>
#include <iostream>
#include <random>
#include <vector>

#include "io/failure.h"
#include "reference_data.h"
#include "table/hand_tip.h"
#include "table/trig.h"
#include "table/wide_tables.h"

namespace hndpos {
namespace {

constexpr std::uint64_t seed = 0x484E44504F53;  // fixed, printed with the results
constexpr std::uint64_t top = std::uint64_t{1} << 63;

class Mpfr {
public:
    explicit Mpfr(mpfr_prec_t precision = 64) { mpfr_init2(value_, precision); }
    ~Mpfr() { mpfr_clear(value_); }
    Mpfr(const Mpfr&) = delete;
    Mpfr& operator=(const Mpfr&) = delete;
    mpfr_ptr get() { return value_; }

private:
    mpfr_t value_;
};

void to_mpfr(Extended x, mpfr_ptr out) {
    const int exponent = x.exponent == 0 ? 1 : x.exponent;  // subnormals share the lowest exponent
    mpfr_set_uj_2exp(out, x.significand, exponent - extended_bias - 63, MPFR_RNDN);
    if (x.negative) mpfr_neg(out, out, MPFR_RNDN);
}

// A normal value of at most 64 significant bits, or zero.
Extended from_mpfr(mpfr_srcptr value) {
    if (mpfr_zero_p(value)) return {mpfr_signbit(value) != 0, 0, 0};
    mpz_t z;
    mpz_init(z);
    mpfr_exp_t e = mpfr_get_z_2exp(z, value);
    const bool negative = mpz_sgn(z) < 0;
    mpz_abs(z, z);
    const auto bits = static_cast<long>(mpz_sizeinbase(z, 2));
    EXPECT_LE(bits, 64);
    mpz_mul_2exp(z, z, static_cast<mp_bitcnt_t>(64 - bits));
    e -= 64 - bits;
    std::uint64_t significand = 0;
    mpz_export(&significand, nullptr, -1, sizeof significand, 0, 0, z);
    mpz_clear(z);
    return {negative, static_cast<std::uint16_t>(e + 63 + extended_bias), significand};
}

Extended mpfr_sin_or_cos(Extended x, bool cosine) {
    Mpfr in(64), out(64);
    to_mpfr(x, in.get());
    if (cosine) {
        mpfr_cos(out.get(), in.get(), MPFR_RNDN);
    } else {
        mpfr_sin(out.get(), in.get(), MPFR_RNDN);
    }
    return from_mpfr(out.get());
}

// k·π/d rounded to the extended format.
Extended pi_fraction(long k, long d) {
    Mpfr pi(256), rounded(64);
    mpfr_const_pi(pi.get(), MPFR_RNDN);
    mpfr_mul_si(pi.get(), pi.get(), k, MPFR_RNDN);
    mpfr_div_si(pi.get(), pi.get(), d, MPFR_RNDN);
    mpfr_set(rounded.get(), pi.get(), MPFR_RNDN);
    return from_mpfr(rounded.get());
}

Extended next_up(Extended x, int steps) {
    x.significand += static_cast<std::uint64_t>(steps);  // stays within the binade for small steps
    return x;
}

std::vector<Extended> hard_and_random_arguments() {
    std::vector<Extended> args;
    for (const long d : {60L, 120L, 360L, 720L, 43200L})
        for (long k = 1; k < 2 * d; ++k) {
            const Extended x = pi_fraction(k, d);
            if (x.exponent > extended_bias + 2 ||
                (x.exponent == extended_bias + 2 && x.significand >= 0xC99999999999999AULL))
                break;  // 6.3 and above
            args.push_back(x);
        }
    for (long k = 1; k <= 12; ++k)
        for (const long d : {2L, 6L}) {
            if (d == 2 && k > 4) continue;
            const Extended x = pi_fraction(k, d);
            for (int step = -8; step <= 8; ++step) args.push_back(next_up(x, step));
        }
    for (std::uint64_t s = 1; s < 20000; s += 2) {  // cos(s·2^-32): results a hair below 1
        const int bits = 64 - __builtin_clzll(s);
        args.push_back({false, static_cast<std::uint16_t>(extended_bias - 32 + bits - 1), s << (64 - bits)});
    }
    std::mt19937_64 random(seed);
    while (args.size() < 1'000'000) {
        Extended x{false, static_cast<std::uint16_t>(extended_bias - 40 + static_cast<int>(random() % 43)),
                   random() | top};
        if (x.exponent == extended_bias + 2 && x.significand >= 0xC99999999999999AULL) continue;
        args.push_back(x);
    }
    return args;
}

TEST(Mpfr, SineAndCosineRoundCorrectly) {
    const std::vector<Extended> args = hard_and_random_arguments();
    std::cout << "checking sin and cos of " << args.size() << " arguments against MPFR " << mpfr_get_version()
              << ", random seed 0x" << std::hex << seed << std::dec << "\n";
    std::size_t mismatches = 0;
    for (const Extended& x : args) {
        for (const bool cosine : {false, true}) {
            const Extended got = cosine ? extended_cos(x) : extended_sin(x);
            const Extended expected = mpfr_sin_or_cos(x, cosine);
            if (got == expected) continue;
            if (++mismatches <= 20)
                ADD_FAILURE() << (cosine ? "cos" : "sin") << " of " << std::hex << x.exponent << ":" << x.significand
                              << " gave " << got.negative << ":" << got.exponent << ":" << got.significand << ", MPFR "
                              << expected.negative << ":" << expected.exponent << ":" << expected.significand;
        }
    }
    EXPECT_EQ(mismatches, 0u);
}

// The search's hardest cases, against MPFR itself rather than the stored
// results.
TEST(Mpfr, HardestCasesRoundCorrectly) {
    const auto lines = testing::read_reference("hard-cases.txt", true);
    ASSERT_EQ(lines.size(), 400u);
    for (const auto& line : lines) {
        const bool cosine = line.function == "cos";
        const Extended got = cosine ? extended_cos(line.argument) : extended_sin(line.argument);
        EXPECT_EQ(got, mpfr_sin_or_cos(line.argument, cosine)) << line.text;
    }
}

// hndpos's 60 clock angles' sines and cosines, computed while the program
// is built and taken by hndpos and by hndpos-tables' 60-position hands
// alike: each the correctly rounded value at its angle, bit for bit. (An
// error of a few units in the last place changes almost no entry, so the
// two programs' tables alone would not show it.)
TEST(Mpfr, ClockAnglesAreCorrectlyRounded) {
    Mpfr step(64), angle(64), value(64);
    to_mpfr(AngleStep, step.get());
    for (int position = 0; position < position_count; ++position) {
        mpfr_mul_si(angle.get(), step.get(), position, MPFR_RNDN);
        mpfr_sin(value.get(), angle.get(), MPFR_RNDN);
        EXPECT_EQ(clock_angle_sin(position), from_mpfr(value.get())) << "sin at position " << position;
        mpfr_cos(value.get(), angle.get(), MPFR_RNDN);
        EXPECT_EQ(clock_angle_cos(position), from_mpfr(value.get())) << "cos at position " << position;
    }
}

// The rounded product r·sin(k·step) (x) or −r·cos(k·step) (y) with MPFR
// at every step: the angle, the sine or cosine and the product each rounded
// to 64 bits, then the nearest integer, ties to even.
std::int64_t mpfr_offset(mpfr_srcptr step, long position, std::int32_t radius, bool y) {
    Mpfr angle(64), unit(64), r(64), product(64), integer(64);
    mpfr_mul_si(angle.get(), step, position, MPFR_RNDN);
    if (y) {
        mpfr_cos(unit.get(), angle.get(), MPFR_RNDN);
        mpfr_neg(unit.get(), unit.get(), MPFR_RNDN);
    } else {
        mpfr_sin(unit.get(), angle.get(), MPFR_RNDN);
    }
    mpfr_set_si(r.get(), radius, MPFR_RNDN);
    mpfr_mul(product.get(), unit.get(), r.get(), MPFR_RNDN);
    mpfr_rint(integer.get(), product.get(), MPFR_RNDN);  // ties to even
    return mpfr_get_sj(integer.get(), MPFR_RNDN);
}

// One entry of hndpos's tables; -1 for a value outside the 32-bit range.
int mpfr_entry(std::int32_t radius, std::int32_t center, int position, bool y) {
    Mpfr step(64);
    to_mpfr(AngleStep, step.get());
    const std::int64_t n = mpfr_offset(step.get(), position, radius, y);
    if (n < INT32_MIN || n > INT32_MAX) return -1;
    return static_cast<int>((static_cast<std::uint32_t>(n) + static_cast<std::uint32_t>(center)) & 0xFFu);
}

TEST(Mpfr, EntriesMatchForRandomParameters) {
    std::mt19937_64 random(seed + 1);
    std::uniform_int_distribution<std::int32_t> any(INT32_MIN, INT32_MAX);
    std::uniform_int_distribution<std::int32_t> small(-3000, 3000);
    std::size_t checked = 0;
    for (int round = 0; round < 600; ++round) {
        // Every third set draws radii below 3000, where ties are common.
        const bool small_radii = round % 3 == 0;
        HandParams params{any(random), any(random), small_radii ? small(random) : any(random),
                          small_radii ? small(random) : any(random), round == 1 ? INT32_MIN : any(random)};
        for (int hand = 0; hand < hand_count; ++hand) {
            const std::int32_t radius = hand_radius(params, hand);
            for (int position = 0; position < position_count; ++position) {
                for (const bool y : {false, true}) {
                    const int expected = mpfr_entry(radius, y ? params.CenterY : params.CenterX, position, y);
                    ++checked;
                    if (expected < 0) {
                        EXPECT_THROW(y ? tip_y(params, hand, position) : tip_x(params, hand, position), EInvalidOp);
                        continue;
                    }
                    const int got = y ? tip_y(params, hand, position) : tip_x(params, hand, position);
                    ASSERT_EQ(got, expected) << (y ? "y" : "x") << " radius " << radius << " position " << position;
                }
            }
        }
    }
    std::cout << "checked " << checked << " entries against MPFR\n";
}

// Hands with any number of positions: the step, the angle, the sine or
// cosine and the product each rounded by MPFR, the centre added exactly.
std::int64_t mpfr_wide_entry(std::int32_t radius, std::int32_t center, long positions, long position, bool y) {
    Mpfr two_pi(2048), step(64);
    mpfr_const_pi(two_pi.get(), MPFR_RNDN);
    mpfr_mul_ui(two_pi.get(), two_pi.get(), 2, MPFR_RNDN);
    mpfr_div_ui(step.get(), two_pi.get(), static_cast<unsigned long>(positions), MPFR_RNDN);
    return mpfr_offset(step.get(), position, radius, y) + center;
}

TEST(Mpfr, AngleStepIsTheNearestExtendedValueForEveryCount) {
    Mpfr two_pi(2048), step(64);
    mpfr_const_pi(two_pi.get(), MPFR_RNDN);
    mpfr_mul_ui(two_pi.get(), two_pi.get(), 2, MPFR_RNDN);
    for (int positions = 1; positions <= max_positions; ++positions) {
        mpfr_div_ui(step.get(), two_pi.get(), static_cast<unsigned long>(positions), MPFR_RNDN);
        ASSERT_EQ(angle_step(positions), from_mpfr(step.get())) << positions;
    }
}

TEST(Mpfr, WideEntriesMatchForCountsThatDivide360AndOthers) {
    std::mt19937_64 random(seed + 2);
    std::uniform_int_distribution<std::int32_t> any(INT32_MIN + 1, INT32_MAX);
    std::uniform_int_distribution<std::int32_t> small(-3000, 3000);
    std::size_t checked = 0;
    for (const int positions : {1, 2, 4, 7, 12, 60, 97, 360, 600, 720, 1000, 3600, 43199, 43200}) {
        for (int round = 0; round < 4; ++round) {
            WideParams params;
            params.center_x = round < 2 ? small(random) * 1000 : any(random);  // beyond 16 bits
            params.center_y = any(random);
            params.radii = {round == 0 ? INT32_MAX : small(random), any(random), round == 1 ? -INT32_MAX : any(random)};
            params.positions = {positions, positions, positions};
            const WideTables tables = compute_wide_tables(params);
            ASSERT_FALSE(tables.overflow);
            // Every position of small counts, a spread of the large ones.
            const int stride = positions > 1000 ? positions / 997 : 1;
            for (int hand = 0; hand < hand_count; ++hand) {
                const auto h = static_cast<std::size_t>(hand);
                for (int position = 0; position < positions; position += stride) {
                    const auto p = static_cast<std::size_t>(position);
                    ASSERT_EQ(tables.hands[h].x[p],
                              mpfr_wide_entry(params.radii[h], params.center_x, positions, position, false))
                        << "x " << positions << " " << position;
                    ASSERT_EQ(tables.hands[h].y[p],
                              mpfr_wide_entry(params.radii[h], params.center_y, positions, position, true))
                        << "y " << positions << " " << position;
                    checked += 2;
                }
            }
        }
    }
    std::cout << "checked " << checked << " wide entries against MPFR\n";
}

}  // namespace
}  // namespace hndpos
