// Correctly rounded sine and cosine in the extended format.
//
// The result is the exact sine or cosine of the extended argument, rounded
// once to the extended format, to nearest with ties to even. Arguments:
// any zero, subnormal or normal value of magnitude below 8 (the program asks
// for [0, 6.2]). A larger argument is a programming error and ends the
// program with an internal error.
#pragma once

#include <cstdint>
#include <span>

#include "table/extended.h"

namespace hndpos {

Extended extended_sin(Extended x);
Extended extended_cos(Extended x);

// Both at once, the same values as the two functions: one reduction and
// both series without division, for the tables that need both at every
// angle.
struct SinCos {
    Extended sin;
    Extended cos;
};
SinCos extended_sin_cos(Extended x);

// The working precision, in 32-bit words after the binary point, at which
// the rounding test decided extended_sin(x) or extended_cos(x): 3 for nearly
// every argument, more (in steps of 2, up to 39) for a result that lies very
// close to a rounding boundary; 0 for |x| < 2^-32, which needs no series.
int extended_sin_working_words(Extended x);
int extended_cos_working_words(Extended x);

// The clock angles: position j (0..59) of a hand lies at the angle
// j·AngleStep, the product rounded once.
inline constexpr int position_count = 60;

// The extended value nearest to π/30, the angle between adjacent positions,
// built from its stored bytes.
inline constexpr Extended AngleStep = extended_from_bytes({0x05, 0xAD, 0x5E, 0xDF, 0x9B, 0x4F, 0x77, 0xD6, 0xFB, 0x3F});

// The extended value nearest to 2π/positions (from 1 on), correctly
// rounded: the angle between adjacent positions of a hand with that many.
// For 60 it is AngleStep, bit for bit.
Extended angle_step(int positions);

// sin(j·AngleStep) and cos(j·AngleStep) for the clock positions j = 0..59,
// the same correctly rounded values, computed when the program is built.
Extended clock_angle_sin(int position);
Extended clock_angle_cos(int position);

// π/2 as the bits of its binary expansion after the point, 32 at a time,
// most significant first (the integer part is 1), truncated. The reduction
// uses as many of them as its working precision needs; tests check them
// against an independent derivation.
std::span<const std::uint32_t> half_pi_fraction_words();

}  // namespace hndpos
