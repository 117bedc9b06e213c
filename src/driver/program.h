// One run of hndpos, from the banner to the exit status.
#pragma once

namespace hndpos {

// Prints the banner, then the usage text or the summary line and the table
// file, reports any failure, and closes standard output. The arguments come
// from `raw_line` where the system hands over one raw command line (not
// null), otherwise from the argument list. Returns the exit status: 0, or 1
// after a failure. Every run starts afresh: parameters, standard output
// and the pending I/O code.
int run_program(const char* raw_line, int argc, const char* const* argv);

}  // namespace hndpos
