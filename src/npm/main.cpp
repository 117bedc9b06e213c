// The npm package's module holds every program and the page's entry points
// for the JavaScript API. Run by a command (bin/*.cjs), it runs the program
// the command names, given as the program's name in argv[0], on the real
// files through Node.js; loaded by the API, main does not run.
#include <cstring>

#include "driver/program.h"
#include "io/platform/platform.h"
#include "programs/runs.h"

int main(int argc, char** argv) {
    const char* name = argc > 0 ? argv[0] : "";
    const bool tables = std::strcmp(name, "hndpos-tables") == 0;
    if (tables || std::strcmp(name, "hndpos-view") == 0) {
        hndpos::platform::prepare_companion_process();
        return tables ? hndpos::tables_program(argc, argv) : hndpos::view_program(argc, argv);
    }
    return hndpos::run_program(hndpos::platform::raw_command_line(), argc, argv);
}
