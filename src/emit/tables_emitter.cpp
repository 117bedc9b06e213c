#include "emit/tables_emitter.h"

#include <algorithm>
#include <numeric>

#include "texts/join.h"
#include "dial/dial_rules.h"

namespace hndpos {
namespace {

struct TypeFacts {
    std::string_view name;
    std::string_view c_type;
    std::int64_t low;
    std::int64_t high;
    std::string_view avr_read;  // the pgmspace reader of one entry
};

// In the order narrowest_entry_type() tries them.
constexpr std::array<TypeFacts, 4> type_facts = {{
    {"u8", "uint8_t", 0, UINT8_MAX, "pgm_read_byte"},
    {"u16", "uint16_t", 0, UINT16_MAX, "pgm_read_word"},
    {"i16", "int16_t", INT16_MIN, INT16_MAX, "pgm_read_word"},
    {"i32", "int32_t", INT32_MIN, INT32_MAX, "pgm_read_dword"},
}};

const TypeFacts& facts(EntryType type) { return type_facts[static_cast<std::size_t>(type)]; }

constexpr std::array<std::string_view, 3> storage_names = {"data", "const", "progmem"};

// A C constant of the value: INT32_MIN has no literal of its own type.
std::string c_number(std::int64_t value) { return value == INT32_MIN ? "(-2147483647 - 1)" : std::to_string(value); }

std::string upper(std::string_view text) {
    std::string result(text);
    std::transform(result.begin(), result.end(), result.begin(),
                   [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; });
    return result;
}

std::string hand_name(int hand) { return std::string(hand_names[hand]); }

// The include guard of a header: the macros' prefix, then the header's name
// as an identifier, so that two headers of one program never share it.
std::string include_guard(const std::string& macro, std::string_view header) {
    std::string guard = macro + "HNDPOS_";
    for (const char c : upper(header)) guard += (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ? c : '_';
    return guard;
}

// A source and the header it includes, written by one run: both carry a
// digest of what the run was asked, and a source that meets another run's
// header (two runs at once onto one name) stops the compiler.
std::string run_digest(std::string_view what) {
    std::uint32_t hash = 2166136261u;  // FNV-1a
    for (const char c : what) hash = (hash ^ static_cast<unsigned char>(c)) * 16777619u;
    static constexpr char digits[] = "0123456789ABCDEF";
    std::string text = "0x";
    for (int shift = 28; shift >= 0; shift -= 4) text += digits[(hash >> shift) & 0xFu];
    return text + "UL";
}

std::string digest_define(const std::string& macro, const std::string& digest) {
    return "\n/* Pairs this header with the source written beside it. */\n#define " + macro + "HNDPOS_RUN_DIGEST " +
           digest + "\n";
}

std::string digest_check(const std::string& macro, const std::string& header, const std::string& digest) {
    const std::string name = macro + "HNDPOS_RUN_DIGEST";
    return "#if !defined(" + name + ") || " + name + " != " + digest + "\n#error \"" + header +
           " was written by another run than this file: run the generator again\"\n#endif\n";
}

// hand_index() as C: floor(positions × elapsed / turn) in unsigned long,
// which has 32 bits even where int has 16; the fraction is reduced first,
// so the product stays below max_positions times the longest turn.
std::string index_expression(int positions, long turn, const std::string& elapsed) {
    const long divisor = std::gcd(static_cast<long>(positions), turn);
    const long multiplier = positions / divisor;
    const long denominator = turn / divisor;
    std::string numerator = "(" + elapsed + ")";
    if (multiplier != 1) numerator = std::to_string(multiplier) + "UL * " + numerator;
    if (denominator == 1) return "((unsigned int)(" + numerator + "))";
    return "((unsigned int)(" + numerator + " / " + std::to_string(denominator) + "UL))";
}

// The turns' elapsed parts, as C, their macros' arguments, and the names of
// the index macros that take the positions as an argument.
constexpr std::array<std::string_view, turn_count> elapsed_expressions = {
    "((unsigned long)(h) % 12UL) * 3600UL + (unsigned long)(m) * 60UL + (unsigned long)(s)",
    "(unsigned long)(m) * 60UL + (unsigned long)(s)", "(unsigned long)(s) * 1000UL + (unsigned long)(ms)",
    "(unsigned long)(h) * 3600UL + (unsigned long)(m) * 60UL + (unsigned long)(s)"};
constexpr std::array<std::string_view, turn_count> index_arguments = {"h, m, s", "m, s", "s, ms", "h, m, s"};
constexpr std::array<std::string_view, turn_count> turn_index_names = {"INDEX_12H", "INDEX_1H", "INDEX_1M",
                                                                       "INDEX_24H"};

// floor(positions × elapsed / turn) for any positions; the product stays
// below max_positions times the longest turn, inside 32 bits.
std::string turn_index_macro(const std::string& macro, int turn) {
    const auto t = static_cast<std::size_t>(turn);
    return join({"#define ", macro, "HNDPOS_", turn_index_names[t], "(positions, ", index_arguments[t],
                 ") ((unsigned int)((unsigned long)(positions) * (", elapsed_expressions[t], ") / ",
                 std::to_string(turn_length[t]), "UL))\n"});
}
static_assert(static_cast<long long>(max_positions) * 24 * 60 * 60 <= 0xFFFFFFFFLL);

struct HeaderFacts {
    std::string macro;  // the upper-cased prefix
    std::string guard;
    std::string title;      // the first comment's text
    std::string generator;  // the program that writes the header
    std::int32_t center_x;
    std::int32_t center_y;
    std::array<std::int32_t, hand_count> radii;
    std::array<int, hand_count> positions;
    bool has_hands = true;
};

std::string header_start(const HeaderFacts& f, Storage storage, bool fixed_width_types) {
    std::string text = "/* " + f.title + "\n   Generated by " + f.generator + "; do not edit. */\n";
    text += "#ifndef " + f.guard + "\n#define " + f.guard + "\n\n";
    if (fixed_width_types) text += "#include <stdint.h>\n";
    if (storage == Storage::progmem) {
        text +=
            "/* The tables live in program memory on AVR; elsewhere PROGMEM is nothing. */\n"
            "#if defined(__AVR__)\n#include <avr/pgmspace.h>\n#elif !defined(PROGMEM)\n#define PROGMEM\n#endif\n";
    }
    if (fixed_width_types || storage == Storage::progmem) text += "\n";
    const std::string& m = f.macro;
    text += "#define " + m + "HNDPOS_CENTER_X " + c_number(f.center_x) + "\n";
    text += "#define " + m + "HNDPOS_CENTER_Y " + c_number(f.center_y) + "\n";
    if (!f.has_hands) return text;
    for (int hand = 0; hand < hand_count; ++hand)
        text += "#define " + m + "HNDPOS_" + upper(hand_names[hand]) + "_RADIUS " +
                c_number(f.radii[static_cast<std::size_t>(hand)]) + "\n";
    for (int hand = 0; hand < hand_count; ++hand)
        text += "#define " + m + "HNDPOS_" + upper(hand_names[hand]) + "_POSITIONS " +
                std::to_string(f.positions[static_cast<std::size_t>(hand)]) + "\n";
    text +=
        "\n/* Each hand's index at a time of day: the floor of its positions times the\n"
        "   elapsed part of its turn (h from 0 to 23, m and s from 0 to 59, ms from 0\n"
        "   to 999). Computed in unsigned long, so 16-bit int cannot overflow. */\n";
    for (int hand = 0; hand < hand_count; ++hand) {
        const auto h = static_cast<std::size_t>(hand);
        text += "#define " + m + "HNDPOS_" + upper(hand_names[hand]) + "_INDEX(" + std::string(index_arguments[h]) +
                ") " + index_expression(f.positions[h], turn_length[h], std::string(elapsed_expressions[h])) + "\n";
    }
    return text;
}

std::string header_declarations(const std::string& declarations) {
    return "\n#ifdef __cplusplus\nextern \"C\" {\n#endif\n" + declarations +
           "#ifdef __cplusplus\n}\n#endif\n\n#endif\n";
}

std::string grid_array(const std::array<std::uint8_t, entries_per_table>& entries, const std::string& name,
                       Storage storage) {
    std::string text = "const unsigned char " + name + "[" + std::to_string(hand_count) + "][" +
                       std::to_string(position_count) + "]" + (storage == Storage::progmem ? " PROGMEM" : "") +
                       " = {\n";
    for (int hand = 0; hand < hand_count; ++hand) {
        text += "    /* " + hand_name(hand) + " */ {";
        for (int position = 0; position < position_count; ++position) {
            if (position > 0) text += position % entries_per_row == 0 ? ",\n        " : ", ";
            text += std::to_string(entries[static_cast<std::size_t>(entry_index(hand, position))]);
        }
        text += hand < hand_count - 1 ? "},\n" : "}\n";
    }
    return text + "};\n";
}

std::string storage_qualifier(Storage storage) { return storage == Storage::data ? "" : "const "; }
std::string storage_attribute(Storage storage) { return storage == Storage::progmem ? " PROGMEM" : ""; }

std::string hand_array_name(const EmitNames& names, int hand, Axis axis) {
    return names.prefix + hand_name(hand) + (axis == Axis::x ? "_x" : "_y");
}

const std::vector<std::int64_t>& hand_entries(const DialTables& tables, int hand, Axis axis) {
    const HandEntries& entries = tables.hands[static_cast<std::size_t>(hand)];
    return axis == Axis::x ? entries.x : entries.y;
}

std::string hand_array_declarator(const DialTables& tables, EntryType type, Storage storage, const EmitNames& names,
                                  int hand, Axis axis) {
    return storage_qualifier(storage) + std::string(facts(type).c_type) + " " + hand_array_name(names, hand, axis) +
           "[" + std::to_string(tables.params.positions[static_cast<std::size_t>(hand)]) + "]" +
           storage_attribute(storage);
}

std::string summary(std::int32_t x, std::int32_t y, const std::array<std::int32_t, hand_count>& radii) {
    return "centre " + std::to_string(x) + ":" + std::to_string(y) + ", radii " + std::to_string(radii[0]) + " " +
           std::to_string(radii[1]) + " " + std::to_string(radii[2]);
}

std::string json_list(const std::vector<std::int64_t>& values) {
    std::string text = "[";
    for (std::size_t i = 0; i < values.size(); ++i) text += (i == 0 ? "" : ", ") + std::to_string(values[i]);
    return text + "]";
}

std::string where(int hand, int position, Axis axis) {
    return "the " + hand_name(hand) + " hand's " + (axis == Axis::x ? "x" : "y") + " at position " +
           std::to_string(position);
}

// What is wrong with one entry on the panel or in the type, or "". In
// sub-pixel units the panel's pixels are 2^bits units wide.
std::string misfit(std::int64_t value, Axis axis, const DialParams& p, std::optional<EntryType> requested,
                   std::optional<PanelSize> panel) {
    if (panel) {
        const std::int64_t size = axis == Axis::x ? panel->width : panel->height;
        const std::int64_t units = size << p.rule.subpixel;
        if (value < 0 || value >= units)
            return join({" is ", std::to_string(value), ", outside the ", std::to_string(panel->width), "x",
                         std::to_string(panel->height), " display (0 to ", std::to_string(units - 1), ")"});
    }
    if (requested && !entry_type_holds(*requested, value))
        return join({" is ", std::to_string(value), ", which ", entry_type_name(*requested), " cannot hold"});
    return "";
}

// The first entry off the panel or outside the type, or "": the hands' x,
// then their y, then the figures point by point.
std::string first_misfit(const DialTables& tables, std::optional<EntryType> requested, std::optional<PanelSize> panel) {
    const DialParams& p = tables.params;
    for (const Axis axis : {Axis::x, Axis::y}) {
        for (int hand = 0; hand < hand_count; ++hand) {
            const std::vector<std::int64_t>& values = hand_entries(tables, hand, axis);
            for (std::size_t position = 0; position < values.size(); ++position)
                if (std::string why = misfit(values[position], axis, p, requested, panel); !why.empty())
                    return where(hand, static_cast<int>(position), axis) + why;
        }
    }
    for (std::size_t f = 0; f < tables.figures.size(); ++f) {
        const FigureEntries& entries = tables.figures[f];
        const std::size_t points = p.figures[f].points.size();
        for (std::size_t i = 0; i < entries.x.size(); ++i) {
            for (const Axis axis : {Axis::x, Axis::y}) {
                const std::int64_t value = axis == Axis::x ? entries.x[i] : entries.y[i];
                if (std::string why = misfit(value, axis, p, requested, panel); !why.empty())
                    return join({"the figure ", p.figures[f].name, "'s ", axis == Axis::x ? "x" : "y", " at position ",
                                 std::to_string(i / points), ", point ", std::to_string(i % points), why});
            }
        }
    }
    return "";
}

}  // namespace

TablesVerdict judge_dial_tables(const DialTables& tables, std::optional<EntryType> requested,
                                std::optional<PanelSize> panel) {
    if (const auto& overflow = tables.overflow)
        return {std::nullopt, where(overflow->hand, overflow->position, overflow->axis) + " is " +
                                  std::to_string(overflow->offset) + " (radius " +
                                  std::to_string(tables.params.radii[static_cast<std::size_t>(overflow->hand)]) +
                                  "), outside the 32-bit range"};
    if (std::string problem = first_misfit(tables, requested, panel); !problem.empty()) return {std::nullopt, problem};
    if (requested) return {requested, ""};
    if (const auto narrowest = narrowest_entry_type(tables)) return {narrowest, ""};
    return {std::nullopt, first_misfit(tables, EntryType::i32, std::nullopt) +
                              ": the entries need more than 32 bits, and no entry type holds them all"};
}

std::optional<EntryType> parse_entry_type(std::string_view name) {
    for (std::size_t i = 0; i < type_facts.size(); ++i)
        if (type_facts[i].name == name) return static_cast<EntryType>(i);
    return std::nullopt;
}

std::string_view entry_type_name(EntryType type) { return facts(type).name; }
std::string_view entry_c_type(EntryType type) { return facts(type).c_type; }

std::optional<Storage> parse_storage(std::string_view name) {
    for (std::size_t i = 0; i < storage_names.size(); ++i)
        if (storage_names[i] == name) return static_cast<Storage>(i);
    return std::nullopt;
}

bool entry_type_holds(EntryType type, std::int64_t value) {
    return value >= facts(type).low && value <= facts(type).high;
}

std::optional<EntryType> narrowest_entry_type(const DialTables& tables) {
    std::int64_t low = INT64_MAX;
    std::int64_t high = INT64_MIN;
    const auto take = [&](const std::vector<std::int64_t>& entries) {
        for (const std::int64_t value : entries) {
            low = std::min(low, value);
            high = std::max(high, value);
        }
    };
    for (const HandEntries& hand : tables.hands) {
        take(hand.x);
        take(hand.y);
    }
    for (const FigureEntries& figure : tables.figures) {  // the boxes hold no other values
        take(figure.x);
        take(figure.y);
    }
    for (std::size_t i = 0; i < type_facts.size(); ++i) {
        const auto type = static_cast<EntryType>(i);
        if (entry_type_holds(type, low) && entry_type_holds(type, high)) return type;
    }
    return std::nullopt;
}

bool is_valid_header_name(std::string_view name) {
    // The name stands in the header's first comment too.
    if (name.empty() || name.find("*/") != std::string_view::npos || name.find("/*") != std::string_view::npos)
        return false;
    return std::none_of(name.begin(), name.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return byte < 0x20 || byte == 0x7F || c == '"' || c == '\\';
    });
}

bool is_identifier_prefix(std::string_view text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        const bool letter = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_';
        if (!letter && !(i > 0 && c >= '0' && c <= '9')) return false;
    }
    return true;
}

