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

#include "dial/dial_rules.h"
#include "dial/dial_tables.h"
#include "dial/figures.h"
#include "io/failure.h"
#include "reference_data.h"
#include "table/hand_tip.h"
#include "table/trig.h"

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

// Both at once, by the division-free first attempt: the same correctly
// rounded values, on the same arguments and the hardest cases.
TEST(Mpfr, SineAndCosineTogetherRoundCorrectly) {
    std::vector<Extended> args = hard_and_random_arguments();
    for (const auto& line : testing::read_reference("hard-cases.txt", true)) args.push_back(line.argument);
    for (std::size_t i = 0; i < 1'000'000; i += 7) args.push_back(extended_negate(args[i]));  // and negative ones
    std::size_t mismatches = 0;
    for (const Extended& x : args) {
        const SinCos both = extended_sin_cos(x);
        if (both.sin == mpfr_sin_or_cos(x, false) && both.cos == mpfr_sin_or_cos(x, true)) continue;
        if (++mismatches <= 20) ADD_FAILURE() << "sin_cos of " << std::hex << x.exponent << ":" << x.significand;
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
            DialParams params;
            params.center_x = round < 2 ? small(random) * 1000 : any(random);  // beyond 16 bits
            params.center_y = any(random);
            params.radii = {round == 0 ? INT32_MAX : small(random), any(random), round == 1 ? -INT32_MAX : any(random)};
            params.positions = {positions, positions, positions};
            const DialTables tables = compute_dial_tables(params);
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

// The extended format's sum against MPFR at 64 bits: random operands with
// every relation of exponents, and near-cancellations.
TEST(Mpfr, ExtendedAdditionRoundsCorrectly) {
    std::mt19937_64 random(seed + 3);
    Mpfr a(64), b(64), sum(64);
    for (int round = 0; round < 300000; ++round) {
        Extended x{random() % 2 == 0, static_cast<std::uint16_t>(extended_bias + static_cast<int>(random() % 80)),
                   random() | top};
        Extended y{random() % 2 == 0, static_cast<std::uint16_t>(x.exponent - static_cast<int>(random() % 140) + 70),
                   random() | top};
        if (round % 4 == 0) y = {!x.negative, x.exponent, x.significand + random() % 5 - 2};  // cancellation
        if ((y.significand >> 63) == 0) continue;
        to_mpfr(x, a.get());
        to_mpfr(y, b.get());
        mpfr_add(sum.get(), a.get(), b.get(), MPFR_RNDN);
        const Extended expected = from_mpfr(sum.get());
        const Extended got = extended_add(x, y);
        if (expected.significand == 0) {
            ASSERT_EQ(got.significand, 0u);
            continue;
        }
        ASSERT_EQ(got, expected) << std::hex << x.exponent << ":" << x.significand << " + " << y.exponent << ":"
                                 << y.significand;
    }
}

// A figure's entry by the extended chain, every step rounded by MPFR to 64
// bits: the step, the angle, sine and cosine, both products, their sum or
// difference; then scaled and rounded to an integer, ties to even.
std::int64_t mpfr_extended_figure_entry(FigurePoint point, std::int32_t center, long positions, long position,
                                        int subpixel, bool y) {
    Mpfr two_pi(2048), step(64), angle(64), s(64), c(64), a(64), b(64), first(64), second(64), sum(64);
    mpfr_const_pi(two_pi.get(), MPFR_RNDN);
    mpfr_mul_ui(two_pi.get(), two_pi.get(), 2, MPFR_RNDN);
    mpfr_div_ui(step.get(), two_pi.get(), static_cast<unsigned long>(positions), MPFR_RNDN);
    mpfr_mul_si(angle.get(), step.get(), position, MPFR_RNDN);
    mpfr_sin(s.get(), angle.get(), MPFR_RNDN);
    mpfr_cos(c.get(), angle.get(), MPFR_RNDN);
    mpfr_set_si(a.get(), point.along, MPFR_RNDN);
    mpfr_set_si(b.get(), point.across, MPFR_RNDN);
    if (y) {  // B·sin − A·cos
        mpfr_mul(first.get(), b.get(), s.get(), MPFR_RNDN);
        mpfr_mul(second.get(), a.get(), c.get(), MPFR_RNDN);
        mpfr_sub(sum.get(), first.get(), second.get(), MPFR_RNDN);
    } else {  // A·sin + B·cos
        mpfr_mul(first.get(), a.get(), s.get(), MPFR_RNDN);
        mpfr_mul(second.get(), b.get(), c.get(), MPFR_RNDN);
        mpfr_add(sum.get(), first.get(), second.get(), MPFR_RNDN);
    }
    mpfr_mul_2si(sum.get(), sum.get(), subpixel, MPFR_RNDN);
    mpfr_rint(sum.get(), sum.get(), MPFR_RNDN);
    return mpfr_get_sj(sum.get(), MPFR_RNDN) + (std::int64_t{center} << subpixel);
}

// The nearest integer to the real value, from 600 bits. A value within
// 2^-400 of a half-integer is taken for an exact tie (no other value of
// these sizes comes that close) and goes to even.
// The nearest integer to 2^subpixel·(centre + a·sin θ + b·cos θ), θ in
// radians (600 bits), the centre given in half pixels.
std::int64_t mpfr_nearest_entry_at(Mpfr& theta, FigurePoint point, std::int64_t center_halves, int subpixel, bool y) {
    Mpfr s(600), c(600), v(600), t(600), twice(600);
    mpfr_sin_cos(s.get(), c.get(), theta.get(), MPFR_RNDN);
    const long a = y ? point.across : point.along;                      // of sin
    const long b = y ? -static_cast<long>(point.along) : point.across;  // of cos
    mpfr_mul_si(v.get(), s.get(), a, MPFR_RNDN);
    mpfr_mul_si(t.get(), c.get(), b, MPFR_RNDN);
    mpfr_add(v.get(), v.get(), t.get(), MPFR_RNDN);
    mpfr_set_sj(t.get(), center_halves, MPFR_RNDN);
    mpfr_div_2si(t.get(), t.get(), 1, MPFR_RNDN);
    mpfr_add(v.get(), v.get(), t.get(), MPFR_RNDN);
    mpfr_mul_2si(v.get(), v.get(), subpixel, MPFR_RNDN);
    mpfr_mul_2si(twice.get(), v.get(), 1, MPFR_RNDN);
    mpfr_rint(twice.get(), twice.get(), MPFR_RNDN);
    mpfr_mul_2si(t.get(), v.get(), 1, MPFR_RNDN);
    mpfr_sub(t.get(), t.get(), twice.get(), MPFR_RNDN);
    if ((mpfr_get_sj(twice.get(), MPFR_RNDN) & 1) != 0 && (mpfr_zero_p(t.get()) || mpfr_get_exp(t.get()) < -400))
        mpfr_div_2si(v.get(), twice.get(), 1, MPFR_RNDN);  // the exact tie
    mpfr_rint(v.get(), v.get(), MPFR_RNDN);
    return mpfr_get_sj(v.get(), MPFR_RNDN);
}

std::int64_t mpfr_nearest_figure_entry(FigurePoint point, std::int32_t center, long positions, long position,
                                       int subpixel, bool y) {
    Mpfr theta(600);
    mpfr_const_pi(theta.get(), MPFR_RNDN);
    mpfr_mul_si(theta.get(), theta.get(), 2 * position, MPFR_RNDN);
    mpfr_div_si(theta.get(), theta.get(), positions, MPFR_RNDN);
    return mpfr_nearest_entry_at(theta, point, 2 * std::int64_t{center}, subpixel, y);
}

// Random arcs (starts and sweeps in hundredths of a degree, either way,
// 2 to 500 positions) about whole and half-pixel centres: the angle from
// the degrees, in MPFR, not from the program's fraction of a turn.
TEST(Mpfr, ArcEntriesOnHalfPixelCentres) {
    std::mt19937_64 random(seed + 9);
    std::uniform_int_distribution<std::int64_t> angle(-36000, 36000);
    std::uniform_int_distribution<std::int32_t> small(-301, 301);
    std::size_t checked = 0;
    for (int round = 0; round < 120; ++round) {
        const int positions = 2 + static_cast<int>(random() % (round % 3 == 0 ? 8 : 499));
        Arc arc{round % 4 == 0 ? angle(random) / 250 * 250 : angle(random), angle(random)};
        if (arc.sweep == 0) arc.sweep = 4500;
        if (round % 5 == 0) arc = {-13500, 27000};
        // Whole pixels (where a 30° step ties exactly) only about a whole centre.
        const int subpixel = round % 2 == 0 && round % 3 != 1 ? 0 : 1 + static_cast<int>(random() % max_subpixel_bits);
        const TurnEntries turn(positions, {Rounding::nearest, subpixel}, arc);
        const std::int64_t center_halves = 2 * std::int64_t{small(random)} + (round % 2);
        for (int position = 0; position < positions && position < 40; ++position) {
            const FigurePoint point{small(random), round % 3 == 1 ? 0 : small(random)};
            // θ = (start + k·sweep/(N − 1))/100 degrees.
            Mpfr theta(600), t(600);
            mpfr_set_si(theta.get(), arc.sweep * position, MPFR_RNDN);
            mpfr_div_si(theta.get(), theta.get(), positions - 1, MPFR_RNDN);
            mpfr_add_si(theta.get(), theta.get(), arc.start, MPFR_RNDN);
            mpfr_const_pi(t.get(), MPFR_RNDN);
            mpfr_mul(theta.get(), theta.get(), t.get(), MPFR_RNDN);
            mpfr_div_si(theta.get(), theta.get(), 18000, MPFR_RNDN);
            const std::int64_t units = (center_halves << subpixel) / 2;
            for (const bool y : {false, true}) {
                const std::int64_t got = y ? turn.y(position, units, point) : turn.x(position, units, point);
                ASSERT_EQ(got, mpfr_nearest_entry_at(theta, point, center_halves, subpixel, y))
                    << (y ? "y" : "x") << " N " << positions << " k " << position << " arc " << arc.start << " "
                    << arc.sweep << " centre/2 " << center_halves << " bits " << subpixel;
                ++checked;
            }
        }
    }
    std::cout << "checked " << checked << " arc entries against MPFR\n";
}

// Random figures under both roundings: counts from 1 to 43200 (those with
// exact ties among them), coordinates up to the 32-bit range, small ones
// where ties are common, sub-pixels 0 to 8. Each of the eight parts takes
// 30 of the 240 rounds, so that a slow build (sanitizers) keeps each test
// short; every turn is computed whole, which is what costs.
class FigureEntriesMatchUnderBothRoundings : public ::testing::TestWithParam<int> {};

TEST_P(FigureEntriesMatchUnderBothRoundings, Part) {
    constexpr int rounds_per_part = 30;
    const int first_round = GetParam() * rounds_per_part;
    std::mt19937_64 random(seed + 4 + static_cast<std::uint64_t>(GetParam()) * 0x100);
    std::uniform_int_distribution<std::int32_t> any(INT32_MIN, INT32_MAX);
    std::uniform_int_distribution<std::int32_t> small(-301, 301);
    std::uniform_int_distribution<int> count(1, max_positions);
    std::size_t checked = 0;
    for (int round = first_round; round < first_round + rounds_per_part; ++round) {
        const int positions = round % 4 == 0 ? 12 * (count(random) / 12 + 1) : count(random);
        const int subpixel = round % 3 == 0 ? 0 : static_cast<int>(random() % (max_subpixel_bits + 1));
        const Rounding rounding = round % 2 == 0 ? Rounding::nearest : Rounding::extended;
        const TurnEntries turn(std::min(positions, max_positions), {rounding, subpixel});
        const std::int32_t center = round % 5 == 0 ? any(random) : small(random);
        for (int i = 0; i < 40; ++i) {
            const int position = i < 12 ? i * (turn.positions() / 12) : static_cast<int>(random() % turn.positions());
            const bool wide = i % 3 == 0;
            FigurePoint point{wide ? any(random) : small(random), wide ? any(random) : small(random)};
            if (i % 4 == 1) point.across = 0;
            if (i % 4 == 2) point.along = 0;
            for (const bool y : {false, true}) {
                const std::int64_t units = std::int64_t{center} << subpixel;
                const std::int64_t got = y ? turn.y(position, units, point) : turn.x(position, units, point);
                const std::int64_t expected =
                    rounding == Rounding::nearest
                        ? mpfr_nearest_figure_entry(point, center, turn.positions(), position, subpixel, y)
                        : mpfr_extended_figure_entry(point, center, turn.positions(), position, subpixel, y);
                ASSERT_EQ(got, expected) << (rounding == Rounding::nearest ? "nearest " : "extended ")
                                         << (y ? "y" : "x") << " N " << turn.positions() << " k " << position << " A "
                                         << point.along << " B " << point.across << " c " << center << " bits "
                                         << subpixel;
                ++checked;
            }
        }
    }
    std::cout << "checked " << checked << " figure entries against MPFR\n";
}

INSTANTIATE_TEST_SUITE_P(Mpfr, FigureEntriesMatchUnderBothRoundings, ::testing::Range(0, 8));

}  // namespace
}  // namespace hndpos
