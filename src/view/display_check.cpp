#include "view/display_check.h"

#include <algorithm>

#include "texts/join.h"
#include "dial/dial_rules.h"

namespace hndpos {
namespace {

std::string tip_name(int hand, int position) {
    return "the " + std::string(hand_names[hand]) + " hand's tip at position " + std::to_string(position);
}

// Whether an entry lies on a panel `panel_size` pixels across (0: no panel
// was given), in the entries' units.
bool on_panel(const Dial& dial, std::int64_t entry, int panel_size) {
    return panel_size == 0 || (entry >= 0 && entry < (std::int64_t{panel_size} << dial.subpixel()));
}

// `what` and where the panel ends, for an entry outside it; or "".
std::string outside_panel(const Dial& dial, std::int64_t entry, Axis axis, int panel_size, const std::string& what) {
    if (on_panel(dial, entry, panel_size)) return "";
    const std::int64_t units = std::int64_t{panel_size} << dial.subpixel();
    const std::string unit = std::to_string(1 << dial.subpixel());
    return join({what, ", outside a display ", std::to_string(panel_size), " pixels ",
                 axis == Axis::x ? "wide" : "high", " (", axis == Axis::x ? "x" : "y", " 0 to ",
                 std::to_string(units - 1), dial.subpixel() == 0 ? "" : " in 1/", dial.subpixel() == 0 ? "" : unit,
                 dial.subpixel() == 0 ? "" : " pixels", ")"});
}

// The first point of a figure outside the panel, or "".
std::string figure_problem(const Dial& dial, std::size_t f, int width, int height) {
    const Figure& figure = dial.tables.params.figures[f];
    const FigureEntries& entries = dial.tables.figures[f];
    const std::size_t points = figure.points.size();
    for (std::size_t i = 0; i < entries.x.size(); ++i) {
        for (const Axis axis : {Axis::x, Axis::y}) {
            const std::int64_t value = axis == Axis::x ? entries.x[i] : entries.y[i];
            const int size = axis == Axis::x ? width : height;
            if (on_panel(dial, value, size)) continue;  // the message is built for the first misfit only
            return outside_panel(
                dial, value, axis, size,
                join({"the figure ", figure.name, "'s point ", std::to_string(i % points), " at position ",
                      std::to_string(i / points), " has ", axis == Axis::x ? "x " : "y ", std::to_string(value)}));
        }
    }
    return "";
}

// The first problem of one coordinate, or the empty text. A panel size of
// 0 means no display was given.
std::string coordinate_problem(const Dial& dial, int hand, int position, Axis axis, int panel_size) {
    const std::int64_t true_value = dial.true_coordinate(hand, axis, position);
    const std::int64_t entry = dial.entry(hand, axis, position);
    const char name = axis == Axis::x ? 'x' : 'y';
    const std::string what = tip_name(hand, position) + " has " + name + " " + std::to_string(true_value);
    if (true_value != entry) return what + ", which wraps modulo 256 to " + std::to_string(entry) + " in the table";
    return outside_panel(dial, entry, axis, panel_size, what);
}

}  // namespace

DisplayCheck check_display(const Dial& dial, std::optional<PanelSize> display) {
    DisplayCheck check;
    const int width = display ? display->width : 0;
    const int height = display ? display->height : 0;
    for (int hand = 0; hand < hand_count && check.ok; ++hand) {
        for (int position = 0; position < dial.positions(hand) && check.ok; ++position) {
            for (const Axis axis : {Axis::x, Axis::y}) {
                check.problem = coordinate_problem(dial, hand, position, axis, axis == Axis::x ? width : height);
                check.ok = check.problem.empty();
                check.wrapped =
                    !check.ok && dial.true_coordinate(hand, axis, position) != dial.entry(hand, axis, position);
                if (!check.ok) break;
            }
        }
    }
    for (std::size_t f = 0; f < dial.tables.figures.size() && check.ok; ++f) {
        check.problem = figure_problem(dial, f, width, height);
        check.ok = check.problem.empty();
    }
    if (check.wrapped) check.advice = "for this dial's true coordinates, run: " + wide_tables_command(dial, display);
    for (int hand = 0; hand < hand_count; ++hand) {
        HandBounds& box = check.bounds[static_cast<std::size_t>(hand)];
        box = {INT64_MAX, INT64_MIN, INT64_MAX, INT64_MIN};
        for (int position = 0; position < dial.positions(hand); ++position) {
            const std::int64_t x = dial.entry(hand, Axis::x, position);
            const std::int64_t y = dial.entry(hand, Axis::y, position);
            box = {std::min(box.low_x, x), std::max(box.high_x, x), std::min(box.low_y, y), std::max(box.high_y, y)};
        }
    }
    for (std::size_t f = 0; f < dial.tables.figures.size(); ++f) {
        const FigureEntries& entries = dial.tables.figures[f];
        HandBounds box{INT64_MAX, INT64_MIN, INT64_MAX, INT64_MIN};
        for (const auto& b : entries.bounds)
            box = {std::min(box.low_x, b[0]), std::max(box.high_x, b[2]), std::min(box.low_y, b[1]),
                   std::max(box.high_y, b[3])};
        check.figures.push_back({dial.tables.params.figures[f].name, box});
    }
    return check;
}

std::optional<PanelSize> panel_size(int width, int height) {
    const auto side = [](int value) { return value >= min_display_side && value <= max_wide_display_side; };
    if (!side(width) || !side(height)) return std::nullopt;
    return PanelSize{width, height};
}

std::string wide_tables_command(const Dial& dial, std::optional<PanelSize> display) {
    const DialParams& p = dial.tables.params;
    std::string command = "hndpos-tables --center " + std::to_string(p.center_x) + " " + std::to_string(p.center_y) +
                          " --radii " + std::to_string(p.radii[0]) + " " + std::to_string(p.radii[1]) + " " +
                          std::to_string(p.radii[2]);
    if (p.positions != std::array<int, hand_count>{position_count, position_count, position_count})
        command += " --positions " + std::to_string(p.positions[0]) + " " + std::to_string(p.positions[1]) + " " +
                   std::to_string(p.positions[2]);
    if (display) command += " --display " + std::to_string(display->width) + "x" + std::to_string(display->height);
    return command + " -o dial.c";
}

}  // namespace hndpos
