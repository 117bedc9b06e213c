#include "table/wide_tables.h"

#include "io/failure.h"

namespace hndpos {

WideTables compute_wide_tables(const WideParams& params) {
    WideTables tables;
    tables.params = params;
    for (const Axis axis : {Axis::x, Axis::y}) {
        const std::int64_t center = axis == Axis::x ? params.center_x : params.center_y;
        for (int hand = 0; hand < hand_count; ++hand) {
            const int positions = params.positions[static_cast<std::size_t>(hand)];
            const Extended step = angle_step(positions);
            HandEntries& entries = tables.hands[static_cast<std::size_t>(hand)];
            std::vector<std::int64_t>& out = axis == Axis::x ? entries.x : entries.y;
            out.reserve(static_cast<std::size_t>(positions));
            for (int position = 0; position < positions; ++position) {
                try {
                    out.push_back(center +
                                  hand_tip_offset(axis, params.radii[static_cast<std::size_t>(hand)], step, position));
                } catch (const EInvalidOp&) {
                    tables.overflow = TipOverflow{hand, position, axis};
                    return tables;
                }
            }
        }
    }
    return tables;
}

}  // namespace hndpos
