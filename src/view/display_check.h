// Whether a dial reaches the firmware as it is, and where its entries lie.
//
// In hpostbl.c, a true coordinate outside 0..255 is kept modulo 256: the
// check names the first tip that wraps. With a display size, it names the
// first entry off the panel, in the one walk and the words that
// hndpos-tables --display uses (dial/panel.h).
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "dial/dial.h"
#include "dial/panel.h"

namespace hndpos {

// The entries a hand's tips or a figure's points take, as the table holds them.
struct EntryBounds {
    std::int64_t low_x = 0;
    std::int64_t high_x = 0;
    std::int64_t low_y = 0;
    std::int64_t high_y = 0;
};

struct FigureBounds {
    std::string name;
    EntryBounds box;
};

struct DisplayCheck {
    std::array<EntryBounds, hand_count> bounds{};  // of the hands there are
    std::vector<FigureBounds> figures;
    bool ok = true;
    bool wrapped = false;  // the problem is a tip that wrapped: the bounds mean nothing
    std::string problem;   // the first tip that wrapped or left the panel
    std::string advice;    // for a tip that wrapped: the command that writes the dial's true coordinates
};

DisplayCheck check_display(const Dial& dial, std::optional<PanelSize> display);

// The boxes as --check prints them, a line each, "hour hand: x 69 to 97,
// y 16 to 44", with the unit where the entries are sub-pixels.
std::string bounds_report(const Dial& dial, const DisplayCheck& check);

// A display of that size, or none where a side is 0 or outside the sides
// the programs take: how the page and the npm API pass "no display".
std::optional<PanelSize> panel_size(int width, int height);

}  // namespace hndpos
