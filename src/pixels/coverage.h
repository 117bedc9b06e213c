// Exact coverage of pixels by a polygon, and the outlines it refuses.
//
// An outline is a polygon's points in order, in units of 1/2^subpixel pixel
// (a figure's entries at one position). Its level at pixel (x, y) is the
// exact area of the polygon inside the unit square centred on (x, y),
// times 2^bits − 1, rounded to the nearest integer, ties to even: decided
// in integers, never a float.
#pragma once

#include <cstdint>
#include <span>

#include "pixels/pixel_mask.h"

namespace hndpos {

// The largest coordinate, in pixels, an outline's points may have (the
// largest panel's); every point lies in 0..max_outline_pixel.
inline constexpr std::int64_t max_outline_pixel = 65535;

struct Outline {
    std::span<const std::int64_t> x;
    std::span<const std::int64_t> y;
    int subpixel = 0;  // 0..8
};

// Whether an outline crosses itself (two of its edges cross, or it passes
// through one of its own points or edges from one side to the other).
// Edges that only touch or lie along each other are allowed: they enclose
// no area twice.
bool outline_crosses(const Outline& outline);

// The mask of an outline that does not cross itself, its points inside
// 0..max_outline_pixel; bits one of mask_bit_depths.
PixelMask outline_mask(const Outline& outline, int bits);

}  // namespace hndpos
