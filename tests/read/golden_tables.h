// The table hndpos writes for a set of parameters, as the reader would
// give it back, for the viewer's tests.
#pragma once

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "read/byte_table_reader.h"

namespace hndpos::testing {

// A golden table file's bytes (tests/programs/hndpos/golden/<name>.c).
inline std::string golden(const std::string& name) {
    std::ifstream in(std::string(HNDPOS_TEST_DATA_DIR) + "/programs/hndpos/golden/" + name + ".c", std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The golden files of complete tables, from the manifest of golden runs.
inline std::vector<std::string> complete_golden_tables() {
    std::ifstream in(std::string(HNDPOS_TEST_DATA_DIR) + "/programs/hndpos/golden/cases.tsv");
    std::vector<std::string> names;
    for (std::string line; std::getline(in, line);) {
        if (line.empty() || line[0] == '#') continue;
        std::istringstream fields(line);
        std::string name;
        std::string file;
        std::getline(fields, name, '\t');
        std::getline(fields, file, '\t');
        if (name == file && !file.starts_with("invalid-op")) names.push_back(file);
    }
    EXPECT_FALSE(names.empty()) << "no golden runs in tests/programs/hndpos/golden/cases.tsv";
    return names;
}

inline TableFile table_for(const HandParams& params) {
    TableFile table;
    table.params = params;
    for (int i = 0; i < entries_per_table; ++i) {
        const auto index = static_cast<std::size_t>(i);
        table.entries[0][index] = tip_x(params, i / position_count, i % position_count);
        table.entries[1][index] = tip_y(params, i / position_count, i % position_count);
    }
    return table;
}

}  // namespace hndpos::testing
