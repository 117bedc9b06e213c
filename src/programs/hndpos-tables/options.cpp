#include "programs/hndpos-tables/options.h"

#include <utility>

#include "table/dial_rules.h"

namespace hndpos {
namespace {

std::string range(int low, int high) { return std::to_string(low) + " to " + std::to_string(high); }

}  // namespace

std::vector<Option> tables_option_table(TablesOptions& o) {
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
    TablesOptions unused;
    return "Usage: hndpos-tables --center X Y --radii HOUR MINUTE SECOND [OPTION]... -o FILE\n"
           "Write the tip positions of a clock's hour, minute and second hand for any\n"
           "panel and any number of positions per hand, computed exactly as hndpos\n"
           "computes them, as C (FILE and a header beside it) or as JSON.\n"
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

void read_tables_command_line(int argc, const char* const* argv, TablesOptions& options) {
    const std::vector<Option> table = tables_option_table(options);
    parse_command_line(table, argc, argv, {});
    if (options.help || options.version) return;
    if (!options.center_given) throw OptionError{"--center X Y is required"};
    if (!options.radii_given) throw OptionError{"--radii HOUR MINUTE SECOND is required"};
    if (options.output.empty()) throw OptionError{"-o FILE is required"};
    if (options.format == TablesFormat::json && options.header) throw OptionError{"--header goes with --format c"};
    if (options.format == TablesFormat::c && options.output == "-" && !options.header)
        throw OptionError{"-o - writes the C on standard output: name its header with --header"};
}

}  // namespace hndpos
