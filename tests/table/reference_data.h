// Reading the reference files of tests/table/data: lines of hexadecimal
// sign+exponent and significand pairs, "#" lines being comments.
#pragma once

#include <cstdint>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "table/extended.h"

namespace hndpos::testing {

inline Extended extended_from_fields(unsigned sign_exponent, std::uint64_t significand) {
    return {(sign_exponent & 0x8000u) != 0, static_cast<std::uint16_t>(sign_exponent & 0x7FFFu), significand};
}

struct ReferenceLine {
    std::string function;  // "sin" or "cos"; empty where the file names it once
    Extended argument;
    Extended result;
    std::string text;  // the line, for failure messages
};

// `with_function`: the first column names the function.
inline std::vector<ReferenceLine> read_reference(const std::string& file_name, bool with_function) {
    std::ifstream in(std::string(HNDPOS_TEST_DATA_DIR) + "/table/data/" + file_name);
    std::vector<ReferenceLine> lines;
    std::string text;
    while (std::getline(in, text)) {
        if (text.empty() || text[0] == '#') continue;
        std::istringstream fields(text);
        ReferenceLine line;
        unsigned argument_se = 0, result_se = 0;
        std::uint64_t argument_sig = 0, result_sig = 0;
        if (with_function) fields >> line.function;
        fields >> std::hex >> argument_se >> argument_sig >> result_se >> result_sig;
        line.argument = extended_from_fields(argument_se, argument_sig);
        line.result = extended_from_fields(result_se, result_sig);
        line.text = text;
        lines.push_back(line);
    }
    return lines;
}

}  // namespace hndpos::testing
