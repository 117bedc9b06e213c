#include "table/wide_tables.h"

#include <map>

#include "io/failure.h"

namespace hndpos {
namespace {

// The directions of every position, x or y, for each count of positions
// among the hands: hands with the same count share them.
using Units = std::map<int, std::vector<Extended>>;

Units directions(const WideParams& params, Axis axis) {
    Units units;
    for (const int positions : params.positions) {
        std::vector<Extended>& values = units[positions];
        if (!values.empty()) continue;
        const Extended step = angle_step(positions);
        values.reserve(static_cast<std::size_t>(positions));
        for (int position = 0; position < positions; ++position) values.push_back(hand_tip_unit(axis, step, position));
    }
    return units;
}

}  // namespace

WideTables compute_wide_tables(const WideParams& params) {
    WideTables tables;
    tables.params = params;
    for (const Axis axis : {Axis::x, Axis::y}) {
        const std::int64_t center = axis == Axis::x ? params.center_x : params.center_y;
        const Units units = directions(params, axis);
        for (int hand = 0; hand < hand_count; ++hand) {
            const auto h = static_cast<std::size_t>(hand);
            const std::vector<Extended>& unit = units.at(params.positions[h]);
            HandEntries& entries = tables.hands[h];
            std::vector<std::int64_t>& out = axis == Axis::x ? entries.x : entries.y;
            out.reserve(unit.size());
            for (std::size_t position = 0; position < unit.size(); ++position) {
                try {
                    out.push_back(center + scaled_tip_offset(unit[position], params.radii[h]));
                } catch (const EInvalidOp&) {
                    tables.overflow = TipOverflow{hand, static_cast<int>(position), axis};
                    return tables;
                }
            }
        }
    }
    return tables;
}

}  // namespace hndpos
