#include "emit/dial_json.h"

#include "emit/dial_c.h"
#include "texts/join.h"

namespace hndpos {
namespace {

void append_list(std::string& text, const std::vector<std::int64_t>& values, std::size_t first, std::size_t count) {
    text += "[";
    for (std::size_t i = 0; i < count; ++i) append(text, {i == 0 ? "" : ", ", std::to_string(values[first + i])});
    text += "]";
}

// `values` as lists of `width`.
void append_rows(std::string& text, const std::vector<std::int64_t>& values, std::size_t width) {
    text += "[";
    for (std::size_t first = 0; first < values.size(); first += width) {
        text += first == 0 ? "" : ", ";
        append_list(text, values, first, width);
    }
    text += "]";
}

void append_figure(std::string& text, const Figure& figure, const FigureEntries& entries, FigureOutput out) {
    append(text, {"\n  {\"name\": \"", figure.name, "\", \"positions\": ", std::to_string(figure.positions)});
    if (figure.turn) append(text, {", \"turn\": \"", turns[static_cast<std::size_t>(*figure.turn)], "\""});
    if (figure.arc)
        append(text,
               {", \"arc\": [", hundredths_text(figure.arc->start), ", ", hundredths_text(figure.arc->sweep), "]"});
    text += ", \"points\": [";
    for (const FigurePoint& p : figure.points)
        append(text, {&p == figure.points.data() ? "[" : ", [", std::to_string(p.along), ", ", std::to_string(p.across),
                      "]"});
    text += "], \"x\": ";
    append_rows(text, entries.x, figure.points.size());
    text += ", \"y\": ";
    append_rows(text, entries.y, figure.points.size());
    if (out.bounds) {
        std::vector<std::int64_t> boxes;
        for (const auto& box : entries.bounds) boxes.insert(boxes.end(), box.begin(), box.end());
        text += ", \"bounds\": ";
        append_rows(text, boxes, 4);
    }
    text += "}";
}

// Each position's box and levels, row by row over the whole box, and the
// box each step changes.
void append_masks(std::string& text, const Figure& figure, const MaskSet& masks) {
    append(text,
           {"\n  {\"name\": \"", figure.name, "\", \"bits\": ", std::to_string(masks.bits), ", \"positions\": ["});
    for (std::size_t k = 0; k < masks.positions.size(); ++k) {
        const PixelMask& m = masks.positions[k];
        append(text, {k == 0 ? "\n    {\"x\": " : ",\n    {\"x\": ", std::to_string(m.x),
                      ", \"y\": ", std::to_string(m.y), ", \"width\": ", std::to_string(m.width),
                      ", \"height\": ", std::to_string(m.height), ", \"levels\": ["});
        for (int r = 0; r < m.height; ++r)
            for (int c = 0; c < m.width; ++c)
                append(text, {r + c == 0 ? "" : ", ", std::to_string(m.level(m.x + c, m.y + r))});
        text += "]}";
    }
    text += "],\n   \"changed\": [";
    for (std::size_t k = 0; k < masks.changed.size(); ++k) {
        text += k == 0 ? "" : ", ";
        if (const auto& box = masks.changed[k])
            append(text, {"[", std::to_string((*box)[0]), ", ", std::to_string((*box)[1]), ", ",
                          std::to_string((*box)[2]), ", ", std::to_string((*box)[3]), "]"});
        else
            text += "null";
    }
    text += "]}";
}

}  // namespace

std::string dial_json(const DialTables& tables, const EmitSpec& form) {
    const DialParams& p = tables.params;
    std::string text;
    append(text, {"{\"center\": [", center_text(p, Axis::x), ", ", center_text(p, Axis::y), "], \"radii\": ["});
    if (p.has_hands)
        append(text, {std::to_string(p.radii[0]), ", ", std::to_string(p.radii[1]), ", ", std::to_string(p.radii[2])});
    append(text, {"], \"type\": \"", word_of(entry_types, form.type), "\", \"hands\": ["});
    for (int hand = 0; hand < (p.has_hands ? hand_count : 0); ++hand) {
        const HandEntries& entries = tables.hands[static_cast<std::size_t>(hand)];
        append(text, {hand == 0 ? "" : ",", "\n  {\"name\": \"", hand_names[hand],
                      "\", \"positions\": ", std::to_string(p.positions[static_cast<std::size_t>(hand)]), ", \"x\": "});
        append_list(text, entries.x, 0, entries.x.size());
        text += ", \"y\": ";
        append_list(text, entries.y, 0, entries.y.size());
        text += "}";
    }
    if (!beyond_tips(p)) return text + "\n]}\n";
    append(text, {p.has_hands ? "\n" : "", "], \"rounding\": \"", word_of(roundings, p.rule.rounding),
                  "\", \"subpixel\": ", std::to_string(p.rule.subpixel), ", \"figures\": ["});
    for (std::size_t i = 0; i < p.figures.size(); ++i) {
        text += i == 0 ? "" : ",";
        append_figure(text, p.figures[i], tables.figures[i], form.figures);
    }
    text += "\n]";
    bool any = false;
    for (std::size_t i = 0; i < p.figures.size(); ++i) {
        if (!tables.figures[i].masks) continue;
        text += any ? "," : ", \"masks\": [";
        any = true;
        append_masks(text, p.figures[i], *tables.figures[i].masks);
    }
    return text + (any ? "\n]}\n" : "}\n");
}

}  // namespace hndpos
