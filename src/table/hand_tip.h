// Tip positions of the clock hands.
//
// Position j (0..59) points j × 6 degrees clockwise from straight up on a
// display whose y axis grows downward. An entry is the tip's coordinate
// reduced to one byte: x = CenterX + r·sin(j·AngleStep) and
// y = CenterY − r·cos(j·AngleStep), every step in the extended format and
// rounded to nearest with ties to even, the product converted to the nearest
// 32-bit integer (ties to even) and only the low 8 bits of the sum kept.
#pragma once

#include <cstdint>
#include <string_view>

#include "table/trig.h"

namespace hndpos {

struct HandParams {
    std::int32_t CenterX = 0;
    std::int32_t CenterY = 0;
    std::int32_t HourRadius = 0;
    std::int32_t MinuteRadius = 0;
    std::int32_t SecondRadius = 0;
};

inline constexpr int hand_count = 3;  // 0 hour, 1 minute, 2 second; position_count positions each
inline constexpr std::string_view hand_names[hand_count] = {"hour", "minute", "second"};

// The radius of hand 0, 1 or 2.
std::int32_t hand_radius(const HandParams& params, int hand);

// The x and y entries of `hand` (0..2) at `position` (0..59). Raise
// EInvalidOp when the rounded product leaves the 32-bit range, which only a
// radius of −2147483648 reaches (x at position 45, y at position 0).
std::uint8_t tip_x(const HandParams& params, int hand, int position);
std::uint8_t tip_y(const HandParams& params, int hand, int position);

// The rounded products before the centre is added: r·sin and −r·cos. Raise
// EInvalidOp like the entries.
std::int32_t tip_offset_x(const HandParams& params, int hand, int position);
std::int32_t tip_offset_y(const HandParams& params, int hand, int position);

// The two axes of an entry (hndpos-tables' hands and figures, too).
enum class Axis { x, y };

}  // namespace hndpos
