// hndpos: writes hpostbl.c, the tables of clock-hand tip positions, from the
// dial centre and the three hand radii given on the command line.

#include "driver/program.h"
#include "io/platform/platform.h"

int main(int argc, char** argv) { return hndpos::run_program(hndpos::platform::raw_command_line(), argc, argv); }