namespace {

// The grid header up to its declarations, which the run's digest covers.
std::string grid_header_body(const HandParams& params, Storage storage, const EmitNames& names) {
    const std::string macro = upper(names.prefix);
    const HeaderFacts f{
        macro,
        include_guard(macro, names.header),
        names.header + ": clock-hand tip positions for " +
            summary(params.CenterX, params.CenterY, {params.HourRadius, params.MinuteRadius, params.SecondRadius}) +
            ".",
        "hndpos-view",
        params.CenterX,
        params.CenterY,
        {params.HourRadius, params.MinuteRadius, params.SecondRadius},
        {position_count, position_count, position_count}};
    std::string text = header_start(f, storage, false);
    text += "\n/* The hour hand's position at h:m; the minute hand stands at m, the second hand at s. */\n";
    text += "#define " + macro + "HNDPOS_HOUR_POSITION(h, m) ((((h) % 12) * 5) + ((m) / 12))\n";
    const std::string x = names.prefix + "xtbl";
    const std::string y = names.prefix + "ytbl";
    text += "\n/* The x and y pixel of a hand's tip (hand 0 hour, 1 minute, 2 second). */\n";
    if (storage == Storage::progmem) {
        text += "#if defined(__AVR__)\n";
        text +=
            "#define " + macro + "HNDPOS_TIP_X(hand, position) ((int)pgm_read_byte(&" + x + "[(hand)][(position)]))\n";
        text += "#define " + macro + "HNDPOS_TIP_Y(hand, position) ((int)pgm_read_byte(&" + y +
                "[(hand)][(position)]))\n#else\n";
    }
    text += "#define " + macro + "HNDPOS_TIP_X(hand, position) ((int)" + x + "[(hand)][(position)])\n";
    text += "#define " + macro + "HNDPOS_TIP_Y(hand, position) ((int)" + y + "[(hand)][(position)])\n";
    if (storage == Storage::progmem) text += "#endif\n";
    return text;
}

}  // namespace

