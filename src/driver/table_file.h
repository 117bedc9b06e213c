// The table file on disk: the summary line on the console, then the lines
// the table writer makes, into "hpostbl.c", each checked.
#pragma once

#include "table/hand_tip.h"

namespace hndpos {

// Prints the summary line on console_output and writes the table file in
// the current directory, replacing an existing one. Failures leave as
// EInOutError or EInvalidOp; the file is closed on the way out, keeping the
// lines written before the failure.
void generate_tables(const HandParams& params);

}  // namespace hndpos
