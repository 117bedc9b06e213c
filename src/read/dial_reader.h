// Reading back the tables hndpos-tables writes: its C source (whose first
// comment names the parameters and whose declarations name the entry type,
// the storage, the prefix and the header) or its JSON.
//
// The reader recomputes every entry from the parameters the file states
// and names the first entry that differs; the C source must then be, byte
// for byte, the one hndpos-tables writes for them. JSON is read by value,
// so a file that a JSON tool reformatted is still read.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "emit/tables_emitter.h"
#include "dial/dial.h"

namespace hndpos {

// What the first bytes say the file is.
enum class InputKind { hndpos_table, tables_source, tables_json, view_source };
InputKind input_kind(std::string_view bytes);

struct DialFile {
    Dial dial;
    EntryType type = EntryType::u8;
    Storage storage = Storage::data;  // C source only
    EmitNames names;                  // C source only: the prefix and the header it includes
    FigureOutput figures;             // how the figures were written
};

struct DialFileRead {
    bool ok = false;
    DialFile file;
    int line = 0;         // where the problem is, 1-based
    std::string message;  // what was expected and what was found
};

DialFileRead read_dial_source(std::string_view bytes);
DialFileRead read_dial_json(std::string_view bytes);

// Any table file the viewer reads, by what its first bytes say it is:
// hpostbl.c, or hndpos-tables' C source or JSON. A C source's file is kept,
// for the header beside it.
struct DialReadResult {
    bool ok = false;
    Dial dial;
    std::optional<DialFile> tables_source;
    int line = 0;
    std::string message;
};
DialReadResult read_dial_file(std::string_view bytes);

// The header hndpos-tables writes beside the source.
std::string written_header(const DialFile& file);

// The first line where `found` differs from `wanted`, 1-based, or 0.
int first_differing_line(std::string_view found, std::string_view wanted);

}  // namespace hndpos
