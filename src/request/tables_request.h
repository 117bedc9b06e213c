// hndpos-tables' command line: its options, once, in one table.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "emit/tables_emitter.h"
#include "request/options.h"
#include "dial/dial_tables.h"

namespace hndpos {

enum class TablesFormat { c, json };

struct TablesRequest {
    DialParams params;
    bool center_given = false;
    bool radii_given = false;
    std::optional<EntryType> type;
    Storage storage = Storage::data;
    std::string prefix;
    std::optional<std::string> header;
    std::optional<PanelSize> display;
    FigureOutput figures;
    TablesFormat format = TablesFormat::c;
    std::string output;
    bool help = false;
    bool version = false;
};

// The table; its handlers fill `options`.
std::vector<Option> tables_option_table(TablesRequest& options);

// The whole help text.
std::string tables_usage_text();

// The command line read into `options`; throws OptionError. Stops after
// --help or --version, which it sets.
void read_tables_request(int argc, const char* const* argv, TablesRequest& options);

}  // namespace hndpos
