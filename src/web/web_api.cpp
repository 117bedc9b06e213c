// The page's entry points: hndpos itself, run with its output captured in
// memory, and the viewer's reader, picture, display check and Shift_JIS
// converter for what it wrote. Every byte comes from the program's own
// code; the page only moves bytes between these calls and the document.

#include <emscripten/emscripten.h>

#include <cstdint>
#include <new>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "driver/integer_syntax.h"
#include "driver/program.h"
#include "texts/join.h"
#include "emit/tables_emitter.h"
#include "io/platform/memory_files.h"
#include "view/console_english.h"
#include "view/console_text.h"
#include "view/picture.h"
#include "view/display_check.h"
#include "read/byte_table_reader.h"

namespace {

using namespace hndpos;

// What the last run wrote, its table as the strict reader gives it back
// and the dial the viewer draws from it (none unless the file is complete).
struct Capture {
    std::string console;
    std::string file;
    bool file_created = false;
    std::optional<TableFile> table;
    std::optional<Dial> dial;
};
Capture capture;
std::string text_result;  // the last text handed to the page

// What the last call of hndpos_tables made: hndpos-tables' three files, or
// why it refused the tables.
struct WideCapture {
    std::string json;
    std::string source;
    std::string header;
    std::string problem;
    std::optional<Dial> dial;  // the tables as the viewer draws them
};
WideCapture wide;

// The system as the page sees it: standard output and the table file are
// byte buffers, and the program is the page's module "hndpos".
platform::MemorySystem memory;

// hndpos-tables' parameters from the page's integers and the figures'
// names (one a line); "" when they hold, or what is wrong, in the terms of
// the JavaScript options. The integers: centre x, y; radii; positions;
// whether there are hands; rounding (0 extended, 1 nearest); sub-pixel
// bits; layout (0 split, 1 xy); bounds (0, 1); the count of figures, then
// for each its positions, its count of points and the points' A, B.
std::string read_tables_request(const std::int32_t* values, int count, std::string_view names, DialParams& params,
                                FigureOutput& out) {
    constexpr int fixed = 14;
    if (count < fixed) return "the module was given too few values";
    params = DialParams{values[0],
                        values[1],
                        {values[2], values[3], values[4]},
                        {values[5], values[6], values[7]},
                        {values[9] == 1 ? Rounding::nearest : Rounding::extended, values[10]},
                        {},
                        values[8] != 0};
    out = {values[11] == 1 ? PointLayout::pairs : PointLayout::split, values[12] != 0};
    const std::string positions_text =
        join({"positions run from ", std::to_string(min_positions), " to ", std::to_string(max_positions)});
    for (const int positions : params.positions)
        if (params.has_hands && (positions < min_positions || positions > max_positions))
            return "per hand, " + positions_text;
    if (params.rule.subpixel < 0 || params.rule.subpixel > max_subpixel_bits)
        return "subpixel runs from 0 to " + std::to_string(max_subpixel_bits);
    int at = fixed;
    for (int f = 0; f < values[13]; ++f) {
        Figure figure;
        const std::size_t end = names.find('\n');
        figure.name = std::string(names.substr(0, end));
        names.remove_prefix(end == std::string_view::npos ? names.size() : end + 1);
        if (figure.name.empty() || !is_identifier_prefix(figure.name))
            return join({"figure name '", figure.name, "' is not a C identifier"});
        if (at + 2 > count) return "the module was given too few values";
        figure.positions = values[at];
        const int points = values[at + 1];
        at += 2;
        if (figure.positions < min_positions || figure.positions > max_positions)
            return join({"figure ", figure.name, ": ", positions_text});
        if (points < min_figure_points || points > max_figure_points || at + 2 * points > count)
            return join({"figure ", figure.name, " has ", std::to_string(min_figure_points), " to ",
                         std::to_string(max_figure_points), " points"});
        for (int p = 0; p < points; ++p, at += 2) figure.points.push_back({values[at], values[at + 1]});
        params.figures.push_back(std::move(figure));
    }
    if (!params.has_hands && params.figures.empty()) return "the tables need radii or a figure";
    const EmitNames names_of_files{"", "dial.h"};
    return name_clash(params, names_of_files, out);
}

// hndpos-tables' work for hndpos_tables() below.
int make_tables(const std::int32_t* values, int count, const char* names, int type) {
    wide = {};
    DialParams params;
    FigureOutput out;
    wide.problem = read_tables_request(values, count, names, params, out);
    if (!wide.problem.empty()) return 1;
    const std::optional<EntryType> requested =
        type < 0 || type > 3 ? std::nullopt : std::optional<EntryType>(static_cast<EntryType>(type));
    const DialTables tables = compute_dial_tables(params);
    const TablesVerdict verdict = judge_dial_tables(tables, requested, std::nullopt);
    if (!verdict.type) {
        wide.problem = verdict.problem;
        return 1;
    }
    const EmitNames names_of_files{"", "dial.h"};
    wide.json = dial_json(tables, *verdict.type, out);
    wide.source = dial_source(tables, *verdict.type, Storage::data, names_of_files, out);
    wide.header = dial_header(tables, *verdict.type, Storage::data, names_of_files, out);
    wide.dial = Dial{tables, false};
    return 0;
}

}  // namespace

