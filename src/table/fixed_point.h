// Binary fixed-point numbers of many words, for the routines that need more
// than the extended format's 64 bits: the correctly rounded sine and cosine,
// the angle steps, and the exactly rounded real values of the figures.
// Every operation truncates (or is exact), so each result carries an error
// bound its caller tracks in units of the last place.
#pragma once

#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace hndpos::fixed_point {

// π/2 = 1.921FB544 42D18469 ... (hexadecimal), truncated after 1536 bits.
inline constexpr std::array<std::uint32_t, 48> half_pi_fraction = {
    0x921fb544, 0x42d18469, 0x898cc517, 0x01b839a2, 0x52049c11, 0x14cf98e8, 0x04177d4c, 0x76273644,
    0xa29410f3, 0x1c6809bb, 0xdf2a3367, 0x9a748636, 0x605614db, 0xe4be286e, 0x9fc26ada, 0xdaa3848b,
    0xc90b6aec, 0xc4bcfd8d, 0xe89885d3, 0x4c6fdad6, 0x17feb96d, 0xe80d6fdb, 0xdc70d7f6, 0xb5133f4b,
    0x5d3e4822, 0xf8963fcc, 0x9250cca3, 0xd9c8b67b, 0x8400f971, 0x42c77e0b, 0x31b4906c, 0x38aba734,
    0xd22c7f51, 0xfa499ebf, 0x06caba47, 0xb9475b2c, 0x38c5e6ac, 0x410aa577, 0x3daa520e, 0xe12d2cda,
    0xce186a9c, 0x95793009, 0xe2e8d811, 0x943042f8, 0x6520bc8c, 0x5c6d9c77, 0xc73cee58, 0x301d0c07,
};

// The highest working precision, in 32-bit words after the point.
inline constexpr int max_words = 40;
static_assert(max_words < static_cast<int>(half_pi_fraction.size()));

// Not a constant expression: reached while the clock values are computed at
// compile time, it stops the build instead of the program.
[[noreturn]] inline void internal_error(const char* what) {
    (void)std::fputs("hndpos: internal error: ", stderr);
    (void)std::fputs(what, stderr);
    (void)std::fputs("\n", stderr);
    std::abort();
}

// A non-negative binary fixed-point number: word 0 is the integer part,
// words 1..n the fraction, most significant first. n, the precision, is
// passed to every operation; u = 2^(−32n) is its unit in the last place.
struct Fixed {
    std::array<std::uint32_t, max_words + 1> word{};
};

constexpr bool is_zero(const Fixed& a, int n) {
    for (int i = 0; i <= n; ++i)
        if (a.word[i] != 0) return false;
    return true;
}

constexpr bool less_than(const Fixed& a, const Fixed& b, int n) {
    for (int i = 0; i <= n; ++i)
        if (a.word[i] != b.word[i]) return a.word[i] < b.word[i];
    return false;
}

constexpr void add(Fixed& a, const Fixed& b, int n) {
    std::uint64_t carry = 0;
    for (int i = n; i >= 0; --i) {
        const std::uint64_t sum = std::uint64_t{a.word[i]} + b.word[i] + carry;
        a.word[i] = static_cast<std::uint32_t>(sum);
        carry = sum >> 32;
    }
}

// a − b for a ≥ b.
constexpr void subtract(Fixed& a, const Fixed& b, int n) {
    std::uint64_t borrow = 0;
    for (int i = n; i >= 0; --i) {
        const std::uint64_t difference = std::uint64_t{a.word[i]} - b.word[i] - borrow;
        a.word[i] = static_cast<std::uint32_t>(difference);
        borrow = (difference >> 32) & 1;
    }
}

