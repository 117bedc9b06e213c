// The tables as compact C: one byte per entry, read-only, for firmware that
// cannot spare the RAM of hndpos's int arrays (1,440 bytes with 32-bit int).
#pragma once

#include <string>
#include <string_view>

#include "view/table_reader.h"

namespace hndpos {

enum class CompactStorage {
    read_only,  // const unsigned char, in read-only data
    progmem,    // the same in AVR program memory (PROGMEM, read with pgm_read_byte)
};

// A C source file defining `<prefix>xtbl` and `<prefix>ytbl` as
// [3][60] arrays of const unsigned char holding the table's entries, for
// compiling with `header` (which declares them, and defines PROGMEM as
// nothing off AVR). The table must have passed the strict reader.
std::string compact_tables_source(const TableFile& table, std::string_view prefix, CompactStorage storage,
                                  std::string_view header);

}  // namespace hndpos
