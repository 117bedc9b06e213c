// The panel a dial is drawn on: its size, and whether each entry of the
// tables lands on it.
#pragma once

namespace hndpos {

// A panel's width and height in pixels, each from min_display_side to
// max_wide_display_side.
struct PanelSize {
    int width = 0;
    int height = 0;
};

}  // namespace hndpos
