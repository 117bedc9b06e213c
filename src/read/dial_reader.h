// Reading back the tables hndpos-tables writes: its C source (whose first
// comments name the parameters and the options beyond the tips, and whose
// declarations name the entry type, the storage, the prefix and the
// header) or its JSON; and any file the viewer reads, by what its first
// bytes say it is.
//
// The reader takes the file's request as the program would take it (the
// same options, the same checks), recomputes every entry and names the
// first entry that differs; the C source must then be, byte for byte, the
// one hndpos-tables writes for it. JSON is read by value, so a file that a
// JSON tool reformatted (or gave a byte order mark) is still read.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "dial/dial.h"
#include "request/vocabulary.h"

namespace hndpos {

// What the first bytes say the file is.
enum class InputKind { hndpos_table, tables_source, tables_json, tables_module, view_source };
InputKind input_kind(std::string_view bytes);

struct DialFile {
    Dial dial;
    EmitSpec form;  // names and storage: the C source's only
};

struct DialFileRead {
    bool ok = false;
    DialFile file;
    int line = 0;         // where the problem is, 1-based
    std::string message;  // what was expected and what was found
};

DialFileRead read_dial_source(std::string_view bytes);
DialFileRead read_dial_json(std::string_view bytes);
// A Rust or MicroPython module: is_tables_module tells by its first line.
bool is_tables_module(std::string_view bytes);
DialFileRead read_dial_module(std::string_view bytes);

// Any table file the viewer reads: hpostbl.c, or hndpos-tables' C source
// or JSON. A C source's file is kept, for the header beside it.
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
