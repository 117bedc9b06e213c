// The C and JSON that firmware projects take the tables in: one writer for
// hndpos-tables, hndpos-view --emit and the CMake function's header.
//
// Two layouts. The grid is hndpos's own: xtbl and ytbl of [3][60], int in
// hpostbl.c as hndpos writes it (DATA), or the same entries as bytes
// (CONST, PROGMEM). The per-hand layout is hndpos-tables': one x and one y
// array per hand, of any length and entry type. Both headers give the
// same macros: the parameters, the positions per hand, the index of each
// hand at a time of day, and HNDPOS_TIP_X/HNDPOS_TIP_Y, which read through
// the storage (program memory on AVR), each prefixed with the upper-cased
// prefix.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "dial/panel.h"
#include "table/table_writer.h"
#include "dial/dial_tables.h"

namespace hndpos {

enum class EntryType { u8, u16, i16, i32 };
enum class Storage { data, constant, progmem };

// "u8", "u16", "i16", "i32"; "data", "const", "progmem".
std::optional<EntryType> parse_entry_type(std::string_view name);
std::string_view entry_type_name(EntryType type);
std::string_view entry_c_type(EntryType type);  // "uint8_t" for u8
std::optional<Storage> parse_storage(std::string_view name);

bool entry_type_holds(EntryType type, std::int64_t value);
// The narrowest of u8, u16, i16, i32, in that order, that holds every entry.
std::optional<EntryType> narrowest_entry_type(const DialTables& tables);


// Whether the tables can be written: `type` is the requested one or, when
// none was requested, the narrowest that holds every entry; without a
// type, `problem` names the first reason to refuse them, in the order the
// entries were computed: an offset outside 32 bits, a tip off the panel,
// an entry the type cannot hold (hand, position, axis and value).
struct TablesVerdict {
    std::optional<EntryType> type;
    std::string problem;
};
TablesVerdict judge_dial_tables(const DialTables& tables, std::optional<EntryType> requested,
                                std::optional<PanelSize> panel);

struct EmitNames {
    std::string prefix;  // of the arrays; upper-cased, of the macros
    std::string header;  // the header the source includes
};

// Where a header name can stand in #include "...": not empty, no control
// character, no double quote, no backslash.
bool is_valid_header_name(std::string_view name);

// A C identifier or nothing.
bool is_identifier_prefix(std::string_view text);

// The grid layout. The source is for CONST and PROGMEM (DATA compiles
// hpostbl.c itself); the entries are a table file's, [0] x and [1] y.
using ByteEntries = std::array<std::array<std::uint8_t, entries_per_table>, 2>;
std::string byte_tables_source(const HandParams& params, const ByteEntries& entries, Storage storage,
                               const EmitNames& names);
std::string byte_tables_header(const HandParams& params, Storage storage, const EmitNames& names);

// How figures are written: NAME_x[N][P] and NAME_y[N][P], or one
// NAME_xy[N][P][2] of {x, y} pairs; with `bounds`, NAME_bounds[N][4] of
// {xmin, ymin, xmax, ymax} (in JSON, "bounds").
enum class PointLayout { split, pairs };
struct FigureOutput {
    PointLayout layout = PointLayout::split;
    bool bounds = false;
};

// "split", "xy".
std::optional<PointLayout> parse_point_layout(std::string_view name);
// "extended", "nearest".
std::optional<Rounding> parse_rounding(std::string_view name);

// The per-hand layout, with the figures after the hands; the tables must
// be complete and every entry must fit `type`.
std::string dial_source(const DialTables& tables, EntryType type, Storage storage, const EmitNames& names,
                               FigureOutput figures = {});
std::string dial_header(const DialTables& tables, EntryType type, Storage storage, const EmitNames& names,
                               FigureOutput figures = {});
std::string dial_json(const DialTables& tables, EntryType type, FigureOutput figures = {});

// Where two of the names the header would define (arrays and macros)
// coincide, as a figure named "hour" beside the hour hand, or two figures
// of one name: the refusal, naming the name; "" when none do.
std::string name_clash(const DialParams& params, const EmitNames& names, FigureOutput figures);

// A header of index macros that take a hand's positions as an argument,
// HNDPOS_HOUR_INDEX_OF(positions, h, m, s) and the like: for code that
// serves tables of any positions (the Arduino library's hndpos.h).
std::string index_helpers_header(std::string_view header);

}  // namespace hndpos
