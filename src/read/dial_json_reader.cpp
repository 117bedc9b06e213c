// hndpos-tables' JSON read back by value: the members the program writes,
// each exactly once and none other, make a request that hndpos-tables'
// own checks take; every entry is then compared with the recomputed one.

#include <algorithm>
#include <functional>
#include <initializer_list>
#include <span>
#include <vector>

#include "dial/dial_rules.h"
#include "dial/panel.h"
#include "read/dial_reading.h"
#include "read/json.h"

namespace hndpos {
namespace {

using Node = JsonDocument::Node;
using Kind = JsonDocument::Kind;

// The reading of a parsed document, member by member; the first problem
// stops it.
class Reading {
public:
    explicit Reading(const JsonDocument& document) : document_(document) {}

    int line = 0;
    std::string problem;

    bool refuse_at(int where, std::string message) {
        line = where;
        problem = std::move(message);
        return false;
    }
    bool refuse(const Node& node, std::string message) { return refuse_at(document_.line(node), std::move(message)); }

    // The object's members, each exactly once, none other.
    bool members(const Node& object, std::string_view what, std::span<const std::string_view> names,
                 std::vector<const Node*>& values) {
        if (object.kind != Kind::object) return refuse(object, "expected " + std::string(what) + " as an object");
        values.assign(names.size(), nullptr);
        for (std::size_t member = 0; member < document_.size(object); ++member) {
            const std::string name(document_.name(object, member));
            const Node& value = document_.value(object, member);
            const auto known = std::find(names.begin(), names.end(), name);
            if (known == names.end())
                return refuse(value, "unexpected member \"" + name + "\" in " + std::string(what));
            const auto i = static_cast<std::size_t>(known - names.begin());
            if (values[i] != nullptr)
                return refuse(value, "member \"" + name + "\" given twice in " + std::string(what));
            values[i] = &value;
        }
        for (std::size_t i = 0; i < names.size(); ++i)
            if (values[i] == nullptr)
                return refuse(object, "expected member \"" + std::string(names[i]) + "\" in " + std::string(what));
        return true;
    }

    std::string range_text(std::string_view what, std::int64_t low, std::int64_t high) const {
        return "expected " + std::string(what) + " as an integer from " + std::to_string(low) + " to " +
               std::to_string(high);
    }

    bool integer(const Node& value, std::string_view what, std::int64_t low, std::int64_t high, std::int64_t& number) {
        if (value.kind != Kind::integer || value.value < low || value.value > high)
            return refuse(value, range_text(what, low, high));
        number = value.value;
        return true;
    }

    // `count` integers from low to high.
    bool integers(const Node& array, std::string_view what, std::size_t count, std::int64_t low, std::int64_t high,
                  std::span<const std::int64_t>& numbers) {
        const bool listed = array.kind == Kind::integers || (array.kind == Kind::array && array.count == 0);
        if (!listed && array.kind == Kind::array && array.count == count) {
            for (std::size_t i = 0; i < count; ++i)
                if (document_.item(array, i).kind != Kind::integer)
                    return refuse(document_.item(array, i), range_text(what, low, high));
        }
        if (!listed || document_.size(array) != count)
            return refuse(array, "expected " + std::string(what) + " as " + std::to_string(count) + " integers");
        numbers = document_.integer_list(array);
        for (std::size_t i = 0; i < count; ++i)
            if (numbers[i] < low || numbers[i] > high)
                return refuse_at(document_.item_line(array, i), range_text(what, low, high));
        return true;
    }

    // Found entries against the recomputed ones, each held by the type.
    bool entries(const Node& array, const std::string& what, std::span<const std::int64_t> wanted, EntryType type,
                 const std::function<std::string(std::size_t)>& name_of) {
        std::span<const std::int64_t> found;
        if (!integers(array, what, wanted.size(), INT32_MIN, INT32_MAX, found)) return false;
        for (std::size_t i = 0; i < wanted.size(); ++i) {
            const std::string at = name_of(i);
            if (found[i] != wanted[i])
                return refuse_at(document_.item_line(array, i), stale_entry(at, found[i], wanted[i]));
            if (!entry_type_holds(type, wanted[i]))
                return refuse_at(document_.item_line(array, i), at + " is " + std::to_string(wanted[i]) + ", which " +
                                                                    std::string(word_of(entry_types, type)) +
                                                                    " cannot hold");
        }
        return true;
    }