extern "C" {

// Runs hndpos with `count` argument texts; returns its exit status.
EMSCRIPTEN_KEEPALIVE int hndpos_run(const char* const* texts, int count) {
    static bool prepared = false;
    if (!prepared) (void)platform::use_memory_system(memory);
    prepared = true;
    capture = {};
    memory = {};  // the same object the system calls use, emptied
    const char* argv[8] = {"hndpos"};
    const int argc = count < 0 ? 1 : (count > 7 ? 7 : count) + 1;
    for (int k = 1; k < argc; ++k) argv[k] = texts[k - 1];
    const int status = run_program(nullptr, argc, argv);
    try {
        capture.console = memory.bytes(platform::MemorySystem::stdout_handle);
        capture.file = memory.bytes(platform::MemorySystem::file_handle);
        capture.file_created = memory.files_created > 0;
        if (capture.file_created) {
            const ReadResult result = read_table_file(capture.file);
            if (result.ok) {
                capture.table = result.table;
                capture.dial = dial_of_table_file(result.table);
            }
        }
    } catch (const std::bad_alloc&) {
        capture.table.reset();  // no picture, but the run's bytes stand
        capture.dial.reset();
    }
    return status;
}

EMSCRIPTEN_KEEPALIVE const char* hndpos_console_data() { return capture.console.data(); }
EMSCRIPTEN_KEEPALIVE int hndpos_console_size() { return static_cast<int>(capture.console.size()); }
EMSCRIPTEN_KEEPALIVE const char* hndpos_file_data() { return capture.file.data(); }
EMSCRIPTEN_KEEPALIVE int hndpos_file_size() { return static_cast<int>(capture.file.size()); }
EMSCRIPTEN_KEEPALIVE int hndpos_file_created() { return capture.file_created ? 1 : 0; }

// Whether the program takes `text` as an integer argument.
EMSCRIPTEN_KEEPALIVE int hndpos_accepts(const char* text) { return scan_integer(text).accepted ? 1 : 0; }

// Whether the program takes `text` as an integer argument, and its value.
EMSCRIPTEN_KEEPALIVE int hndpos_integer_value(const char* text, std::int32_t* value) {
    const ScannedInteger scanned = scan_integer(text);
    *value = scanned.value;
    return scanned.accepted ? 1 : 0;
}

// The bytes converted from Shift_JIS to UTF-8; null when memory ran out.
EMSCRIPTEN_KEEPALIVE const char* hndpos_to_utf8(const char* bytes, int size) {
    try {
        text_result = shift_jis_to_utf8({bytes, static_cast<std::size_t>(size)});
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
    return text_result.c_str();
}

// The English reading of bytes the program wrote.
EMSCRIPTEN_KEEPALIVE const char* hndpos_english(const char* bytes, int size) {
    try {
        text_result = english_reading({bytes, static_cast<std::size_t>(size)});
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
    return text_result.c_str();
}

// The last run's table for firmware, as hndpos-view --emit writes it with
// the header "hpostbl.h": storage 0 data, 1 const, 2 progmem; part 0 the
// source (empty for data: hpostbl.c itself), 1 the header. The empty text
// without a complete table, null when memory ran out.
EMSCRIPTEN_KEEPALIVE const char* hndpos_grid_file(int storage, int part) {
    try {
        text_result.clear();
        if (capture.table && storage >= 0 && storage <= 2) {
            const auto kind = static_cast<Storage>(storage);
            const EmitNames names{"", "hpostbl.h"};
            if (part == 1) {
                text_result = byte_tables_header(capture.table->params, kind, names);
            } else if (kind != Storage::data) {
                text_result = byte_tables_source(capture.table->params, capture.table->entries, kind, names);
            }
        }
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
    return text_result.c_str();
}

// The dial of the last run's table at h:m:s, with the outline of a display
// of that size (0 for none); the empty text when the run wrote no table.
// A time outside 0:00:00 to 23:59:59 draws nothing; null when memory ran out.
EMSCRIPTEN_KEEPALIVE const char* hndpos_dial_svg(int hours, int minutes, int seconds, int width, int height) {
    const bool valid_time = hours >= 0 && hours <= 23 && minutes >= 0 && minutes <= 59 && seconds >= 0 && seconds <= 59;
    try {
        text_result = capture.dial && valid_time
                          ? render_dial_svg(*capture.dial, {hours, minutes, seconds}, 8, panel_size(width, height))
                          : std::string();
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
    return text_result.c_str();
}

// The first tip of the last run's table that wraps or leaves a display of
// that size (0 for none), or the empty text when every tip fits; with
// `advice`, for a tip that wraps, the hndpos-tables command that writes
// the dial's true coordinates, or the empty text.
EMSCRIPTEN_KEEPALIVE const char* hndpos_display_problem(int width, int height, int advice) {
    text_result.clear();
    if (!capture.dial) return text_result.c_str();
    const DisplayCheck check = check_display(*capture.dial, panel_size(width, height));
    if (advice == 0) {
        text_result = check.problem;
    } else if (check.wrapped) {
        text_result = wide_tables_command(*capture.dial, panel_size(width, height));
    }
    return text_result.c_str();
}

// hndpos-tables for the page: `count` integers in `values` and the
// figures' names, as read_tables_request() reads them; `type` is 0 to 3
// for u8, u16, i16, i32, or -1 for the narrowest. The files are named
// dial.c and dial.h.
// Returns 0, 1 with the reason in hndpos_tables_text(3), or 2 when memory
// ran out.
EMSCRIPTEN_KEEPALIVE int hndpos_tables(const std::int32_t* values, int count, const char* names, int type) {
    try {
        return make_tables(values, count, names, type);
    } catch (const std::bad_alloc&) {
        wide = {};
        return 2;
    }
}

// 0 the JSON, 1 the C source, 2 its header, 3 the reason for a refusal.
EMSCRIPTEN_KEEPALIVE const char* hndpos_tables_text(int which) {
    switch (which) {
    case 0: return wide.json.c_str();
    case 1: return wide.source.c_str();
    case 2: return wide.header.c_str();
    default: return wide.problem.c_str();
    }
}

// The dial of the last tables hndpos_tables() made, as hndpos-view draws it
// at its own scale, at h:m:s, with the outline of a display of that size (0
// for none); the empty text without tables or for a dial too wide to draw,
// null when memory ran out.
EMSCRIPTEN_KEEPALIVE const char* hndpos_tables_svg(int hours, int minutes, int seconds, int width, int height) {
    const bool valid_time = hours >= 0 && hours <= 23 && minutes >= 0 && minutes <= 59 && seconds >= 0 && seconds <= 59;
    try {
        text_result.clear();
        if (wide.dial && valid_time) {
            const PictureSpan span = picture_span(*wide.dial, panel_size(width, height));
            if (span.fits())
                text_result = render_dial_svg(*wide.dial, {hours, minutes, seconds}, default_picture_scale(span),
                                              panel_size(width, height));
        }
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
    return text_result.c_str();
}

// The first tip of the last tables outside a display of that size, or the
// empty text.
EMSCRIPTEN_KEEPALIVE const char* hndpos_tables_display_problem(int width, int height) {
    text_result = wide.dial ? check_display(*wide.dial, panel_size(width, height)).problem : std::string();
    return text_result.c_str();
}

// Each hand's index at a time of day, as the header's index macros give it:
// `positions` the three counts, `time` h, m, s and ms; the three indices go
// to `indices`. Returns 0, or 1 when a count or the time is out of range.
EMSCRIPTEN_KEEPALIVE int hndpos_hand_indices(const std::int32_t* positions, const std::int32_t* time,
                                             std::int32_t* indices) {
    const TimeOfDay when{time[0], time[1], time[2], time[3]};
    if (!is_time_of_day(when)) return 1;
    for (int hand = 0; hand < hand_count; ++hand)
        if (positions[hand] < min_positions || positions[hand] > max_positions) return 1;
    for (int hand = 0; hand < hand_count; ++hand) indices[hand] = hand_index(hand, positions[hand], when);
    return 0;
}

// The limits the programs apply: 0 and 1 the positions per hand, 2 and 3 a
// side of hndpos-view's display, 4 and 5 a side of hndpos-tables' display
// (each the least, then the most).
EMSCRIPTEN_KEEPALIVE int hndpos_limit(int which) {
    const int limits[] = {min_positions,         max_positions,    min_display_side,
                          max_byte_display_side, min_display_side, max_wide_display_side};
    return which >= 0 && which < 6 ? limits[which] : 0;
}

}  // extern "C"
