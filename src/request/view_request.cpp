#include "request/view_request.h"

#include <utility>

namespace hndpos {
namespace {

// Exactly HH:MM:SS, two digits each, a time of day.
bool parse_time(const std::string& text, TimeOfDay& time) {
    if (text.size() != 8 || text[2] != ':' || text[5] != ':') return false;
    int fields[3] = {};
    for (std::size_t i = 0; i < 3; ++i) {
        const char tens = text[3 * i];
        const char ones = text[3 * i + 1];
        if (tens < '0' || tens > '9' || ones < '0' || ones > '9') return false;
        fields[i] = (tens - '0') * 10 + (ones - '0');
    }
    const TimeOfDay read{fields[0], fields[1], fields[2], 0};
    if (!is_time_of_day(read)) return false;
    time = read;
    return true;
}

std::string display_range() {
    return std::to_string(min_display_side) + " to " + std::to_string(max_wide_display_side);
}

}  // namespace

std::string time_text(const TimeOfDay& time) {
    const auto two = [](int value) { return std::string(value < 10 ? "0" : "") + std::to_string(value); };
    return two(time.hours) + ":" + two(time.minutes) + ":" + two(time.seconds);
}

std::vector<Option> view_option_table(ViewRequest& o) {
    const auto mode = [&o](ViewMode chosen) {
        o.mode = chosen;
        ++o.modes_given;
    };
    std::vector<Option> table = {
        {.name = "--output",
         .short_name = 'o',
         .values = {{"FILE", ValueKind::text}},
         .help = "write to FILE (default hpostbl.svg for the\npicture, standard output otherwise; - writes\nstandard "
                 "output)",
         .handle =
             [&o](const std::vector<std::string>& v) {
                 if (v[0].empty()) throw OptionError{"option --output needs a file name"};
                 o.output = v[0];
             }},
        {.name = "--time",
         .short_name = 't',
         .values = {{"HH:MM:SS", ValueKind::time}},
         .help = "draw the hands at this time (default 10:08:30)",
         .api_key = "time",
         .handle =
             [&o](const std::vector<std::string>& v) {
                 if (!parse_time(v[0], o.time)) throw OptionError{"expected --time HH:MM:SS, such as 10:08:30"};
             }},
        {.name = "--reading",
         .values = {{"NAME", ValueKind::name},
                    integer_named("VALUE", -INT32_MAX, INT32_MAX),
                    integer_named("LOW", -INT32_MAX, INT32_MAX),
                    integer_named("HIGH", -INT32_MAX, INT32_MAX)},
         .help = "draw the figure NAME, on an arc, at the position\nnearest VALUE on its scale from LOW to HIGH\n"
                 "(repeatable; default: at LOW)",
         .api_key = "readings",
         .handle =
             [&o](const std::vector<std::string>& v) {
                 const GaugeReading reading{v[0], int32_of(v[1]), int32_of(v[2]), int32_of(v[3])};
                 if (reading.low >= reading.high)
                     throw OptionError{"option --reading: the scale's LOW " + v[2] + " is not below its HIGH " + v[3]};
                 for (const GaugeReading& given : o.readings)
                     if (given.figure == reading.figure)
                         throw OptionError{"option --reading: the figure " + v[0] + " has a reading already"};
                 o.readings.push_back(reading);
             },
         .repeatable = true},
        {.name = "--scale",
         .short_name = 's',
         .values = {integer_named("N", 1, 64)},
         .help = "size of a display pixel in the picture, 1 to 64\n(default 8, less for a picture over 4096 wide)",
         .api_key = "scale",
         .handle =
             [&o](const std::vector<std::string>& v) {
                 o.scale = int32_of(v[0]);
                 o.scale_given = true;
             }},
        {.name = "--display",
         .short_name = 'd',
         .values = {integer_named("WIDTH", min_display_side, max_wide_display_side),
                    integer_named("HEIGHT", min_display_side, max_wide_display_side)},
         .help = "the display's size in pixels, " + display_range() +
                 " each (also\nWIDTHxHEIGHT): the picture draws its outline,\n--check checks against it",
         .cmake_keyword = "DISPLAY",
         .api_key = "display",
         .handle =
             [&o](const std::vector<std::string>& v) {
                 o.display = {int32_of(v[0]), int32_of(v[1])};
             },
         .joined_by_x = true},
        {.name = "--check",
         .short_name = 'c',
         .help = "print each hand's bounding box instead of\ndrawing; exit 1 at the first tip that wrapped\nmodulo 256 "
                 "or lies outside the display",
         .handle = [mode](const std::vector<std::string>&) { mode(ViewMode::check); }},
        {.name = "--emit",
         .values = {word_from(storages)},
         .help = "write the tables for firmware, and their header\nbeside the output file: data (the file as it "
                 "is,\nint arrays), const (bytes in read-only data) or\nprogmem (bytes in AVR program memory)",
         .cmake_keyword = "STORAGE",
         .handle =
             [&o, mode](const std::vector<std::string>& v) {
                 o.storage = enum_of<Storage>(storages, v[0]);
                 mode(ViewMode::emit);
             }},
        {.name = "--prefix",
         .values = {{"NAME", ValueKind::name}},
         .help = "with --emit: name the arrays NAMExtbl and NAMEytbl",
         .cmake_keyword = "PREFIX",
         .handle =
             [&o](const std::vector<std::string>& v) {
                 if (!is_identifier_prefix(v[0]) || v[0].size() > max_prefix_length)
                     throw OptionError{"expected --prefix to start a C identifier, such as face_, of at most " +
                                       std::to_string(max_prefix_length) + " characters"};
                 o.prefix = v[0];
                 o.emit_options = true;
             }},
        {.name = "--header",
         .values = {{"FILE", ValueKind::text}},
         .help = "with --emit: the header to include and write\n(default NAMEhpostbl.h)",
         .handle =
             [&o](const std::vector<std::string>& v) {
                 if (!is_valid_header_name(v[0]))
                     throw OptionError{"option --header needs a file name that can stand in #include \"...\""};
                 o.header = v[0];
                 o.emit_options = true;
             }},
        {.name = "--english",
         .help = "with --to-utf8: print what each line means, in\nEnglish",
         .handle = [&o](const std::vector<std::string>&) { o.english = true; }},
        {.name = "--to-utf8",
         .help =
             "print FILE, text that hndpos wrote (a table\nfile or its console output), converted from\nShift_JIS to "
             "UTF-8",
         .handle = [mode](const std::vector<std::string>&) { mode(ViewMode::to_utf8); }},
    };
    for (Option& option : help_and_version(o.help, o.version)) table.push_back(std::move(option));
    return table;
}

std::string view_usage_text() {
    ViewRequest unused;
    return "Usage: hndpos-view [OPTION]... [FILE]\n"
           "Draw the clock dial described by FILE (default hpostbl.c; - reads standard\n"
           "input) as an SVG picture, or check it against a display: a table file\n"
           "written by hndpos, or the C source, JSON, Rust or MicroPython module\n"
           "written by hndpos-tables. Or write the entries of hndpos's file as compact C\n"
           "tables.\n"
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

void read_view_request(int argc, const char* const* argv, ViewRequest& request) {
    const std::vector<Option> table = view_option_table(request);
    parse_command_line(table, argc, argv, [&request](const std::string& operand) {
        if (request.input_given) throw OptionError{"more than one input file"};
        request.input = operand;
        request.input_given = true;
    });
    if (request.help || request.version) return;
    if (request.modes_given > 1) throw OptionError{"--check, --emit and --to-utf8 exclude each other"};
    if (request.english && request.mode != ViewMode::to_utf8) throw OptionError{"--english goes with --to-utf8"};
    if (request.emit_options && request.mode != ViewMode::emit)
        throw OptionError{"--prefix and --header go with --emit"};
}

}  // namespace hndpos
