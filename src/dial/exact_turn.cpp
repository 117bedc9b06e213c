#include "dial/exact_turn.h"

#include <numeric>

#include "table/fixed_point.h"

namespace hndpos {
namespace {

using namespace fixed_point;

// The precision the terms are kept at, and the steps beyond it for a value
// that lies very close to a half-integer.
constexpr int kept_words = 4;
constexpr int step_words = 2;

struct SignedFixed {
    bool negative = false;
    Fixed magnitude;
    std::uint32_t error_units = 0;
};

// sin and cos of θ = 2π·k/N at precision n. θ = (π/2)·(4k/N): the quadrant
// is q = floor(4k/N) and the angle within it φ = (π/2)·(r/N), r = 4k mod N.
// For r > N/2 the series takes the complement, π/2 − φ, so that its
// argument stays below π/4 (< 1, as the series needs), with sine and
// cosine exchanged.
struct ExactSinCos {
    SignedFixed sin;
    SignedFixed cos;
};

ExactSinCos exact_sin_cos(int position, int positions, int n) {
    const long long four_k = 4LL * position;
    const auto quadrant = static_cast<int>(four_k / positions);
    auto r = static_cast<std::uint32_t>(four_k % positions);
    const bool complement = 2 * r > static_cast<std::uint32_t>(positions);
    if (complement) r = static_cast<std::uint32_t>(positions) - r;
    // (π/2)·r/N: π/2 is cut by less than u, the product and the quotient add
    // less than (r/N)·u + u ≤ 1.5u; 2u in all.
    Fixed angle = half_pi(n);
    multiply_small(angle, r, n);
    divide_small(angle, static_cast<std::uint32_t>(positions), n);
    SignedFixed sin_phi;
    SignedFixed cos_phi;
    sin_phi.magnitude = sin_or_cos_series(angle, complement, n, sin_phi.error_units);
    cos_phi.magnitude = sin_or_cos_series(angle, !complement, n, cos_phi.error_units);
    sin_phi.error_units += 2;
    cos_phi.error_units += 2;
    // sin θ, cos θ by quadrant: (sin φ, cos φ), (cos φ, −sin φ),
    // (−sin φ, −cos φ), (−cos φ, sin φ).
    ExactSinCos result;
    result.sin = quadrant % 2 == 0 ? sin_phi : cos_phi;
    result.cos = quadrant % 2 == 0 ? cos_phi : sin_phi;
    result.sin.negative = quadrant >= 2;
    result.cos.negative = quadrant == 1 || quadrant == 2;
    return result;
}

ExactTurn::Term kept(const SignedFixed& value) {
    ExactTurn::Term term{value.negative, {}, value.error_units};
    for (int i = 0; i <= kept_words; ++i) term.words[static_cast<std::size_t>(i)] = value.magnitude.word[i];
    return term;
}

SignedFixed widened(const ExactTurn::Term& term) {
    SignedFixed value{term.negative, {}, term.error_units};
    for (int i = 0; i <= kept_words; ++i) value.magnitude.word[i] = term.words[static_cast<std::size_t>(i)];
    return value;
}

// Exact ties. The value 2^bits·(a·sin θ + b·cos θ) lies halfway between two
// integers only if it is rational. With z = e^{iθ}, a·sin θ + b·cos θ = q
// reads (b − ia)·z² − 2q·z + (b + ia) = 0, a quadratic over Q(i) (a and b
// are not both zero), so Q(i, z) has degree at most 4 over Q, and so does
// Q(z), of degree φ(n) for the order n = N/gcd(k, N) of z: n is one of 1, 2,
// 3, 4, 5, 6, 8, 10, 12. For 5 and 10, Q(z) has degree 4 and does not
// contain i, so Q(i, z) has degree 8: neither occurs. Going through the rest:
//   n = 1, 2, 4: sin θ, cos θ are 0 and ±1, the value an integer;
//   n = 8: sin θ, cos θ = ±√2/2, the value (±a ± b)·√2/2 rational only when 0;
//   n = 3, 6: cos θ = ∓1/2, sin θ = ±√3/2: rational only for a = 0, ±b/2;
//   n = 12: sin θ = ±1/2, cos θ = ±√3/2: rational only for b = 0, ±a/2.
// So the ties are exactly: bits = 0 and either n ∈ {3, 6}, a = 0, b odd, or
// n = 12, b = 0, a odd. Nothing here asks that θ be a whole step of a
// turn: for an arc's position, θ/2π = p/q in lowest terms, z has order q,
// and the same cases hold. Nor does the centre change them: added in units
// of 2^−bits, it is an integer (a half-pixel centre needs bits ≥ 1), and a
// rational a·sin θ + b·cos θ is a multiple of 1/2, so for bits ≥ 1 the
// offset is an integer too. Every other value is irrational or an integer, and
// its distance from the nearest half-integer is positive, which the
// approximation below finds at some finite precision.
// Sets `twice` to 2·(a·sin θ + b·cos θ), an odd integer, for a tie.
bool exact_tie(int position, int positions, std::int64_t a, std::int64_t b, int bits, std::int64_t& twice) {
    if (bits != 0 || position == 0) return false;
    const int order = positions / std::gcd(position, positions);
    if ((order == 3 || order == 6) && a == 0 && b % 2 != 0) {
        twice = order == 6 ? b : -b;  // cos θ = 1/2 at 60° and 300°, −1/2 at 120° and 240°
        return true;
    }
    if (order == 12 && b == 0 && a % 2 != 0) {
        twice = 2LL * position < positions ? a : -a;  // sin θ = 1/2 below 180°, −1/2 beyond
        return true;
    }
    return false;
}

// The nearest integer to center + 2^bits·(W·2^32 − 2^32), ties to even,
// W a non-negative fixed-point number at precision n ≥ 2.
std::int64_t round_total(const Fixed& w, int n, std::int64_t center, int bits) {
    std::uint64_t integer = (std::uint64_t{w.word[0]} << 32) | w.word[1];
    std::uint32_t fraction = w.word[2];
    if (bits != 0) {
        integer = (integer << bits) | (fraction >> (32 - bits));
        fraction <<= bits;
    }
    bool below = (fraction << 1) != 0;
    for (int i = 3; i <= n && !below; ++i) below = w.word[i] != 0;
    const std::int64_t floor = center + static_cast<std::int64_t>(integer) - (std::int64_t{1} << (32 + bits));
    const bool half = (fraction >> 31) != 0;
    return floor + (half && (below || (floor & 1) != 0) ? 1 : 0);
}

// |c|·2^−32 at precision n, exact: |c| ≤ 2^31.
Fixed coefficient(std::int64_t c) {
    Fixed f;
    f.word[1] = static_cast<std::uint32_t>(c < 0 ? -c : c);
    return f;
}

// w ± |c|·t·2^−32; returns the product's error bound in units: below
// |c|·2^−32 (≤ 1/2) times t's, plus one for the cut product.
std::uint32_t accumulate(Fixed& w, std::int64_t c, const SignedFixed& t, int n) {
    if (c == 0) return 0;
    const Fixed product = multiply(coefficient(c), t.magnitude, n);
    if ((c < 0) != t.negative) {
        subtract(w, product, n);
    } else {
        add(w, product, n);
    }
    return t.error_units + 1;
}

// One attempt at precision n: W = 1 + (a·sin θ + b·cos θ)·2^−32 lies in
// (0.29, 1.71), so it never goes negative; when both ends of W ± error
// round alike, so does the truth.
bool try_nearest(const ExactSinCos& v, int n, std::int64_t center, std::int64_t a, std::int64_t b, int bits,
                 std::int64_t& out) {
    Fixed w;
    w.word[0] = 1;
    const std::uint32_t error = accumulate(w, a, v.sin, n) + accumulate(w, b, v.cos, n);
    Fixed e;
    add_units(e, error, n);
    Fixed low = w;
    subtract(low, e, n);
    Fixed high = w;
    add(high, e, n);
    const std::int64_t rounded = round_total(low, n, center, bits);
    if (rounded != round_total(high, n, center, bits)) return false;
    out = rounded;
    return true;
}

}  // namespace

ExactTurn::ExactTurn(int position, int positions) : position_(position), positions_(positions) {
    const ExactSinCos v = exact_sin_cos(position, positions, kept_words);
    sin_ = kept(v.sin);
    cos_ = kept(v.cos);
}

std::int64_t ExactTurn::nearest(std::int64_t center, std::int64_t a, std::int64_t b, int bits) const {
    if (std::int64_t twice = 0; exact_tie(position_, positions_, a, b, bits, twice)) {
        const std::int64_t below = (2 * center + twice - 1) / 2;  // exact: the numerator is even
        return below % 2 == 0 ? below : below + 1;
    }
    std::int64_t result = 0;
    if (try_nearest({widened(sin_), widened(cos_)}, kept_words, center, a, b, bits, result)) return result;
    for (int n = kept_words + step_words; n <= max_words; n += step_words) {
        if (try_nearest(exact_sin_cos(position_, positions_, n), n, center, a, b, bits, result)) return result;
    }
    internal_error("figure entry not decided at the highest working precision");
}

}  // namespace hndpos
