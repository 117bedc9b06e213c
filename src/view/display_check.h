// Whether a dial fits the display it is meant for.
//
// The check finds, hand by hand (hour, minute, second), position by
// position, x before y, the first tip that does not reach the firmware
// as it is: in hpostbl.c, a true coordinate outside 0..255 that the table
// keeps modulo 256; with a display size, a tip outside the panel; then,
// figure by figure, the first point outside the panel. Sub-pixel entries
// are checked against the panel in their own units.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "dial/dial.h"
#include "dial/panel.h"

namespace hndpos {


// The pixels a hand's tips occupy, as the table holds them.
struct HandBounds {
    std::int64_t low_x = 0;
    std::int64_t high_x = 0;
    std::int64_t low_y = 0;
    std::int64_t high_y = 0;
};

// The entries a figure's points take, at every position.
struct FigureBounds {
    std::string name;
    HandBounds box;
};

struct DisplayCheck {
    std::array<HandBounds, hand_count> bounds{};  // of the hands there are
    std::vector<FigureBounds> figures;
    bool ok = true;
    bool wrapped = false;  // the problem is a tip that wrapped: the bounds mean nothing
    std::string problem;   // the first tip that wrapped or left the panel
    std::string advice;    // for a tip that wrapped: the command that writes the dial's true coordinates
};

DisplayCheck check_display(const Dial& dial, std::optional<PanelSize> display);

// A display of that size, or none where a side is 0 or outside the sides
// the programs take: how the page and the npm API pass "no display".
std::optional<PanelSize> panel_size(int width, int height);

// The hndpos-tables command that writes the dial's tables with true
// coordinates, for the panel when one is given.
std::string wide_tables_command(const Dial& dial, std::optional<PanelSize> display);

}  // namespace hndpos
