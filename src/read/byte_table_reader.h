// Reading back an hpostbl.c exactly as hndpos writes it.
//
// The reader accepts nothing but that format: the two comment lines, the
// two arrays of 180 entries, 15 to a line, CR LF after every line and
// nothing after the last. It recovers the parameters from the summary
// comment and checks every entry against the entries recomputed from them.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "dial/dial.h"
#include "table/table_writer.h"

namespace hndpos {

struct TableFile {
    HandParams params;
    // [0] the x table, [1] the y table, each in the file's order.
    std::array<std::array<std::uint8_t, entries_per_table>, 2> entries{};

    // The entry of hand `hand` at `position` in the x (axis 0) or y table.
    std::uint8_t entry(int axis, int hand, int position) const {
        return entries[static_cast<std::size_t>(axis)][static_cast<std::size_t>(entry_index(hand, position))];
    }
};

struct ReadResult {
    bool ok = false;
    TableFile table;
    Dial dial;            // the dial the entries were checked against
    int line = 0;         // where reading stopped, 1-based; 0 for the whole file
    std::string message;  // what was expected and what was found
};

// Reads and checks the file's bytes.
ReadResult read_table_file(std::string_view bytes);

// The dial of a table file hndpos wrote (its entries already checked).
Dial dial_of_table_file(const TableFile& table);

}  // namespace hndpos
