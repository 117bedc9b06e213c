// What hndpos-view is asked: its options, once, in one table.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "dial/dial_rules.h"
#include "dial/panel.h"
#include "request/options.h"
#include "request/vocabulary.h"

namespace hndpos {

enum class ViewMode { picture, check, emit, to_utf8 };

struct ViewRequest {
    ViewMode mode = ViewMode::picture;
    int modes_given = 0;
    std::string input = "hpostbl.c";
    bool input_given = false;
    std::optional<std::string> output;
    TimeOfDay time{10, 8, 30, 0};
    std::vector<GaugeReading> readings;
    int scale = 8;
    bool scale_given = false;
    std::optional<PanelSize> display;
    Storage storage = Storage::constant;
    std::string prefix;
    std::optional<std::string> header;
    bool emit_options = false;
    bool english = false;
    bool help = false;
    bool version = false;
};

// The table; its handlers fill `request`.
std::vector<Option> view_option_table(ViewRequest& o);

// The whole help text.
std::string view_usage_text();

// The command line read into `request`; throws OptionError. Stops after
// --help or --version, which it sets.
void read_view_request(int argc, const char* const* argv, ViewRequest& request);

// "HH:MM:SS", as --time takes a time of day.
std::string time_text(const TimeOfDay& time);

}  // namespace hndpos
