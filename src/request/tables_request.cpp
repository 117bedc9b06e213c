#include "request/tables_request.h"

#include <algorithm>
#include <utility>

#include "dial/dial_rules.h"
#include "emit/dial_c.h"

namespace hndpos {
namespace {

std::string range(int low, int high) { return std::to_string(low) + " to " + std::to_string(high); }

std::string text_of(std::int64_t value) { return std::to_string(value); }

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

// One occurrence where `present`, else none.
Occurrences shown_if(bool present, std::vector<std::string> values) {
    return present ? Occurrences{std::move(values)} : Occurrences{};
}

Option center_option(TablesRequest& o) {
    return {.name = "--center",
            .values = {half_named("X"), half_named("Y")},
            .help = "the dial's centre in pixels, whole or half\n(232.5: between two pixels, with --subpixel)",
            .cmake_keyword = "CENTER",
            .api_key = "center",
            .handle =
                [&o](const std::vector<std::string>& v) {
                    set_center(o.params, half_value("--center", v[0]), half_value("--center", v[1]));
                    o.center_given = true;
                },
            .show =
                [&o] {
                    return shown_if(o.center_given, {center_text(o.params, Axis::x), center_text(o.params, Axis::y)});
                }};
}

Option radii_option(TablesRequest& o) {
    return {.name = "--radii",
            .values = {integer_named("HOUR"), integer_named("MINUTE"), integer_named("SECOND")},
            .help = "the hands' lengths in pixels",
            .cmake_keyword = "RADII",
            .api_key = "radii",
            .handle =
                [&o](const std::vector<std::string>& v) {
                    for (std::size_t hand = 0; hand < hand_count; ++hand) o.params.radii[hand] = int32_of(v[hand]);
                    o.radii_given = true;
                },
            .show =
                [&o] {
                    const auto& r = o.params.radii;
                    return shown_if(o.radii_given, {text_of(r[0]), text_of(r[1]), text_of(r[2])});
                }};
}

Option figure_option(TablesRequest& o) {
    return {.name = "--figure",
            .values = {{"NAME", ValueKind::name},
                       integer_named("POSITIONS", min_positions, max_positions),
                       {"POINTS", ValueKind::points}},
            .help = "add a figure (repeatable): POINTS, one\nargument, are " +
                    range(min_figure_points, max_figure_points) +
                    " points A,B in the\nhand's frame, A along the hand (negative: a\ntail), B across it (to the right "
                    "at 12\no'clock), turned to each of " +
                    range(min_positions, max_positions) + "\nPOSITIONS; NAME names its arrays",
            .cmake_keyword = "FIGURE",
            .api_key = "figures",
            .handle =
                [&o](const std::vector<std::string>& v) {
                    if (v[0].empty() || !is_identifier_prefix(v[0]))
                        throw OptionError{"option --figure: '" + v[0] + "' is not a C identifier"};
                    o.params.figures.push_back({v[0], int32_of(v[1]), figure_points(v[2])});
                },
            .show =
                [&o] {
                    Occurrences shown;
                    for (const Figure& f : o.params.figures)
                        shown.push_back({f.name, text_of(f.positions), points_text(f.points)});
                    return shown;
                },
            .repeatable = true,
            .in_source = true};
}

// The figure of that name, or the refusal.
Figure& named_figure(DialParams& params, const std::string& name, std::string_view option) {
    for (Figure& figure : params.figures)
        if (figure.name == name) return figure;
    throw OptionError{"option " + std::string(option) + ": no figure is named " + name};
}

// Each --turn and --mask on its figure, wherever it was given among the
// --figure options.
void resolve_figure_options(TablesRequest& request) {
    for (const auto& [name, turn] : request.turns) {
        Figure& figure = named_figure(request.params, name, "--turn");
        if (figure.turn) throw OptionError{"option --turn: the figure " + name + " has a turn already"};
        figure.turn = turn;
    }
    request.turns.clear();
    for (const auto& [name, bits] : request.masks) {
        Figure& figure = named_figure(request.params, name, "--mask");
        if (figure.mask_bits) throw OptionError{"option --mask: the figure " + name + " has a mask already"};
        figure.mask_bits = bits;
    }
    request.masks.clear();
    for (const auto& [name, arc] : request.arcs) {
        Figure& figure = named_figure(request.params, name, "--arc");
        if (figure.arc) throw OptionError{"option --arc: the figure " + name + " has an arc already"};
        figure.arc = arc;
    }
    request.arcs.clear();
}

Option turn_option(TablesRequest& o) {
    return {.name = "--turn",
            .values = {{"NAME", ValueKind::name}, word_from(turns)},
            .help =
                "the figure NAME follows that turn, as a hand:\nit stands at the turn's index at a time of\nday "
                "(12h: 12 hours, 1h: an hour, 1m: a\nminute, 24h: a day); without it, a figure is\na ring, seen "
                "at every position",
            .cmake_keyword = "TURN",
            .api_key = "turns",
            .handle =
                [&o](const std::vector<std::string>& v) {
                    o.turns.emplace_back(v[0], static_cast<int>(*turns.find(v[1])));
                },
            .show =
                [&o] {
                    Occurrences shown;
                    for (const Figure& f : o.params.figures)
                        if (f.turn) shown.push_back({f.name, std::string(turns[static_cast<std::size_t>(*f.turn)])});
                    return shown;
                },
            .repeatable = true,
            .in_source = true};
}

Option mask_option(TablesRequest& o) {
    return {.name = "--mask",
            .values = {{"NAME", ValueKind::name}, word_from(mask_depths)},
            .help =
                "add the figure NAME's masks (repeatable): the\nexact share of each pixel its outline covers\nat "
                "each position, in levels of BITS bits\n(2^BITS - 1 is a whole pixel); NAME has at\nleast 3 points, "
                "inside 0 to " +
                std::to_string(max_outline_pixel) + " pixels",
            .cmake_keyword = "MASK",
            .api_key = "masks",
            .handle =
                [&o](const std::vector<std::string>& v) {
                    o.masks.emplace_back(v[0], 1 << static_cast<int>(*mask_depths.find(v[1])));
                },
            .show =
                [&o] {
                    Occurrences shown;
                    for (const Figure& f : o.params.figures)
                        if (f.mask_bits) shown.push_back({f.name, std::to_string(*f.mask_bits)});
                    return shown;
                },
            .repeatable = true,
            .in_source = true};
}

Option arc_option(TablesRequest& o) {
    return {.name = "--arc",
            .values = {{"NAME", ValueKind::name},
                       decimal_named("START", -36000, 36000),
                       decimal_named("SWEEP", -36000, 36000)},
            .help =
                "the figure NAME stands on an arc (a gauge):\nposition k of N at START + k*SWEEP/(N-1)\ndegrees "
                "clockwise from 12 o'clock, both\nends positions; decimals of at most two\nplaces, SWEEP negative "
                "counterclockwise; needs\n--rounding nearest and 2 positions or more",
            .cmake_keyword = "ARC",
            .api_key = "arcs",
            .handle =
                [&o](const std::vector<std::string>& v) {
                    o.arcs.push_back({v[0], Arc{hundredths_value("--arc", v[1], -36000, 36000),
                                                hundredths_value("--arc", v[2], -36000, 36000)}});
                },
            .show =
                [&o] {
                    Occurrences shown;
                    for (const Figure& f : o.params.figures)
                        if (f.arc)
                            shown.push_back({f.name, hundredths_text(f.arc->start), hundredths_text(f.arc->sweep)});
                    return shown;
                },
            .repeatable = true,
            .in_source = true};
}

Option rounding_option(TablesRequest& o) {
    return {
        .name = "--rounding",
        .values = {word_from(roundings)},
        .help =
            "extended: hndpos's arithmetic (default);\nnearest: the integer nearest to the exact\n"
            "value, mirror-symmetric",
        .cmake_keyword = "ROUNDING",
        .api_key = "rounding",
        .handle =
            [&o](const std::vector<std::string>& v) { o.params.rule.rounding = enum_of<Rounding>(roundings, v[0]); },
        .show =
            [&o] {
                return shown_if(o.params.rule.rounding != Rounding::extended,
                                {std::string(word_of(roundings, o.params.rule.rounding))});
            },
        .in_source = true};
}

Option subpixel_option(TablesRequest& o) {
    return {.name = "--subpixel",
            .values = {integer_named("BITS", 0, max_subpixel_bits)},
            .help = "entries in units of 1/2^BITS pixel, 0 to " + std::to_string(max_subpixel_bits) + "\n(default 0)",
            .cmake_keyword = "SUBPIXEL",
            .api_key = "subpixel",
            .handle = [&o](const std::vector<std::string>& v) { o.params.rule.subpixel = int32_of(v[0]); },
            .show = [&o] { return shown_if(o.params.rule.subpixel != 0, {text_of(o.params.rule.subpixel)}); },
            .in_source = true};
}

Option layout_option(TablesRequest& o) {
    return {
        .name = "--layout",
        .values = {word_from(layouts)},
        .help = "figures as NAME_x and NAME_y (split, the\ndefault) or NAME_xy of {x, y} pairs",
        .cmake_keyword = "LAYOUT",
        .api_key = "layout",
        .handle = [&o](const std::vector<std::string>& v) { o.figures.layout = enum_of<PointLayout>(layouts, v[0]); },
        .show =
            [&o] {
                return shown_if(o.figures.layout != PointLayout::split,
                                {std::string(word_of(layouts, o.figures.layout))});
            },
        .in_source = true};
}

Option bounds_option(TablesRequest& o) {
    return {.name = "--bounds",
            .help = "add each figure's box at each position,\nNAME_bounds {xmin, ymin, xmax, ymax}",
            .cmake_keyword = "BOUNDS",
            .api_key = "bounds",
            .handle = [&o](const std::vector<std::string>&) { o.figures.bounds = true; },
            .show = [&o] { return shown_if(o.figures.bounds, {}); },
            .in_source = true};
}

Option positions_option(TablesRequest& o) {
    return {.name = "--positions",
            .values = {integer_named("HOUR", min_positions, max_positions),
                       integer_named("MINUTE", min_positions, max_positions),
                       integer_named("SECOND", min_positions, max_positions)},
            .help = "positions per hand, " + range(min_positions, max_positions) +
                    " each\n(default 60 60 60); position k of N points\nk*360/N degrees clockwise from 12 o'clock",
            .cmake_keyword = "POSITIONS",
            .api_key = "positions",
            .handle =
                [&o](const std::vector<std::string>& v) {
                    for (std::size_t hand = 0; hand < hand_count; ++hand) o.params.positions[hand] = int32_of(v[hand]);
                },
            .show =
                [&o] {
                    const auto& p = o.params.positions;
                    const bool plain = p == std::array<int, hand_count>{position_count, position_count, position_count};
                    return shown_if(!plain, {text_of(p[0]), text_of(p[1]), text_of(p[2])});
                }};
}

Option type_option(TablesRequest& o) {
    return {.name = "--type",
            .values = {word_from(entry_types)},
            .help = "the entries' C type (default: the narrowest\nthat holds every entry)",
            .cmake_keyword = "TYPE",
            .api_key = "type",
            .handle = [&o](const std::vector<std::string>& v) { o.type = enum_of<EntryType>(entry_types, v[0]); },
            .show =
                [&o] {
                    return shown_if(o.type.has_value(),
                                    {o.type ? std::string(word_of(entry_types, *o.type)) : std::string()});
                }};
}

Option storage_option(TablesRequest& o) {
    return {.name = "--storage",
            .values = {word_from(storages)},
            .help = "where the arrays live: RAM, read-only data or\nAVR program memory (default data)",
            .cmake_keyword = "STORAGE",
            .api_key = "storage",
            .handle = [&o](const std::vector<std::string>& v) { o.storage = enum_of<Storage>(storages, v[0]); },
            .show = [&o] { return shown_if(o.storage != Storage::data, {std::string(word_of(storages, o.storage))}); }};
}

Option prefix_option(TablesRequest& o) {
    return {.name = "--prefix",
            .values = {{"NAME", ValueKind::name}},
            .help = "prefix of the arrays' names; upper-cased, of\nthe header's macros",
            .cmake_keyword = "PREFIX",
            .api_key = "prefix",
            .handle =
                [&o](const std::vector<std::string>& v) {
                    if (!is_identifier_prefix(v[0]))
                        throw OptionError{"option --prefix: '" + v[0] + "' does not start a C identifier"};
                    if (v[0].size() > max_prefix_length)
                        throw OptionError{"option --prefix: '" + v[0] + "' is longer than " +
                                          std::to_string(max_prefix_length) + " characters"};
                    o.prefix = v[0];
                },
            .show = [&o] { return shown_if(!o.prefix.empty(), {o.prefix}); }};
}

Option header_option(TablesRequest& o) {
    return {.name = "--header",
            .values = {{"NAME", ValueKind::text}},
            .help = "the header, written beside FILE (default: FILE\nwith its extension replaced by .h)",
            .api_key = "header",
            .handle =
                [&o](const std::vector<std::string>& v) {
                    if (!is_valid_header_name(v[0]))
                        throw OptionError{"option --header: the name cannot stand in #include \"...\""};
                    o.header = v[0];
                },
            .show = [&o] { return shown_if(o.header.has_value(), {o.header.value_or("")}); }};
}

Option display_option(TablesRequest& o) {
    return {.name = "--display",
            .values = {integer_named("WIDTH", min_display_side, max_wide_display_side),
                       integer_named("HEIGHT", min_display_side, max_wide_display_side)},
            .help = "refuse a tip outside a panel of this size,\n" + range(min_display_side, max_wide_display_side) +
                    " pixels each (also WIDTHxHEIGHT)",
            .cmake_keyword = "DISPLAY",
            .api_key = "display",
            .handle =
                [&o](const std::vector<std::string>& v) {
                    o.display = {{int32_of(v[0]), int32_of(v[1])}};
                },
            .show =
                [&o] {
                    return shown_if(o.display.has_value(), {text_of(o.display ? o.display->width : 0),
                                                            text_of(o.display ? o.display->height : 0)});
                },
            .joined_by_x = true};
}

Option format_option(TablesRequest& o) {
    return {.name = "--format",
            .values = {word_from(formats)},
            .help =
                "what to write (default c): c (a source and its\nheader), json, rust (a module for no_std\ncrates) or "
                "micropython (a module)",
            .cmake_keyword = "FORMAT",
            .api_key = "format",
            .handle = [&o](const std::vector<std::string>& v) { o.format = enum_of<TablesFormat>(formats, v[0]); },
            .show = [&o] { return shown_if(o.format != TablesFormat::c, {std::string(word_of(formats, o.format))}); }};
}

Option output_option(TablesRequest& o) {
    return {.name = "--output",
            .short_name = 'o',
            .values = {{"FILE", ValueKind::text}},
            .help = "the file to write; - writes standard output",
            .handle =
                [&o](const std::vector<std::string>& v) {
                    if (v[0].empty()) throw OptionError{"option --output needs a file name"};
                    o.output = v[0];
                },
            .show = [&o] { return shown_if(!o.output.empty(), {o.output}); }};
}

}  // namespace

std::vector<Option> tables_option_table(TablesRequest& o) {
    std::vector<Option> table = {center_option(o),  radii_option(o),  figure_option(o),    turn_option(o),
                                 arc_option(o),     mask_option(o),   rounding_option(o),  subpixel_option(o),
                                 layout_option(o),  bounds_option(o), positions_option(o), type_option(o),
                                 storage_option(o), prefix_option(o), header_option(o),    display_option(o),
                                 format_option(o),  output_option(o)};
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

std::string header_name(const TablesRequest& request) {
    if (request.header) return *request.header;
    std::string name = request.output.substr(request.output.rfind('/') + 1);
    const std::size_t dot = name.rfind('.');
    if (dot != std::string::npos && dot != 0 && name != "..") name.erase(dot);
    return name + ".h";
}

void read_tables_arguments(std::span<const std::string> arguments, TablesRequest& request) {
    const std::vector<Option> table = tables_option_table(request);
    parse_arguments(table, arguments, {});
    if (request.help || request.version) return;
    resolve_figure_options(request);
    request.params.has_hands = request.radii_given;
    check_output_request(request);
    check_dial_request(request);
}

void read_tables_request(int argc, const char* const* argv, TablesRequest& request) {
    const std::vector<std::string> arguments(argv + std::min(argc, 1), argv + argc);
    read_tables_arguments(arguments, request);
}

std::vector<std::string> module_arguments(const TablesRequest& request) {
    std::vector<std::string> words = tables_arguments(request);
    const auto output = std::find(words.begin(), words.end(), "-o");
    if (output != words.end()) words.erase(output, std::min(output + 2, words.end()));
    return words;
}

std::vector<std::string> tables_arguments(const TablesRequest& request) {
    TablesRequest shown = request;
    return request_arguments(tables_option_table(shown));
}

std::vector<std::string> source_options(const DialParams& params, FigureOutput figures) {
    TablesRequest shown;
    shown.params = params;
    shown.figures = figures;
    return request_arguments(tables_option_table(shown), [](const Option& option) { return option.in_source; });
}

void read_source_options(std::span<const std::string> words, TablesRequest& request) {
    std::vector<Option> table = tables_option_table(request);
    std::erase_if(table, [](const Option& option) { return !option.in_source; });
    parse_arguments(table, words, {});
    resolve_figure_options(request);
}

std::string name_clash(const TablesRequest& request) {
    const std::vector<std::string> names =
        header_names(request.params, {request.prefix, header_name(request)}, request.figures);
    for (std::size_t i = 0; i < names.size(); ++i)
        if (std::find(names.begin() + static_cast<std::ptrdiff_t>(i) + 1, names.end(), names[i]) != names.end())
            return "two things would be named " + names[i] +
                   ": give each figure a name of its own, unlike the hands' and the header's";
    return "";
}

}  // namespace hndpos
