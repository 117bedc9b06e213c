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

}  // namespace

std::string dial_json(const DialTables& tables, const EmitSpec& spec) {
    const DialParams& p = tables.params;
    std::string text;
    append(text, {"{\"center\": [", std::to_string(p.center_x), ", ", std::to_string(p.center_y), "], \"radii\": ["});
    if (p.has_hands)
        append(text, {std::to_string(p.radii[0]), ", ", std::to_string(p.radii[1]), ", ", std::to_string(p.radii[2])});
    append(text, {"], \"type\": \"", word_of(entry_types, spec.type), "\", \"hands\": ["});
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
        append_figure(text, p.figures[i], tables.figures[i], spec.figures);
    }
    return text + "\n]}\n";
}

}  // namespace hndpos