std::string byte_tables_source(const HandParams& params, const ByteEntries& entries, Storage storage,
                               const EmitNames& names) {
    std::string text =
        "/* Clock-hand tip positions for " +
        summary(params.CenterX, params.CenterY, {params.HourRadius, params.MinuteRadius, params.SecondRadius}) +
        ",\n   the entries of hndpos's hpostbl.c as bytes. Generated by hndpos-view; do not edit. */\n";
    text += "#include \"" + names.header + "\"\n";
    text += digest_check(upper(names.prefix), names.header, run_digest(grid_header_body(params, storage, names)));
    text += "\n";
    text += grid_array(entries[0], names.prefix + "xtbl", storage);
    text += "\n";
    text += grid_array(entries[1], names.prefix + "ytbl", storage);
    return text;
}

std::string byte_tables_header(const HandParams& params, Storage storage, const EmitNames& names) {
    const std::string body = grid_header_body(params, storage, names);
    const std::string type = storage == Storage::data ? "int " : "const unsigned char ";
    std::string declarations;
    for (const char* axis : {"xtbl", "ytbl"})
        declarations += "extern " + type + names.prefix + axis + "[3][60]" + storage_attribute(storage) + ";\n";
    return body + digest_define(upper(names.prefix), run_digest(body)) + header_declarations(declarations);
}

