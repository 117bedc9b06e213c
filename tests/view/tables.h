// The table hndpos writes for a set of parameters, as the reader would
// give it back, for the viewer's tests.
#pragma once

#include "view/table_reader.h"

namespace hndpos::testing {

inline TableFile table_for(const HandParams& params) {
    TableFile table;
    table.params = params;
    for (int i = 0; i < entries_per_table; ++i) {
        const auto index = static_cast<std::size_t>(i);
        table.entries[0][index] = tip_x(params, i / position_count, i % position_count);
        table.entries[1][index] = tip_y(params, i / position_count, i % position_count);
    }
    return table;
}

}  // namespace hndpos::testing
