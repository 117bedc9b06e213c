// hndpos's own layout for firmware: xtbl and ytbl of [3][60], int in
// hpostbl.c as hndpos writes it (data), or the same entries as bytes
// (const, progmem), with a header of the same macros as hndpos-tables'
// (hndpos-view --emit and the CMake function).
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "request/vocabulary.h"
#include "table/table_writer.h"

namespace hndpos {

// A table file's entries, [0] x and [1] y.
using ByteEntries = std::array<std::array<std::uint8_t, entries_per_table>, 2>;

// The source for const and progmem (data compiles hpostbl.c itself).
std::string byte_tables_source(const HandParams& params, const ByteEntries& entries, Storage storage,
                               const EmitNames& names);
std::string byte_tables_header(const HandParams& params, Storage storage, const EmitNames& names);

}  // namespace hndpos
