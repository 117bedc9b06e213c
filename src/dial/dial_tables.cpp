#include "dial/dial_tables.h"

#include <algorithm>
#include <map>

namespace hndpos {
namespace {

// Every count of positions among the hands and figures, worked out once.
using Turns = std::map<int, TurnEntries>;

const TurnEntries& turn(Turns& turns, int positions, EntryRule rule) {
    auto found = turns.find(positions);
    if (found == turns.end()) found = turns.emplace(positions, TurnEntries(positions, rule)).first;
    return found->second;
}

std::int64_t entry(const TurnEntries& t, Axis axis, int position, const DialParams& p, FigurePoint point) {
    return axis == Axis::x ? t.x(position, p.center_x, point) : t.y(position, p.center_y, point);
}

// False at the first offset outside 32 bits, which it records.
bool add_hand_entries(Turns& turns, const DialParams& p, Axis axis, DialTables& tables) {
    const std::int64_t center = (axis == Axis::x ? p.center_x : p.center_y) * (std::int64_t{1} << p.rule.subpixel);
    for (int hand = 0; hand < hand_count; ++hand) {
        const auto h = static_cast<std::size_t>(hand);
        const TurnEntries& t = turn(turns, p.positions[h], p.rule);
        std::vector<std::int64_t>& out = axis == Axis::x ? tables.hands[h].x : tables.hands[h].y;
        out.reserve(static_cast<std::size_t>(t.positions()));
        for (int position = 0; position < t.positions(); ++position) {
            const std::int64_t value = entry(t, axis, position, p, {p.radii[h], 0});
            if (value - center < INT32_MIN || value - center > INT32_MAX) {
                tables.overflow = TipOverflow{hand, position, axis, value - center};
                return false;
            }
            out.push_back(value);
        }
    }
    return true;
}

FigureEntries figure_entries(Turns& turns, const DialParams& p, const Figure& figure) {
    const TurnEntries& t = turn(turns, figure.positions, p.rule);
    FigureEntries out;
    const std::size_t count = static_cast<std::size_t>(figure.positions) * figure.points.size();
    out.x.reserve(count);
    out.y.reserve(count);
    out.bounds.reserve(static_cast<std::size_t>(figure.positions));
    for (int position = 0; position < figure.positions; ++position) {
        std::array<std::int64_t, 4> box{INT64_MAX, INT64_MAX, INT64_MIN, INT64_MIN};
        for (const FigurePoint point : figure.points) {
            const std::int64_t x = entry(t, Axis::x, position, p, point);
            const std::int64_t y = entry(t, Axis::y, position, p, point);
            out.x.push_back(x);
            out.y.push_back(y);
            box = {std::min(box[0], x), std::min(box[1], y), std::max(box[2], x), std::max(box[3], y)};
        }
        out.bounds.push_back(box);
    }
    return out;
}

}  // namespace

DialTables compute_dial_tables(const DialParams& params) {
    DialTables tables;
    tables.params = params;
    Turns turns;
    if (params.has_hands) {
        for (const Axis axis : {Axis::x, Axis::y})
            if (!add_hand_entries(turns, params, axis, tables)) return tables;
    }
    for (const Figure& figure : params.figures) tables.figures.push_back(figure_entries(turns, params, figure));
    for (std::size_t f = 0; f < params.figures.size(); ++f) {
        const Figure& figure = params.figures[f];
        if (!figure.mask_bits) continue;
        FigureEntries& entries = tables.figures[f];
        const FigureOutlines outlines{entries.x, entries.y, figure.points.size(), figure.positions,
                                      params.rule.subpixel};
        if (const auto refusal = mask_refusal(outlines)) {
            tables.mask_refusal = FigureMaskRefusal{f, *refusal};
            return tables;
        }
        entries.masks = compute_mask_set(outlines, *figure.mask_bits);
        entries.mask_code = encode_masks(
            *entries.masks,
            plan_mask_storage(*entries.masks, 2 * std::int64_t{params.center_x}, 2 * std::int64_t{params.center_y}));
    }
    return tables;
}

}  // namespace hndpos
