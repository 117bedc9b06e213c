#include "emit/dial_modules.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

#include "dial/dial_rules.h"
#include "emit/c_text.h"
#include "texts/join.h"

namespace hndpos {
namespace {

using Values = std::vector<std::int64_t>;

constexpr std::size_t values_per_line = 16;
constexpr std::array<std::string_view, 4> rust_types = {"u8", "u16", "i16", "i32"};
constexpr std::array<std::string_view, 4> array_codes = {"B", "H", "h", "i"};
constexpr std::array<std::string_view, 4> field_names = {"h", "m", "s", "ms"};

std::string lower(std::string_view text) {
    std::string result(text);
    for (char& c : result)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return result;
}

// As rustc's lint reads a snake-case name: no capital, no "__" inside.
bool is_snake_case(std::string_view name) {
    while (name.starts_with('_')) name.remove_prefix(1);
    while (name.ends_with('_')) name.remove_suffix(1);
    return name.find("__") == std::string_view::npos &&
           std::none_of(name.begin(), name.end(), [](char c) { return c >= 'A' && c <= 'Z'; });
}

std::string rust_function_attribute(std::string_view name) {
    return is_snake_case(name) ? "" : "#[allow(non_snake_case)]\n";
}

// "    a, b, c,\n" lines of values_per_line.
std::string number_lines(const Values& values) {
    std::string text;
    for (std::size_t i = 0; i < values.size(); i += values_per_line) {
        text += "   ";
        for (std::size_t j = i; j < std::min(values.size(), i + values_per_line); ++j)
            append(text, {" ", std::to_string(values[j]), ","});
        text += "\n";
    }
    return text;
}

// The words as the second line gives them: a value with a space in double
// quotes.
std::string words_line(std::string_view start, std::span<const std::string> words) {
    return std::string(start) + stated_words_text(words) + ".\n";
}

std::string rule_text(const DialParams& p) {
    return join(
        {"Entries in ",
         p.rule.subpixel == 0 ? "whole pixels" : "units of 1/" + std::to_string(1 << p.rule.subpixel) + " pixel",
         ", each ",
         p.rule.rounding == Rounding::nearest ? "the integer nearest to the exact value"
                                              : "rounded as hndpos rounds its tips",
         "."});
}

// A turn's index with `positions` positions: the floor of positions ×
// elapsed / turn, in Rust's u64 (each field widened) or Python's integers.
std::string index_expression(int turn, int positions, bool rust) {
    std::string elapsed;
    const auto t = static_cast<std::size_t>(turn);
    for (int i = 0; i < elapsed_term_count[t]; ++i) {
        const ElapsedTerm& term = elapsed_terms[t][static_cast<std::size_t>(i)];
        std::string value(field_names[static_cast<std::size_t>(term.field)]);
        if (rust) value += " as u64";
        if (term.modulus != 0) value = join({"(", value, " % ", std::to_string(term.modulus), ")"});
        if (term.weight != 1) value += " * " + std::to_string(term.weight);
        elapsed += (i == 0 ? "" : " + ") + value;
    }
    return join({std::to_string(positions), " * (", elapsed, rust ? ") / " : ") // ", std::to_string(turn_length[t])});
}

std::string index_parameters(int turn, bool rust) {
    std::string text;
    const auto t = static_cast<std::size_t>(turn);
    for (int i = 0; i < elapsed_term_count[t]; ++i)
        append(text, {i == 0 ? "" : ", ",
                      field_names[static_cast<std::size_t>(elapsed_terms[t][static_cast<std::size_t>(i)].field)],
                      rust ? ": u32" : ""});
    return text;
}

// A mask's levels over its whole box, row by row, 8 / bits levels to a
// byte, the first in the low bits; each position from a byte of its own.
struct PackedMasks {
    Values boxes;   // x, y, width, height per position
    Values starts;  // where each position's bytes start, then the end
    std::vector<std::uint8_t> bytes;
    Values changed;  // xmin, ymin, xmax, ymax per position; none: 0, 0, -1, -1
    std::vector<bool> unchanged;
};

PackedMasks pack_masks(const MaskSet& masks) {
    PackedMasks packed;
    const auto bits = static_cast<std::size_t>(masks.bits);
    for (std::size_t k = 0; k < masks.positions.size(); ++k) {
        const PixelMask& mask = masks.positions[k];
        packed.boxes.insert(packed.boxes.end(), {mask.x, mask.y, mask.width, mask.height});
        packed.starts.push_back(static_cast<std::int64_t>(packed.bytes.size()));
        const std::size_t start = packed.bytes.size();
        const auto count = static_cast<std::size_t>(mask.width) * static_cast<std::size_t>(mask.height);
        packed.bytes.resize(start + (count * bits + 7) / 8);
        for (std::size_t i = 0; i < count; ++i) {
            const auto level = static_cast<unsigned>(
                mask.level(mask.x + static_cast<std::int64_t>(i % static_cast<std::size_t>(mask.width)),
                           mask.y + static_cast<std::int64_t>(i / static_cast<std::size_t>(mask.width))));
            packed.bytes[start + i * bits / 8] |= static_cast<std::uint8_t>(level << (i * bits % 8));
        }
        const auto& box = masks.changed[k];
        packed.unchanged.push_back(!box);
        if (box)
            packed.changed.insert(packed.changed.end(), {(*box)[0], (*box)[1], (*box)[2], (*box)[3]});
        else
            packed.changed.insert(packed.changed.end(), {0, 0, -1, -1});
    }
    packed.starts.push_back(static_cast<std::int64_t>(packed.bytes.size()));
    return packed;
}

Values bytes_as_values(const std::vector<std::uint8_t>& bytes) { return {bytes.begin(), bytes.end()}; }

// ---- Rust -------------------------------------------------------------------

std::string rust_constant(std::string_view name, std::string_view type, std::int64_t value) {
    return join({"pub const ", name, ": ", type, " = ", std::to_string(value), ";\n"});
}

std::string rust_array(std::string_view name, std::string_view type, const Values& values) {
    return join({"pub static ", name, ": [", type, "; ", std::to_string(values.size()), "] = [\n", number_lines(values),
                 "];\n"});
}

// [[T; width]; values / width], a row of the outer array to a line.
std::string rust_table(std::string_view name, std::string_view type, const Values& values, std::size_t width) {
    std::string text = join({"pub static ", name, ": [[", type, "; ", std::to_string(width), "]; ",
                             std::to_string(values.size() / width), "] = [\n"});
    for (std::size_t i = 0; i < values.size(); i += width) {
        text += "    [";
        for (std::size_t j = i; j < i + width; ++j) append(text, {j == i ? "" : ", ", std::to_string(values[j])});
        text += "],\n";
    }
    return text + "];\n";
}

std::string rust_index(std::string_view function, std::string_view what, int turn, int positions) {
    return join({"/// ", what, "'s position at a time of day.\n", rust_function_attribute(function), "pub const fn ",
                 function, "(", index_parameters(turn, true), ") -> usize {\n    (",
                 index_expression(turn, positions, true), ") as usize\n}\n"});
}

std::string rust_masks(const Figure& figure, const MaskSet& masks) {
    const std::string name = upper(figure.name);
    const std::string function = lower(figure.name) + "_level";
    const PackedMasks packed = pack_masks(masks);
    const std::string bits = std::to_string(masks.bits);
    std::string text = join(
        {"\n/// The masks: each pixel's share of the figure at each position, in levels of ", bits, " bits (",
         std::to_string((1 << masks.bits) - 1),
         " a whole pixel).\n/// BOX: x, y, width and height of each position's mask; LEVELS: its levels "
         "row by row over\n/// the box, ",
         std::to_string(8 / masks.bits),
         " to a byte, the first in the low bits, from START; CHANGED: the box\n/// {xmin, ymin, xmax, ymax} "
         "of the pixels that differ from the position before.\n",
         rust_constant(name + "_MASK_BITS", "u32", masks.bits), rust_table(name + "_MASK_BOX", "i32", packed.boxes, 4),
         rust_array(name + "_MASK_START", "u32", packed.starts),
         rust_array(name + "_MASK_LEVELS", "u8", bytes_as_values(packed.bytes))});
    text += join({"pub static ", name, "_MASK_CHANGED: [Option<[i32; 4]>; ", std::to_string(packed.unchanged.size()),
                  "] = [\n"});
    for (std::size_t k = 0; k < packed.unchanged.size(); ++k) {
        if (packed.unchanged[k]) {
            text += "    None,\n";
            continue;
        }
        text += "    Some([";
        for (std::size_t j = 0; j < 4; ++j)
            append(text, {j == 0 ? "" : ", ", std::to_string(packed.changed[4 * k + j])});
        text += "]),\n";
    }
    text += "];\n";
    return text +
           join({"/// The level of pixel (x, y) at position k: 0 outside the mask.\n",
                 rust_function_attribute(function), "pub fn ", function,
                 "(k: usize, x: i64, y: i64) -> u8 {\n    let [left, top, width, height] = ", name,
                 "_MASK_BOX[k];\n    let (dx, dy) = (x - left as i64, y - top as i64);\n"
                 "    if dx < 0 || dy < 0 || dx >= width as i64 || dy >= height as i64 {\n        return 0;\n"
                 "    }\n    let i = (dy * width as i64 + dx) as usize * ",
                 bits, ";\n    (", name, "_MASK_LEVELS[", name, "_MASK_START[k] as usize + i / 8] >> (i % 8)) & ",
                 std::to_string((1 << masks.bits) - 1), "\n}\n"});
}

std::string rust_arc(const Figure& figure) {
    const std::string name = upper(figure.name);
    const std::string function = lower(figure.name) + "_position_of";
    const std::string last = std::to_string(figure.positions - 1);
    return join(
        {"\n/// It stands on an arc: position k at START + k * SWEEP / ", last,
         " degrees clockwise from 12 o'clock,\n/// in hundredths.\n",
         rust_constant(name + "_ARC_START_HUNDREDTHS", "i32", figure.arc->start),
         rust_constant(name + "_ARC_SWEEP_HUNDREDTHS", "i32", figure.arc->sweep),
         "/// The position nearest value's place from low (position 0) to high (position ", last,
         "),\n/// halfway going to the higher; 0 at or below low, the last at or above high; low < high.\n",
         rust_function_attribute(function), "pub const fn ", function,
         "(value: i64, low: i64, high: i64) -> usize {\n    if value <= low {\n        0\n    } else if value >= "
         "high {\n        ",
         last, "\n    } else {\n        ((2 * (value - low) * ", last,
         " + (high - low)) / (2 * (high - low))) as usize\n    }\n}\n"});
}

std::string rust_figure(const DialTables& tables, std::size_t f, std::string_view type, bool bounds) {
    const Figure& figure = tables.params.figures[f];
    const FigureEntries& entries = tables.figures[f];
    const std::string name = upper(figure.name);
    const std::size_t points = figure.points.size();
    std::string text =
        join({"\n/// The figure ", figure.name, ": points (along, across) ", points_text(figure.points),
              ",\n/// turned to each of its positions; [k][p] is point p at position k.\n",
              rust_constant(name + "_POSITIONS", "usize", figure.positions),
              rust_constant(name + "_POINTS", "usize", static_cast<std::int64_t>(points)),
              rust_table(name + "_X", type, entries.x, points), rust_table(name + "_Y", type, entries.y, points)});
    if (bounds) {
        Values boxes;
        for (const auto& box : entries.bounds) boxes.insert(boxes.end(), box.begin(), box.end());
        text += "/// Each position's box {xmin, ymin, xmax, ymax}.\n" + rust_table(name + "_BOUNDS", type, boxes, 4);
    }
    if (figure.turn)
        text += rust_index(lower(figure.name) + "_index", "The figure " + figure.name, *figure.turn, figure.positions);
    if (figure.arc) text += rust_arc(figure);
    if (entries.masks) text += rust_masks(figure, *entries.masks);
    return text;
}

std::string rust_center(const DialParams& p) {
    if (p.half_x || p.half_y)
        return "/// Twice the centre: it lies between pixels.\n" +
               rust_constant("CENTER_X2", "i64", center_twice(p, Axis::x)) +
               rust_constant("CENTER_Y2", "i64", center_twice(p, Axis::y));
    return rust_constant("CENTER_X", "i32", p.center_x) + rust_constant("CENTER_Y", "i32", p.center_y);
}

// ---- MicroPython -------------------------------------------------------------

std::string python_constant(std::string_view name, std::int64_t value) {
    return join({name, " = const(", std::to_string(value), ")\n"});
}

std::string python_array(std::string_view name, std::string_view code, const Values& values) {
    return join({name, " = array(\"", code, "\", (\n", number_lines(values), "))\n"});
}

std::string python_bytes(std::string_view name, const std::vector<std::uint8_t>& bytes) {
    if (bytes.empty()) return join({name, " = b\"\"\n"});
    static constexpr char hex[] = "0123456789abcdef";
    std::string text = join({name, " = (\n"});
    for (std::size_t i = 0; i < bytes.size(); i += 32) {
        text += "    b\"";
        for (std::size_t j = i; j < std::min(bytes.size(), i + 32); ++j) {
            text += "\\x";
            text += hex[bytes[j] >> 4];
            text += hex[bytes[j] & 15];
        }
        text += "\"\n";
    }
    return text + ")\n";
}

std::string python_index(std::string_view function, std::string_view what, int turn, int positions) {
    return join({"\n\ndef ", function, "(", index_parameters(turn, false), "):\n    \"\"\"", what,
                 "'s position at a time of day.\"\"\"\n    return ", index_expression(turn, positions, false), "\n"});
}

std::string python_masks(const Figure& figure, const MaskSet& masks) {
    const std::string name = upper(figure.name);
    const PackedMasks packed = pack_masks(masks);
    const std::string bits = std::to_string(masks.bits);
    return join({"\n# The masks: each pixel's share of the figure at each position, in levels of ",
                 bits,
                 " bits (",
                 std::to_string((1 << masks.bits) - 1),
                 " a whole pixel).\n# BOX: x, y, width and height of each position's mask, 4 a position; LEVELS: its "
                 "levels\n# row by row over the box, ",
                 std::to_string(8 / masks.bits),
                 " to a byte, the first in the low bits, from START; CHANGED: the\n# box xmin, ymin, xmax, ymax of the "
                 "pixels that differ from the position before\n# (xmax < xmin where none does).\n",
                 python_constant(name + "_MASK_BITS", masks.bits),
                 python_array(name + "_MASK_BOX", "i", packed.boxes),
                 python_array(name + "_MASK_START", "I", packed.starts),
                 python_bytes(name + "_MASK_LEVELS", packed.bytes),
                 python_array(name + "_MASK_CHANGED", "i", packed.changed),
                 "\n\ndef ",
                 lower(figure.name),
                 "_level(k, x, y):\n    \"\"\"The level of pixel (x, y) at position k: 0 outside the mask.\"\"\"\n"
                 "    b = 4 * k\n    dx = x - ",
                 name,
                 "_MASK_BOX[b]\n    dy = y - ",
                 name,
                 "_MASK_BOX[b + 1]\n    width = ",
                 name,
                 "_MASK_BOX[b + 2]\n    if dx < 0 or dy < 0 or dx >= width or dy >= ",
                 name,
                 "_MASK_BOX[b + 3]:\n        return 0\n    i = (dy * width + dx) * ",
                 bits,
                 "\n    return (",
                 name,
                 "_MASK_LEVELS[",
                 name,
                 "_MASK_START[k] + (i >> 3)] >> (i & 7)) & ",
                 std::to_string((1 << masks.bits) - 1),
                 "\n"});
}

std::string python_arc(const Figure& figure) {
    const std::string name = upper(figure.name);
    const std::string last = std::to_string(figure.positions - 1);
    return join({"\n# It stands on an arc: position k at START + k * SWEEP / ", last,
                 " degrees clockwise from 12 o'clock,\n# in hundredths.\n",
                 python_constant(name + "_ARC_START_HUNDREDTHS", figure.arc->start),
                 python_constant(name + "_ARC_SWEEP_HUNDREDTHS", figure.arc->sweep), "\n\ndef ", lower(figure.name),
                 "_position_of(value, low, high):\n    \"\"\"The position nearest value's place from low (position 0) "
                 "to high (position ",
                 last,
                 "),\n    halfway going to the higher; 0 at or below low, the last at or above high; low < "
                 "high.\"\"\"\n    if value <= low:\n        return 0\n    if value >= high:\n        return ",
                 last, "\n    return (2 * (value - low) * ", last, " + (high - low)) // (2 * (high - low))\n"});
}

std::string python_figure(const DialTables& tables, std::size_t f, std::string_view code, bool bounds) {
    const Figure& figure = tables.params.figures[f];
    const FigureEntries& entries = tables.figures[f];
    const std::string name = upper(figure.name);
    std::string text = join({"\n# The figure ", figure.name, ": points (along, across) ", points_text(figure.points),
                             ",\n# turned to each of its positions; X[k * POINTS + p] is point p at position k.\n",
                             python_constant(name + "_POSITIONS", figure.positions),
                             python_constant(name + "_POINTS", static_cast<std::int64_t>(figure.points.size())),
                             python_array(name + "_X", code, entries.x), python_array(name + "_Y", code, entries.y)});
    if (bounds) {
        Values boxes;
        for (const auto& box : entries.bounds) boxes.insert(boxes.end(), box.begin(), box.end());
        text += "# Each position's box xmin, ymin, xmax, ymax, 4 a position.\n" +
                python_array(name + "_BOUNDS", code, boxes);
    }
    if (figure.turn)
        text +=
            python_index(lower(figure.name) + "_index", "The figure " + figure.name, *figure.turn, figure.positions);
    if (figure.arc) text += python_arc(figure);
    if (entries.masks) text += python_masks(figure, *entries.masks);
    return text;
}

std::string python_center(const DialParams& p) {
    if (p.half_x || p.half_y)
        return "# Twice the centre: it lies between pixels.\n" +
               python_constant("CENTER_X2", center_twice(p, Axis::x)) +
               python_constant("CENTER_Y2", center_twice(p, Axis::y));
    return python_constant("CENTER_X", p.center_x) + python_constant("CENTER_Y", p.center_y);
}

const std::vector<std::int64_t>& entries_of(const DialTables& tables, int hand, Axis axis) {
    const HandEntries& entries = tables.hands[static_cast<std::size_t>(hand)];
    return axis == Axis::x ? entries.x : entries.y;
}

}  // namespace

std::string dial_rust(const DialTables& tables, EntryType type, bool bounds, std::span<const std::string> words) {
    const DialParams& p = tables.params;
    const std::string_view t = rust_types[static_cast<std::size_t>(type)];
    std::string text =
        join({rust_title, "\n", words_line(rust_words_start, words), "// ", rule_text(p), "\n#![allow(dead_code)]\n\n",
              rust_center(p), rust_constant("SUBPIXEL_BITS", "u32", p.rule.subpixel)});
    for (int hand = 0; hand < (p.has_hands ? hand_count : 0); ++hand) {
        const auto h = static_cast<std::size_t>(hand);
        const std::string name = upper(hand_names[h]);
        append(text, {"\n/// The ", hand_names[h], " hand's tip at each position.\n",
                      rust_constant(name + "_RADIUS", "i32", p.radii[h]),
                      rust_constant(name + "_POSITIONS", "usize", p.positions[h]),
                      rust_array(name + "_X", t, entries_of(tables, hand, Axis::x)),
                      rust_array(name + "_Y", t, entries_of(tables, hand, Axis::y)),
                      rust_index(std::string(hand_names[h]) + "_index", "The " + std::string(hand_names[h]) + " hand",
                                 hand, p.positions[h])});
    }
    for (std::size_t f = 0; f < p.figures.size(); ++f) text += rust_figure(tables, f, t, bounds);
    return text;
}

std::string dial_micropython(const DialTables& tables, EntryType type, bool bounds,
                             std::span<const std::string> words) {
    const DialParams& p = tables.params;
    const std::string_view code = array_codes[static_cast<std::size_t>(type)];
    std::string text = join({micropython_title, "\n", words_line(micropython_words_start, words), "# ", rule_text(p),
                             "\nfrom array import array\nfrom micropython import const\n\n", python_center(p),
                             python_constant("SUBPIXEL_BITS", p.rule.subpixel)});
    for (int hand = 0; hand < (p.has_hands ? hand_count : 0); ++hand) {
        const auto h = static_cast<std::size_t>(hand);
        const std::string name = upper(hand_names[h]);
        append(text,
               {"\n# The ", hand_names[h], " hand's tip at each position.\n",
                python_constant(name + "_RADIUS", p.radii[h]), python_constant(name + "_POSITIONS", p.positions[h]),
                python_array(name + "_X", code, entries_of(tables, hand, Axis::x)),
                python_array(name + "_Y", code, entries_of(tables, hand, Axis::y)),
                python_index(std::string(hand_names[h]) + "_index", "The " + std::string(hand_names[h]) + " hand", hand,
                             p.positions[h])});
    }
    for (std::size_t f = 0; f < p.figures.size(); ++f) text += python_figure(tables, f, code, bounds);
    return text;
}

}  // namespace hndpos
