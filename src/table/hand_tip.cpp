#include "table/hand_tip.h"

namespace hndpos {

namespace {

// The byte of center + n: only the low 8 bits of either take part.
std::uint8_t wrap_to_byte(std::int32_t n, std::int32_t center) {
    return static_cast<std::uint8_t>((static_cast<std::uint32_t>(n) & 0xFFu) +
                                     (static_cast<std::uint32_t>(center) & 0xFFu));
}

// unit·r rounded once, then to the nearest 32-bit integer; raises
// EInvalidOp as the entries do.
std::int32_t scaled_tip_offset(Extended unit, std::int32_t radius) {
    return extended_to_int32(extended_multiply(unit, extended_from_int32(radius)));
}

}  // namespace

std::int32_t hand_radius(const HandParams& params, int hand) {
    switch (hand) {
    case 0: return params.HourRadius;
    case 1: return params.MinuteRadius;
    default: return params.SecondRadius;
    }
}

std::int32_t tip_offset_x(const HandParams& params, int hand, int position) {
    return scaled_tip_offset(clock_angle_sin(position), hand_radius(params, hand));
}

std::int32_t tip_offset_y(const HandParams& params, int hand, int position) {
    return scaled_tip_offset(extended_negate(clock_angle_cos(position)), hand_radius(params, hand));
}

std::uint8_t tip_x(const HandParams& params, int hand, int position) {
    return wrap_to_byte(tip_offset_x(params, hand, position), params.CenterX);
}

std::uint8_t tip_y(const HandParams& params, int hand, int position) {
    return wrap_to_byte(tip_offset_y(params, hand, position), params.CenterY);
}

}  // namespace hndpos
