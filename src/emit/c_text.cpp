#include "emit/c_text.h"

#include <algorithm>
#include <numeric>

#include "texts/join.h"

namespace hndpos {
namespace {

// The turns' elapsed parts as C, in the unit of turn_length, and the
// arguments of their index macros.
constexpr std::array<std::string_view, 4> field_arguments = {"h", "m", "s", "ms"};

// A turn's elapsed time as a C expression in unsigned long.
std::string elapsed_expression(int turn) {
    std::string text;
    for (int i = 0; i < elapsed_term_count[static_cast<std::size_t>(turn)]; ++i) {
        const ElapsedTerm& term = elapsed_terms[static_cast<std::size_t>(turn)][static_cast<std::size_t>(i)];
        std::string value = join({"(unsigned long)(", field_arguments[static_cast<std::size_t>(term.field)], ")"});
        if (term.modulus != 0) value = join({"(", value, " % ", std::to_string(term.modulus), "UL)"});
        if (term.weight != 1) value += join({" * ", std::to_string(term.weight), "UL"});
        text += (i == 0 ? "" : " + ") + value;
    }
    return text;
}

std::string turn_arguments(int turn) {
    std::string text;
    for (int i = 0; i < elapsed_term_count[static_cast<std::size_t>(turn)]; ++i)
        text += join({i == 0 ? "" : ", ",
                      field_arguments[static_cast<std::size_t>(
                          elapsed_terms[static_cast<std::size_t>(turn)][static_cast<std::size_t>(i)].field)]});
    return text;
}
// The product stays below max_positions times the longest turn, inside 32 bits.
static_assert(static_cast<long long>(max_positions) * 24 * 60 * 60 <= 0xFFFFFFFFLL);

// The include guard of a header: the macros' prefix, then the header's name
// as an identifier, so that two headers of one program never share it.
std::string include_guard(const std::string& macro, std::string_view header) {
    std::string guard = macro + "HNDPOS_";
    for (const char c : upper(header)) guard += (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ? c : '_';
    return guard;
}

// floor(positions × elapsed / turn) for a known count, the fraction reduced
// first so that the product stays small.
std::string reduced_index(int positions, long turn, std::string_view elapsed) {
    const long divisor = std::gcd(static_cast<long>(positions), turn);
    const long multiplier = positions / divisor;
    const long denominator = turn / divisor;
    std::string numerator = join({"(", elapsed, ")"});
    if (multiplier != 1) numerator = std::to_string(multiplier) + "UL * " + numerator;
    if (denominator == 1) return "((unsigned int)(" + numerator + "))";
    return "((unsigned int)(" + numerator + " / " + std::to_string(denominator) + "UL))";
}

}  // namespace

std::string c_number(std::int64_t value) { return value == INT32_MIN ? "(-2147483647 - 1)" : std::to_string(value); }

std::string upper(std::string_view text) {
    std::string result(text);
    std::transform(result.begin(), result.end(), result.begin(),
                   [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; });
    return result;
}

std::string storage_qualifier(Storage storage) { return storage == Storage::data ? "" : "const "; }
std::string storage_attribute(Storage storage) { return storage == Storage::progmem ? " PROGMEM" : ""; }

std::string run_digest(std::string_view what) {
    std::uint32_t hash = 2166136261u;  // FNV-1a
    for (const char c : what) hash = (hash ^ static_cast<unsigned char>(c)) * 16777619u;
    static constexpr char digits[] = "0123456789ABCDEF";
    std::string text = "0x";
    for (int shift = 28; shift >= 0; shift -= 4) text += digits[(hash >> shift) & 0xFu];
    return text + "UL";
}

std::string digest_check(const std::string& macro, const std::string& header, const std::string& digest) {
    const std::string name = macro + "HNDPOS_RUN_DIGEST";
    return "#if !defined(" + name + ") || " + name + " != " + digest + "\n#error \"" + header +
           " was written by another run than this file: run the generator again\"\n#endif\n";
}

void HeaderText::define(std::string_view name, std::string_view body) {
    append(text_, {"#define ", name, body.empty() ? "" : " ", body, "\n"});
    names_.emplace_back(name);
}

void HeaderText::define_function(std::string_view name, std::string_view parameters, std::string_view body) {
    append(text_, {"#define ", name, "(", parameters, ") ", body, "\n"});
    names_.emplace_back(name);
}

void HeaderText::declare(std::string_view declarator, std::string_view name) {
    append(text_, {"extern ", declarator, ";\n"});
    names_.emplace_back(name);
}

std::string index_arguments(int turn) { return turn_arguments(turn); }

void define_index(HeaderText& header, std::string_view name, int turn, std::string_view positions) {
    const auto t = static_cast<std::size_t>(turn);
    if (positions == "positions") {
        header.define_function(name, join({"positions, ", turn_arguments(turn)}),
                               join({"((unsigned int)((unsigned long)(positions) * (", elapsed_expression(turn), ") / ",
                                     std::to_string(turn_length[t]), "UL))"}));
        return;
    }
    header.define_function(name, turn_arguments(turn),
                           reduced_index(std::stoi(std::string(positions)), turn_length[t], elapsed_expression(turn)));
}

void header_start(HeaderText& header, const HeaderFacts& f, Storage storage, bool fixed_width_types) {
    const std::string guard = include_guard(f.macro, f.header);
    header.add(join({"/* ", f.title, "\n   Generated by ", f.generator, "; do not edit. */\n#ifndef ", guard, "\n"}));
    header.define(guard, "");
    header.add("\n");
    if (fixed_width_types) header.add("#include <stdint.h>\n");
    if (storage == Storage::progmem) {
        header.add(
            "/* The tables live in program memory on AVR; elsewhere PROGMEM is nothing. */\n"
            "#if defined(__AVR__)\n#include <avr/pgmspace.h>\n#elif !defined(PROGMEM)\n#define PROGMEM\n#endif\n");
    }
    if (fixed_width_types || storage == Storage::progmem) header.add("\n");
    const std::string& m = f.macro;
    if (f.half_x || f.half_y) {
        header.add("/* Twice the centre: it lies between pixels. */\n");
        header.define(m + "HNDPOS_CENTER_X2", c_number(2 * std::int64_t{f.center_x} + (f.half_x ? 1 : 0)));
        header.define(m + "HNDPOS_CENTER_Y2", c_number(2 * std::int64_t{f.center_y} + (f.half_y ? 1 : 0)));
    } else {
        header.define(m + "HNDPOS_CENTER_X", c_number(f.center_x));
        header.define(m + "HNDPOS_CENTER_Y", c_number(f.center_y));
    }
    if (!f.has_hands) return;
    for (int hand = 0; hand < hand_count; ++hand)
        header.define(join({m, "HNDPOS_", upper(hand_names[hand]), "_RADIUS"}),
                      c_number(f.radii[static_cast<std::size_t>(hand)]));
    for (int hand = 0; hand < hand_count; ++hand)
        header.define(join({m, "HNDPOS_", upper(hand_names[hand]), "_POSITIONS"}),
                      std::to_string(f.positions[static_cast<std::size_t>(hand)]));
    const TimeOfDay& last = last_time_of_day;
    header.add(
        join({"\n/* Each hand's index at a time of day: the floor of its positions times the\n"
              "   elapsed part of its turn (h from 0 to ",
              std::to_string(last.hours), ", m and s from 0 to ", std::to_string(last.minutes), ", ms from 0\n   to ",
              std::to_string(last.milliseconds), "). Computed in unsigned long, so 16-bit int cannot overflow. */\n"}));
    for (int hand = 0; hand < hand_count; ++hand)
        define_index(header, join({m, "HNDPOS_", upper(hand_names[hand]), "_INDEX"}), hand,
                     std::to_string(f.positions[static_cast<std::size_t>(hand)]));
}

void define_digest(HeaderText& header, const std::string& macro, const std::string& digest) {
    header.add("\n/* Pairs this header with the source written beside it. */\n");
    header.define(macro + "HNDPOS_RUN_DIGEST", digest);
}

void header_end(HeaderText& header, const std::vector<std::pair<std::string, std::string>>& declarations,
                const HeaderText& after) {
    header.add("\n#ifdef __cplusplus\nextern \"C\" {\n#endif\n");
    for (const auto& [declarator, name] : declarations) header.declare(declarator, name);
    header.add("#ifdef __cplusplus\n}\n#endif\n");
    header.add_all(after);
    header.add("\n#endif\n");
}

std::string index_helpers_header(std::string_view header_name) {
    const std::string guard = include_guard("", header_name);
    HeaderText header;
    header.add(join({"/* ", header_name,
                     ": each hand's index at a time of day for tables of any positions.\n"
                     "   Generated by hndpos; do not edit. */\n#ifndef ",
                     guard, "\n"}));
    header.define(guard, "");
    header.add(
        join({"\n/* The floor of the hand's positions times the elapsed part of its turn (h\n"
              "   from 0 to ",
              std::to_string(last_time_of_day.hours), ", m and s from 0 to ", std::to_string(last_time_of_day.minutes),
              ", ms from 0 to ", std::to_string(last_time_of_day.milliseconds),
              "), as the macros of\n"
              "   hndpos-tables' headers give it; positions from ",
              std::to_string(min_positions), " to ", std::to_string(max_positions),
              ". Computed in\n"
              "   unsigned long, whose 32 bits hold the product even where int has 16. */\n"}));
    for (int hand = 0; hand < hand_count; ++hand)
        define_index(header, join({"HNDPOS_", upper(hand_names[hand]), "_INDEX_OF"}), hand, "positions");
    header.add("\n#endif\n");
    return header.text();
}

std::string stated_words_text(std::span<const std::string> words) {
    std::string text;
    for (const std::string& word : words)
        append(text, {" ", word.find(' ') == std::string::npos ? word : join({"\"", word, "\""})});
    return text;
}

}  // namespace hndpos
