#include "dial/figures.h"

#include <numeric>

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

}  // namespace

std::string hundredths_text(std::int64_t hundredths) {
    const std::int64_t magnitude = hundredths < 0 ? -hundredths : hundredths;
    std::string text = hundredths < 0 ? "-" : "";
    text += std::to_string(magnitude / 100);
    if (magnitude % 100 == 0) return text;
    text += '.';
    text += static_cast<char>('0' + magnitude % 100 / 10);
    if (magnitude % 10 != 0) text += static_cast<char>('0' + magnitude % 10);
    return text;
}

TurnFraction arc_turn(const Arc& arc, int position, int positions) {
    // (start + k·sweep/(N − 1)) / 360° = (start·(N − 1) + k·sweep) / (36000·(N − 1)).
    const std::int64_t steps = positions - 1;
    const std::int64_t denominator = 36000 * steps;
    std::int64_t numerator = (arc.start * steps + position * arc.sweep) % denominator;
    if (numerator < 0) numerator += denominator;
    const std::int64_t common = std::gcd(numerator, denominator);
    return {numerator / common, denominator / common};
}

std::string points_text(const std::vector<FigurePoint>& points) {
    std::string text;
    for (const FigurePoint& p : points)
        text.append(text.empty() ? "" : " ")
            .append(std::to_string(p.along))
            .append(",")
            .append(std::to_string(p.across));
    return text;
}

TurnEntries::TurnEntries(int positions, EntryRule rule, std::optional<Arc> arc) : positions_(positions), rule_(rule) {
    const auto count = static_cast<std::size_t>(positions);
    if (rule.rounding == Rounding::nearest) {
        exact_.reserve(count);
        for (int k = 0; k < positions; ++k) {
            const TurnFraction turn = arc ? arc_turn(*arc, k, positions) : TurnFraction{k, positions};
            exact_.emplace_back(static_cast<int>(turn.numerator), static_cast<int>(turn.denominator));
        }
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

std::int64_t TurnEntries::x(int position, std::int64_t center_x, FigurePoint point) const {
    const auto k = static_cast<std::size_t>(position);
    if (rule_.rounding == Rounding::nearest)
        return exact_[k].nearest(center_x, point.along, point.across, rule_.subpixel);
    // A·sin θ + B·cos θ
    return center_x + two_term_offset(point.along, sin_[k], point.across, cos_[k], rule_.subpixel);
}

std::int64_t TurnEntries::y(int position, std::int64_t center_y, FigurePoint point) const {
    const auto k = static_cast<std::size_t>(position);
    if (rule_.rounding == Rounding::nearest)
        return exact_[k].nearest(center_y, point.across, -std::int64_t{point.along}, rule_.subpixel);
    // B·sin θ − A·cos θ, as B·sin θ + A·(−cos θ): negating before the product
    // rounds the same as after it.
    return center_y + two_term_offset(point.across, sin_[k], point.along, extended_negate(cos_[k]), rule_.subpixel);
}

}  // namespace hndpos
