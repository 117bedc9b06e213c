// The companion programs' whole runs, each as a function: called by the
// program's own main, and by the npm package's one WebAssembly module,
// which holds every program and runs the one its command names.
#pragma once

namespace hndpos {

// The command line as main() receives it; the exit status.
int tables_program(int argc, char** argv);
int view_program(int argc, char** argv);

}  // namespace hndpos
