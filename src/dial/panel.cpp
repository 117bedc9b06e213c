#include "dial/panel.h"

#include "texts/join.h"

namespace hndpos {

std::string hand_entry_name(int hand, Axis axis, int position) {
    return join(
        {"the ", hand_names[hand], " hand's ", axis == Axis::x ? "x" : "y", " at position ", std::to_string(position)});
}

std::string first_refused_entry(const DialTables& tables, const EntryJudge& judge) {
    for (const Axis axis : {Axis::x, Axis::y}) {
        for (int hand = 0; hand < (tables.params.has_hands ? hand_count : 0); ++hand) {
            const HandEntries& entries = tables.hands[static_cast<std::size_t>(hand)];
            const std::vector<std::int64_t>& values = axis == Axis::x ? entries.x : entries.y;
            for (std::size_t position = 0; position < values.size(); ++position)
                if (std::string why = judge(values[position], axis); !why.empty())
                    return hand_entry_name(hand, axis, static_cast<int>(position)) + why;
        }
    }
    for (std::size_t f = 0; f < tables.figures.size(); ++f) {
        const FigureEntries& entries = tables.figures[f];
        const std::size_t points = tables.params.figures[f].points.size();
        for (std::size_t i = 0; i < entries.x.size(); ++i) {
            for (const Axis axis : {Axis::x, Axis::y}) {
                if (std::string why = judge(axis == Axis::x ? entries.x[i] : entries.y[i], axis); !why.empty())
                    return join({"the figure ", tables.params.figures[f].name, "'s ", axis == Axis::x ? "x" : "y",
                                 " at position ", std::to_string(i / points), ", point ", std::to_string(i % points),
                                 why});
            }
        }
    }
    return "";
}

std::string off_panel(std::int64_t value, Axis axis, PanelSize panel, int subpixel) {
    const std::int64_t units = std::int64_t{axis == Axis::x ? panel.width : panel.height} << subpixel;
    if (value >= 0 && value < units) return "";
    return join({" is ", std::to_string(value), ", outside the ", std::to_string(panel.width), "x",
                 std::to_string(panel.height), " display (0 to ", std::to_string(units - 1),
                 subpixel == 0 ? "" : " in 1/", subpixel == 0 ? "" : std::to_string(1 << subpixel),
                 subpixel == 0 ? "" : " pixel", ")"});
}

}  // namespace hndpos

namespace hndpos {

std::string mask_refusal_sentence(const DialTables& tables) {
    if (!tables.mask_refusal) return "";
    const FigureMaskRefusal& r = *tables.mask_refusal;
    const Figure& figure = tables.params.figures[r.figure];
    const std::string position = std::to_string(r.why.position);
    if (r.why.kind == MaskRefusal::Kind::crossing)
        return join({"the figure ", figure.name, "'s outline crosses itself at position ", position,
                     ": a mask needs an outline that encloses no pixel twice"});
    const int subpixel = tables.params.rule.subpixel;
    return join({"the figure ", figure.name, "'s ", r.why.axis_x ? "x" : "y", " at position ", position, " is ",
                 std::to_string(r.why.value), ", outside the ", std::to_string(max_outline_pixel + 1),
                 " pixels a mask covers (0 to ", std::to_string(((max_outline_pixel + 1) << subpixel) - 1),
                 subpixel == 0 ? "" : " in 1/", subpixel == 0 ? "" : std::to_string(1 << subpixel),
                 subpixel == 0 ? "" : " pixel", ")"});
}

}  // namespace hndpos
