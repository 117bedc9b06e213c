// Prints spellings of integers, one a line, each with the program's verdict:
// "ok VALUE |SPELLING" or "refused |SPELLING". integer_syntax.cmake reads
// the same spellings with the CMake function's syntax and must agree.
#include <cstdio>
#include <string>
#include <vector>

#include "driver/integer_syntax.h"

int main() {
    const std::vector<std::string> leads = {"", " ", "   ", "\t"};
    const std::vector<std::string> signs = {"", "+", "-", "+-"};
    std::vector<std::string> bodies = {
        "",           "0",          "00",          "1",          "9",          "10",          "2147483646",
        "2147483647", "2147483648", "02147483647", "4294967295", "4294967296", "99999999999", "0000000000001"};
    // $ and 0 to 10 hexadecimal digits: leading zeros, the sign bit, overflow by one.
    for (const std::string digits : {"", "0", "F", "7F", "7FFFFFFF", "80000000", "FFFFFFFF", "100000000", "0FFFFFFFF",
                                     "000000001", "abcdef", "AbC", "0000000000", "1234567890", "G"})
        bodies.push_back("$" + digits);
    const std::vector<std::string> tails = {"", "x", " ", "0x", "$"};
    for (const std::string& lead : leads)
        for (const std::string& sign : signs)
            for (const std::string& body : bodies)
                for (const std::string& tail : tails) {
                    const std::string spelling = lead + sign + body + tail;
                    const hndpos::ScannedInteger scanned = hndpos::scan_integer(spelling);
                    if (scanned.accepted) {
                        std::printf("ok %ld |%s\n", static_cast<long>(scanned.value), spelling.c_str());
                    } else {
                        std::printf("refused |%s\n", spelling.c_str());
                    }
                }
    return std::fflush(stdout) == 0 ? 0 : 1;
}
