// Writes cmake/hndpos-options.cmake: what hndpos_add_tables takes, as the
// programs state it once (hndpos-tables' option table, each value's kind,
// range and words, and the dial's limits), so that the CMake function
// reads its keywords, ranges and words there. The test cmake.facts runs
// this and keeps the file current.
//
//   hndpos_print_cmake_facts > cmake/hndpos-options.cmake
#include <iostream>
#include <string>

#include "dial/dial_rules.h"
#include "request/tables_request.h"

namespace {

void set(const std::string& property, const std::string& value) {
    std::cout << "set_property(GLOBAL PROPERTY HNDPOS_" << property << " " << value << ")\n";
}

std::string kind_name(hndpos::ValueKind kind) {
    switch (kind) {
    case hndpos::ValueKind::integer: return "integer";
    case hndpos::ValueKind::word: return "word";
    case hndpos::ValueKind::name: return "name";
    case hndpos::ValueKind::points: return "points";
    case hndpos::ValueKind::half: return "half";
    case hndpos::ValueKind::decimal: return "decimal";
    default: return "text";
    }
}

}  // namespace

int main() {
    std::cout << "# What hndpos_add_tables takes, as the programs state it: hndpos-tables'\n"
                 "# options with a CMake keyword (each value's kind, range and words) and the\n"
                 "# dial's limits. Written by hndpos_print_cmake_facts; do not edit (the test\n"
                 "# cmake.facts keeps it current).\n";
    const std::pair<const char*, long long> limits[] = {
        {"MIN_POSITIONS", hndpos::min_positions},
        {"MAX_POSITIONS", hndpos::max_positions},
        {"MIN_FIGURE_POINTS", hndpos::min_figure_points},
        {"MAX_FIGURE_POINTS", hndpos::max_figure_points},
        {"MAX_SUBPIXEL_BITS", hndpos::max_subpixel_bits},
        {"MIN_DISPLAY_SIDE", hndpos::min_display_side},
        {"MAX_BYTE_DISPLAY_SIDE", hndpos::max_byte_display_side},
        {"MAX_WIDE_DISPLAY_SIDE", hndpos::max_wide_display_side},
        {"MAX_PREFIX_LENGTH", static_cast<long long>(hndpos::max_prefix_length)},
    };
    for (const auto& [name, value] : limits) set(name, std::to_string(value));
    hndpos::TablesRequest request;
    std::string keywords;
    for (const hndpos::Option& option : hndpos::tables_option_table(request)) {
        if (option.cmake_keyword.empty()) continue;
        const std::string keyword(option.cmake_keyword);
        keywords += " " + keyword;
        set("KEYWORD_" + keyword, std::string(option.name));
        set("KEYWORD_" + keyword + "_REPEATABLE", option.repeatable ? "1" : "0");
        set("KEYWORD_" + keyword + "_COUNT", std::to_string(option.values.size()));
        for (std::size_t i = 0; i < option.values.size(); ++i) {
            const hndpos::OptionValue& value = option.values[i];
            const std::string at = "KEYWORD_" + keyword + "_" + std::to_string(i) + "_";
            set(at + "KIND", kind_name(value.kind));
            set(at + "NAME", "\"" + value.name + "\"");
            if (value.kind == hndpos::ValueKind::integer || value.kind == hndpos::ValueKind::decimal)
                set(at + "RANGE", std::to_string(value.low) + " " + std::to_string(value.high));
            if (value.words != nullptr) set(at + "WORDS", value.words->joined(" "));
        }
    }
    set("KEYWORDS", keywords.substr(1));
    return std::cout.flush() ? 0 : 1;
}
