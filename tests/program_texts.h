// The program's Shift_JIS texts as the tests spell them, from their one
// definition in tests/data/program-texts.txt.
#pragma once

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <string_view>

namespace hndpos::testing {

// The bytes of the text named `name`: its \xNN escapes decoded.
inline std::string program_text(std::string_view name) {
    std::ifstream in(std::string(HNDPOS_TEST_DATA_DIR) + "/data/program-texts.txt");
    for (std::string line; std::getline(in, line);) {
        if (line.size() <= name.size() || line.compare(0, name.size(), name) != 0 || line[name.size()] != '\t')
            continue;
        std::string bytes;
        for (std::size_t i = name.size() + 1; i < line.size(); ++i) {
            if (line[i] == '\\' && i + 3 < line.size() + 1 && line[i + 1] == 'x') {
                bytes += static_cast<char>(std::stoi(line.substr(i + 2, 2), nullptr, 16));
                i += 3;
            } else {
                bytes += line[i];
            }
        }
        return bytes;
    }
    ADD_FAILURE() << "no text named " << name << " in tests/data/program-texts.txt";
    return {};
}

}  // namespace hndpos::testing
