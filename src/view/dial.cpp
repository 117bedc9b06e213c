#include "view/dial.h"

namespace hndpos {

// hndpos's entries are the low bytes of hndpos-tables' for 60 positions a
// hand: one arithmetic, and hpostbl.c keeps eight bits of its result.
Dial dial_of_table_file(const TableFile& table) {
    const HandParams& p = table.params;
    WideParams params;
    params.center_x = p.CenterX;
    params.center_y = p.CenterY;
    params.radii = {p.HourRadius, p.MinuteRadius, p.SecondRadius};
    return {compute_wide_tables(params), true};
}

}  // namespace hndpos
