// Tables for any panel: every hand with its own number of positions, and
// each entry the tip's true coordinate, the centre plus the hand's rounded
// offset as an exact integer (no reduction to a byte).
//
// The offsets are scaled_tip_offset() of hand_tip_unit(); for 60 positions and entries inside
// 0..255 the entries equal hndpos's, bit for bit.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "table/hand_tip.h"

namespace hndpos {

struct WideParams {
    std::int32_t center_x = 0;
    std::int32_t center_y = 0;
    std::array<std::int32_t, hand_count> radii{};
    std::array<int, hand_count> positions{position_count, position_count, position_count};  // 1..max_positions
};

struct HandEntries {
    std::vector<std::int64_t> x;  // one entry per position
    std::vector<std::int64_t> y;
};

// Where an offset left the 32-bit range (only a radius of −2147483648 gets
// there), with the rounded product's value, +2147483648.
struct TipOverflow {
    int hand = 0;
    int position = 0;
    Axis axis = Axis::x;
};

struct WideTables {
    WideParams params;
    std::array<HandEntries, hand_count> hands;
    std::optional<TipOverflow> overflow;  // set when the tables are incomplete
};

// Every entry, in hndpos's order: the x entries of the hour, minute and
// second hand, then their y entries; the first overflow stops the work.
WideTables compute_wide_tables(const WideParams& params);

}  // namespace hndpos
