// Whether a dial fits the display it is meant for.
//
// A tip's true coordinate is the centre plus the hand's rounded offset;
// the table keeps it modulo 256. The check finds, in the table's order
// (hour, minute, second hand; positions 0 to 59; x before y), the first tip
// whose true coordinate left 0..255, and with a display size the first
// that lies outside the panel.
#pragma once

#include <array>
#include <optional>
#include <string>

#include "view/table_reader.h"

namespace hndpos {

struct DisplaySize {
    int width = 0;   // 1 to 256 pixels
    int height = 0;  // 1 to 256 pixels
};

// The pixels a hand's 60 tips occupy, as the table holds them.
struct HandBounds {
    int low_x = 0;
    int high_x = 0;
    int low_y = 0;
    int high_y = 0;
};

struct DisplayCheck {
    std::array<HandBounds, hand_count> bounds{};
    bool ok = true;
    bool wrapped = false;  // the problem is a tip that wrapped: the bounds mean nothing
    std::string problem;   // the first tip that wrapped or left the panel
};

DisplayCheck check_display(const TableFile& table, std::optional<DisplaySize> display);

// "WxH", such as "128x64", each from 1 to 256.
std::optional<DisplaySize> parse_display_size(std::string_view text);

}  // namespace hndpos
