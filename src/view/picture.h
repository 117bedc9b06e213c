// The dial as the display shows it, as an SVG picture: the pixel grid
// magnified, the centre pixel, every tip position of each hand, the three
// hands drawn from the centre to their tips at a given time, and any
// figures: one that follows a turn where the time puts it, a ring at every
// position; three points or more as a filled polygon, two as a line, one
// as a dot. Sub-pixel entries are shown in the pixel they fall in.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "dial/dial.h"
#include "dial/dial_rules.h"
#include "view/display_check.h"

namespace hndpos {

// The pixels the firmware lights for a hand from (x0, y0) to (x1, y1):
// Bresenham's line, both ends included, as "x,y x,y ...".
std::string line_pixels_text(int x0, int y0, int x1, int y1);

// The picture shows at most this many display pixels each way.
inline constexpr std::int64_t max_picture_side = 8192;

// The figures' squares and polygons a picture draws at most: more would make
// an SVG of tens of megabytes that no browser shows.
inline constexpr std::size_t max_picture_elements = 250000;

// The picture would draw more than max_picture_elements: `elements` as far
// as it counted.
struct PictureTooLarge {
    std::int64_t elements = 0;
};

// The display pixels the picture shows each way: every tip, the centre and
// the panel, with a margin.
struct PictureSpan {
    std::int64_t width = 0;
    std::int64_t height = 0;
    bool fits() const { return width <= max_picture_side && height <= max_picture_side; }
};
PictureSpan picture_span(const Dial& dial, std::optional<PanelSize> display);

// The scale a picture has when none is asked for: 8 picture units a pixel,
// fewer where that would make the picture over 4096 units wide or high.
int default_picture_scale(PictureSpan span);

// The picture; its span must fit. `scale` is the size of a display pixel in
// picture units; with a display size the panel's outline is drawn from
// pixel (0, 0). Throws PictureTooLarge.
// A figure on an arc stands where its reading puts it, at its first
// position without one.
std::string render_dial_svg(const Dial& dial, TimeOfDay time, int scale,
                            std::optional<PanelSize> display = std::nullopt,
                            const std::vector<GaugeReading>& readings = {});

// What is wrong with readings for this dial (a figure that is not there or
// stands on no arc), or "".
std::string reading_problem(const Dial& dial, const std::vector<GaugeReading>& readings);

}  // namespace hndpos
