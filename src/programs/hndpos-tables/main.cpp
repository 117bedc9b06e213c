// hndpos-tables: clock-hand tables for any panel and any number of
// positions per hand, with hndpos's exact arithmetic, as C (a source file
// and its header) or JSON.

#include <filesystem>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "driver/integer_syntax.h"
#include "emit/output_files.h"
#include "emit/tables_emitter.h"
#include "io/platform/platform.h"

#ifndef HNDPOS_VERSION
#define HNDPOS_VERSION "unknown"
#endif

namespace {

using hndpos::hand_count;

constexpr int exit_refused = 1;
constexpr int exit_usage = 2;

// The help, with the limits the core sets.
const std::string usage_text =
    "Usage: hndpos-tables --center X Y --radii HOUR MINUTE SECOND [OPTION]... -o FILE\n"
    "Write the tip positions of a clock's hour, minute and second hand for any\n"
    "panel and any number of positions per hand, computed exactly as hndpos\n"
    "computes them, as C (FILE and a header beside it) or as JSON.\n"
    "\n"
    "  --center X Y             the dial's centre in pixels\n"
    "  --radii HOUR MINUTE SECOND\n"
    "                           the hands' lengths in pixels\n"
    "  --positions HOUR MINUTE SECOND\n"
    "                           positions per hand, " +
    std::to_string(hndpos::min_positions) + " to " + std::to_string(hndpos::max_positions) +
    " each (default\n"
    "                           60 60 60); position k of N points k*360/N\n"
    "                           degrees clockwise from 12 o'clock\n"
    "  --type u8|u16|i16|i32    the entries' C type (default: the narrowest that\n"
    "                           holds every entry)\n"
    "  --storage data|const|progmem\n"
    "                           where the arrays live: RAM, read-only data or\n"
    "                           AVR program memory (default data)\n"
    "  --prefix NAME            prefix of the arrays' names; upper-cased, of the\n"
    "                           header's macros\n"
    "  --header NAME            the header, written beside FILE (default: FILE\n"
    "                           with its extension replaced by .h)\n"
    "  --display WIDTH HEIGHT   refuse a tip outside a panel of this size,\n"
    "                           " +
    std::to_string(hndpos::min_display_side) + " to " + std::to_string(hndpos::max_wide_display_side) +
    " pixels each (also WIDTHxHEIGHT)\n"
    "  --format c|json          what to write (default c)\n"
    "  -o, --output FILE        the file to write; - writes standard output\n"
    "  -h, --help               show this help and exit\n"
    "      --version            show the version and exit\n"
    "\n"
    "Numbers are read as hndpos reads its arguments: leading spaces, then a\n"
    "decimal number with an optional sign or a hexadecimal number after $.\n"
    "Exit status: 0 when the files were written, 1 when the tables are\n"
    "refused (an entry the type cannot hold, a tip off the display, the\n"
    "radius -2147483648) or cannot be written, and then no file is left,\n"
    "2 for a wrong command line.\n";

enum class Format { c, json };

struct Options {
    hndpos::WideParams params;
    bool center_given = false;
    bool radii_given = false;
    std::optional<hndpos::EntryType> type;
    hndpos::Storage storage = hndpos::Storage::data;
    std::string prefix;
    std::optional<std::string> header;
    std::optional<hndpos::PanelSize> display;
    Format format = Format::c;
    std::string output;
};

struct UsageError {
    std::string message;
};

class ArgumentReader {
public:
    ArgumentReader(int argc, char** argv) : arguments_(argv + 1, argv + argc) {}
    bool done() const { return index_ >= arguments_.size(); }
    const std::string* peek() const { return done() ? nullptr : &arguments_[index_]; }
    std::string next() { return arguments_[index_++]; }
    // The option's value: after "=" in the same argument, or the next one.
    std::string value(const std::string& option, const std::optional<std::string>& attached) {
        if (attached) return *attached;
        if (done()) throw UsageError{"option " + option + " needs a value"};
        return next();
    }
    // `count` values that follow the option; negative numbers among them.
    std::vector<std::string> values(const std::string& option, std::size_t count, const std::string& what) {
        if (arguments_.size() - index_ < count) throw UsageError{"option " + option + " takes " + what};
        std::vector<std::string> taken(arguments_.begin() + static_cast<std::ptrdiff_t>(index_),
                                       arguments_.begin() + static_cast<std::ptrdiff_t>(index_ + count));
        index_ += count;
        return taken;
    }

private:
    std::vector<std::string> arguments_;
    std::size_t index_ = 0;
};

std::int32_t integer(const std::string& option, const std::string& text, std::int64_t low, std::int64_t high) {
    const hndpos::ScannedInteger scanned = hndpos::scan_integer(text);
    if (!scanned.accepted || text.find('\0') != std::string::npos)
        throw UsageError{"option " + option + ": '" + text + "' is not an integer"};
    if (scanned.value < low || scanned.value > high)
        throw UsageError{"option " + option + ": " + text + " is outside " + std::to_string(low) + " to " +
                         std::to_string(high)};
    return scanned.value;
}

// WIDTH HEIGHT, or the viewer's spelling WIDTHxHEIGHT in one argument.
hndpos::PanelSize display_values(ArgumentReader& reader, const std::string& option) {
    std::vector<std::string> v;
    if (const std::string* next = reader.peek(); next != nullptr && next->find('x') != std::string::npos) {
        const std::string both = reader.next();
        v = {both.substr(0, both.find('x')), both.substr(both.find('x') + 1)};
    } else {
        v = reader.values(option, 2, "two values, WIDTH and HEIGHT");
    }
    return {integer(option, v[0], hndpos::min_display_side, hndpos::max_wide_display_side),
            integer(option, v[1], hndpos::min_display_side, hndpos::max_wide_display_side)};
}

void parse_options(int argc, char** argv, Options& options) {
    ArgumentReader reader(argc, argv);
    std::vector<std::string> seen;
    while (!reader.done()) {
        std::string option = reader.next();
        std::optional<std::string> attached;
        if (const std::size_t equals = option.find('='); option.rfind("--", 0) == 0 && equals != std::string::npos) {
            attached = option.substr(equals + 1);
            option.resize(equals);
        }
        if (option == "-o") option = "--output";
        if (option == "-h") option = "--help";
        for (const std::string& earlier : seen)
            if (earlier == option) throw UsageError{"option " + option + " is given more than once"};
        seen.push_back(option);
        const bool multiple =
            option == "--center" || option == "--radii" || option == "--positions" || option == "--display";
        if (multiple && attached) throw UsageError{"option " + option + " takes its values as separate arguments"};
        if (option == "--help") {
            std::cout << usage_text;
            std::cout.flush();
            throw UsageError{};  // handled by the caller: help was asked for
        } else if (option == "--version") {
            std::cout << "hndpos-tables " HNDPOS_VERSION "\n";
            std::cout.flush();
            throw UsageError{};
        } else if (option == "--center") {
            const auto v = reader.values(option, 2, "two values, X and Y");
            options.params.center_x = integer(option, v[0], INT32_MIN, INT32_MAX);
            options.params.center_y = integer(option, v[1], INT32_MIN, INT32_MAX);
            options.center_given = true;
        } else if (option == "--radii" || option == "--positions") {
            const auto v = reader.values(option, 3, "three values: HOUR MINUTE SECOND");
            for (std::size_t hand = 0; hand < hand_count; ++hand) {
                if (option == "--radii") {
                    options.params.radii[hand] = integer(option, v[hand], INT32_MIN, INT32_MAX);
                } else {
                    options.params.positions[hand] =
                        integer(option, v[hand], hndpos::min_positions, hndpos::max_positions);
                }
            }
            options.radii_given = options.radii_given || option == "--radii";
        } else if (option == "--display") {
            options.display = display_values(reader, option);
        } else if (option == "--type") {
            options.type = hndpos::parse_entry_type(reader.value(option, attached));
            if (!options.type) throw UsageError{"option --type takes u8, u16, i16 or i32"};
        } else if (option == "--storage") {
            const auto storage = hndpos::parse_storage(reader.value(option, attached));
            if (!storage) throw UsageError{"option --storage takes data, const or progmem"};
            options.storage = *storage;
        } else if (option == "--format") {
            const std::string format = reader.value(option, attached);
            if (format != "c" && format != "json") throw UsageError{"option --format takes c or json"};
            options.format = format == "c" ? Format::c : Format::json;
        } else if (option == "--prefix") {
            options.prefix = reader.value(option, attached);
            if (!hndpos::is_identifier_prefix(options.prefix))
                throw UsageError{"option --prefix: '" + options.prefix + "' does not start a C identifier"};
        } else if (option == "--header") {
            options.header = reader.value(option, attached);
            if (!hndpos::is_valid_header_name(*options.header))
                throw UsageError{"option --header: the name cannot stand in #include \"...\""};
        } else if (option == "--output") {
            options.output = reader.value(option, attached);
            if (options.output.empty()) throw UsageError{"option --output needs a file name"};
        } else {
            throw UsageError{(option.size() > 1 && option[0] == '-' ? "unknown option " : "unexpected argument ") +
                             option};
        }
    }
    if (!options.center_given) throw UsageError{"--center X Y is required"};
    if (!options.radii_given) throw UsageError{"--radii HOUR MINUTE SECOND is required"};
    if (options.output.empty()) throw UsageError{"-o FILE is required"};
    if (options.format == Format::json && options.header) throw UsageError{"--header goes with --format c"};
    if (options.format == Format::c && options.output == hndpos::standard_output_name && !options.header)
        throw UsageError{"-o - writes the C on standard output: name its header with --header"};
}

// FILE with its extension replaced by .h; the header goes beside FILE.
std::string default_header(const std::string& output) {
    const std::filesystem::path name = std::filesystem::path(output).filename();
    return name.has_extension() ? name.stem().string() + ".h" : name.string() + ".h";
}

// The header's file: NAME in FILE's directory (never standard output).
std::string beside(const std::string& output, const std::string& name) {
    const std::filesystem::path parent =
        output == hndpos::standard_output_name ? "" : std::filesystem::path(output).parent_path();
    const std::string path = (parent / name).string();
    return path == hndpos::standard_output_name ? "./" + path : path;
}

void add_outputs(const Options& options, const hndpos::WideTables& tables, hndpos::EntryType type,
                 hndpos::OutputFiles& files) {
    if (options.format == Format::json) {
        files.add(options.output, hndpos::hand_tables_json(tables, type));
        return;
    }
    const hndpos::EmitNames names{options.prefix, options.header.value_or(default_header(options.output))};
    files.add(beside(options.output, names.header), hndpos::hand_tables_header(tables, type, options.storage, names));
    files.add(options.output, hndpos::hand_tables_source(tables, type, options.storage, names));
}

int run(const Options& options) {
    const hndpos::WideTables tables = hndpos::compute_wide_tables(options.params);
    const hndpos::TablesVerdict verdict = hndpos::judge_wide_tables(tables, options.type, options.display);
    if (!verdict.type) {
        std::cerr << "hndpos-tables: " << verdict.problem << "; nothing written\n";
        return exit_refused;
    }
    hndpos::OutputFiles files;
    add_outputs(options, tables, *verdict.type, files);
    if (const std::string clash = files.clash(); !clash.empty()) {
        std::cerr << "hndpos-tables: " << clash << "; nothing written\n";
        return exit_usage;
    }
    if (const std::string problem = files.commit(); !problem.empty()) {
        std::cerr << "hndpos-tables: " << problem << "; no file written\n";
        return exit_refused;
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    hndpos::platform::prepare_companion_process();
    Options options;
    try {
        parse_options(argc, argv, options);
    } catch (const UsageError& error) {
        if (error.message.empty())  // --help, --version
            return std::cout && !hndpos::platform::standard_output_closed() ? 0 : exit_refused;
        std::cerr << "hndpos-tables: " << error.message << "\nTry 'hndpos-tables --help' for more information.\n";
        return exit_usage;
    }
    try {
        return run(options);
    } catch (const std::bad_alloc&) {
        std::cerr << "hndpos-tables: out of memory\n";
        return exit_refused;
    }
}
