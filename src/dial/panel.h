// The panel a dial is drawn on, and the one walk over a dial's entries
// that every check of them takes (hndpos-tables --display and its entry
// type, hndpos-view --check, the page, the CMake function), so that both
// programs name an entry, and a panel's edge, in the same words.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "dial/dial_tables.h"

namespace hndpos {

// A panel's width and height in pixels, each from min_display_side to
// max_wide_display_side.
struct PanelSize {
    int width = 0;
    int height = 0;
};

// Why one entry is refused, as the rest of a sentence after its name
// (" is 97, outside ..."), or "".
using EntryJudge = std::function<std::string(std::int64_t value, Axis axis)>;

// The first entry the judge refuses, named and judged: the hands' x entries
// (hour, minute, second, position by position), then their y entries, then
// each figure position by position, point by point, x before y; or "".
std::string first_refused_entry(const DialTables& tables, const EntryJudge& judge);

// " is 97, outside the 97x64 display (0 to 96)" for an entry off the
// panel, in the entries' units (1/2^subpixel pixel: "(0 to 255 in 1/4
// pixel)"); "" on it.
std::string off_panel(std::int64_t value, Axis axis, PanelSize panel, int subpixel);

// Why a figure's masks were refused: "the figure hand's outline crosses
// itself at position 7: ..." or its point outside the pixels masks cover;
// "" where none was.
std::string mask_refusal_sentence(const DialTables& tables);

// "the second hand's x at position 13", as every refusal names a tip.
std::string hand_entry_name(int hand, Axis axis, int position);

}  // namespace hndpos
