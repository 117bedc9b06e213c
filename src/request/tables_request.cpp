#include "request/tables_request.h"

#include <algorithm>
#include <utility>

#include "dial/dial_rules.h"

namespace hndpos {
namespace {

std::string range(int low, int high) { return std::to_string(low) + " to " + std::to_string(high); }

// "A,B A,B ...": the points of a figure, each number in the integer syntax.
std::vector<FigurePoint> figure_points(const std::string& text) {
    std::vector<FigurePoint> points;
    std::size_t at = 0;
    while ((at = text.find_first_not_of(' ', at)) != std::string::npos) {
        const std::size_t end = std::min(text.find(' ', at), text.size());
        const std::string pair = text.substr(at, end - at);
        const std::size_t comma = pair.find(',');
        if (comma == std::string::npos)
            throw OptionError{"option --figure: point '" + pair + "' is not two numbers A,B"};
        points.push_back({integer_value("--figure", pair.substr(0, comma), INT32_MIN, INT32_MAX),
                          integer_value("--figure", pair.substr(comma + 1), INT32_MIN, INT32_MAX)});
        at = end;
    }
    if (points.size() < min_figure_points || points.size() > max_figure_points)
        throw OptionError{"option --figure: a figure has " + range(min_figure_points, max_figure_points) +
                          " points, not " + std::to_string(points.size())};
    return points;
}

}  // namespace

std::vector<Option> tables_option_table(TablesRequest& o) {
    const auto any = [](std::string_view option, const std::string& text) {
        return integer_value(option, text, INT32_MIN, INT32_MAX);
    };
    std::vector<Option> table = {
        {"--center",
         0,
         {"X", "Y"},
         "the dial's centre in pixels",
         "CENTER",
         [&o, any](const std::vector<std::string>& v) {
             o.params.center_x = any("--center", v[0]);
             o.params.center_y = any("--center", v[1]);
             o.center_given = true;
         }},
        {"--radii",
         0,
         {"HOUR", "MINUTE", "SECOND"},
         "the hands' lengths in pixels",
         "RADII",
         [&o, any](const std::vector<std::string>& v) {
             for (std::size_t hand = 0; hand < hand_count; ++hand) o.params.radii[hand] = any("--radii", v[hand]);
             o.radii_given = true;
         }},
        {"--figure",
         0,
         {"NAME", "POSITIONS", "POINTS"},
         "add a figure (repeatable): POINTS, one\nargument, are " + range(min_figure_points, max_figure_points) +
             " points A,B in the\nhand's frame, A along the hand (negative: a\ntail), B across it (to the right at 12\n"
             "o'clock), turned to each of " +
             range(min_positions, max_positions) + "\nPOSITIONS; NAME names its arrays",
         "FIGURE",
         [&o](const std::vector<std::string>& v) {
             if (v[0].empty() || !is_identifier_prefix(v[0]))
                 throw OptionError{"option --figure: '" + v[0] + "' is not a C identifier"};
             o.params.figures.push_back(
                 {v[0], integer_value("--figure", v[1], min_positions, max_positions), figure_points(v[2])});
         },
         false,
         false,
         true},
        {"--rounding",
         0,
         {"extended|nearest"},
         "extended: hndpos's arithmetic (default);\nnearest: the integer nearest to the exact\n"
         "value, mirror-symmetric",
         "ROUNDING",
         [&o](const std::vector<std::string>& v) {
             const auto rounding = parse_rounding(v[0]);
             if (!rounding) throw OptionError{"option --rounding takes extended or nearest"};
             o.params.rule.rounding = *rounding;
         }},
        {"--subpixel",
         0,
         {"BITS"},
         "entries in units of 1/2^BITS pixel, 0 to " + std::to_string(max_subpixel_bits) + "\n(default 0)",
         "SUBPIXEL",
         [&o](const std::vector<std::string>& v) {
             o.params.rule.subpixel = integer_value("--subpixel", v[0], 0, max_subpixel_bits);
         }},
        {"--layout",
         0,
         {"split|xy"},
         "figures as NAME_x and NAME_y (split, the\ndefault) or NAME_xy of {x, y} pairs",
         "LAYOUT",
         [&o](const std::vector<std::string>& v) {
             const auto layout = parse_point_layout(v[0]);
             if (!layout) throw OptionError{"option --layout takes split or xy"};
             o.figures.layout = *layout;
         }},
        {"--bounds",
         0,
         {},
         "add each figure's box at each position,\nNAME_bounds {xmin, ymin, xmax, ymax}",
         "BOUNDS",
         [&o](const std::vector<std::string>&) { o.figures.bounds = true; }},
        {"--positions",
         0,
         {"HOUR", "MINUTE", "SECOND"},
         "positions per hand, " + range(min_positions, max_positions) +
             " each\n(default 60 60 60); position k of N points\nk*360/N degrees clockwise from 12 o'clock",
         "POSITIONS",
         [&o](const std::vector<std::string>& v) {
             for (std::size_t hand = 0; hand < hand_count; ++hand)
                 o.params.positions[hand] = integer_value("--positions", v[hand], min_positions, max_positions);
         }},
        {"--type",
         0,
         {"u8|u16|i16|i32"},
         "the entries' C type (default: the narrowest\nthat holds every entry)",
         "TYPE",
         [&o](const std::vector<std::string>& v) {
             o.type = parse_entry_type(v[0]);
             if (!o.type) throw OptionError{"option --type takes u8, u16, i16 or i32"};
         }},
        {"--storage",
         0,
         {"data|const|progmem"},
         "where the arrays live: RAM, read-only data or\nAVR program memory (default data)",
         "STORAGE",
         [&o](const std::vector<std::string>& v) {
             const auto storage = parse_storage(v[0]);
             if (!storage) throw OptionError{"option --storage takes data, const or progmem"};
             o.storage = *storage;
         }},
        {"--prefix",
         0,
         {"NAME"},
         "prefix of the arrays' names; upper-cased, of\nthe header's macros",
         "PREFIX",
         [&o](const std::vector<std::string>& v) {
             if (!is_identifier_prefix(v[0]))
                 throw OptionError{"option --prefix: '" + v[0] + "' does not start a C identifier"};
             o.prefix = v[0];
         }},
        {"--header",
         0,
         {"NAME"},
         "the header, written beside FILE (default: FILE\nwith its extension replaced by .h)",
         "",
         [&o](const std::vector<std::string>& v) {
             if (!is_valid_header_name(v[0]))
                 throw OptionError{"option --header: the name cannot stand in #include \"...\""};
             o.header = v[0];
         }},
        {"--display",
         0,
         {"WIDTH", "HEIGHT"},
         "refuse a tip outside a panel of this size,\n" + range(min_display_side, max_wide_display_side) +
             " pixels each (also WIDTHxHEIGHT)",
         "DISPLAY",
         [&o](const std::vector<std::string>& v) {
             o.display = {{integer_value("--display", v[0], min_display_side, max_wide_display_side),
                           integer_value("--display", v[1], min_display_side, max_wide_display_side)}};
         },
         true},
        {"--format",
         0,
         {"c|json"},
         "what to write (default c)",
         "",
         [&o](const std::vector<std::string>& v) {
             if (v[0] != "c" && v[0] != "json") throw OptionError{"option --format takes c or json"};
             o.format = v[0] == "c" ? TablesFormat::c : TablesFormat::json;
         }},
        {"--output",
         'o',
         {"FILE"},
         "the file to write; - writes standard output",
         "",
         [&o](const std::vector<std::string>& v) {
             if (v[0].empty()) throw OptionError{"option --output needs a file name"};
             o.output = v[0];
         }},
    };
    for (Option& option : help_and_version(o.help, o.version)) table.push_back(std::move(option));
    return table;
}

std::string tables_usage_text() {
    TablesRequest unused;
    return "Usage: hndpos-tables --center X Y --radii HOUR MINUTE SECOND [OPTION]... -o FILE\n"
           "  or:  hndpos-tables --center X Y --figure NAME POSITIONS POINTS... -o FILE\n"
           "Write the tip positions of a clock's hour, minute and second hand for any\n"
           "panel and any number of positions per hand, computed exactly as hndpos\n"
           "computes them, and any figures (hands with tails, tick rings), as C (FILE\n"
           "and a header beside it) or as JSON.\n"
           "\n" +
           option_help(tables_option_table(unused)) +
           "\n"
           "Numbers are read as hndpos reads its arguments: leading spaces, then a\n"
           "decimal number with an optional sign or a hexadecimal number after $.\n"
           "Exit status: 0 when the files were written, 1 when the tables are\n"
           "refused (an entry the type cannot hold, a tip off the display, the\n"
           "radius -2147483648) or cannot be written, and then no file is left,\n"
           "2 for a wrong command line.\n";
}

void read_tables_request(int argc, const char* const* argv, TablesRequest& options) {
    const std::vector<Option> table = tables_option_table(options);
    parse_command_line(table, argc, argv, {});
    if (options.help || options.version) return;
    if (!options.center_given) throw OptionError{"--center X Y is required"};
    if (!options.radii_given && options.params.figures.empty())
        throw OptionError{"--radii HOUR MINUTE SECOND or a --figure is required"};
    options.params.has_hands = options.radii_given;
    if (options.output.empty()) throw OptionError{"-o FILE is required"};
    if (options.format == TablesFormat::json && options.header) throw OptionError{"--header goes with --format c"};
    if (options.format == TablesFormat::c && options.output == "-" && !options.header)
        throw OptionError{"-o - writes the C on standard output: name its header with --header"};
}

}  // namespace hndpos
