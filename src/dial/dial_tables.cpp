#include "dial/dial_tables.h"

#include <algorithm>
#include <map>
#include <tuple>

namespace hndpos {
namespace {

// Every count of positions among the hands and figures, and every arc,
// worked out once.
using TurnKey = std::tuple<int, bool, std::int64_t, std::int64_t>;
using Turns = std::map<TurnKey, TurnEntries>;

const TurnEntries& turn(Turns& turns, int positions, EntryRule rule, std::optional<Arc> arc = std::nullopt) {
    const TurnKey key{positions, arc.has_value(), arc ? arc->start : 0, arc ? arc->sweep : 0};
    auto found = turns.find(key);
    if (found == turns.end()) found = turns.emplace(key, TurnEntries(positions, rule, arc)).first;
    return found->second;
}

std::int64_t entry(const TurnEntries& t, Axis axis, int position, const DialParams& p, FigurePoint point) {
    return axis == Axis::x ? t.x(position, center_units(p, Axis::x), point)
                           : t.y(position, center_units(p, Axis::y), point);
}

// False at the first offset outside 32 bits, which it records.
bool add_hand_entries(Turns& turns, const DialParams& p, Axis axis, DialTables& tables) {
    const std::int64_t center = center_units(p, axis);
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
    const TurnEntries& t = turn(turns, figure.positions, p.rule, figure.arc);
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

std::string center_text(const DialParams& p, Axis axis) { return hundredths_text(center_twice(p, axis) * 50); }

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
        std::vector<std::pair<std::int64_t, std::int64_t>> angles;
        for (int k = 0; k < figure.positions; ++k) {
            const TurnFraction turn =
                figure.arc ? arc_turn(*figure.arc, k, figure.positions) : TurnFraction{k, figure.positions};
            angles.emplace_back(turn.numerator, turn.denominator);
        }
        entries.mask_code = encode_masks(
            *entries.masks,
            plan_mask_storage(*entries.masks, angles, center_twice(params, Axis::x), center_twice(params, Axis::y)));
    }
    return tables;
}

}  // namespace hndpos
