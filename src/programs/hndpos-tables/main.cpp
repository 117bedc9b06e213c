// hndpos-tables's main: the whole run is hndpos::tables_program().
#include "programs/runs.h"

int main(int argc, char** argv) { return hndpos::tables_program(argc, argv); }
