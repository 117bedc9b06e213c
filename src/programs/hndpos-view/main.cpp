// hndpos-view's main: the whole run is hndpos::view_program().
#include "programs/runs.h"

int main(int argc, char** argv) { return hndpos::view_program(argc, argv); }
