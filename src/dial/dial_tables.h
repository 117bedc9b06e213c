// Tables for any panel: every hand with its own number of positions, and
// each entry the tip's true coordinate, the centre plus the hand's rounded
// offset as an exact integer (no reduction to a byte); beside the hands, any
// figures (figures.h), under one rounding rule.
//
// A hand is the figure (R, 0): with the extended rounding and whole pixels,
// for 60 positions and entries inside 0..255 the entries equal hndpos's,
// bit for bit.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "dial/figures.h"
#include "pixels/mask_code.h"
#include "table/hand_tip.h"

namespace hndpos {

// The centre is (center_x, center_y), plus half a pixel on each axis whose
// flag is set: a panel of even size has its centre between four pixels.
struct DialParams {
    std::int32_t center_x = 0;
    std::int32_t center_y = 0;
    std::array<std::int32_t, hand_count> radii{};
    std::array<int, hand_count> positions{position_count, position_count, position_count};  // 1..max_positions
    EntryRule rule;
    std::vector<Figure> figures;
    bool has_hands = true;  // a run of figures alone has none
    bool half_x = false;
    bool half_y = false;
};

// Twice the centre's coordinate on an axis: 465 for 232.5.
inline std::int64_t center_twice(const DialParams& p, Axis axis) {
    return axis == Axis::x ? 2 * std::int64_t{p.center_x} + (p.half_x ? 1 : 0)
                           : 2 * std::int64_t{p.center_y} + (p.half_y ? 1 : 0);
}
// The centre in the entries' units, 1/2^subpixel pixel (a half centre
// needs a subpixel of 1 or more to be whole).
inline std::int64_t center_units(const DialParams& p, Axis axis) {
    return (center_twice(p, axis) << p.rule.subpixel) / 2;
}
// The centre from twice its coordinates.
inline void set_center(DialParams& p, std::int64_t x2, std::int64_t y2) {
    p.center_x = static_cast<std::int32_t>((x2 - (x2 & 1)) / 2);
    p.center_y = static_cast<std::int32_t>((y2 - (y2 & 1)) / 2);
    p.half_x = (x2 & 1) != 0;
    p.half_y = (y2 & 1) != 0;
}
// "232.5" or "83".
std::string center_text(const DialParams& p, Axis axis);

struct HandEntries {
    std::vector<std::int64_t> x;  // one entry per position
    std::vector<std::int64_t> y;
};

// A figure's entries, position by position, its points in order within
// each: x[k·P + p]; and the box {xmin, ymin, xmax, ymax} of each position.
struct FigureEntries {
    std::vector<std::int64_t> x;
    std::vector<std::int64_t> y;
    std::vector<std::array<std::int64_t, 4>> bounds;
    std::optional<MaskSet> masks;       // where the figure asks for them
    std::optional<MaskCode> mask_code;  // and as firmware keeps them
};

// Why a figure's masks were not made (mask_set.h).
struct FigureMaskRefusal {
    std::size_t figure = 0;
    MaskRefusal why;
};

// Where a hand's offset left the 32-bit range (at whole pixels only a
// radius of −2147483648 gets there), with the offset.
struct TipOverflow {
    int hand = 0;
    int position = 0;
    Axis axis = Axis::x;
    std::int64_t offset = 0;
};

struct DialTables {
    DialParams params;
    std::array<HandEntries, hand_count> hands;      // empty without hands
    std::vector<FigureEntries> figures;             // as params.figures
    std::optional<TipOverflow> overflow;            // set when the tables are incomplete
    std::optional<FigureMaskRefusal> mask_refusal;  // and then the masks stop there
};

// Every entry: the x entries of the hour, minute and second hand, then their
// y entries (the first overflow stops the work), then the figures in order,
// then the masks the figures ask for (the first refusal stops them).
DialTables compute_dial_tables(const DialParams& params);

}  // namespace hndpos
