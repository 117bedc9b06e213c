#include "table/hand_tip.h"

#include "table/trig.h"

namespace hndpos {

namespace {

// The byte of center + n: only the low 8 bits of either take part.
std::uint8_t wrap_to_byte(std::int32_t n, std::int32_t center) {
    return static_cast<std::uint8_t>((static_cast<std::uint32_t>(n) & 0xFFu) +
                                     (static_cast<std::uint32_t>(center) & 0xFFu));
}

std::uint8_t tip_entry(Extended unit, std::int32_t radius, std::int32_t center) {
    const Extended product = extended_multiply(unit, extended_from_int32(radius));
    return wrap_to_byte(extended_to_int32(product), center);
}

}  // namespace

std::int32_t hand_radius(const HandParams& params, int hand) {
    switch (hand) {
    case 0: return params.HourRadius;
    case 1: return params.MinuteRadius;
    default: return params.SecondRadius;
    }
}

std::uint8_t tip_x(const HandParams& params, int hand, int position) {
    return tip_entry(clock_angle_sin(position), hand_radius(params, hand), params.CenterX);
}

std::uint8_t tip_y(const HandParams& params, int hand, int position) {
    return tip_entry(extended_negate(clock_angle_cos(position)), hand_radius(params, hand), params.CenterY);
}

}  // namespace hndpos
