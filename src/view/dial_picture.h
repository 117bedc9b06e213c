// The dial as the display shows it, as an SVG picture: the pixel grid
// magnified, the centre pixel, the 60 tip positions of each hand and the
// three hands drawn from the centre to their tips at a given time.
#pragma once

#include <optional>
#include <string>

#include "view/display_check.h"
#include "view/table_reader.h"

namespace hndpos {

struct ClockTime {
    int hours = 10;
    int minutes = 8;
    int seconds = 30;
};

// The pixels the firmware lights for a hand from (x0, y0) to (x1, y1):
// Bresenham's line, both ends included, as "x,y x,y ...".
std::string line_pixels_text(int x0, int y0, int x1, int y1);

// The position of each hand at the time: the hour hand at (h mod 12)·5 + m/12.
int hand_position(int hand, ClockTime time);

// The picture. `scale` is the size of a display pixel in picture units;
// with a display size the panel's outline is drawn from pixel (0, 0).
std::string render_dial_svg(const TableFile& table, ClockTime time, int scale,
                            std::optional<DisplaySize> display = std::nullopt);

}  // namespace hndpos
