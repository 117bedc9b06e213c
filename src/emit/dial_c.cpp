#include "emit/dial_c.h"

#include <algorithm>

#include "emit/c_text.h"
#include "emit/mask_c.h"
#include "table/table_writer.h"
#include "texts/join.h"

namespace hndpos {
namespace {

std::string summary(const DialParams& p) {
    std::string centre = join({"centre ", center_text(p, Axis::x), ":", center_text(p, Axis::y)});
    if (!p.has_hands) return centre;
    return join({centre, ", radii ", std::to_string(p.radii[0]), " ", std::to_string(p.radii[1]), " ",
                 std::to_string(p.radii[2])});
}

std::string what_is_written(const DialParams& p) {
    if (p.figures.empty()) return "clock-hand tip positions";
    return p.has_hands ? "clock-hand tip positions and figures" : "clock figures";
}

std::string hand_array_name(const EmitNames& names, int hand, Axis axis) {
    return join({names.prefix, hand_names[hand], axis == Axis::x ? "_x" : "_y"});
}

const std::vector<std::int64_t>& hand_entries(const DialTables& tables, int hand, Axis axis) {
    const HandEntries& entries = tables.hands[static_cast<std::size_t>(hand)];
    return axis == Axis::x ? entries.x : entries.y;
}

std::string hand_array_declarator(const DialParams& p, const EmitSpec& form, int hand, Axis axis) {
    return join({storage_qualifier(form.storage), entry_type_facts(form.type).c_type, " ",
                 hand_array_name(form.names, hand, axis), "[",
                 std::to_string(p.positions[static_cast<std::size_t>(hand)]), "]", storage_attribute(form.storage)});
}

// A figure's arrays: each declarator with its array's name.
std::vector<std::pair<std::string, std::string>> figure_declarators(const Figure& figure, const EmitSpec& form) {
    const std::string start = join({storage_qualifier(form.storage), entry_type_facts(form.type).c_type, " "});
    const std::string positions = std::to_string(figure.positions);
    const std::string grid = join({"[", positions, "][", std::to_string(figure.points.size()), "]"});
    const std::string attribute = storage_attribute(form.storage);
    std::vector<std::pair<std::string, std::string>> declarators;
    const auto add = [&](std::string_view suffix, std::string_view dimensions) {
        const std::string name = join({form.names.prefix, figure.name, suffix});
        declarators.push_back({join({start, name, dimensions, attribute}), name});
    };
    if (form.figures.layout == PointLayout::pairs) {
        add("_xy", grid + "[2]");
    } else {
        add("_x", grid);
        add("_y", grid);
    }
    if (form.figures.bounds) add("_bounds", join({"[", positions, "][4]"}));
    return declarators;
}

void define_rule(HeaderText& header, const DialParams& p, const std::string& macro) {
    const std::string unit = std::to_string(1 << p.rule.subpixel);
    header.add(join({"\n/* Entries in ", p.rule.subpixel == 0 ? "whole pixels" : "units of 1/",
                     p.rule.subpixel == 0 ? "" : unit, p.rule.subpixel == 0 ? "" : " pixel", ", ",
                     p.rule.rounding == Rounding::nearest ? "each the integer nearest to the exact value"
                                                          : "each rounded as hndpos rounds its tips",
                     ". */\n"}));
    header.define(macro + "HNDPOS_SUBPIXEL_BITS", std::to_string(p.rule.subpixel));
}

// An arc's angles, and the position nearest a value's place in a range
// (the rule of arc_position in dial_rules.h).
void define_arc(HeaderText& header, const Figure& figure, const std::string& macro) {
    const std::string last = std::to_string(figure.positions - 1);
    header.add(join({"/* It stands on an arc: position k at ", hundredths_text(figure.arc->start), " + k*",
                     hundredths_text(figure.arc->sweep), "/", last,
                     " degrees clockwise from 12 o'clock\n"
                     "   (in hundredths below). POSITION_OF(value, low, high) is the position nearest\n"
                     "   value's place from low (position 0) to high (position ",
                     last,
                     "), halfway going to the\n"
                     "   higher; 0 at or below low, the last at or above high; low < high, and\n"
                     "   2*(value - low)*",
                     last, " must fit a long. */\n"}));
    header.define(macro + "ARC_START_HUNDREDTHS", std::to_string(figure.arc->start));
    header.define(macro + "ARC_SWEEP_HUNDREDTHS", std::to_string(figure.arc->sweep));
    header.define_function(macro + "POSITION_OF", "value, low, high",
                           join({"((long)(value) <= (long)(low) ? 0u : (long)(value) >= (long)(high) ? ", last,
                                 "u : (unsigned)((2L * ((long)(value) - (long)(low)) * ", last,
                                 "L + ((long)(high) - (long)(low))) / (2L * ((long)(high) - (long)(low)))))"}));
}

void define_figure(HeaderText& header, const Figure& figure, const EmitSpec& form) {
    const std::string prefix = upper(form.names.prefix);
    const std::string macro = join({prefix, "HNDPOS_", upper(figure.name), "_"});
    const std::string array = form.names.prefix + figure.name;
    header.add(join({"\n/* The figure ", figure.name, ": points (along, across) ", points_text(figure.points),
                     ",\n   turned to each of its positions; (k, p) is point p at position k. */\n"}));
    header.define(macro + "POSITIONS", std::to_string(figure.positions));
    header.define(macro + "POINTS", std::to_string(figure.points.size()));
    if (figure.turn) {
        const auto turn = static_cast<std::size_t>(*figure.turn);
        header.add(join({"/* It follows the ", turns[turn], " turn: its position at a time of day. */\n"}));
        define_index(header, macro + "INDEX", *figure.turn, std::to_string(figure.positions));
    }
    const auto reader = [&](std::string_view what, std::string_view parameters, std::string_view suffix,
                            std::string_view index) {
        header.define_function(macro + std::string(what), parameters,
                               join({prefix, "HNDPOS_READ_(", array, suffix, index, ")"}));
    };
    if (form.figures.layout == PointLayout::pairs) {
        reader("X", "k, p", "_xy", "[(k)][(p)][0]");
        reader("Y", "k, p", "_xy", "[(k)][(p)][1]");
    } else {
        reader("X", "k, p", "_x", "[(k)][(p)]");
        reader("Y", "k, p", "_y", "[(k)][(p)]");
    }
    if (form.figures.bounds) {
        header.add("/* Its box at position k: i = 0 xmin, 1 ymin, 2 xmax, 3 ymax. */\n");
        reader("BOUND", "k, i", "_bounds", "[(k)][(i)]");
    }
    if (figure.arc) define_arc(header, figure, macro);
    if (figure.mask_bits) define_mask_macros(header, figure, form);
}

// The masks' arrays read through their storage, by pointer: a byte, a
// 16-bit and a 32-bit word.
void define_mask_readers(HeaderText& header, const DialParams& p, const std::string& macro, Storage storage) {
    if (std::none_of(p.figures.begin(), p.figures.end(), [](const Figure& f) { return f.mask_bits.has_value(); }))
        return;
    header.add("\n/* The masks' arrays read through their storage. */\n");
    const std::array<std::pair<std::string_view, std::string_view>, 3> readers = {
        {{"BYTE_", "pgm_read_byte"}, {"U16_", "pgm_read_word"}, {"U32_", "pgm_read_dword"}}};
    if (storage == Storage::progmem) {
        header.add("#if defined(__AVR__)\n");
        for (const auto& [name, avr] : readers)
            header.define_function(join({macro, "HNDPOS_", name}), "pointer", join({avr, "(pointer)"}));
        header.add("#else\n");
    }
    for (const auto& [name, avr] : readers)
        header.define_function(join({macro, "HNDPOS_", name}), "pointer", "(*(pointer))");
    if (storage == Storage::progmem) header.add("#endif\n");
}

// HNDPOS_TIP_X/Y(hand, index): one branch per hand, the arrays differ in length.
void define_tips(HeaderText& header, const EmitSpec& form, const std::string& macro, const std::string& read) {
    header.add(
        "\n/* The x and y pixel of a hand's tip (hand 0 hour, 1 minute, 2 second) at an\n"
        "   index from 0 to the hand's positions less one. */\n");
    for (const Axis axis : {Axis::x, Axis::y}) {
        const std::string name = join({macro, "HNDPOS_TIP_", axis == Axis::x ? "X" : "Y"});
        std::string text = join({"#define ", name, "(hand, index) \\\n"});
        for (int hand = 0; hand < hand_count; ++hand) {
            text += hand == 0 ? "    ((hand) == 0 ? " : hand == 1 ? "     : (hand) == 1 ? " : "                   : ";
            append(text, {read, "(", hand_array_name(form.names, hand, axis),
                          hand < hand_count - 1 ? "[(index)]) \\\n" : "[(index)]))\n"});
        }
        header.add_definition(name, text);
    }
}

// The header up to its declarations, which the run's digest covers.
HeaderText header_body(const DialParams& p, const EmitSpec& form) {
    const std::string macro = upper(form.names.prefix);
    const HeaderFacts f{macro,
                        form.names.header,
                        join({form.names.header, ": ", what_is_written(p), " for ", summary(p), ", ",
                              word_of(entry_types, form.type), " entries."}),
                        "hndpos-tables",
                        p.center_x,
                        p.center_y,
                        p.radii,
                        p.positions,
                        p.has_hands,
                        p.half_x,
                        p.half_y};
    HeaderText header;
    header_start(header, f, form.storage, true);
    const EntryTypeFacts& type = entry_type_facts(form.type);
    header.add("\n/* The entries' type. */\n");
    header.define(macro + "HNDPOS_ENTRY_TYPE", type.c_type);
    if (beyond_tips(p)) define_rule(header, p, macro);
    const std::string read = macro + "HNDPOS_READ_";
    header.add("\n/* One entry, read through its storage. */\n");
    if (form.storage == Storage::progmem) {
        header.add("#if defined(__AVR__)\n");
        header.define_function(read, "entry", join({"((", type.c_type, ")", type.avr_read, "(&(entry)))"}));
        header.add("#else\n");
    }
    header.define_function(read, "entry", join({"((", type.c_type, ")(entry))"}));
    if (form.storage == Storage::progmem) header.add("#endif\n");
    if (p.has_hands) define_tips(header, form, macro, read);
    if (p.figures.empty()) return header;
    define_mask_readers(header, p, macro, form.storage);
    header.add(
        "\n/* The index at a time of day of a figure with `positions` positions that\n"
        "   follows a 12-hour, 1-hour, 1-minute or 24-hour turn. */\n");
    constexpr std::array<std::string_view, turn_count> turn_names = {"INDEX_12H", "INDEX_1H", "INDEX_1M", "INDEX_24H"};
    for (int turn = 0; turn < turn_count; ++turn)
        define_index(header, join({macro, "HNDPOS_", turn_names[static_cast<std::size_t>(turn)]}), turn, "positions");
    for (const Figure& figure : p.figures) define_figure(header, figure, form);
    return header;
}

std::string entry_row(const std::vector<std::int64_t>& values, std::size_t first, std::size_t count) {
    std::string text = "{";
    for (std::size_t i = 0; i < count; ++i) append(text, {i == 0 ? "" : ", ", c_number(values[first + i])});
    return text + "}";
}

std::string figure_source(const Figure& figure, const FigureEntries& entries, const EmitSpec& form) {
    const auto declarators = figure_declarators(figure, form);
    const std::size_t points = figure.points.size();
    const auto positions = static_cast<std::size_t>(figure.positions);
    std::string text;
    std::size_t d = 0;
    const auto array = [&](const auto& row) {
        append(text, {"\n", declarators[d++].first, " = {\n"});
        for (std::size_t k = 0; k < positions; ++k) append(text, {"    ", row(k), k + 1 < positions ? ",\n" : "\n"});
        text += "};\n";
    };
    if (form.figures.layout == PointLayout::pairs) {
        array([&](std::size_t k) {
            std::string row = "{";
            for (std::size_t i = 0; i < points; ++i)
                append(row, {i == 0 ? "{" : ", {", c_number(entries.x[k * points + i]), ", ",
                             c_number(entries.y[k * points + i]), "}"});
            return row + "}";
        });
    } else {
        array([&](std::size_t k) { return entry_row(entries.x, k * points, points); });
        array([&](std::size_t k) { return entry_row(entries.y, k * points, points); });
    }
    if (form.figures.bounds) {
        array([&](std::size_t k) {
            const std::vector<std::int64_t> box(entries.bounds[k].begin(), entries.bounds[k].end());
            return entry_row(box, 0, 4);
        });
    }
    return text;
}

std::string source_title(const DialParams& p) {
    if (!p.has_hands) return join({"/* Clock figures for ", summary(p), "."});
    return join({"/* Clock-hand tip positions for ", summary(p), ",\n   ", std::to_string(p.positions[0]), ", ",
                 std::to_string(p.positions[1]), " and ", std::to_string(p.positions[2]), " positions",
                 p.figures.empty() ? "" : ", and figures", "."});
}

// The options beyond the tips, as hndpos-tables takes them: a value with a
// space in double quotes.
std::string options_comment(std::span<const std::string> words) {
    return "/* With" + stated_words_text(words) + ". */\n";
}

}  // namespace

bool beyond_tips(const DialParams& p) {
    return !p.figures.empty() || !p.has_hands || p.rule.rounding != Rounding::extended || p.rule.subpixel != 0;
}

std::string dial_source(const DialTables& tables, const EmitSpec& form, std::span<const std::string> stated_options) {
    const DialParams& p = tables.params;
    std::string text = join({source_title(p), " Generated by hndpos-tables; do not edit. */\n"});
    if (beyond_tips(p)) text += options_comment(stated_options);
    append(text, {"#include \"", form.names.header, "\"\n"});
    text += digest_check(upper(form.names.prefix), form.names.header, run_digest(header_body(p, form).text()));
    for (int hand = 0; hand < (p.has_hands ? hand_count : 0); ++hand) {
        for (const Axis axis : {Axis::x, Axis::y}) {
            append(text, {"\n", hand_array_declarator(p, form, hand, axis), " = {"});
            const std::vector<std::int64_t>& entries = hand_entries(tables, hand, axis);
            for (std::size_t i = 0; i < entries.size(); ++i) {
                text += i % entries_per_row == 0 ? "\n    " : " ";
                append(text, {c_number(entries[i]), i + 1 < entries.size() ? "," : ""});
            }
            text += "\n};\n";
        }
    }
    for (std::size_t i = 0; i < p.figures.size(); ++i) text += figure_source(p.figures[i], tables.figures[i], form);
    for (std::size_t i = 0; i < p.figures.size(); ++i)
        if (const auto& code = tables.figures[i].mask_code) text += mask_source(p.figures[i], *code, form);
    return text;
}

namespace {

// `codes`: each masked figure's, in order, or none where only the names
// are wanted.
HeaderText whole_header(const DialParams& p, const std::vector<const MaskCode*>& codes, const EmitSpec& form) {
    HeaderText header = header_body(p, form);
    define_digest(header, upper(form.names.prefix), run_digest(header.text()));
    std::vector<std::pair<std::string, std::string>> declarations;
    for (int hand = 0; hand < (p.has_hands ? hand_count : 0); ++hand)
        for (const Axis axis : {Axis::x, Axis::y})
            declarations.push_back(
                {hand_array_declarator(p, form, hand, axis), hand_array_name(form.names, hand, axis)});
    for (const Figure& figure : p.figures)
        for (auto& declarator : figure_declarators(figure, form)) declarations.push_back(std::move(declarator));
    std::size_t masked = 0;
    for (const Figure& figure : p.figures) {
        if (!figure.mask_bits) continue;
        const MaskCode* code = masked < codes.size() ? codes[masked] : nullptr;
        ++masked;
        for (auto& declarator : mask_declarators(figure, code, form)) declarations.push_back(std::move(declarator));
    }
    header_end(header, declarations, mask_functions(p, codes, form));
    return header;
}

std::vector<const MaskCode*> mask_codes(const DialTables& tables) {
    std::vector<const MaskCode*> codes;
    for (const FigureEntries& entries : tables.figures)
        if (entries.mask_code) codes.push_back(&*entries.mask_code);
    return codes;
}

}  // namespace

std::string dial_header(const DialTables& tables, const EmitSpec& form) {
    return whole_header(tables.params, mask_codes(tables), form).text();
}

std::vector<std::string> header_names(const DialParams& params, const EmitNames& names, FigureOutput figures) {
    return whole_header(params, {}, {EntryType::i32, Storage::data, names, figures}).names();
}

}  // namespace hndpos
