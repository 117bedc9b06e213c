#include "dial/figures.h"

#include "table/trig.h"

namespace hndpos {
namespace {

// round(round(p·u) + round(q·v)), scaled to sub-pixels and rounded to an
// integer.
std::int64_t two_term_offset(std::int32_t p, Extended u, std::int32_t q, Extended v, int subpixel) {
    const Extended sum =
        extended_add(extended_multiply(extended_from_int32(p), u), extended_multiply(extended_from_int32(q), v));
    return extended_to_int64(extended_scale(sum, subpixel));
}

std::int64_t scaled_center(std::int32_t center, int subpixel) {
    return std::int64_t{center} * (std::int64_t{1} << subpixel);
}

}  // namespace

std::string points_text(const std::vector<FigurePoint>& points) {
    std::string text;
    for (const FigurePoint& p : points)
        text.append(text.empty() ? "" : " ")
            .append(std::to_string(p.along))
            .append(",")
            .append(std::to_string(p.across));
    return text;
}

TurnEntries::TurnEntries(int positions, EntryRule rule) : positions_(positions), rule_(rule) {
    const auto count = static_cast<std::size_t>(positions);
    if (rule.rounding == Rounding::nearest) {
        exact_.reserve(count);
        for (int k = 0; k < positions; ++k) exact_.emplace_back(k, positions);
        return;
    }
    const Extended step = angle_step(positions);
    sin_.reserve(count);
    cos_.reserve(count);
    // The clock angles' values were computed while the program was built.
    const bool clock_angles = step == AngleStep;
    for (int k = 0; k < positions; ++k) {
        if (clock_angles && k < position_count) {
            sin_.push_back(clock_angle_sin(k));
            cos_.push_back(clock_angle_cos(k));
            continue;
        }
        const SinCos both = extended_sin_cos(extended_multiply(extended_from_int32(k), step));
        sin_.push_back(both.sin);
        cos_.push_back(both.cos);
    }
}

std::int64_t TurnEntries::x(int position, std::int32_t center_x, FigurePoint point) const {
    const auto k = static_cast<std::size_t>(position);
    if (rule_.rounding == Rounding::nearest)
        return exact_[k].nearest(center_x, point.along, point.across, rule_.subpixel);
    // A·sin θ + B·cos θ
    return scaled_center(center_x, rule_.subpixel) +
           two_term_offset(point.along, sin_[k], point.across, cos_[k], rule_.subpixel);
}

std::int64_t TurnEntries::y(int position, std::int32_t center_y, FigurePoint point) const {
    const auto k = static_cast<std::size_t>(position);
    if (rule_.rounding == Rounding::nearest)
        return exact_[k].nearest(center_y, point.across, -std::int64_t{point.along}, rule_.subpixel);
    // B·sin θ − A·cos θ, as B·sin θ + A·(−cos θ): negating before the product
    // rounds the same as after it.
    return scaled_center(center_y, rule_.subpixel) +
           two_term_offset(point.across, sin_[k], point.along, extended_negate(cos_[k]), rule_.subpixel);
}

}  // namespace hndpos
