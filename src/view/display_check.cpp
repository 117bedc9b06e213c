#include "view/display_check.h"

#include <algorithm>

#include "dial/dial_rules.h"
#include "request/options.h"
#include "request/tables_request.h"
#include "texts/join.h"

namespace hndpos {
namespace {

// The hndpos-tables command that writes the dial's true coordinates, for
// the panel when one is given.
std::string true_coordinates_command(const Dial& dial, std::optional<PanelSize> display) {
    TablesRequest request;
    request.params = dial.tables.params;
    request.center_given = request.radii_given = true;
    request.display = display;
    request.output = "dial.c";
    std::vector<std::string> words = {"hndpos-tables"};
    for (std::string& word : tables_arguments(request)) words.push_back(std::move(word));
    return shell_words(words);
}

EntryBounds box_of(const std::vector<std::int64_t>& x, const std::vector<std::int64_t>& y) {
    const auto [low_x, high_x] = std::minmax_element(x.begin(), x.end());
    const auto [low_y, high_y] = std::minmax_element(y.begin(), y.end());
    return x.empty() ? EntryBounds{} : EntryBounds{*low_x, *high_x, *low_y, *high_y};
}

std::string box_text(const EntryBounds& box, const std::string& unit) {
    return join({"x ", std::to_string(box.low_x), " to ", std::to_string(box.high_x), ", y ", std::to_string(box.low_y),
                 " to ", std::to_string(box.high_y), unit, "\n"});
}

}  // namespace

DisplayCheck check_display(const Dial& dial, std::optional<PanelSize> display) {
    DisplayCheck check;
    if (dial.byte_entries) {
        check.problem = first_refused_entry(dial.tables, [](std::int64_t value, Axis) {
            return (value & 0xFF) == value ? std::string()
                                           : join({" is ", std::to_string(value), ", which wraps modulo 256 to ",
                                                   std::to_string(value & 0xFF), " in the table"});
        });
        check.wrapped = !check.problem.empty();
    }
    if (check.problem.empty() && display)
        check.problem = first_refused_entry(dial.tables, [&](std::int64_t value, Axis axis) {
            return off_panel(value, axis, *display, dial.subpixel());
        });
    check.ok = check.problem.empty();
    if (check.wrapped)
        check.advice = "for this dial's true coordinates, run: " + true_coordinates_command(dial, display);
    for (int hand = 0; hand < hand_count; ++hand) {
        if (dial.positions(hand) == 0) continue;
        std::vector<std::int64_t> x;
        std::vector<std::int64_t> y;
        for (int position = 0; position < dial.positions(hand); ++position) {
            x.push_back(dial.entry(hand, Axis::x, position));
            y.push_back(dial.entry(hand, Axis::y, position));
        }
        check.bounds[static_cast<std::size_t>(hand)] = box_of(x, y);
    }
    for (std::size_t f = 0; f < dial.tables.figures.size(); ++f) {
        const FigureEntries& entries = dial.tables.figures[f];
        check.figures.push_back({dial.tables.params.figures[f].name, box_of(entries.x, entries.y)});
    }
    return check;
}

std::string bounds_report(const Dial& dial, const DisplayCheck& check) {
    const std::string unit =
        dial.subpixel() == 0 ? "" : join({" (in 1/", std::to_string(1 << dial.subpixel()), " pixel)"});
    std::string text;
    for (int hand = 0; hand < hand_count; ++hand)
        if (dial.positions(hand) > 0)
            append(text, {hand_names[hand], " hand: ", box_text(check.bounds[static_cast<std::size_t>(hand)], unit)});
    for (std::size_t f = 0; f < check.figures.size(); ++f) {
        append(text, {"figure ", check.figures[f].name, ": ", box_text(check.figures[f].box, unit)});
        const FigureEntries& entries = dial.tables.figures[f];
        if (!entries.masks || !entries.mask_code) continue;
        const MaskCode& code = *entries.mask_code;
        append(text,
               {"figure ", check.figures[f].name, ", masks: ", std::to_string(entries.masks->bits),
                entries.masks->bits == 1 ? " bit" : " bits", ", ", std::to_string(code.box.size()), " kept for ",
                std::to_string(code.map.size()), " positions, ", std::to_string(code.code.size()), " bytes of code (",
                std::to_string(plain_code_bytes(*entries.masks)), " with every position kept)\n"});
    }
    return text;
}

std::optional<PanelSize> panel_size(int width, int height) {
    const auto side = [](int value) { return value >= min_display_side && value <= max_wide_display_side; };
    if (!side(width) || !side(height)) return std::nullopt;
    return PanelSize{width, height};
}

}  // namespace hndpos
