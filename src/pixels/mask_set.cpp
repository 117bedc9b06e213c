#include "pixels/mask_set.h"

#include <algorithm>
#include <map>
#include <numeric>

namespace hndpos {
namespace {

Outline outline_at(const FigureOutlines& o, int position) {
    const std::size_t first = static_cast<std::size_t>(position) * o.points;
    return {std::span(o.x).subspan(first, o.points), std::span(o.y).subspan(first, o.points), o.subpixel};
}

struct Offset {
    std::int64_t u;
    std::int64_t v;
};

Offset turn(Offset p, int transform) {
    if (transform >= 4) p.u = -p.u;
    for (int r = 0; r < transform % 4; ++r) p = {-p.v, p.u};
    return p;
}

template <typename Visit>
void for_each_covered(const PixelMask& mask, Visit visit) {
    for (int r = 0; r < mask.height; ++r) {
        const MaskRow& row = mask.rows[static_cast<std::size_t>(r)];
        for (int c = 0; c < row.count; ++c)
            visit(mask.x + row.first + c, mask.y + r, mask.levels[row.offset + static_cast<std::size_t>(c)]);
    }
}

std::size_t covered_pixels(const PixelMask& mask) {
    std::size_t count = 0;
    for_each_covered(mask, [&count](int, int, int level) { count += level != 0 ? 1 : 0; });
    return count;
}

// Whether `to` is `from` turned by `transform`, pixel for pixel.
bool turns_into(const PixelMask& from, std::size_t from_count, const PixelMask& to, std::size_t to_count, int transform,
                std::int64_t cx2, std::int64_t cy2) {
    if (from_count != to_count) return false;
    if (transform % 2 == 1 ? from.width != to.height || from.height != to.width
                           : from.width != to.width || from.height != to.height)
        return false;
    bool same = true;
    for_each_covered(from, [&](int x, int y, int level) {
        if (!same || level == 0) return;
        const Offset t = turn({2 * std::int64_t{x} - cx2, 2 * std::int64_t{y} - cy2}, transform);
        same = to.level((t.u + cx2) / 2, (t.v + cy2) / 2) == level;
    });
    return same;
}

}  // namespace

std::optional<MaskRefusal> mask_refusal(const FigureOutlines& o) {
    const std::int64_t limit = (max_outline_pixel + 1) << o.subpixel;
    for (int k = 0; k < o.positions; ++k) {
        const Outline outline = outline_at(o, k);
        for (std::size_t p = 0; p < o.points; ++p)
            for (const bool axis_x : {true, false}) {
                const std::int64_t value = axis_x ? outline.x[p] : outline.y[p];
                if (value < 0 || value >= limit) return MaskRefusal{MaskRefusal::Kind::off_range, k, axis_x, value};
            }
        if (outline_crosses(outline)) return MaskRefusal{MaskRefusal::Kind::crossing, k, true, 0};
    }
    return std::nullopt;
}

MaskSet compute_mask_set(const FigureOutlines& o, int bits) {
    MaskSet set;
    set.bits = bits;
    set.positions.reserve(static_cast<std::size_t>(o.positions));
    for (int k = 0; k < o.positions; ++k) set.positions.push_back(outline_mask(outline_at(o, k), bits));
    const std::size_t n = set.positions.size();
    for (std::size_t k = 0; k < n; ++k)
        set.changed.push_back(changed_box(set.positions[(k + n - 1) % n], set.positions[k]));
    return set;
}

PixelMask transformed_mask(const PixelMask& mask, int transform, std::int64_t cx2, std::int64_t cy2) {
    if (mask.width == 0) return {};
    struct Covered {
        std::int64_t x, y;
        int level;
    };
    std::vector<Covered> pixels;
    std::int64_t left = INT64_MAX;
    std::int64_t top = INT64_MAX;
    std::int64_t right = INT64_MIN;
    std::int64_t bottom = INT64_MIN;
    for_each_covered(mask, [&](int x, int y, int level) {
        const Offset t = turn({2 * std::int64_t{x} - cx2, 2 * std::int64_t{y} - cy2}, transform);
        const Covered c{(t.u + cx2) / 2, (t.v + cy2) / 2, level};
        pixels.push_back(c);
        left = std::min(left, c.x);
        right = std::max(right, c.x);
        top = std::min(top, c.y);
        bottom = std::max(bottom, c.y);
    });
    const auto width = static_cast<std::size_t>(right - left + 1);
    std::vector<std::uint8_t> grid(width * static_cast<std::size_t>(bottom - top + 1), 0);
    for (const Covered& c : pixels)
        grid[static_cast<std::size_t>(c.y - top) * width + static_cast<std::size_t>(c.x - left)] =
            static_cast<std::uint8_t>(c.level);
    MaskBuilder builder;
    for (std::int64_t y = top; y <= bottom; ++y)
        builder.add_row(static_cast<int>(y), static_cast<int>(left), &grid[static_cast<std::size_t>(y - top) * width],
                        static_cast<int>(width));
    return builder.finish();
}

namespace {

using Angle = std::pair<std::int64_t, std::int64_t>;

// a/b reduced into [0, 1).
Angle normal_angle(std::int64_t a, std::int64_t b) {
    a %= b;
    if (a < 0) a += b;
    const std::int64_t common = std::gcd(a, b);
    return {a / common, b / common};
}

}  // namespace

MaskStorage plan_mask_storage(const MaskSet& masks, const std::vector<Angle>& angles, std::int64_t cx2,
                              std::int64_t cy2) {
    const auto n = static_cast<int>(masks.positions.size());
    MaskStorage storage;
    storage.stored.assign(static_cast<std::size_t>(n), 0);
    storage.transform.assign(static_cast<std::size_t>(n), 0);
    std::vector<std::size_t> counts;
    for (const PixelMask& m : masks.positions) counts.push_back(covered_pixels(m));
    std::vector<int> kept_index(static_cast<std::size_t>(n), -1);
    const bool quarter_turns = (cx2 - cy2) % 2 == 0;
    std::map<Angle, int> at_angle;
    for (int k = 0; k < n; ++k)
        at_angle.emplace(
            normal_angle(angles[static_cast<std::size_t>(k)].first, angles[static_cast<std::size_t>(k)].second), k);
    for (int k = 0; k < n; ++k) {
        const auto at = static_cast<std::size_t>(k);
        if (k > 0 && !masks.changed[at]) {  // the same pixels as the step before
            storage.stored[at] = storage.stored[at - 1];
            storage.transform[at] = storage.transform[at - 1];
            continue;
        }
        bool found = false;
        const auto [a, b] = angles[at];
        for (int t = 1; t < mask_transforms && !found; ++t) {
            const int quarters = t % 4;
            if (quarters % 2 == 1 && !quarter_turns) continue;
            // Turned by t, the position at angle θ_k − r/4 (mirrored: r/4 − θ_k)
            // shows the figure at position k.
            const std::int64_t shifted = 4 * a - quarters * b;
            const auto source = at_angle.find(normal_angle(t >= 4 ? -shifted : shifted, 4 * b));
            if (source == at_angle.end()) continue;
            const int j = source->second;
            const int i = kept_index[static_cast<std::size_t>(j)];
            if (j >= k || i < 0) continue;
            if (turns_into(masks.positions[static_cast<std::size_t>(j)], counts[static_cast<std::size_t>(j)],
                           masks.positions[at], counts[at], t, cx2, cy2)) {
                storage.stored[at] = i;
                storage.transform[at] = t;
                found = true;
            }
        }
        if (!found) {
            kept_index[at] = static_cast<int>(storage.kept.size());
            storage.stored[at] = kept_index[at];
            storage.kept.push_back(k);
        }
    }
    return storage;
}

}  // namespace hndpos
