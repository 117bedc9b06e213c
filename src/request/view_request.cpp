#include "request/view_request.h"

#include <charconv>
#include <utility>

#include "dial/dial_rules.h"

namespace hndpos {
namespace {

// Exactly HH:MM:SS, two digits each.
bool parse_time(const std::string& text, TimeOfDay& time) {
    if (text.size() != 8 || text[2] != ':' || text[5] != ':') return false;
    int fields[3] = {};
    for (std::size_t i = 0; i < 3; ++i) {
        const char tens = text[3 * i];
        const char ones = text[3 * i + 1];
        if (tens < '0' || tens > '9' || ones < '0' || ones > '9') return false;
        fields[i] = (tens - '0') * 10 + (ones - '0');
    }
    if (fields[0] > 23 || fields[1] > 59 || fields[2] > 59) return false;
    time = {fields[0], fields[1], fields[2], 0};
    return true;
}

std::string display_range() {
    return std::to_string(min_display_side) + " to " + std::to_string(max_wide_display_side);
}

}  // namespace

std::vector<Option> view_option_table(ViewRequest& o) {
    const auto mode = [&o](ViewMode chosen) {
        o.mode = chosen;
        ++o.modes_given;
    };
    std::vector<Option> table = {
        {"--output",
         'o',
         {"FILE"},
         "write to FILE (default hpostbl.svg for the\npicture, standard output otherwise; - writes\nstandard output)",
         "",
         [&o](const std::vector<std::string>& v) {
             if (v[0].empty()) throw OptionError{"option --output needs a file name"};
             o.output = v[0];
         }},
        {"--time",
         't',
         {"HH:MM:SS"},
         "draw the hands at this time (default 10:08:30)",
         "",
         [&o](const std::vector<std::string>& v) {
             if (!parse_time(v[0], o.time)) throw OptionError{"expected --time HH:MM:SS, such as 10:08:30"};
         }},
        {"--scale",
         's',
         {"N"},
         "size of a display pixel in the picture, 1 to 64\n(default 8, less for a picture over 4096 wide)",
         "",
         [&o](const std::vector<std::string>& v) {
             int scale = 0;
             const auto [end, error] = std::from_chars(v[0].data(), v[0].data() + v[0].size(), scale);
             if (error != std::errc{} || end != v[0].data() + v[0].size() || scale < 1 || scale > 64)
                 throw OptionError{"expected --scale from 1 to 64"};
             o.scale = scale;
             o.scale_given = true;
         }},
        {"--display",
         'd',
         {"WIDTH", "HEIGHT"},
         "the display's size in pixels, " + display_range() +
             " each (also\nWIDTHxHEIGHT): the picture draws its outline,\n--check checks against it",
         "DISPLAY",
         [&o](const std::vector<std::string>& v) {
             o.display = {integer_value("--display", v[0], min_display_side, max_wide_display_side),
                          integer_value("--display", v[1], min_display_side, max_wide_display_side)};
         },
         true},
        {"--check",
         'c',
         {},
         "print each hand's bounding box instead of\ndrawing; exit 1 at the first tip that wrapped\nmodulo 256 or "
         "lies outside the display",
         "",
         [mode](const std::vector<std::string>&) { mode(ViewMode::check); }},
        {"--emit",
         0,
         {"STORAGE"},
         "write the tables for firmware, and their header\nbeside the output file: data (the file as it is,\nint "
         "arrays), const (bytes in read-only data) or\nprogmem (bytes in AVR program memory)",
         "STORAGE",
         [&o, mode](const std::vector<std::string>& v) {
             const std::optional<Storage> storage = parse_storage(v[0]);
             if (!storage) throw OptionError{"expected --emit data, --emit const or --emit progmem"};
             o.storage = *storage;
             mode(ViewMode::emit);
         }},
        {"--prefix",
         0,
         {"NAME"},
         "with --emit: name the arrays NAMExtbl and NAMEytbl",
         "PREFIX",
         [&o](const std::vector<std::string>& v) {
             if (!is_identifier_prefix(v[0]))
                 throw OptionError{"expected --prefix to start a C identifier, such as face_"};
             o.prefix = v[0];
             o.emit_options = true;
         }},
        {"--header",
         0,
         {"FILE"},
         "with --emit: the header to include and write\n(default NAMEhpostbl.h)",
         "",
         [&o](const std::vector<std::string>& v) {
             if (!is_valid_header_name(v[0]))
                 throw OptionError{"option --header needs a file name that can stand in #include \"...\""};
             o.header = v[0];
             o.emit_options = true;
         }},
        {"--english",
         0,
         {},
         "with --to-utf8: print what each line means, in\nEnglish",
         "",
         [&o](const std::vector<std::string>&) { o.english = true; }},
        {"--to-utf8",
         0,
         {},
         "print FILE, text that hndpos wrote (a table\nfile or its console output), converted from\nShift_JIS to UTF-8",
         "",
         [mode](const std::vector<std::string>&) { mode(ViewMode::to_utf8); }},
    };
    for (Option& option : help_and_version(o.help, o.version)) table.push_back(std::move(option));
    return table;
}

std::string view_usage_text() {
    ViewRequest unused;
    return "Usage: hndpos-view [OPTION]... [FILE]\n"
           "Draw the clock dial described by FILE (default hpostbl.c; - reads standard\n"
           "input) as an SVG picture, or check it against a display: a table file\n"
           "written by hndpos, or the C source or JSON written by hndpos-tables. Or\n"
           "write the entries of hndpos's file as compact C tables.\n"
           "\n" +
           option_help(view_option_table(unused)) +
           "\n"
           "The file must be exactly as the program wrote it (JSON may be reformatted):\n"
           "every entry is checked against the entries recomputed from the parameters\n"
           "the file states, and the header beside a C source, when there is one,\n"
           "must be the one written with it.\n"
           "Exit status: 0 on success, 1 when the file is refused, does not fit the\n"
           "display, or cannot be read or written, 2 for a wrong command line.\n";
}

void read_view_request(int argc, const char* const* argv, ViewRequest& options) {
    const std::vector<Option> table = view_option_table(options);
    parse_command_line(table, argc, argv, [&options](const std::string& operand) {
        if (options.input_given) throw OptionError{"more than one input file"};
        options.input = operand;
        options.input_given = true;
    });
    if (options.help || options.version) return;
    if (options.modes_given > 1) throw OptionError{"--check, --emit and --to-utf8 exclude each other"};
    if (options.english && options.mode != ViewMode::to_utf8) throw OptionError{"--english goes with --to-utf8"};
    if (options.emit_options && options.mode != ViewMode::emit)
        throw OptionError{"--prefix and --header go with --emit"};
}

}  // namespace hndpos