// floor(a × b) at precision n: the exact product, with the words below u dropped.
constexpr Fixed multiply(const Fixed& a, const Fixed& b, int n) {
    // product[p]: weight 2^(−32p); only the words the precision reaches are used.
    std::array<std::uint32_t, 2 * max_words + 2> product;
    for (int p = 0; p <= 2 * n + 1; ++p) product[static_cast<std::size_t>(p)] = 0;
    for (int i = 0; i <= n; ++i) {
        if (a.word[i] == 0) continue;  // the integer words of r² and of the terms are zero
        std::uint64_t carry = 0;
        for (int j = n; j >= 0; --j) {
            const std::uint64_t sum = std::uint64_t{a.word[i]} * b.word[j] + product[i + j] + carry;
            product[i + j] = static_cast<std::uint32_t>(sum);
            carry = sum >> 32;
        }
        for (int p = i - 1; carry != 0; --p) {
            if (p < 0) internal_error("fixed-point product overflows its integer word");
            const std::uint64_t sum = std::uint64_t{product[p]} + carry;
            product[p] = static_cast<std::uint32_t>(sum);
            carry = sum >> 32;
        }
    }
    Fixed result;
    for (int i = 0; i <= n; ++i) result.word[i] = product[i];
    return result;
}

// floor(a / divisor).
constexpr void divide_small(Fixed& a, std::uint32_t divisor, int n) {
    std::uint64_t remainder = 0;
    for (int i = 0; i <= n; ++i) {
        const std::uint64_t current = (remainder << 32) | a.word[i];
        if (current < divisor) {  // leading words: no division needed
            a.word[i] = 0;
            remainder = current;
            continue;
        }
        a.word[i] = static_cast<std::uint32_t>(current / divisor);
        remainder = current % divisor;
    }
}

constexpr void add_units(Fixed& a, std::uint32_t units, int n) {
    Fixed b;
    b.word[n] = units;
    add(a, b, n);
}

constexpr Fixed half_pi(int n) {
    Fixed p;
    p.word[0] = 1;
    for (int i = 1; i <= n; ++i) p.word[i] = half_pi_fraction[static_cast<std::size_t>(i - 1)];
    return p;
}

// a × m, exactly; the product must stay below 2^32.
constexpr void multiply_small(Fixed& a, std::uint32_t m, int n) {
    std::uint64_t carry = 0;
    for (int i = n; i >= 0; --i) {
        const std::uint64_t product = std::uint64_t{a.word[i]} * m + carry;
        a.word[i] = static_cast<std::uint32_t>(product);
        carry = product >> 32;
    }
    if (carry != 0) internal_error("fixed-point product overflows its integer word");
}

// sin(r) for cosine = false, cos(r) for cosine = true, 0 ≤ r < 1, by the
// Taylor series. Each term is t(k+2) = t(k) × r² / ((k+1)(k+2)); with r² cut
// to precision n (error < u) and each product and quotient cut (< u each),
// a term's error stays below 1.5u, since r² < 0.62 and the divisor is at
// least 2 for cos, 6 for sin. The sum stops at the first term that is zero
// at this precision; the series alternates with falling terms, so the
// omitted tail is below that term's exact value, less than 0 + 1.5u.
// `error_units` receives a bound of the total error in units of u:
// 2 for each of the m terms added (each off by less than 1.5u), 2 for the
// omitted tail (below 1.5u) and 2 to spare, 2m + 4 in all; the exact error
// is below 1.5(m + 1)u.
constexpr Fixed sin_or_cos_series(const Fixed& r, bool cosine, int n, std::uint32_t& error_units) {
    const Fixed r_squared = multiply(r, r, n);
    Fixed sum;
    Fixed term;
    if (cosine) {
        term.word[0] = 1;
    } else {
        term = r;
    }
    sum = term;
    std::uint32_t terms = 0;
    bool subtract_next = true;
    for (std::uint32_t k = cosine ? 0 : 1;; k += 2) {
        term = multiply(term, r_squared, n);
        divide_small(term, (k + 1) * (k + 2), n);
        if (is_zero(term, n)) break;
        if (subtract_next) {
            subtract(sum, term, n);
        } else {
            add(sum, term, n);
        }
        subtract_next = !subtract_next;
        ++terms;
    }
    error_units = 2 * terms + 4;
    return sum;
}

}  // namespace hndpos::fixed_point
