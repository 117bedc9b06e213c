#include "view/dial_picture.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "table/dial_rules.h"

namespace hndpos {
namespace {

struct Pixel {
    int x;
    int y;
};

std::vector<Pixel> bresenham(int x0, int y0, int x1, int y1) {
    std::vector<Pixel> pixels;
    const int dx = std::abs(x1 - x0);
    const int dy = -std::abs(y1 - y0);
    const int step_x = x0 < x1 ? 1 : -1;
    const int step_y = y0 < y1 ? 1 : -1;
    int error = dx + dy;
    for (;;) {
        pixels.push_back({x0, y0});
        if (x0 == x1 && y0 == y1) return pixels;
        const int doubled = 2 * error;
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

std::string square(int x, int y, int scale, const char* colour, const char* extra = "") {
    return "<rect x=\"" + std::to_string(x * scale) + "\" y=\"" + std::to_string(y * scale) + "\" width=\"" +
           std::to_string(scale) + "\" height=\"" + std::to_string(scale) + "\" fill=\"" + colour + "\"" + extra +
           "/>\n";
}

// The colours of the hands (hour, minute, second), the centre and the
// background.
constexpr const char* hand_colours[hand_count] = {"#d62728", "#1f77b4", "#2ca02c"};
constexpr const char* centre_colour = "#000000";
constexpr const char* background_colour = "#ffffff";

constexpr int legend_line_height = 16;
constexpr int legend_lines = 5;
constexpr int legend_width = 420;  // picture units, enough for the longest line

// The display pixels the picture shows: every tip and the centre with a
// margin of 2, inside the 256 × 256 pixels that a byte can address, and
// wide enough for the legend.
struct Area {
    int low_x;
    int low_y;
    int high_x;
    int high_y;
};

Area picture_area(const TableFile& table, int scale, std::optional<DisplaySize> display) {
    Area area{table.params.CenterX & 0xFF, table.params.CenterY & 0xFF, 0, 0};
    area.high_x = area.low_x;
    area.high_y = area.low_y;
    if (display) {
        area.low_x = 0;
        area.low_y = 0;
        area.high_x = std::max(area.high_x, display->width - 1);
        area.high_y = std::max(area.high_y, display->height - 1);
    }
    for (std::size_t index = 0; index < entries_per_table; ++index) {
        area.low_x = std::min<int>(area.low_x, table.entries[0][index]);
        area.high_x = std::max<int>(area.high_x, table.entries[0][index]);
        area.low_y = std::min<int>(area.low_y, table.entries[1][index]);
        area.high_y = std::max<int>(area.high_y, table.entries[1][index]);
    }
    area.low_x = std::max(0, area.low_x - 2);
    area.low_y = std::max(0, area.low_y - 2);
    area.high_x = std::min(255, area.high_x + 2);
    area.high_y = std::min(255, area.high_y + 2);
    area.high_x = std::max(area.high_x, area.low_x + legend_width / scale);
    return area;
}

// Whether some tip's coordinate left 0..255 and was kept modulo 256: the
// display check without a display finds exactly those.
bool any_entry_wrapped(const TableFile& table) { return !check_display(table, std::nullopt).ok; }

std::string line_element(int x1, int y1, int x2, int y2) {
    return "<line x1=\"" + std::to_string(x1) + "\" y1=\"" + std::to_string(y1) + "\" x2=\"" + std::to_string(x2) +
           "\" y2=\"" + std::to_string(y2) + "\"/>\n";
}

std::string grid(const Area& area, int scale) {
    const int top = area.low_y * scale;
    const int bottom = (area.high_y + 1) * scale;
    const int left = area.low_x * scale;
    const int right = (area.high_x + 1) * scale;
    std::string svg = "<g stroke=\"#e0e0e0\" stroke-width=\"1\">\n";
    for (int x = area.low_x; x <= area.high_x + 1; ++x) svg += line_element(x * scale, top, x * scale, bottom);
    for (int y = area.low_y; y <= area.high_y + 1; ++y) svg += line_element(left, y * scale, right, y * scale);
    return svg + "</g>\n";
}

// The 60 tip positions of each hand, faint; the second hand's first, so
// that the hour hand's stay on top.
std::string tips(const TableFile& table, int scale) {
    std::string svg;
    for (int hand = hand_count - 1; hand >= 0; --hand) {
        svg += "<g id=\"" + std::string(hand_names[hand]) + "-tips\">\n";
        for (int position = 0; position < position_count; ++position) {
            svg += square(table.entry(0, hand, position), table.entry(1, hand, position), scale, hand_colours[hand],
                          " fill-opacity=\"0.35\"");
        }
        svg += "</g>\n";
    }
    return svg;
}

// The hands at the time, solid, drawn from the centre as firmware draws them.
std::string hands(const TableFile& table, ClockTime time, int scale) {
    const int centre_x = table.params.CenterX & 0xFF;
    const int centre_y = table.params.CenterY & 0xFF;
    std::string svg;
    for (int hand = hand_count - 1; hand >= 0; --hand) {
        const int position = hand_position(hand, time);
        svg += "<g id=\"" + std::string(hand_names[hand]) + "-hand\">\n";
        for (const Pixel& pixel :
             bresenham(centre_x, centre_y, table.entry(0, hand, position), table.entry(1, hand, position)))
            svg += square(pixel.x, pixel.y, scale, hand_colours[hand]);
        svg += "</g>\n";
    }
    return svg + square(centre_x, centre_y, scale, centre_colour);
}

// The panel's edge, just outside its pixels.
std::string panel_outline(DisplaySize display, int scale) {
    return "<rect id=\"display\" x=\"0\" y=\"0\" width=\"" + std::to_string(display.width * scale) + "\" height=\"" +
           std::to_string(display.height * scale) + "\" fill=\"none\" stroke=\"#ff7f0e\" stroke-width=\"2\"/>\n";
}

std::string two_digits(int value) { return std::string(value < 10 ? "0" : "") + std::to_string(value); }

// The parameters and the time below the dial, a colour key for each hand.
std::string legend(const TableFile& table, ClockTime time, std::optional<DisplaySize> display, const Area& area,
                   int scale) {
    const HandParams& p = table.params;
    const std::string clock = two_digits(time.hours) + ":" + two_digits(time.minutes) + ":" + two_digits(time.seconds);
    const std::string panel =
        display ? "   display " + std::to_string(display->width) + "x" + std::to_string(display->height) : "";
    const std::string lines[legend_lines] = {
        "centre " + std::to_string(p.CenterX) + ":" + std::to_string(p.CenterY) + "   time " + clock + panel,
        std::string(hand_names[0]) + " radius " + std::to_string(p.HourRadius),
        std::string(hand_names[1]) + " radius " + std::to_string(p.MinuteRadius),
        std::string(hand_names[2]) + " radius " + std::to_string(p.SecondRadius),
        any_entry_wrapped(table) ? "some entries wrapped modulo 256 and are shown where they land" : "",
    };
    const int left = area.low_x * scale;
    const int top = (area.high_y + 1) * scale + legend_line_height;
    std::string svg = "<g font-family=\"sans-serif\" font-size=\"12\" fill=\"#000000\">\n";
    for (int i = 0; i < legend_lines; ++i) {
        if (lines[i].empty()) continue;
        const int y = top + legend_line_height * i;
        if (i >= 1 && i <= hand_count)
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

// hndpos's 60 positions a hand: the core's hand index, which for them is the
// minute and the second themselves and, for the hour hand, (h % 12) * 5 + m / 12.
int hand_position(int hand, ClockTime time) {
    return hand_index(hand, position_count, {time.hours, time.minutes, time.seconds, 0});
}

std::string render_dial_svg(const TableFile& table, ClockTime time, int scale, std::optional<DisplaySize> display) {
    const Area area = picture_area(table, scale, display);
    const int left = area.low_x * scale;
    const int top = area.low_y * scale;
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
    svg += tips(table, scale);
    svg += hands(table, time, scale);
    svg += legend(table, time, display, area, scale);
    return svg + "</svg>\n";
}

}  // namespace hndpos
