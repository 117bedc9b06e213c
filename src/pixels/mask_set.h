// A figure's masks at every position of its turn, the box each step
// changes, and the storage that keeps only the masks no symmetry of the
// dial gives from another.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "pixels/coverage.h"

namespace hndpos {

struct MaskSet {
    int bits = 0;
    std::vector<PixelMask> positions;
    // changed[k]: the box {xmin, ymin, xmax, ymax} of the pixels whose
    // level differs between position k − 1 and k (N − 1 comes before 0),
    // or none.
    std::vector<std::optional<std::array<int, 4>>> changed;
};

// Why a figure has no masks: at `position`, a point outside
// 0..max_outline_pixel (`value`, in the entries' units, on `axis_x` or y),
// or an outline that crosses itself.
struct MaskRefusal {
    enum class Kind { off_range, crossing } kind = Kind::crossing;
    int position = 0;
    bool axis_x = true;
    std::int64_t value = 0;
};

// The figure's entries position by position (x[k·points + p]).
struct FigureOutlines {
    const std::vector<std::int64_t>& x;
    const std::vector<std::int64_t>& y;
    std::size_t points = 0;
    int positions = 0;
    int subpixel = 0;
};

std::optional<MaskRefusal> mask_refusal(const FigureOutlines& outlines);
// Every position's mask; the outlines are ones mask_refusal passes.
MaskSet compute_mask_set(const FigureOutlines& outlines, int bits);

// The eight ways a mask turns into another about the dial's centre: a
// quarter turn clockwise r times (0..3), after a mirror left-right when
// `mirrored`. Index mirrored·4 + r.
inline constexpr int mask_transforms = 8;

// The mask turned so about the centre (cx2, cy2 twice the centre's
// coordinates): pixel offsets (u, v) = (2x − cx2, 2y − cy2) go to
// (−u, v) for the mirror, then (−v, u) for each quarter turn. A quarter
// turn needs cx2 and cy2 of one parity, or pixels land between pixels.
PixelMask transformed_mask(const PixelMask& mask, int transform, std::int64_t cx2, std::int64_t cy2);

// Which masks are kept: position k is kept mask `stored[k]` turned by
// `transform[k]`; kept[i] is the position kept mask i is. A position is
// rebuilt from an earlier kept one only where the rebuilt mask equals its
// own, level for level, so the storage is exact whatever the rounding.
struct MaskStorage {
    std::vector<int> kept;
    std::vector<int> stored;
    std::vector<int> transform;
};

// `angles`: each position's angle as a fraction of a turn, numerator and
// denominator (k/N for a whole turn, other fractions on an arc); a turn
// carries position j onto the position whose angle it gives.
MaskStorage plan_mask_storage(const MaskSet& masks, const std::vector<std::pair<std::int64_t, std::int64_t>>& angles,
                              std::int64_t cx2, std::int64_t cy2);

}  // namespace hndpos