    // A number as text, an integer's or another's: "232.5".
    std::string number_text(const Node& value) const {
        if (value.kind == Kind::integer) return std::to_string(value.value);
        if (value.kind == Kind::number) return std::string(document_.number_text(value));
        return "";
    }

    // Two numbers that hndpos-tables' option reads (the centre in halves,
    // an arc in hundredths), twice or in hundredths.
    bool option_pair(const Node& array, std::string_view what,
                     const std::function<std::int64_t(const std::string&)>& read, std::int64_t& a, std::int64_t& b) {
        std::string texts[2];
        if (array.kind == Kind::integers && array.count == 2) {
            texts[0] = std::to_string(document_.integer_list(array)[0]);
            texts[1] = std::to_string(document_.integer_list(array)[1]);
        } else if (array.kind == Kind::array && array.count == 2) {
            texts[0] = number_text(document_.item(array, 0));
            texts[1] = number_text(document_.item(array, 1));
        }
        try {
            if (texts[0].empty() || texts[1].empty()) throw OptionError{"two numbers"};
            a = read(texts[0]);
            b = read(texts[1]);
        } catch (const OptionError& error) {
            return refuse(array, "expected " + std::string(what) + " as " + error.message);
        }
        return true;
    }

private:
    const JsonDocument& document_;
};

bool read_rule(const JsonDocument& document, const Node& rounding, const Node& subpixel, Reading& reading,
               EntryRule& rule) {
    const std::optional<Rounding> named =
        rounding.kind == Kind::string ? parse_word<Rounding>(roundings, document.text(rounding)) : std::nullopt;
    if (!named) return reading.refuse(rounding, "expected \"rounding\" as " + roundings.spoken());
    rule.rounding = *named;
    std::int64_t bits = 0;
    if (!reading.integer(subpixel, "\"subpixel\"", 0, max_subpixel_bits, bits)) return false;
    rule.subpixel = static_cast<int>(bits);
    return true;
}

// The figures' parameters: name, positions and points; whether each has
// "bounds" (all or none).
bool read_figures(const JsonDocument& document, const Node& figures, Reading& reading, TablesRequest& request) {
    if (figures.kind != Kind::array && figures.kind != Kind::integers)
        return reading.refuse(figures, "expected \"figures\" as an array");
    for (std::size_t i = 0; i < document.size(figures); ++i) {
        if (figures.kind != Kind::array) return reading.refuse(figures, "expected \"figures\" as objects");
        const Node& object = document.item(figures, i);
        const std::string what = "figure " + std::to_string(i);
        const bool bounds = document.member(object, "bounds") != nullptr;
        if (i == 0) request.figures.bounds = bounds;
        if (bounds != request.figures.bounds)
            return reading.refuse(object, "expected \"bounds\" in every figure or in none");
        // "bounds" in all or none, "turn" where the figure has one.
        std::vector<std::string_view> names = {"name", "positions", "points", "x", "y"};
        if (bounds) names.push_back("bounds");
        const bool turned = document.member(object, "turn") != nullptr;
        if (turned) names.push_back("turn");
        const bool on_arc = document.member(object, "arc") != nullptr;
        if (on_arc) names.push_back("arc");
        std::vector<const Node*> fields;
        if (!reading.members(object, what, names, fields)) return false;
        Figure figure;
        figure.name = fields[0]->kind == Kind::string ? std::string(document.text(*fields[0])) : "";
        if (figure.name.empty() || !is_identifier_prefix(figure.name))
            return reading.refuse(*fields[0], "expected the \"name\" of " + what + " as a C identifier");
        std::int64_t positions = 0;
        if (!reading.integer(*fields[1], "\"positions\"", min_positions, max_positions, positions)) return false;
        figure.positions = static_cast<int>(positions);
        const Node& points = *fields[2];
        if (points.kind != Kind::array || points.count < min_figure_points || points.count > max_figure_points)
            return reading.refuse(points, "expected the \"points\" of " + what + " as " +
                                              std::to_string(min_figure_points) + " to " +
                                              std::to_string(max_figure_points) + " points");
        for (std::size_t p = 0; p < points.count; ++p) {
            std::span<const std::int64_t> pair;
            if (!reading.integers(document.item(points, p), "a point [A, B]", 2, INT32_MIN, INT32_MAX, pair))
                return false;
            figure.points.push_back({static_cast<std::int32_t>(pair[0]), static_cast<std::int32_t>(pair[1])});
        }
        if (on_arc) {
            Arc arc;
            if (!reading.option_pair(
                    *fields.back(), "the \"arc\" of " + what,
                    [](const std::string& text) { return hundredths_value("--arc", text, -36000, 36000); }, arc.start,
                    arc.sweep))
                return false;
            figure.arc = arc;
        }
        if (turned) {
            const Node& turn = *fields[fields.size() - (on_arc ? 2 : 1)];
            const std::optional<std::size_t> index =
                turn.kind == Kind::string ? turns.find(document.text(turn)) : std::nullopt;
            if (!index) return reading.refuse(turn, "expected the \"turn\" of " + what + " as " + turns.spoken());
            figure.turn = static_cast<int>(*index);
        }
        request.params.figures.push_back(std::move(figure));
    }
    return true;
}

// "masks": which figures have them, and their bits.
bool read_mask_requests(const JsonDocument& document, const Node& masks, Reading& reading, TablesRequest& request) {
    if (masks.kind != Kind::array) return reading.refuse(masks, "expected \"masks\" as an array of objects");
    for (std::size_t i = 0; i < masks.count; ++i) {
        const Node& object = document.item(masks, i);
        const std::string what = "mask " + std::to_string(i);
        constexpr std::string_view names[] = {"name", "bits", "positions", "changed"};
        std::vector<const Node*> fields;
        if (!reading.members(object, what, names, fields)) return false;
        const std::string_view name = fields[0]->kind == Kind::string ? document.text(*fields[0]) : "";
        const auto figure = std::find_if(request.params.figures.begin(), request.params.figures.end(),
                                         [&](const Figure& f) { return f.name == name; });
        if (figure == request.params.figures.end() || figure->mask_bits)
            return reading.refuse(*fields[0], "expected the \"name\" of " + what + " as a figure's, once");
        std::int64_t bits = 0;
        if (!reading.integer(*fields[1], "\"bits\"", 1, 8, bits)) return false;
        if (!mask_depths.find(std::to_string(bits)))
            return reading.refuse(*fields[1], "expected \"bits\" as " + mask_depths.spoken());
        figure->mask_bits = static_cast<int>(bits);
    }
    return true;
}

bool read_parameters(const JsonDocument& document, Reading& reading, TablesRequest& request, EntryType& type) {
    const Node& root = document.root();
    std::vector<const Node*> top;
    const bool figures = document.member(root, "figures") != nullptr;
    const bool masks = figures && document.member(root, "masks") != nullptr;
    constexpr std::string_view with_figures[] = {"center",   "radii",    "type",    "hands",
                                                 "rounding", "subpixel", "figures", "masks"};
    if (!reading.members(root, "the file", std::span(with_figures).first(masks ? 8 : figures ? 7 : 4), top))
        return false;
    if (figures && (!read_rule(document, *top[4], *top[5], reading, request.params.rule) ||
                    !read_figures(document, *top[6], reading, request)))
        return false;
    if (masks && !read_mask_requests(document, *top[7], reading, request)) return false;
    // Figures alone have no radii and no hands.
    DialParams& params = request.params;
    params.has_hands = !(figures && top[1]->kind == Kind::array && top[1]->count == 0);
    std::int64_t center_x2 = 0;
    std::int64_t center_y2 = 0;
    std::span<const std::int64_t> radii;
    if (!reading.option_pair(
            *top[0], "\"center\"", [](const std::string& text) { return half_value("--center", text); }, center_x2,
            center_y2) ||
        (params.has_hands && !reading.integers(*top[1], "\"radii\"", hand_count, INT32_MIN, INT32_MAX, radii)))
        return false;
    set_center(params, center_x2, center_y2);
    for (std::size_t hand = 0; hand < radii.size(); ++hand) params.radii[hand] = static_cast<std::int32_t>(radii[hand]);
    request.center_given = true;
    request.radii_given = params.has_hands;
    const std::optional<EntryType> named =
        top[2]->kind == Kind::string ? parse_word<EntryType>(entry_types, document.text(*top[2])) : std::nullopt;
    if (!named) return reading.refuse(*top[2], "expected \"type\" as " + entry_types.spoken());
    type = *named;
    const Node& hands = *top[3];
    const std::size_t hand_objects = params.has_hands ? hand_count : 0;
    if ((hands.kind != Kind::array && hands.kind != Kind::integers) || document.size(hands) != hand_objects ||
        (hand_objects > 0 && hands.kind != Kind::array))
        return reading.refuse(hands, params.has_hands ? "expected \"hands\" as the hour, minute and second hand"
                                                      : "expected \"hands\" empty, as \"radii\" is");
    for (int hand = 0; hand < static_cast<int>(hand_objects); ++hand) {
        const Node& object = document.item(hands, static_cast<std::size_t>(hand));
        const std::string what = "the " + std::string(hand_names[hand]) + " hand";
        std::vector<const Node*> fields;
        constexpr std::string_view hand_members[] = {"name", "positions", "x", "y"};
        if (!reading.members(object, what, hand_members, fields)) return false;
        if (fields[0]->kind != Kind::string || document.text(*fields[0]) != hand_names[hand])
            return reading.refuse(*fields[0], "expected \"name\": \"" + std::string(hand_names[hand]) + "\"");
        std::int64_t positions = 0;
        if (!reading.integer(*fields[1], "\"positions\"", min_positions, max_positions, positions)) return false;
        params.positions[static_cast<std::size_t>(hand)] = static_cast<int>(positions);
    }
    return true;
}

bool check_hands(const JsonDocument& document, Reading& reading, const DialFile& file) {
    const Node& hands = *document.member(document.root(), "hands");
    const DialTables& tables = file.dial.tables;
    for (int hand = 0; hand < static_cast<int>(document.size(hands)); ++hand) {
        const Node& object = document.item(hands, static_cast<std::size_t>(hand));
        for (const Axis axis : {Axis::x, Axis::y}) {
            const HandEntries& entries = tables.hands[static_cast<std::size_t>(hand)];
            const std::string what =
                std::string(axis == Axis::x ? "\"x\"" : "\"y\"") + " of the " + std::string(hand_names[hand]) + " hand";
            if (!reading.entries(*document.member(object, axis == Axis::x ? "x" : "y"), what,
                                 axis == Axis::x ? entries.x : entries.y, file.form.type, [&](std::size_t position) {
                                     return hand_entry_name(hand, axis, static_cast<int>(position));
                                 }))
                return false;
        }
    }
    return true;
}

// One figure's "x", "y" or "bounds": a list of `width` values for each
// position, against the recomputed ones.
bool check_rows(const JsonDocument& document, const Node& rows, const std::string& what, std::size_t width,
                const std::vector<std::int64_t>& wanted, Reading& reading, EntryType type) {
    const std::size_t positions = wanted.size() / width;
    if (rows.kind != Kind::array || rows.count != positions)
        return reading.refuse(rows, "expected " + what + " as " + std::to_string(positions) + " lists");
    for (std::size_t k = 0; k < positions; ++k) {
        if (!reading.entries(document.item(rows, k), what, std::span(wanted).subspan(k * width, width), type,
                             [&](std::size_t i) {
                                 return what + " at position " + std::to_string(k) + ", item " + std::to_string(i);
                             }))
            return false;
    }
    return true;
}

bool check_figures(const JsonDocument& document, Reading& reading, const DialFile& file) {
    const DialTables& tables = file.dial.tables;
    const Node* figures = document.member(document.root(), "figures");
    for (std::size_t f = 0; f < tables.figures.size(); ++f) {
        const Node& object = document.item(*figures, f);
        const FigureEntries& entries = tables.figures[f];
        const std::string name = "the figure " + tables.params.figures[f].name + "'s ";
        const std::size_t points = tables.params.figures[f].points.size();
        const EntryType type = file.form.type;
        if (!check_rows(document, *document.member(object, "x"), name + "\"x\"", points, entries.x, reading, type) ||
            !check_rows(document, *document.member(object, "y"), name + "\"y\"", points, entries.y, reading, type))
            return false;
        if (!file.form.figures.bounds) continue;
        std::vector<std::int64_t> boxes;
        for (const auto& box : entries.bounds) boxes.insert(boxes.end(), box.begin(), box.end());
        if (!check_rows(document, *document.member(object, "bounds"), name + "\"bounds\"", 4, boxes, reading, type))
            return false;
    }
    return true;
}

// One position's mask: its box, then its levels, against the recomputed.
bool check_mask(const JsonDocument& document, const Node& object, const std::string& what, const PixelMask& mask,
                Reading& reading) {
    constexpr std::string_view names[] = {"x", "y", "width", "height", "levels"};
    std::vector<const Node*> fields;
    if (!reading.members(object, what, names, fields)) return false;
    const std::array<std::int64_t, 4> box = {mask.x, mask.y, mask.width, mask.height};
    for (std::size_t i = 0; i < box.size(); ++i) {
        std::int64_t found = 0;
        const std::string member = "\"" + std::string(names[i]) + "\" of " + what;
        if (!reading.integer(*fields[i], member, 0, max_outline_pixel + 1, found)) return false;
        if (found != box[i]) return reading.refuse(*fields[i], stale_entry(member, found, box[i]));
    }
    std::span<const std::int64_t> levels;
    const auto width = static_cast<std::size_t>(mask.width);
    if (!reading.integers(*fields[4], "the \"levels\" of " + what, width * static_cast<std::size_t>(mask.height), 0,
                          255, levels))
        return false;
    for (std::size_t i = 0; i < levels.size(); ++i) {
        const std::int64_t x = mask.x + static_cast<std::int64_t>(i % width);
        const std::int64_t y = mask.y + static_cast<std::int64_t>(i / width);
        if (levels[i] != mask.level(x, y))
            return reading.refuse_at(
                document.item_line(*fields[4], i),
                stale_entry(what + ", pixel (" + std::to_string(x) + ", " + std::to_string(y) + ")'s level", levels[i],
                            mask.level(x, y)));
    }
    return true;
}

bool check_masks(const JsonDocument& document, Reading& reading, const DialFile& file) {
    const Node* masks = document.member(document.root(), "masks");
    if (masks == nullptr) return true;
    const DialTables& tables = file.dial.tables;
    for (std::size_t i = 0; i < masks->count; ++i) {
        const Node& object = document.item(*masks, i);
        const std::string_view name = document.text(*document.member(object, "name"));
        std::size_t f = 0;
        while (tables.params.figures[f].name != name) ++f;
        const MaskSet& set = *tables.figures[f].masks;
        const std::string what = "the figure " + std::string(name) + "'s mask";
        const Node& positions = *document.member(object, "positions");
        if (positions.kind != Kind::array || positions.count != set.positions.size())
            return reading.refuse(positions, "expected the \"positions\" of " + what + " as " +
                                                 std::to_string(set.positions.size()) + " objects");
        for (std::size_t k = 0; k < set.positions.size(); ++k)
            if (!check_mask(document, document.item(positions, k), what + " at position " + std::to_string(k),
                            set.positions[k], reading))
                return false;
        const Node& changed = *document.member(object, "changed");
        if (changed.kind != Kind::array || changed.count != set.changed.size())
            return reading.refuse(changed, "expected the \"changed\" of " + what + " as " +
                                               std::to_string(set.changed.size()) + " boxes or nulls");
        for (std::size_t k = 0; k < set.changed.size(); ++k) {
            const Node& box = document.item(changed, k);
            const std::string step = "the box " + what + " changes at position " + std::to_string(k);
            if (!set.changed[k]) {
                if (box.kind != Kind::null) return reading.refuse(box, "expected null: " + step + " is empty");
                continue;
            }
            std::span<const std::int64_t> found;
            if (!reading.integers(box, step, 4, 0, max_outline_pixel, found)) return false;
            for (std::size_t j = 0; j < 4; ++j)
                if (found[j] != (*set.changed[k])[j])
                    return reading.refuse(
                        box, stale_entry(step + ", item " + std::to_string(j), found[j], (*set.changed[k])[j]));
        }
    }
    return true;
}

}  // namespace

DialFileRead read_dial_json(std::string_view bytes) {
    JsonDocument document;
    if (!document.parse(bytes)) return refused_file(document.error_line(), document.error());
    Reading reading(document);
    TablesRequest request;
    request.output = "dial.json";
    EntryType type = EntryType::u8;
    if (!read_parameters(document, reading, request, type)) return refused_file(reading.line, reading.problem);
    DialFile file;
    if (auto refused = compute_request(request, document.line(*document.member(document.root(), "radii")), file))
        return *refused;
    file.form.type = type;
    file.form.figures = request.figures;
    if (!check_hands(document, reading, file) ||
        (!request.params.figures.empty() && !check_figures(document, reading, file)) ||
        !check_masks(document, reading, file))
        return refused_file(reading.line, reading.problem);
    DialFileRead result;
    result.ok = true;
    result.file = std::move(file);
    return result;
}

}  // namespace hndpos
