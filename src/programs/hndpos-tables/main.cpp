// hndpos-tables's main: the whole run is hndpos::tables_program().
#include "io/platform/platform.h"
#include "programs/runs.h"

int main(int argc, char** argv) {
    hndpos::platform::prepare_companion_process();
    return hndpos::tables_program(argc, argv);
}
