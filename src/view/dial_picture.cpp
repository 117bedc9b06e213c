#include "view/dial_picture.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

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

constexpr const char* hand_names[3] = {"hour", "minute", "second"};

}  // namespace

std::string line_pixels_text(int x0, int y0, int x1, int y1) {
    std::string text;
    for (const Pixel& p : bresenham(x0, y0, x1, y1)) {
        if (!text.empty()) text += ' ';
        text += std::to_string(p.x) + "," + std::to_string(p.y);
    }
    return text;
}

int hand_position(int hand, ClockTime time) {
    switch (hand) {
    case 0: return (time.hours % 12) * 5 + time.minutes / 12;
    case 1: return time.minutes;
    default: return time.seconds;
    }
}

std::string render_dial_svg(const TableFile& table, ClockTime time, int scale) {
    const HandParams& p = table.params;
    const int centre_x = p.CenterX & 0xFF;
    const int centre_y = p.CenterY & 0xFF;
    // The display area: every pixel the tables name, the centre and a margin.
    int low_x = centre_x;
    int high_x = centre_x;
    int low_y = centre_y;
    int high_y = centre_y;
    bool wrapped = false;
    for (int index = 0; index < 180; ++index) {
        const int x = table.entries[0][static_cast<std::size_t>(index)];
        const int y = table.entries[1][static_cast<std::size_t>(index)];
        low_x = std::min(low_x, x);
        high_x = std::max(high_x, x);
        low_y = std::min(low_y, y);
        high_y = std::max(high_y, y);
        const long long true_x = static_cast<long long>(p.CenterX) + tip_offset_x(p, index / 60, index % 60);
        const long long true_y = static_cast<long long>(p.CenterY) + tip_offset_y(p, index / 60, index % 60);
        if (true_x != x || true_y != y) wrapped = true;
    }
    low_x = std::max(0, low_x - 2);
    low_y = std::max(0, low_y - 2);
    high_x = std::min(255, high_x + 2);
    high_y = std::min(255, high_y + 2);
    // Wide enough for the legend, whatever the size of the dial.
    high_x = std::max(high_x, low_x + 420 / scale);
    const int width = (high_x + 1) * scale;
    const int height = (high_y + 1) * scale;
    const int legend_height = 5 * 16 + 8;

    std::string svg = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    svg += "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + std::to_string(width - low_x * scale) +
           "\" height=\"" + std::to_string(height - low_y * scale + legend_height) + "\" viewBox=\"" +
           std::to_string(low_x * scale) + " " + std::to_string(low_y * scale) + " " +
           std::to_string(width - low_x * scale) + " " + std::to_string(height - low_y * scale + legend_height) +
           "\" shape-rendering=\"crispEdges\">\n";
    svg += "<rect x=\"" + std::to_string(low_x * scale) + "\" y=\"" + std::to_string(low_y * scale) +
           "\" width=\"100%\" height=\"100%\" fill=\"" + background_colour + "\"/>\n";
    // The pixel grid.
    svg += "<g stroke=\"#e0e0e0\" stroke-width=\"1\">\n";
    for (int x = low_x; x <= high_x + 1; ++x)
        svg += "<line x1=\"" + std::to_string(x * scale) + "\" y1=\"" + std::to_string(low_y * scale) + "\" x2=\"" +
               std::to_string(x * scale) + "\" y2=\"" + std::to_string(height) + "\"/>\n";
    for (int y = low_y; y <= high_y + 1; ++y)
        svg += "<line x1=\"" + std::to_string(low_x * scale) + "\" y1=\"" + std::to_string(y * scale) + "\" x2=\"" +
               std::to_string(width) + "\" y2=\"" + std::to_string(y * scale) + "\"/>\n";
    svg += "</g>\n";
    // The tip positions, faint; then the hands at the time, solid; the
    // second hand first, so that the hour hand stays on top.
    for (int hand = 2; hand >= 0; --hand) {
        svg += "<g id=\"" + std::string(hand_names[hand]) + "-tips\">\n";
        for (int position = 0; position < 60; ++position) {
            const std::size_t index = static_cast<std::size_t>(hand) * 60 + static_cast<std::size_t>(position);
            svg += square(table.entries[0][index], table.entries[1][index], scale, hand_colours[hand],
                          " fill-opacity=\"0.35\"");
        }
        svg += "</g>\n";
    }
    for (int hand = 2; hand >= 0; --hand) {
        const std::size_t index =
            static_cast<std::size_t>(hand) * 60 + static_cast<std::size_t>(hand_position(hand, time));
        svg += "<g id=\"" + std::string(hand_names[hand]) + "-hand\">\n";
        for (const Pixel& pixel : bresenham(centre_x, centre_y, table.entries[0][index], table.entries[1][index]))
            svg += square(pixel.x, pixel.y, scale, hand_colours[hand]);
        svg += "</g>\n";
    }
    svg += square(centre_x, centre_y, scale, centre_colour);
    // The legend.
    const auto two_digits = [](int value) { return std::string(value < 10 ? "0" : "") + std::to_string(value); };
    const std::string clock = two_digits(time.hours) + ":" + two_digits(time.minutes) + ":" + two_digits(time.seconds);
    const std::string lines[] = {
        "centre " + std::to_string(p.CenterX) + ":" + std::to_string(p.CenterY) + "   time " + clock,
        "hour radius " + std::to_string(p.HourRadius),
        "minute radius " + std::to_string(p.MinuteRadius),
        "second radius " + std::to_string(p.SecondRadius),
        wrapped ? "some entries wrapped modulo 256 and are shown where they land" : "",
    };
    const int legend_top = height + 16;
    svg += "<g font-family=\"sans-serif\" font-size=\"12\" fill=\"#000000\">\n";
    for (int i = 0; i < 5; ++i) {
        if (lines[i].empty()) continue;
        const int y = legend_top + 16 * i;
        if (i >= 1 && i <= 3)
            svg += "<rect x=\"" + std::to_string(low_x * scale + 4) + "\" y=\"" + std::to_string(y - 10) +
                   "\" width=\"10\" height=\"10\" fill=\"" + hand_colours[i - 1] + "\"/>\n";
        svg += "<text x=\"" + std::to_string(low_x * scale + 20) + "\" y=\"" + std::to_string(y) + "\">" +
               escaped(lines[i]) + "</text>\n";
    }
    svg += "</g>\n</svg>\n";
    return svg;
}

}  // namespace hndpos
