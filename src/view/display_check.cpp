#include "view/display_check.h"

#include <algorithm>
#include <charconv>

namespace hndpos {
namespace {

std::string tip_name(int hand, int position) {
    return "the " + std::string(hand_names[hand]) + " hand's tip at position " + std::to_string(position);
}

// The first problem of one coordinate, or the empty text. A panel size of
// 0 means no display was given.
std::string coordinate_problem(int hand, int position, char axis, long long true_value, int entry, int panel_size) {
    const std::string what = tip_name(hand, position) + " has " + axis + " " + std::to_string(true_value);
    if (true_value < 0 || true_value > 255)
        return what + ", which wraps modulo 256 to " + std::to_string(entry) + " in the table";
    if (panel_size > 0 && entry >= panel_size)
        return what + ", outside a display " + std::to_string(panel_size) + " pixels " +
               (axis == 'x' ? "wide" : "high") + " (" + axis + " 0 to " + std::to_string(panel_size - 1) + ")";
    return "";
}

}  // namespace

DisplayCheck check_display(const TableFile& table, std::optional<DisplaySize> display) {
    DisplayCheck check;
    const HandParams& p = table.params;
    const int width = display ? display->width : 0;
    const int height = display ? display->height : 0;
    for (int hand = 0; hand < hand_count; ++hand) {
        HandBounds& box = check.bounds[static_cast<std::size_t>(hand)];
        box = {255, 0, 255, 0};
        for (int position = 0; position < position_count; ++position) {
            const int x = table.entry(0, hand, position);
            const int y = table.entry(1, hand, position);
            box = {std::min(box.low_x, x), std::max(box.high_x, x), std::min(box.low_y, y), std::max(box.high_y, y)};
            if (!check.ok) continue;
            const long long true_x = static_cast<long long>(p.CenterX) + tip_offset_x(p, hand, position);
            const long long true_y = static_cast<long long>(p.CenterY) + tip_offset_y(p, hand, position);
            check.problem = coordinate_problem(hand, position, 'x', true_x, x, width);
            if (check.problem.empty()) check.problem = coordinate_problem(hand, position, 'y', true_y, y, height);
            check.ok = check.problem.empty();
            check.wrapped = !check.ok && (true_x < 0 || true_x > 255 || true_y < 0 || true_y > 255);
        }
    }
    return check;
}

std::optional<DisplaySize> parse_display_size(std::string_view text) {
    const std::size_t cross = text.find('x');
    if (cross == std::string_view::npos) return std::nullopt;
    DisplaySize size;
    const auto read = [](std::string_view digits, int& value) {
        if (digits.empty() || digits[0] == '0' || digits.size() > 3) return false;
        const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
        return error == std::errc{} && end == digits.data() + digits.size() && value >= min_display_side &&
               value <= max_byte_display_side;
    };
    if (!read(text.substr(0, cross), size.width) || !read(text.substr(cross + 1), size.height)) return std::nullopt;
    return size;
}

}  // namespace hndpos
