#include "table/trig.h"

#include <array>
#include <bit>

#include "table/fixed_point.h"

namespace hndpos {
namespace {

using namespace fixed_point;

// Working precision, in 32-bit words after the point. One word beyond the
// 64 result bits decides nearly every argument; hard cases (a result very
// close to a rounding boundary) take more, up to the cap.
constexpr int initial_words = 3;
constexpr int step_words = 2;

// |x| at precision n, exact when its last bit is not below u; `truncated`
// tells when it was cut (then the error is below one u).
constexpr Fixed from_extended(Extended x, int n, bool& truncated) {
    Fixed f;
    // |x| × 2^(32n) = significand × 2^shift
    const int shift = x.exponent - extended_bias - 63 + 32 * n;
    std::uint64_t significand = x.significand;
    int left = shift;
    truncated = false;
    if (left < 0) {
        const int drop = -left;
        truncated = drop >= 64 ? significand != 0 : (significand & ((std::uint64_t{1} << drop) - 1)) != 0;
        significand = drop >= 64 ? 0 : significand >> drop;
        left = 0;
    }
    // Place the 64 bits at bit offset `left` above the last word.
    const int word_offset = left / 32;
    const int bit_offset = left % 32;
    const std::uint32_t placed[3] = {
        static_cast<std::uint32_t>(significand << bit_offset),
        static_cast<std::uint32_t>(significand >> (32 - bit_offset)),
        static_cast<std::uint32_t>(bit_offset == 0 ? 0 : significand >> (64 - bit_offset)),
    };
    for (int k = 0; k < 3; ++k) {
        if (placed[k] == 0) continue;
        const int index = n - (word_offset + k);
        if (index < 0) internal_error("argument outside the supported range");
        f.word[static_cast<std::size_t>(index)] = placed[k];
    }
    return f;
}

// Rounds (−1)^negative × a to the extended format.
constexpr Extended to_extended(bool negative, const Fixed& a, int n) {
    int first = 0;
    while (first <= n && a.word[first] == 0) ++first;
    if (first > n) return {negative, 0, 0};
    // The significant words, at least four, and a zero word after them.
    std::array<std::uint32_t, max_words + 5> v{};
    const auto used = static_cast<std::size_t>(n) - static_cast<std::size_t>(first) + 1;
    for (int i = first; i <= n; ++i) v[static_cast<std::size_t>(i - first)] = a.word[i];
    const std::size_t count = used < 4 ? 4 : used;
    const int lead_zeros = std::countl_zero(v[0]);
    if (lead_zeros != 0) {
        for (std::size_t i = 0; i < count; ++i) v[i] = (v[i] << lead_zeros) | (v[i + 1] >> (32 - lead_zeros));
    }
    const std::uint64_t hi = (std::uint64_t{v[0]} << 32) | v[1];
    std::uint64_t lo = (std::uint64_t{v[2]} << 32) | v[3];
    for (std::size_t i = 4; i < count; ++i)
        if (v[i] != 0) lo |= 1;  // sticky: only whether anything is below matters
    const int lead_weight = 31 - lead_zeros - 32 * first;
    return extended_round_pack(negative, lead_weight + extended_bias, hi, lo);
}

enum class Function { sine, cosine };

// One attempt at precision n. Returns false when the error bound leaves the
// rounding undecided.
// Reduction: r = |x| − k·π/2 with k the nearest integer to |x|/(π/2).
// With π/2 cut to precision n (error < u) the reduced argument is off by
// less than k·u (one more u if |x| itself was cut): `error_units`. Sine
// and cosine move by no more than their argument.
struct Reduced {
    Fixed r;  // |r|
    bool r_negative = false;
    std::uint32_t k = 0;
    std::uint32_t error_units = 0;
};

constexpr Reduced reduce(Extended x, int n) {
    bool truncated = false;
    const Fixed ax = from_extended(x, n, truncated);
    const Fixed p = half_pi(n);
    Fixed threshold = p;  // (2k + 1) × π/4
    divide_small(threshold, 2, n);
    Fixed multiple;  // k·π/2
    Reduced reduced;
    while (less_than(threshold, ax, n)) {
        add(threshold, p, n);
        add(multiple, p, n);
        ++reduced.k;
    }
    reduced.r = ax;
    if (less_than(ax, multiple, n)) {
        reduced.r = multiple;
        subtract(reduced.r, ax, n);
        reduced.r_negative = true;
    } else {
        subtract(reduced.r, multiple, n);
    }
    reduced.error_units = reduced.k + (truncated ? 1 : 0);
    return reduced;
}

// Ziv's rounding test: the exact result lies within y ± e units, and
// rounding is monotonic, so when both ends round to the same value, so does
// the exact result, which goes to `result`.
constexpr bool rounds_alike(bool negative, const Fixed& y, std::uint32_t e, int n, Extended& result) {
    Fixed e_fixed;
    add_units(e_fixed, e, n);
    if (!less_than(e_fixed, y, n)) return false;
    Fixed low = y;
    subtract(low, e_fixed, n);
    Fixed high = y;
    add(high, e_fixed, n);
    const Extended low_rounded = to_extended(negative, low, n);
    if (!(low_rounded == to_extended(negative, high, n))) return false;
    result = low_rounded;
    return true;
}

constexpr bool try_sin_or_cos(Function function, Extended x, int n, Extended& result) {
    const Reduced reduced = reduce(x, n);

    // The quadrant identities, with |x| = k·π/2 + r:
    //   k mod 4:    0       1       2       3
    //   sin(|x|):   sin r   cos r   −sin r  −cos r
    //   cos(|x|):   cos r   −sin r  −cos r  sin r
    // The series gives sin|r| or cos|r|; for r < 0, sin r = −sin|r| flips the
    // sign where the identity takes the sine, and cos r = cos|r| leaves it.
    // Finally sin(x) = −sin(|x|) and cos(x) = cos(|x|) for x < 0.
    const std::uint32_t quadrant = reduced.k % 4;
    const bool use_cosine_series = (function == Function::cosine) == (quadrant % 2 == 0);
    std::uint32_t series_error = 0;
    const Fixed y = sin_or_cos_series(reduced.r, use_cosine_series, n, series_error);
    bool negative = function == Function::sine ? quadrant >= 2 : quadrant == 1 || quadrant == 2;
    if (!use_cosine_series && reduced.r_negative) negative = !negative;
    if (function == Function::sine && x.negative) negative = !negative;
    return rounds_alike(negative, y, reduced.error_units + series_error, n, result);
}

// The correctly rounded result; `words` receives the working precision
// that decided it (0 where no series was needed).
constexpr Extended sin_or_cos(Function function, Extended x, int& words) {
    if (x.exponent > extended_bias + 2) internal_error("sine or cosine argument of magnitude 8 or more");
    // |x| < 2^-32 (zeros and subnormals included): x − sin x < |x|³/6 and
    // 1 − cos x < x²/2 < 2^-65 both stay below half the spacing of the
    // extended values next to x and to 1, so sin x rounds to x and cos x to 1.
    words = 0;
    if (x.exponent < extended_bias - 32) {
        return function == Function::sine ? x : Extended{false, extended_bias, std::uint64_t{1} << 63};
    }
    Extended result;
    for (int n = initial_words; n <= max_words; n += step_words) {
        if (try_sin_or_cos(function, x, n, result)) {
            words = n;
            return result;
        }
    }
    internal_error("sine or cosine not decided at the highest working precision");
}

constexpr Extended sin_or_cos(Function function, Extended x) {
    int words = 0;
    return sin_or_cos(function, x, words);
}

// ---- Sine and cosine of one argument together, for the tables of any
// count of positions, which need both at every angle.
//
// One reduction, one r², and then both series in Horner's form with the
// coefficients 1/k! stored: no division at all, where the series above
// divides every term. Only the first attempt, at fast_words, takes this
// way; an undecided result goes to sin_or_cos() as before.

constexpr int fast_words = 3;

// The highest degree each series keeps at fast_words: the first omitted
// term, (π/4)^d / d! for d = 26 (cosine) and 27 (sine), is below 2^-96.
constexpr int fast_cos_degree = 24;
constexpr int fast_sin_degree = 25;

// 1/k! for k = 0..fast_sin_degree at fast_words, each within 2 units of
// the truth: computed at twice the words by successive division (each
// step cuts less than one unit there) and cut once more.
struct InverseFactorials {
    std::array<Fixed, fast_sin_degree + 1> value;
};

constexpr InverseFactorials compute_inverse_factorials() {
    InverseFactorials table;
    Fixed wide;
    wide.word[0] = 1;
    for (int k = 0; k <= fast_sin_degree; ++k) {
        if (k > 0) divide_small(wide, static_cast<std::uint32_t>(k), 2 * fast_words);
        for (int i = 0; i <= fast_words; ++i) table.value[static_cast<std::size_t>(k)].word[i] = wide.word[i];
    }
    return table;
}

constexpr InverseFactorials inverse_factorials = compute_inverse_factorials();

// Σ (−1)^j s^j / (2j + first)! for j up to the degree, by Horner's rule:
// v ← 1/(d)! − s·v from the highest degree down. Every v is positive and
// at most 1 (the terms alternate and fall), a computed one below zero can
// only be an error of a few units and is set to 0, which brings it nearer.
// Error: each step adds below 2 units (the constant) + 1 (the cut
// product) + |s' − s|·v (1 unit, s' = r² cut once) and shrinks the last
// step's error by s ≤ 0.62, so it stays below 4 / 0.38 < 11 units; the
// omitted tail adds below 1.
constexpr Fixed alternating_series(const Fixed& s, int first, int degree) {
    Fixed v = inverse_factorials.value[static_cast<std::size_t>(degree)];
    for (int d = degree - 2; d >= first; d -= 2) {
        const Fixed product = multiply(s, v, fast_words);
        v = inverse_factorials.value[static_cast<std::size_t>(d)];
        if (less_than(v, product, fast_words)) {
            v = Fixed{};
        } else {
            subtract(v, product, fast_words);
        }
    }
    return v;
}

// Both at fast_words for 2^-32 ≤ |x| < 8; false for whichever is
// undecided (`sin_done`, `cos_done` tell which were).
constexpr void try_sin_cos_fast(Extended x, Extended& sine, bool& sin_done, Extended& cosine, bool& cos_done) {
    const Reduced reduced = reduce(x, fast_words);
    // sin|r| = |r|·Σ (−1)^j r^2j/(2j+1)!, cos r = Σ (−1)^j r^2j/(2j)!; the
    // sine's final product adds one unit to the series' 12 (times |r| < 1).
    const Fixed& r = reduced.r;
    const Fixed s = multiply(r, r, fast_words);
    const Fixed sin_r = multiply(r, alternating_series(s, 1, fast_sin_degree), fast_words);
    const Fixed cos_r = alternating_series(s, 0, fast_cos_degree);
    constexpr std::uint32_t series_error = 14;
    // The quadrant identities of try_sin_or_cos(), for both functions.
    const std::uint32_t quadrant = reduced.k % 4;
    const bool swap = quadrant % 2 == 1;
    bool sin_negative = quadrant >= 2;
    bool cos_negative = quadrant == 1 || quadrant == 2;
    // The sine series stands in the sine for quadrants 0 and 2 and in the
    // cosine for 1 and 3; for r < 0 it changes sign.
    bool& series_sign = swap ? cos_negative : sin_negative;
    if (reduced.r_negative) series_sign = !series_sign;
    if (x.negative) sin_negative = !sin_negative;
    const std::uint32_t e = reduced.error_units + series_error;
    sin_done = rounds_alike(sin_negative, swap ? cos_r : sin_r, e, fast_words, sine);
    cos_done = rounds_alike(cos_negative, swap ? sin_r : cos_r, e, fast_words, cosine);
}

// The extended value nearest to 2π/positions. π/2 cut to precision n is
// below the truth by less than u, so 2π/positions, computed from it and cut
// again, lies in [v, v + 5u): when both ends round alike, so does 2π/positions,
// which is irrational and so never a rounding boundary itself.
constexpr Extended nearest_angle_step(std::uint32_t positions) {
    for (int n = initial_words; n <= max_words; n += step_words) {
        Fixed low = half_pi(n);
        add(low, low, n);
        add(low, low, n);  // 2π
        divide_small(low, positions, n);
        Fixed high = low;
        add_units(high, 5, n);
        const Extended rounded = to_extended(false, low, n);
        if (rounded == to_extended(false, high, n)) return rounded;
    }
    internal_error("angle step not decided at the highest working precision");
}

static_assert(nearest_angle_step(position_count) == AngleStep);

// The sine and cosine of the 60 clock angles j·AngleStep, computed by the
// functions above while the program is compiled.
struct ClockValues {
    std::array<Extended, position_count> sin;
    std::array<Extended, position_count> cos;
};

constexpr ClockValues compute_clock_values() {
    ClockValues values;
    for (int j = 0; j < position_count; ++j) {
        const Extended angle = extended_multiply(extended_from_int32(j), AngleStep);
        values.sin[static_cast<std::size_t>(j)] = sin_or_cos(Function::sine, angle);
        values.cos[static_cast<std::size_t>(j)] = sin_or_cos(Function::cosine, angle);
    }
    return values;
}

constexpr ClockValues clock_values = compute_clock_values();

}  // namespace

Extended clock_angle_sin(int position) { return clock_values.sin.at(static_cast<std::size_t>(position)); }
Extended clock_angle_cos(int position) { return clock_values.cos.at(static_cast<std::size_t>(position)); }

Extended angle_step(int positions) {
    if (positions < 1) internal_error("number of positions out of range");
    return nearest_angle_step(static_cast<std::uint32_t>(positions));
}

Extended extended_sin(Extended x) { return sin_or_cos(Function::sine, x); }

SinCos extended_sin_cos(Extended x) {
    SinCos result;
    bool sin_done = false;
    bool cos_done = false;
    if (x.exponent >= extended_bias - 32 && x.exponent <= extended_bias + 2)
        try_sin_cos_fast(x, result.sin, sin_done, result.cos, cos_done);
    if (!sin_done) result.sin = sin_or_cos(Function::sine, x);
    if (!cos_done) result.cos = sin_or_cos(Function::cosine, x);
    return result;
}
Extended extended_cos(Extended x) { return sin_or_cos(Function::cosine, x); }

int extended_sin_working_words(Extended x) {
    int words = 0;
    (void)sin_or_cos(Function::sine, x, words);
    return words;
}

int extended_cos_working_words(Extended x) {
    int words = 0;
    (void)sin_or_cos(Function::cosine, x, words);
    return words;
}

std::span<const std::uint32_t> half_pi_fraction_words() { return half_pi_fraction; }

}  // namespace hndpos
