// What hndpos-tables is asked: the dial, how its tables are written and
// where. Its options are stated once, in one table, which reads a command
// line into a request, writes a request back as its command line, names
// the options the C source's comment states, and gives the JavaScript API
// its keys and the CMake function its keywords.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "dial/dial_tables.h"
#include "dial/panel.h"
#include "request/options.h"
#include "request/vocabulary.h"

namespace hndpos {

struct TablesRequest {
    DialParams params;
    bool center_given = false;
    bool radii_given = false;
    std::optional<EntryType> type;  // none: the narrowest that holds every entry
    Storage storage = Storage::data;
    std::string prefix;
    std::optional<std::string> header;  // none: the output's name with .h
    FigureOutput figures;
    std::vector<std::pair<std::string, int>> turns;  // --turn as given, until each is on its figure
    std::vector<std::pair<std::string, int>> masks;  // --mask likewise
    std::vector<std::pair<std::string, Arc>> arcs;   // --arc likewise
    std::optional<PanelSize> display;
    TablesFormat format = TablesFormat::c;
    std::string output;
    bool help = false;
    bool version = false;
};

// The table; its handlers fill `request`, and its options show it.
std::vector<Option> tables_option_table(TablesRequest& o);

// The whole help text.
std::string tables_usage_text();

// The command line read into `request` and checked; throws OptionError.
// Stops after --help or --version, which it sets.
void read_tables_request(int argc, const char* const* argv, TablesRequest& request);
void read_tables_arguments(std::span<const std::string> arguments, TablesRequest& request);

// Where the output goes and in what format, agreeing with the options
// that only C takes and with a header's name. Throws OptionError.
void check_output_request(const TablesRequest& request);

// What every request must hold whatever it came from (a command line, the
// API, a file read back): a centre, hands or a figure, and names no two
// things of the header share. Throws OptionError.
void check_dial_request(const TablesRequest& request);

// The header's name: the one asked for, or the output's with .h.
std::string header_name(const TablesRequest& request);

// The request as hndpos-tables' arguments, in the table's order.
std::vector<std::string> tables_arguments(const TablesRequest& request);
// The same without the output: what a Rust or MicroPython module states.
std::vector<std::string> module_arguments(const TablesRequest& request);
// The options the C source's comment names, and the request they give
// back (figures, rounding, sub-pixels, layout, bounds): read_source_options
// takes the comment's words; throws OptionError.
std::vector<std::string> source_options(const DialParams& params, FigureOutput figures);
void read_source_options(std::span<const std::string> words, TablesRequest& request);

// Every name the header would define, arrays and macros, where two
// coincide (a figure named "hour" beside the hour hand, two figures of one
// name): the refusal naming it; "" when none do.
std::string name_clash(const TablesRequest& request);

}  // namespace hndpos
