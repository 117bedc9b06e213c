#include "view/picture.h"

#include <algorithm>
#include <cstdlib>
#include <map>
#include <set>
#include <utility>
#include <vector>

#include "dial/dial_rules.h"
#include "texts/join.h"

namespace hndpos {
namespace {

struct Pixel {
    std::int64_t x;
    std::int64_t y;
};

std::vector<Pixel> bresenham(std::int64_t x0, std::int64_t y0, std::int64_t x1, std::int64_t y1) {
    std::vector<Pixel> pixels;
    const std::int64_t dx = std::abs(x1 - x0);
    const std::int64_t dy = -std::abs(y1 - y0);
    const int step_x = x0 < x1 ? 1 : -1;
    const int step_y = y0 < y1 ? 1 : -1;
    std::int64_t error = dx + dy;
    for (;;) {
        pixels.push_back({x0, y0});
        if (x0 == x1 && y0 == y1) return pixels;
        const std::int64_t doubled = 2 * error;
        if (doubled >= dy) {
            error += dy;
            x0 += step_x;
        }
        if (doubled <= dx) {
            error += dx;
            y0 += step_y;
        }
    }
}

std::string escaped(const std::string& text) {
    std::string out;
    for (const char c : text) {
        if (c == '&') {
            out += "&amp;";
        } else if (c == '<') {
            out += "&lt;";
        } else {
            out += c;
        }
    }
    return out;
}

std::string square(std::int64_t x, std::int64_t y, int scale, const char* colour, const char* extra = "") {
    return "<rect x=\"" + std::to_string(x * scale) + "\" y=\"" + std::to_string(y * scale) + "\" width=\"" +
           std::to_string(scale) + "\" height=\"" + std::to_string(scale) + "\" fill=\"" + colour + "\"" + extra +
           "/>\n";
}

// The colours of the hands (hour, minute, second), the centre and the
// background.
constexpr const char* hand_colours[hand_count] = {"#d62728", "#1f77b4", "#2ca02c"};
constexpr const char* centre_colour = "#000000";
constexpr const char* background_colour = "#ffffff";

constexpr std::int64_t legend_line_height = 16;
constexpr std::int64_t legend_lines = 5;
constexpr int legend_width = 420;  // picture units, enough for the longest line

// The display pixels the picture shows: every tip and the centre with a
// margin of 2 (for hpostbl.c inside the 256 x 256 pixels that a byte can
// address), the panel, and room for the legend.
struct Area {
    std::int64_t low_x;
    std::int64_t low_y;
    std::int64_t high_x;
    std::int64_t high_y;
};

Area picture_area(const Dial& dial, std::optional<PanelSize> display) {
    Area area{dial.center(Axis::x), dial.center(Axis::y), dial.center(Axis::x), dial.center(Axis::y)};
    if (display)
        area = {0, 0, std::max<std::int64_t>(area.high_x, display->width - 1),
                std::max<std::int64_t>(area.high_y, display->height - 1)};
    const auto take = [&](std::int64_t x, std::int64_t y) {
        area = {std::min(area.low_x, dial.pixel(x)), std::min(area.low_y, dial.pixel(y)),
                std::max(area.high_x, dial.pixel(x)), std::max(area.high_y, dial.pixel(y))};
    };
    for (int hand = 0; hand < hand_count; ++hand)
        for (int position = 0; position < dial.positions(hand); ++position)
            take(dial.entry(hand, Axis::x, position), dial.entry(hand, Axis::y, position));
    for (const FigureEntries& figure : dial.tables.figures)
        for (const auto& box : figure.bounds) {
            take(box[0], box[1]);
            take(box[2], box[3]);
        }
    area = {area.low_x - 2, area.low_y - 2, area.high_x + 2, area.high_y + 2};
    if (dial.byte_entries)
        area = {std::max<std::int64_t>(0, area.low_x), std::max<std::int64_t>(0, area.low_y),
                std::min<std::int64_t>(255, area.high_x), std::min<std::int64_t>(255, area.high_y)};
    return area;
}

// Room for the legend's longest line.
Area with_legend(Area area, int scale) {
    area.high_x = std::max<std::int64_t>(area.high_x, area.low_x + legend_width / scale);
    return area;
}

// Whether some tip's coordinate left 0..255 and was kept modulo 256: the
// display check without a display finds exactly those.
bool any_entry_wrapped(const Dial& dial) { return check_display(dial, std::nullopt).wrapped; }

std::string line_element(std::int64_t x1, std::int64_t y1, std::int64_t x2, std::int64_t y2) {
    return "<line x1=\"" + std::to_string(x1) + "\" y1=\"" + std::to_string(y1) + "\" x2=\"" + std::to_string(x2) +
           "\" y2=\"" + std::to_string(y2) + "\"/>\n";
}

std::string grid(const Area& area, int scale) {
    const std::int64_t top = area.low_y * scale;
    const std::int64_t bottom = (area.high_y + 1) * scale;
    const std::int64_t left = area.low_x * scale;
    const std::int64_t right = (area.high_x + 1) * scale;
    std::string svg = "<g stroke=\"#e0e0e0\" stroke-width=\"1\">\n";
    for (std::int64_t x = area.low_x; x <= area.high_x + 1; ++x) svg += line_element(x * scale, top, x * scale, bottom);
    for (std::int64_t y = area.low_y; y <= area.high_y + 1; ++y) svg += line_element(left, y * scale, right, y * scale);
    return svg + "</g>\n";
}

// Every tip pixel of each hand, faint, once however many positions share
// it; the second hand's first, so that the hour hand's stay on top.
std::string tips(const Dial& dial, int scale) {
    std::string svg;
    for (int hand = hand_count - 1; hand >= 0; --hand) {
        svg += "<g id=\"" + std::string(hand_names[hand]) + "-tips\">\n";
        std::set<std::pair<std::int64_t, std::int64_t>> drawn;
        for (int position = 0; position < dial.positions(hand); ++position) {
            const std::int64_t x = dial.pixel(dial.entry(hand, Axis::x, position));
            const std::int64_t y = dial.pixel(dial.entry(hand, Axis::y, position));
            if (drawn.insert({x, y}).second) svg += square(x, y, scale, hand_colours[hand], " fill-opacity=\"0.35\"");
        }
        svg += "</g>\n";
    }
    return svg;
}

// The hands at the time, solid, drawn from the centre as firmware draws them.
std::string hands(const Dial& dial, TimeOfDay time, int scale) {
    const std::int64_t centre_x = dial.center(Axis::x);
    const std::int64_t centre_y = dial.center(Axis::y);
    std::string svg;
    for (int hand = hand_count - 1; hand >= 0; --hand) {
        if (dial.positions(hand) == 0) continue;
        const int position = hand_index(hand, dial.positions(hand), time);
        svg += "<g id=\"" + std::string(hand_names[hand]) + "-hand\">\n";
        for (const Pixel& pixel : bresenham(centre_x, centre_y, dial.pixel(dial.entry(hand, Axis::x, position)),
                                            dial.pixel(dial.entry(hand, Axis::y, position))))
            svg += square(pixel.x, pixel.y, scale, hand_colours[hand]);
        svg += "</g>\n";
    }
    return svg + square(centre_x, centre_y, scale, centre_colour);
}

// The figures, each where it stands at the time: one that follows a turn
// at the turn's index (a hand), a ring at every position at once. Three
// points or more are a filled polygon, two a line of pixels, one a dot;
// each pixel is drawn once however many positions light it, and a picture
// of more than max_picture_elements squares and polygons is refused. Each
// point at the centre of its pixel.
constexpr const char* figure_colour = "#9467bd";

using PixelSet = std::set<std::pair<std::int64_t, std::int64_t>>;

struct FigureDrawing {
    PixelSet pixels;
    std::vector<std::size_t> polygons;  // the positions drawn as polygons
};

// Where a figure on an arc stands: at its reading's position, or at the
// scale's low end.
int arc_position_read(const Figure& figure, const std::vector<GaugeReading>& readings) {
    for (const GaugeReading& r : readings)
        if (r.figure == figure.name) return arc_position(r.value, r.low, r.high, figure.positions);
    return 0;
}

FigureDrawing drawing_of(const Dial& dial, std::size_t f, TimeOfDay time, const std::vector<GaugeReading>& readings) {
    const Figure& figure = dial.tables.params.figures[f];
    const FigureEntries& entries = dial.tables.figures[f];
    const std::size_t points = figure.points.size();
    FigureDrawing drawing;
    std::vector<std::size_t> positions;
    if (figure.turn) {
        positions.push_back(static_cast<std::size_t>(hand_index(*figure.turn, figure.positions, time)));
    } else if (figure.arc) {
        positions.push_back(static_cast<std::size_t>(arc_position_read(figure, readings)));
    } else {
        for (std::size_t k = 0; k < static_cast<std::size_t>(figure.positions); ++k) positions.push_back(k);
    }
    for (const std::size_t k : positions) {
        const std::size_t first = k * points;
        if (points >= 3) {
            drawing.polygons.push_back(k);
        } else if (points == 1) {
            drawing.pixels.insert({dial.pixel(entries.x[first]), dial.pixel(entries.y[first])});
        } else {
            for (const Pixel& pixel : bresenham(dial.pixel(entries.x[first]), dial.pixel(entries.y[first]),
                                                dial.pixel(entries.x[first + 1]), dial.pixel(entries.y[first + 1])))
                drawing.pixels.insert({pixel.x, pixel.y});
        }
        if (drawing.pixels.size() + drawing.polygons.size() > max_picture_elements)
            throw PictureTooLarge{static_cast<std::int64_t>(max_picture_elements) + 1};
    }
    return drawing;
}

// n / 2^shift in decimal, exactly (a binary fraction ends in decimal).
std::string exact_decimal(std::int64_t n, int shift) {
    const bool negative = n < 0;
    const auto magnitude = static_cast<std::uint64_t>(negative ? -n : n);
    std::string text = negative ? "-" : "";
    text += std::to_string(magnitude >> shift);
    std::uint64_t rest = magnitude & ((std::uint64_t{1} << shift) - 1);
    if (rest == 0) return text;
    text += ".";
    while (rest != 0) {
        rest *= 10;
        text += static_cast<char>('0' + (rest >> shift));
        rest &= (std::uint64_t{1} << shift) - 1;
    }
    return text;
}

// A masked figure: each pixel at the opacity of its level (where positions
// overlap, the highest), and the outlines at their exact points.
std::string masked_figure(const Dial& dial, std::size_t f, const std::vector<std::size_t>& positions, int scale,
                          std::size_t& elements) {
    const Figure& figure = dial.tables.params.figures[f];
    const FigureEntries& entries = dial.tables.figures[f];
    const MaskSet& masks = *entries.masks;
    std::map<std::pair<std::int64_t, std::int64_t>, int> levels;
    for (const std::size_t k : positions) {
        const PixelMask& m = masks.positions[k];
        for (int r = 0; r < m.height; ++r)
            for (int c = 0; c < m.width; ++c)
                if (const int level = m.level(m.x + c, m.y + r); level > 0) {
                    int& most = levels[{m.x + c, m.y + r}];
                    most = std::max(most, level);
                }
        elements += 1;
        if (levels.size() + elements > max_picture_elements)
            throw PictureTooLarge{static_cast<std::int64_t>(levels.size() + elements)};
    }
    elements += levels.size();
    const int whole = (1 << masks.bits) - 1;
    std::string svg;
    for (const auto& [pixel, level] : levels) {
        const int thousandths = (level * 1000 + whole / 2) / whole;
        const std::string opacity =
            join({" fill-opacity=\"", std::to_string(thousandths / 1000), ".", std::to_string(thousandths % 1000 / 100),
                  std::to_string(thousandths % 100 / 10), std::to_string(thousandths % 10), "\" stroke=\"none\""});
        svg += square(pixel.first, pixel.second, scale, figure_colour, opacity.c_str());
    }
    const std::size_t points = figure.points.size();
    const int s = dial.subpixel();
    // The centre of pixel x lies at x·scale + scale/2 in the picture.
    const auto at = [&](std::int64_t entry) {
        return exact_decimal(entry * scale + (std::int64_t{scale} << s) / 2, s);
    };
    for (const std::size_t k : positions) {
        svg += "<polygon fill=\"none\" stroke-width=\"1\" points=\"";
        for (std::size_t p = 0; p < points; ++p)
            append(svg, {p == 0 ? "" : " ", at(entries.x[k * points + p]), ",", at(entries.y[k * points + p])});
        svg += "\"/>\n";
    }
    return svg;
}

std::string figures(const Dial& dial, TimeOfDay time, const std::vector<GaugeReading>& readings, int scale) {
    const auto centre = [&](std::int64_t entry) { return std::to_string(dial.pixel(entry) * scale + scale / 2); };
    const std::string colour = figure_colour;
    std::string svg;
    std::size_t elements = 0;
    for (std::size_t f = 0; f < dial.tables.figures.size(); ++f) {
        const Figure& figure = dial.tables.params.figures[f];
        const FigureEntries& entries = dial.tables.figures[f];
        const std::size_t points = figure.points.size();
        const FigureDrawing drawing = drawing_of(dial, f, time, readings);
        append(svg, {"<g id=\"figure-", figure.name, "\" fill=\"", colour, "\" stroke=\"", colour, "\">\n"});
        if (entries.masks) {
            svg += masked_figure(dial, f, drawing.polygons, scale, elements) + "</g>\n";
            continue;
        }
        elements += drawing.pixels.size() + drawing.polygons.size();
        if (elements > max_picture_elements) throw PictureTooLarge{static_cast<std::int64_t>(elements)};
        for (const std::size_t k : drawing.polygons) {
            svg += "<polygon fill-opacity=\"0.8\" points=\"";
            for (std::size_t p = 0; p < points; ++p)
                append(svg,
                       {p == 0 ? "" : " ", centre(entries.x[k * points + p]), ",", centre(entries.y[k * points + p])});
            svg += "\"/>\n";
        }
        for (const auto& [x, y] : drawing.pixels) svg += square(x, y, scale, figure_colour);
        svg += "</g>\n";
    }
    return svg;
}

// The panel's edge, just outside its pixels.
std::string panel_outline(PanelSize display, int scale) {
    return "<rect id=\"display\" x=\"0\" y=\"0\" width=\"" + std::to_string(std::int64_t{display.width} * scale) +
           "\" height=\"" + std::to_string(std::int64_t{display.height} * scale) +
           "\" fill=\"none\" stroke=\"#ff7f0e\" stroke-width=\"2\"/>\n";
}

std::string two_digits(int value) { return std::string(value < 10 ? "0" : "") + std::to_string(value); }

// Without hands, the figures take the hands' lines.
std::string figures_line(const Dial& dial) {
    std::string line = "figures";
    for (const Figure& figure : dial.tables.params.figures)
        append(line, {" ", figure.name, " (", std::to_string(figure.positions), " positions)"});
    return line;
}

// The parameters and the time below the dial, a colour key for each hand.
std::string hand_line(const Dial& dial, int hand) {
    const std::size_t h = static_cast<std::size_t>(hand);
    if (dial.positions(hand) == 0) return hand == 0 ? figures_line(dial) : "";
    std::string line = std::string(hand_names[hand]) + " radius " + std::to_string(dial.tables.params.radii[h]);
    if (!dial.byte_entries) line += ", " + std::to_string(dial.positions(hand)) + " positions";
    return line;
}

std::string legend(const Dial& dial, TimeOfDay time, std::optional<PanelSize> display, const Area& area, int scale) {
    const DialParams& p = dial.tables.params;
    const std::string clock = two_digits(time.hours) + ":" + two_digits(time.minutes) + ":" + two_digits(time.seconds);
    const std::string panel =
        display ? "   display " + std::to_string(display->width) + "x" + std::to_string(display->height) : "";
    const std::string lines[legend_lines] = {
        "centre " + center_text(p, Axis::x) + ":" + center_text(p, Axis::y) + "   time " + clock + panel,
        hand_line(dial, 0),
        hand_line(dial, 1),
        hand_line(dial, 2),
        any_entry_wrapped(dial) ? "some entries wrapped modulo 256 and are shown where they land" : "",
    };
    const std::int64_t left = area.low_x * scale;
    const std::int64_t top = (area.high_y + 1) * scale + legend_line_height;
    std::string svg = "<g font-family=\"sans-serif\" font-size=\"12\" fill=\"#000000\">\n";
    for (int i = 0; i < legend_lines; ++i) {
        if (lines[i].empty()) continue;
        const std::int64_t y = top + legend_line_height * i;
        if (i >= 1 && i <= hand_count && dial.positions(i - 1) > 0)
            svg += "<rect x=\"" + std::to_string(left + 4) + "\" y=\"" + std::to_string(y - 10) +
                   "\" width=\"10\" height=\"10\" fill=\"" + hand_colours[i - 1] + "\"/>\n";
        svg += "<text x=\"" + std::to_string(left + 20) + "\" y=\"" + std::to_string(y) + "\">" + escaped(lines[i]) +
               "</text>\n";
    }
    return svg + "</g>\n";
}

}  // namespace

std::string line_pixels_text(int x0, int y0, int x1, int y1) {
    std::string text;
    for (const Pixel& p : bresenham(x0, y0, x1, y1)) {
        if (!text.empty()) text += ' ';
        text += std::to_string(p.x) + "," + std::to_string(p.y);
    }
    return text;
}

PictureSpan picture_span(const Dial& dial, std::optional<PanelSize> display) {
    const Area area = picture_area(dial, display);
    return {area.high_x - area.low_x + 1, area.high_y - area.low_y + 1};
}

int default_picture_scale(PictureSpan span) {
    const std::int64_t side = std::max<std::int64_t>({span.width, span.height, 1});
    return static_cast<int>(std::clamp<std::int64_t>(4096 / side, 1, 8));
}

std::string reading_problem(const Dial& dial, const std::vector<GaugeReading>& readings) {
    for (const GaugeReading& r : readings) {
        const auto& figures = dial.tables.params.figures;
        const auto named =
            std::find_if(figures.begin(), figures.end(), [&](const Figure& f) { return f.name == r.figure; });
        if (named == figures.end()) return "--reading: no figure is named " + r.figure;
        if (!named->arc) return "--reading: the figure " + r.figure + " stands on no arc";
    }
    return "";
}

std::string render_dial_svg(const Dial& dial, TimeOfDay time, int scale, std::optional<PanelSize> display,
                            const std::vector<GaugeReading>& readings) {
    const Area area = with_legend(picture_area(dial, display), scale);
    const std::int64_t left = area.low_x * scale;
    const std::int64_t top = area.low_y * scale;
    const std::string width = std::to_string((area.high_x + 1) * scale - left);
    const std::string height = std::to_string((area.high_y + 1) * scale - top + legend_lines * legend_line_height + 8);
    std::string svg = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    svg += "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + width + "\" height=\"" + height + "\" viewBox=\"" +
           std::to_string(left) + " " + std::to_string(top) + " " + width + " " + height +
           "\" shape-rendering=\"crispEdges\">\n";
    svg += "<rect x=\"" + std::to_string(left) + "\" y=\"" + std::to_string(top) +
           "\" width=\"100%\" height=\"100%\" fill=\"" + background_colour + "\"/>\n";
    svg += grid(area, scale);
    if (display) svg += panel_outline(*display, scale);
    svg += tips(dial, scale);
    svg += figures(dial, time, readings, scale);
    svg += hands(dial, time, scale);
    svg += legend(dial, time, display, area, scale);
    return svg + "</svg>\n";
}

}  // namespace hndpos
