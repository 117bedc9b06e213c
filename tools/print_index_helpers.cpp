// Writes the header of index macros for tables of any positions (the
// Arduino library's hndpos.h), from the emitter that writes every header's
// index macros: one formula, stated once.
//
//   hndpos_print_index_helpers HEADER-NAME > HEADER
#include <iostream>

#include "emit/c_text.h"

int main(int argc, char** argv) {
    if (argc != 2 || !hndpos::is_valid_header_name(argv[1])) {
        std::cerr << "usage: hndpos_print_index_helpers HEADER-NAME\n";
        return 2;
    }
    std::cout << hndpos::index_helpers_header(argv[1]);
    return std::cout.flush() ? 0 : 1;
}
