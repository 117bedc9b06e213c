// The companion programs' command lines: each program states its options
// once, in a table (name, values, help, CMake keyword, the JavaScript
// API's key, how to read it and how to write it back), and this one
// parser reads every command line with the same rules, prints the help
// from it, and turns a request back into its command line.
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

#include "dial/figures.h"
#include "request/vocabulary.h"

namespace hndpos {

// The companion programs' exit statuses beside 0: 1 for a refused or failed
// run, 2 for a wrong command line.
inline constexpr int exit_refused = 1;
inline constexpr int exit_usage = 2;

// What an option's value is, for the API and the CMake function: an
// integer in the programs' syntax, one of a list of words, a C identifier,
// any text, figure points "A,B A,B ...", a time of day HH:MM:SS, a
// number of whole or half pixels (an integer, or digits and ".5"), or a
// decimal number of at most two decimal places ("-22.5").
enum class ValueKind { integer, word, name, text, points, time, half, decimal };

// One value of an option: what the help calls it, what it is, and what the
// parser takes (an integer's range, a word's list), so that the parser, the
// help, the API and the CMake function all read them here. Each member has
// an initializer of its own, so that a table can name only the members an
// option needs (GCC before 14 warns otherwise).
struct OptionValue {
    std::string name{};  // "X", or the words "u8|u16|i16|i32"
    ValueKind kind = ValueKind::integer;
    std::int64_t low = INT32_MIN;  // an integer's range
    std::int64_t high = INT32_MAX;
    const WordList* words = nullptr;  // a word's list
};

OptionValue integer_named(std::string name, std::int64_t low = INT32_MIN, std::int64_t high = INT32_MAX);
OptionValue word_from(const WordList& words);
OptionValue text_named(std::string name);
OptionValue half_named(std::string name);
// `low` and `high` in hundredths.
OptionValue decimal_named(std::string name, std::int64_t low, std::int64_t high);

// A value the parser has taken as an integer, as one; a word, as its enumerator.
std::int32_t int32_of(const std::string& value);
template <typename Enum>
Enum enum_of(const WordList& list, const std::string& value) {
    return static_cast<Enum>(*list.find(value));
}

// Each occurrence of an option in a request, as its values' texts; an
// occurrence of a flag has none.
using Occurrences = std::vector<std::vector<std::string>>;

struct Option {
    std::string_view name{};  // "--center"
    char short_name = 0;      // 'o' for -o, or 0
    std::vector<OptionValue> values{};
    std::string help{};                // lines of at most 50 characters
    std::string_view cmake_keyword{};  // hndpos_add_tables' keyword for it, or empty
    std::string_view api_key{};        // the JavaScript API's key for it, or empty
    std::function<void(const std::vector<std::string>&)> handle{};
    // The option as the request holds it now; none where it is absent or
    // as it is by default.
    std::function<Occurrences()> show{};
    bool joined_by_x = false;   // two values may come as one argument, WxH
    bool ends_parsing = false;  // --help, --version: nothing after it counts
    bool repeatable = false;    // may be given more than once (--figure)
    bool in_source = false;     // named by the C source's options comment
};

// A command line the table refuses, or a value a handler refuses; the
// program reports it and exits with status 2.
struct OptionError {
    std::string message;
};

// Reads the arguments against the table, calling each option's handler
// with its values (each integer already in its range, each word in its
// list) and `operand` with each operand (none taken where it is empty).
// Throws OptionError.
void parse_arguments(std::span<const Option> table, std::span<const std::string> all,
                     const std::function<void(const std::string&)>& operand);
// The same for argv[1] on.
void parse_command_line(std::span<const Option> table, int argc, const char* const* argv,
                        const std::function<void(const std::string&)>& operand);

// The request the table reads into, written back as arguments in the
// table's order: every option it holds (by its short name where it has
// one), with values joined by x where the option takes them so. `keep`
// picks the options (all by default).
std::vector<std::string> request_arguments(std::span<const Option> table,
                                           const std::function<bool(const Option&)>& keep = {});

// Words as a POSIX shell reads them back: each as it is where that is safe,
// else in single quotes.
std::string shell_words(std::span<const std::string> words);

// An option's value in the programs' integer syntax, from `low` to `high`;
// throws OptionError naming the option.
std::int32_t integer_value(std::string_view option, const std::string& text, std::int64_t low, std::int64_t high);

// A number of whole or half pixels, twice over: "232.5" is 465, "$10" 32;
// an integer in the integer syntax within the 32-bit range, or decimal
// digits and ".5" from -2147483648.5 to 2147483647.5. Throws OptionError.
std::int64_t half_value(std::string_view option, const std::string& text);

// A decimal number, at most two decimal places, in hundredths, from `low`
// to `high`: "-22.5" is -2250. Throws OptionError.
std::int64_t hundredths_value(std::string_view option, const std::string& text, std::int64_t low, std::int64_t high);

// -h, --help and --version, which every program's table ends with: each
// sets its flag and ends the parsing.
std::vector<Option> help_and_version(bool& help, bool& version);

// The help's option lines, aligned, as `--help` prints them.
std::string option_help(std::span<const Option> table);

// "option --NAME takes A, B or C", for a word the option does not know.
std::string takes_words(std::string_view option, std::string_view spoken);

}  // namespace hndpos