namespace {

// Whether the run asks for more than the hands' whole-pixel tips: only
// then do the files carry the figures' and the rule's parts, so that the
// files of a plain run stay as they always were.
bool beyond_tips(const DialParams& p) {
    return !p.figures.empty() || !p.has_hands || p.rule.rounding != Rounding::extended || p.rule.subpixel != 0;
}

std::string_view rounding_name(Rounding rounding) { return rounding == Rounding::nearest ? "nearest" : "extended"; }

std::string points_text(const std::vector<FigurePoint>& points) {
    std::string text;
    for (const FigurePoint& p : points)
        append(text, {text.empty() ? "" : " ", std::to_string(p.along), ",", std::to_string(p.across)});
    return text;
}

// The declarators of a figure's arrays, with their suffixes.
std::vector<std::string> figure_declarators(const Figure& figure, EntryType type, Storage storage,
                                            const EmitNames& names, FigureOutput out) {
    const std::string start = join({storage_qualifier(storage), facts(type).c_type, " "});
    const std::string positions = std::to_string(figure.positions);
    const std::string grid = join({"[", positions, "][", std::to_string(figure.points.size()), "]"});
    const std::string attribute = storage_attribute(storage);
    const auto declarator = [&](std::string_view suffix, std::string_view dimensions) {
        return join({start, names.prefix, figure.name, suffix, dimensions, attribute});
    };
    std::vector<std::string> declarators;
    if (out.layout == PointLayout::pairs) {
        declarators.push_back(declarator("_xy", grid + "[2]"));
    } else {
        declarators.push_back(declarator("_x", grid));
        declarators.push_back(declarator("_y", grid));
    }
    if (out.bounds) declarators.push_back(declarator("_bounds", join({"[", positions, "][4]"})));
    return declarators;
}

std::string rule_macros(const DialParams& p, const std::string& macro) {
    const std::string unit = std::to_string(1 << p.rule.subpixel);
    return join({"\n/* Entries in ", p.rule.subpixel == 0 ? "whole pixels" : "units of 1/",
                 p.rule.subpixel == 0 ? "" : unit, p.rule.subpixel == 0 ? "" : " pixel", ", ",
                 p.rule.rounding == Rounding::nearest ? "each the integer nearest to the exact value"
                                                      : "each rounded as hndpos rounds its tips",
                 ". */\n#define ", macro, "HNDPOS_SUBPIXEL_BITS ", std::to_string(p.rule.subpixel), "\n"});
}

std::string figure_macros(const Figure& figure, const EmitNames& names, FigureOutput out) {
    const std::string prefix = upper(names.prefix);
    const std::string macro = join({prefix, "HNDPOS_", upper(figure.name), "_"});
    const std::string array = names.prefix + figure.name;
    std::string text;
    append(text, {"\n/* The figure ", figure.name, ": points (along, across) ", points_text(figure.points),
                  ",\n   turned to each of its positions; (k, p) is point p at position k. */\n"});
    append(text, {"#define ", macro, "POSITIONS ", std::to_string(figure.positions), "\n"});
    append(text, {"#define ", macro, "POINTS ", std::to_string(figure.points.size()), "\n"});
    const auto reader = [&](std::string_view what, std::string_view suffix, std::string_view index) {
        append(text, {"#define ", macro, what, " ", prefix, "HNDPOS_READ_(", array, suffix, index, ")\n"});
    };
    if (out.layout == PointLayout::pairs) {
        reader("X(k, p)", "_xy", "[(k)][(p)][0]");
        reader("Y(k, p)", "_xy", "[(k)][(p)][1]");
    } else {
        reader("X(k, p)", "_x", "[(k)][(p)]");
        reader("Y(k, p)", "_y", "[(k)][(p)]");
    }
    if (out.bounds) {
        text += "/* Its box at position k: i = 0 xmin, 1 ymin, 2 xmax, 3 ymax. */\n";
        reader("BOUND(k, i)", "_bounds", "[(k)][(i)]");
    }
    return text;
}

std::string hands_summary(const DialParams& p) {
    return p.has_hands ? summary(p.center_x, p.center_y, p.radii)
                       : join({"centre ", std::to_string(p.center_x), ":", std::to_string(p.center_y)});
}

std::string what_is_written(const DialParams& p) {
    if (p.figures.empty()) return "clock-hand tip positions";
    return p.has_hands ? "clock-hand tip positions and figures" : "clock figures";
}

// The per-hand header up to its declarations, which the run's digest covers.
std::string hand_header_body(const DialTables& tables, EntryType type, Storage storage, const EmitNames& names,
                             FigureOutput out) {
    const DialParams& p = tables.params;
    const std::string macro = upper(names.prefix);
    const HeaderFacts f{macro,
                        include_guard(macro, names.header),
                        join({names.header, ": ", what_is_written(p), " for ", hands_summary(p), ", ",
                              entry_type_name(type), " entries."}),
                        "hndpos-tables",
                        p.center_x,
                        p.center_y,
                        p.radii,
                        p.positions,
                        p.has_hands};
    std::string text = header_start(f, storage, true);
    const std::string c_type(facts(type).c_type);
    append(text, {"\n/* The entries' type. */\n#define ", macro, "HNDPOS_ENTRY_TYPE ", c_type, "\n"});
    if (beyond_tips(p)) text += rule_macros(p, macro);
    const std::string read = macro + "HNDPOS_READ_";
    text += "\n/* One entry, read through its storage. */\n";
    if (storage == Storage::progmem) {
        append(text, {"#if defined(__AVR__)\n#define ", read, "(entry) ((", c_type, ")", facts(type).avr_read,
                      "(&(entry)))\n#else\n"});
    }
    append(text, {"#define ", read, "(entry) ((", c_type, ")(entry))\n"});
    if (storage == Storage::progmem) text += "#endif\n";
    if (p.has_hands) {
        text +=
            "\n/* The x and y pixel of a hand's tip (hand 0 hour, 1 minute, 2 second) at an\n"
            "   index from 0 to the hand's positions less one. */\n";
        for (const Axis axis : {Axis::x, Axis::y}) {
            // One branch per hand: the arrays differ in length.
            append(text, {"#define ", macro, "HNDPOS_TIP_", axis == Axis::x ? "X" : "Y", "(hand, index) \\\n"});
            for (int hand = 0; hand < hand_count; ++hand) {
                text += hand == 0   ? "    ((hand) == 0 ? "
                        : hand == 1 ? "     : (hand) == 1 ? "
                                    : "                   : ";
                text += read;
                text += '(';
                text += hand_array_name(names, hand, axis);
                text += hand < hand_count - 1 ? "[(index)]) \\\n" : "[(index)]))\n";
            }
        }
    }
    if (p.figures.empty()) return text;
    text +=
        "\n/* The index at a time of day of a figure with `positions` positions that\n"
        "   follows a 12-hour, 1-hour, 1-minute or 24-hour turn. */\n";
    for (int turn = 0; turn < turn_count; ++turn) text += turn_index_macro(macro, turn);
    for (const Figure& figure : p.figures) text += figure_macros(figure, names, out);
    return text;
}

std::string entry_row(const std::vector<std::int64_t>& values, std::size_t first, std::size_t count) {
    std::string text = "{";
    for (std::size_t i = 0; i < count; ++i) append(text, {i == 0 ? "" : ", ", c_number(values[first + i])});
    return text + "}";
}

std::string figure_source(const Figure& figure, const FigureEntries& entries, EntryType type, Storage storage,
                          const EmitNames& names, FigureOutput out) {
    const std::vector<std::string> declarators = figure_declarators(figure, type, storage, names, out);
    const std::size_t points = figure.points.size();
    const auto positions = static_cast<std::size_t>(figure.positions);
    std::string text;
    std::size_t d = 0;
    const auto array = [&](const auto& row) {
        append(text, {"\n", declarators[d++], " = {\n"});
        for (std::size_t k = 0; k < positions; ++k) append(text, {"    ", row(k), k + 1 < positions ? ",\n" : "\n"});
        text += "};\n";
    };
    if (out.layout == PointLayout::pairs) {
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
    if (out.bounds) {
        array([&](std::size_t k) {
            const std::vector<std::int64_t> box(entries.bounds[k].begin(), entries.bounds[k].end());
            return entry_row(box, 0, 4);
        });
    }
    return text;
}

std::string source_title(const DialParams& p) {
    if (!p.has_hands) return join({"/* Clock figures for ", hands_summary(p), "."});
    return join({"/* Clock-hand tip positions for ", summary(p.center_x, p.center_y, p.radii), ",\n   ",
                 std::to_string(p.positions[0]), ", ", std::to_string(p.positions[1]), " and ",
                 std::to_string(p.positions[2]), " positions", p.figures.empty() ? "" : ", and figures", "."});
}

// The options beyond the tips, as hndpos-tables takes them, so that the
// source names everything that made it (the viewer reads them back).
std::string options_comment(const DialParams& p, FigureOutput out) {
    std::string text = "/* With";
    for (const Figure& figure : p.figures)
        append(text, {" --figure ", figure.name, " ", std::to_string(figure.positions), " \"",
                      points_text(figure.points), "\""});
    if (p.rule.rounding != Rounding::extended) append(text, {" --rounding ", rounding_name(p.rule.rounding)});
    if (p.rule.subpixel != 0) append(text, {" --subpixel ", std::to_string(p.rule.subpixel)});
    if (out.layout == PointLayout::pairs) text += " --layout xy";
    if (out.bounds) text += " --bounds";
    return text + ". */\n";
}

}  // namespace

std::string dial_source(const DialTables& tables, EntryType type, Storage storage, const EmitNames& names,
                               FigureOutput figures) {
    const DialParams& p = tables.params;
    std::string text = join({source_title(p), " Generated by hndpos-tables; do not edit. */\n"});
    if (beyond_tips(p)) text += options_comment(p, figures);
    append(text, {"#include \"", names.header, "\"\n"});
    text += digest_check(upper(names.prefix), names.header,
                         run_digest(hand_header_body(tables, type, storage, names, figures)));
    for (int hand = 0; hand < (p.has_hands ? hand_count : 0); ++hand) {
        for (const Axis axis : {Axis::x, Axis::y}) {
            text += '\n';
            text += hand_array_declarator(tables, type, storage, names, hand, axis);
            text += " = {";
            const std::vector<std::int64_t>& entries = hand_entries(tables, hand, axis);
            for (std::size_t i = 0; i < entries.size(); ++i) {
                text += i % entries_per_row == 0 ? "\n    " : " ";
                append(text, {c_number(entries[i]), i + 1 < entries.size() ? "," : ""});
            }
            text += "\n};\n";
        }
    }
    for (std::size_t i = 0; i < p.figures.size(); ++i)
        text += figure_source(p.figures[i], tables.figures[i], type, storage, names, figures);
    return text;
}

std::string dial_header(const DialTables& tables, EntryType type, Storage storage, const EmitNames& names,
                               FigureOutput figures) {
    const std::string body = hand_header_body(tables, type, storage, names, figures);
    std::string declarations;
    for (int hand = 0; hand < (tables.params.has_hands ? hand_count : 0); ++hand)
        for (const Axis axis : {Axis::x, Axis::y})
            declarations += "extern " + hand_array_declarator(tables, type, storage, names, hand, axis) + ";\n";
    for (const Figure& figure : tables.params.figures)
        for (const std::string& declarator : figure_declarators(figure, type, storage, names, figures))
            declarations += "extern " + declarator + ";\n";
    return body + digest_define(upper(names.prefix), run_digest(body)) + header_declarations(declarations);
}

std::string name_clash(const DialParams& params, const EmitNames& names, FigureOutput figures) {
    DialTables outline;  // the names depend on neither the entries nor the storage
    outline.params = params;
    const std::string header = dial_header(outline, EntryType::i32, Storage::data, names, figures);
    std::vector<std::string> defined;
    for (std::size_t at = 0; at < header.size();) {
        const std::size_t end = std::min(header.find('\n', at), header.size());
        const std::string_view line(header.data() + at, end - at);
        at = end + 1;
        std::string_view name;
        if (line.starts_with("#define ")) {
            name = line.substr(8, line.find_first_of(" (", 8) - 8);
        } else if (line.starts_with("extern ")) {
            const std::size_t bracket = line.find('[');
            const std::size_t space = line.rfind(' ', bracket);
            name = line.substr(space + 1, bracket - space - 1);
        } else {
            continue;
        }
        if (std::find(defined.begin(), defined.end(), name) != defined.end())
            return "two things would be named " + std::string(name) +
                   ": give each figure a name of its own, unlike the hands' and the header's";
        defined.emplace_back(name);
    }
    return "";
}

std::string index_helpers_header(std::string_view header) {
    const std::string guard = include_guard("", header);
    std::string text = "/* " + std::string(header) +
                       ": each hand's index at a time of day for tables of any positions.\n"
                       "   Generated by hndpos; do not edit. */\n";
    text += "#ifndef " + guard + "\n#define " + guard + "\n\n";
    text +=
        "/* The floor of the hand's positions times the elapsed part of its turn (h\n"
        "   from 0 to 23, m and s from 0 to 59, ms from 0 to 999), as the macros of\n"
        "   hndpos-tables' headers give it; positions from " +
        std::to_string(min_positions) + " to " + std::to_string(max_positions) +
        ". Computed in\n"
        "   unsigned long, whose 32 bits hold the product even where int has 16. */\n";
    for (int hand = 0; hand < hand_count; ++hand) {
        const auto h = static_cast<std::size_t>(hand);
        text += "#define HNDPOS_" + upper(hand_names[hand]) + "_INDEX_OF(positions, " +
                std::string(index_arguments[h]) + ") ((unsigned int)((unsigned long)(positions) * (" +
                std::string(elapsed_expressions[h]) + ") / " + std::to_string(turn_length[h]) + "UL))\n";
    }
    return text + "\n#endif\n";
}

namespace {

std::string json_rows(const std::vector<std::int64_t>& values, std::size_t width) {
    std::string text = "[";
    for (std::size_t first = 0; first < values.size(); first += width) {
        text += first == 0 ? "" : ", ";
        text += json_list(std::vector<std::int64_t>(values.begin() + static_cast<std::ptrdiff_t>(first),
                                                    values.begin() + static_cast<std::ptrdiff_t>(first + width)));
    }
    return text + "]";
}

std::string figure_json(const Figure& figure, const FigureEntries& entries, FigureOutput out) {
    std::string text;
    append(text, {"\n  {\"name\": \"", figure.name, "\", \"positions\": ", std::to_string(figure.positions),
                  ", \"points\": ["});
    for (const FigurePoint& p : figure.points)
        append(text, {&p == figure.points.data() ? "[" : ", [", std::to_string(p.along), ", ", std::to_string(p.across),
                      "]"});
    append(text, {"], \"x\": ", json_rows(entries.x, figure.points.size()),
                  ", \"y\": ", json_rows(entries.y, figure.points.size())});
    if (out.bounds) {
        std::vector<std::int64_t> boxes;
        for (const auto& box : entries.bounds) boxes.insert(boxes.end(), box.begin(), box.end());
        append(text, {", \"bounds\": ", json_rows(boxes, 4)});
    }
    return text + "}";
}

}  // namespace

std::string dial_json(const DialTables& tables, EntryType type, FigureOutput figures) {
    const DialParams& p = tables.params;
    std::string text;
    append(text, {"{\"center\": [", std::to_string(p.center_x), ", ", std::to_string(p.center_y), "], \"radii\": ["});
    if (p.has_hands)
        append(text, {std::to_string(p.radii[0]), ", ", std::to_string(p.radii[1]), ", ", std::to_string(p.radii[2])});
    append(text, {"], \"type\": \"", entry_type_name(type), "\", \"hands\": ["});
    for (int hand = 0; hand < (p.has_hands ? hand_count : 0); ++hand) {
        append(text, {hand == 0 ? "" : ",", "\n  {\"name\": \"", hand_names[hand],
                      "\", \"positions\": ", std::to_string(p.positions[static_cast<std::size_t>(hand)]),
                      ", \"x\": ", json_list(hand_entries(tables, hand, Axis::x)),
                      ", \"y\": ", json_list(hand_entries(tables, hand, Axis::y)), "}"});
    }
    if (!beyond_tips(p)) return text + "\n]}\n";
    append(text, {p.has_hands ? "\n" : "", "], \"rounding\": \"", rounding_name(p.rule.rounding),
                  "\", \"subpixel\": ", std::to_string(p.rule.subpixel), ", \"figures\": ["});
    for (std::size_t i = 0; i < p.figures.size(); ++i)
        append(text, {i == 0 ? "" : ",", figure_json(p.figures[i], tables.figures[i], figures)});
    return text + "\n]}\n";
}

std::optional<PointLayout> parse_point_layout(std::string_view name) {
    if (name == "split") return PointLayout::split;
    if (name == "xy") return PointLayout::pairs;
    return std::nullopt;
}

std::optional<Rounding> parse_rounding(std::string_view name) {
    if (name == "extended") return Rounding::extended;
    if (name == "nearest") return Rounding::nearest;
    return std::nullopt;
}

}  // namespace hndpos
