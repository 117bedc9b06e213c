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
