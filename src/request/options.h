// The companion programs' command lines: each program states its options
// once, in a table (name, values, help, handler), and this one parser reads
// every command line with the same rules, and prints the help from it.
//
// The rules: `--name`, or `-x` where the option has a short name; a
// single value after the option or attached as `--name=value`; several
// values as separate arguments (an option may also take two values joined
// by an `x`, as `128x64`); each option at most once, unless it adds one of
// several things (--figure); `--` ends the options;
// any other argument is an operand, which the program takes or refuses.
#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace hndpos {

// The companion programs' exit statuses beside 0: 1 for a refused or failed
// run, 2 for a wrong command line.
inline constexpr int exit_refused = 1;
inline constexpr int exit_usage = 2;

struct Option {
    std::string_view name;                 // "--center"
    char short_name = 0;                   // 'o' for -o, or 0
    std::vector<std::string_view> values;  // the values' names; none for a flag
    std::string help;                      // lines of at most 50 characters
    std::string_view cmake_keyword;        // hndpos_add_tables' keyword for it, or empty
    std::function<void(const std::vector<std::string>&)> handle;
    bool joined_by_x = false;   // two values may come as one argument, WxH
    bool ends_parsing = false;  // --help, --version: nothing after it counts
    bool repeatable = false;    // may be given more than once (--figure)
};

// A command line the table refuses, or a value a handler refuses; the
// program reports it and exits with status 2.
struct OptionError {
    std::string message;
};

// Reads argv[1] on against the table, calling each option's handler with its
// values and `operand` with each operand (none taken where it is empty).
// Throws OptionError.
void parse_command_line(std::span<const Option> table, int argc, const char* const* argv,
                        const std::function<void(const std::string&)>& operand);

// An option's value in the programs' integer syntax, from `low` to `high`;
// throws OptionError naming the option.
std::int32_t integer_value(std::string_view option, const std::string& text, std::int64_t low, std::int64_t high);

// -h, --help and --version, which every program's table ends with: each
// sets its flag and ends the parsing.
std::vector<Option> help_and_version(bool& help, bool& version);

// The help's option lines, aligned, as `--help` prints them.
std::string option_help(std::span<const Option> table);

}  // namespace hndpos
