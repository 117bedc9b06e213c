// hndpos-view: reads an hpostbl.c back, strictly, and draws the dial it
// describes as an SVG picture, checks it against a display, or writes its
// entries as compact C tables.

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "emit/output_files.h"
#include "emit/tables_emitter.h"
#include "io/platform/platform.h"
#include "view/console_english.h"
#include "view/console_text.h"
#include "view/dial_picture.h"
#include "view/display_check.h"
#include "view/table_reader.h"

#ifndef HNDPOS_VERSION
#define HNDPOS_VERSION "unknown"
#endif

namespace {

constexpr int exit_refused = 1;
constexpr int exit_usage = 2;

// The help, with the limits the core sets.
const std::string usage_text =
    "Usage: hndpos-view [OPTION]... [FILE]\n"
    "Draw the clock dial described by FILE (default hpostbl.c; - reads standard\n"
    "input), a table file written by hndpos, as an SVG picture; or check it\n"
    "against a display, or write its entries as compact C tables.\n"
    "\n"
    "  -o, --output=FILE    write to FILE (default hpostbl.svg for the picture,\n"
    "                       standard output otherwise; - writes standard output)\n"
    "  -t, --time=HH:MM:SS  draw the hands at this time (default 10:08:30)\n"
    "  -s, --scale=N        size of a display pixel in the picture, 1 to 64\n"
    "                       (default 8)\n"
    "  -d, --display=WxH    the display's size in pixels, " +
    std::to_string(hndpos::min_display_side) + " to " + std::to_string(hndpos::max_byte_display_side) +
    " each (also\n"
    "                       WIDTH HEIGHT): the picture draws its outline,\n"
    "                       --check checks against it\n"
    "  -c, --check          print each hand's bounding box instead of drawing;\n"
    "                       exit 1 at the first tip that wrapped modulo 256 or\n"
    "                       lies outside the display\n"
    "      --emit=STORAGE   write the tables for firmware, and their header beside\n"
    "                       the output file: data (the file as it is, int arrays),\n"
    "                       const (bytes in read-only data) or progmem (bytes in\n"
    "                       AVR program memory)\n"
    "      --prefix=NAME    with --emit: name the arrays NAMExtbl and NAMEytbl\n"
    "      --header=FILE    with --emit: the header to include and write (default\n"
    "                       NAMEhpostbl.h)\n"
    "      --english        with --to-utf8: print what each line means, in English\n"
    "      --to-utf8        print FILE, text that hndpos wrote (a table file or\n"
    "                       its console output), converted from Shift_JIS to UTF-8\n"
    "  -h, --help           show this help and exit\n"
    "      --version        show the version and exit\n"
    "\n"
    "The file must be exactly as hndpos writes it; every entry is checked\n"
    "against the entries recomputed from the parameters in its summary line.\n"
    "Exit status: 0 on success, 1 when the file is refused, does not fit the\n"
    "display, or cannot be read or written, 2 for a wrong command line.\n";

enum class Mode { picture, check, emit, to_utf8 };

struct Options {
    Mode mode = Mode::picture;
    std::string input = "hpostbl.c";
    std::optional<std::string> output;
    hndpos::ClockTime time;
    int scale = 8;
    std::optional<hndpos::DisplaySize> display;
    hndpos::Storage storage = hndpos::Storage::constant;
    std::string prefix;
    std::optional<std::string> header;
    bool english = false;
};

int usage_error(const std::string& message) {
    std::cerr << "hndpos-view: " << message << "\nTry 'hndpos-view --help' for more information.\n";
    return exit_usage;
}

// Exactly HH:MM:SS, two digits each.
bool parse_time(const std::string& text, hndpos::ClockTime& time) {
    if (text.size() != 8 || text[2] != ':' || text[5] != ':') return false;
    int fields[3] = {};
    for (std::size_t i = 0; i < 3; ++i) {
        const char tens = text[3 * i];
        const char ones = text[3 * i + 1];
        if (tens < '0' || tens > '9' || ones < '0' || ones > '9') return false;
        fields[i] = (tens - '0') * 10 + (ones - '0');
    }
    if (fields[0] > 23 || fields[1] > 59 || fields[2] > 59) return false;
    time = {fields[0], fields[1], fields[2]};
    return true;
}

class OptionReader {
public:
    OptionReader(int argc, char** argv) : argc_(argc), argv_(argv) {}
    bool next() { return ++index_ < argc_ && (arg_ = argv_[index_], true); }
    const std::string& arg() const { return arg_; }
    bool is(const char* long_name, const char* short_name = nullptr) const {
        return arg_ == long_name || (short_name != nullptr && arg_ == short_name);
    }
    // 1: `arg` is this option and `value` holds its value; 0: another
    // argument; -1: this option without its value.
    int take_value(const char* long_name, const char* short_name, std::string& value) {
        const std::string long_prefix = std::string(long_name) + "=";
        if (arg_.rfind(long_prefix, 0) == 0) {
            value = arg_.substr(long_prefix.size());
            return 1;
        }
        if (!is(long_name, short_name)) return 0;
        if (index_ + 1 >= argc_) return -1;
        value = argv_[++index_];
        return 1;
    }
    // The argument after this one, without taking it; null at the end.
    const char* peek() const { return index_ + 1 < argc_ ? argv_[index_ + 1] : nullptr; }
    void skip() { ++index_; }

private:
    int argc_;
    char** argv_;
    int index_ = 0;
    std::string arg_;
};

bool is_number(std::string_view text) {
    return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// The option an argument names, long and without its value: "--output"
// for -o, --output and --output=FILE.
std::string option_name(const std::string& arg) {
    static const std::pair<const char*, const char*> short_names[] = {{"-o", "--output"}, {"-t", "--time"},
                                                                      {"-s", "--scale"},  {"-d", "--display"},
                                                                      {"-c", "--check"},  {"-h", "--help"}};
    for (const auto& [short_name, long_name] : short_names)
        if (arg == short_name) return long_name;
    return arg.substr(0, arg.find('='));
}

// Help and version: exit 0 once the text is written, 1 when it cannot be.
int write_text_and_exit(const std::string& text) {
    if (!hndpos::platform::standard_output_closed() && hndpos::write_standard_output(text).empty()) return 0;
    std::cerr << "hndpos-view: cannot write standard output\n";
    return exit_refused;
}

// Returns -1 when the command line is fine, otherwise the exit status.
int parse_options(int argc, char** argv, Options& options) {
    OptionReader reader(argc, argv);
    bool input_given = false;
    int modes_given = 0;
    bool emit_options = false;
    bool options_ended = false;
    std::vector<std::string> seen;
    while (reader.next()) {
        const std::string& arg = reader.arg();
        std::string value;
        if (!options_ended && arg == "--") {
            options_ended = true;
            continue;
        }
        if (options_ended || arg.size() < 2 || arg[0] != '-') {
            if (input_given) return usage_error("more than one input file");
            options.input = arg;
            input_given = true;
            continue;
        }
        const std::string name = option_name(arg);
        if (std::find(seen.begin(), seen.end(), name) != seen.end())
            return usage_error("option " + name + " is given more than once");
        seen.push_back(name);
        if (reader.is("--help", "-h")) return write_text_and_exit(usage_text);
        if (reader.is("--version")) return write_text_and_exit("hndpos-view " HNDPOS_VERSION "\n");
        if (reader.is("--english")) {
            options.english = true;
            continue;
        }
        if (reader.is("--check", "-c") || reader.is("--to-utf8")) {
            options.mode = reader.is("--to-utf8") ? Mode::to_utf8 : Mode::check;
            ++modes_given;
            continue;
        }
        if (const int taken = reader.take_value("--output", "-o", value); taken != 0) {
            if (taken < 0 || value.empty()) return usage_error("option " + arg + " needs a file name");
            options.output = value;
        } else if (const int time_taken = reader.take_value("--time", "-t", value); time_taken != 0) {
            if (time_taken < 0 || !parse_time(value, options.time))
                return usage_error("expected --time HH:MM:SS, such as 10:08:30");
        } else if (const int scale_taken = reader.take_value("--scale", "-s", value); scale_taken != 0) {
            char* end = nullptr;
            const long scale = scale_taken < 0 ? 0 : std::strtol(value.c_str(), &end, 10);
            if (scale_taken < 0 || end == value.c_str() || *end != '\0' || scale < 1 || scale > 64)
                return usage_error("expected --scale from 1 to 64");
            options.scale = static_cast<int>(scale);
        } else if (const int display_taken = reader.take_value("--display", "-d", value); display_taken != 0) {
            // WxH, or hndpos-tables' spelling WIDTH HEIGHT in two arguments.
            if (display_taken > 0 && is_number(value) && reader.peek() != nullptr && is_number(reader.peek())) {
                value += "x" + std::string(reader.peek());
                reader.skip();
            }
            options.display = display_taken < 0 ? std::nullopt : hndpos::parse_display_size(value);
            if (!options.display)
                return usage_error("expected --display WxH, each from " + std::to_string(hndpos::min_display_side) +
                                   " to " + std::to_string(hndpos::max_byte_display_side) + ", such as 128x64");
        } else if (const int emit_taken = reader.take_value("--emit", nullptr, value); emit_taken != 0) {
            const std::optional<hndpos::Storage> storage = emit_taken < 0 ? std::nullopt : hndpos::parse_storage(value);
            if (!storage) return usage_error("expected --emit data, --emit const or --emit progmem");
            options.storage = *storage;
            options.mode = Mode::emit;
            ++modes_given;
        } else if (const int prefix_taken = reader.take_value("--prefix", nullptr, value); prefix_taken != 0) {
            if (prefix_taken < 0 || !hndpos::is_identifier_prefix(value))
                return usage_error("expected --prefix to start a C identifier, such as face_");
            options.prefix = value;
            emit_options = true;
        } else if (const int header_taken = reader.take_value("--header", nullptr, value); header_taken != 0) {
            if (header_taken < 0 || !hndpos::is_valid_header_name(value))
                return usage_error("option --header needs a file name that can stand in #include \"...\"");
            options.header = value;
            emit_options = true;
        } else {
            return usage_error("unknown option " + arg);
        }
    }
    if (modes_given > 1) return usage_error("--check, --emit and --to-utf8 exclude each other");
    if (options.english && options.mode != Mode::to_utf8) return usage_error("--english goes with --to-utf8");
    if (emit_options && options.mode != Mode::emit) return usage_error("--prefix and --header go with --emit");
    return -1;
}

// A table file is under 3 KB; anything past this is not one, and reading
// stops there instead of filling memory (a device such as /dev/zero has no end).
constexpr std::size_t max_input_bytes = 1 << 20;

bool read_input(const std::string& name, std::string& bytes) {
    const bool standard_input = name == "-";
    const std::string shown = standard_input ? "standard input" : name;
    if (standard_input && hndpos::platform::standard_input_closed()) {
        std::cerr << "hndpos-view: cannot read standard input: " << std::strerror(EBADF) << "\n";
        return false;
    }
    std::FILE* in = standard_input ? stdin : std::fopen(name.c_str(), "rb");
    if (in == nullptr) {
        std::cerr << "hndpos-view: cannot read " << shown << ": " << std::strerror(errno) << "\n";
        return false;
    }
    char buffer[16384];
    bool too_large = false;
    errno = 0;
    while (!too_large) {
        const std::size_t got = std::fread(buffer, 1, sizeof buffer, in);
        bytes.append(buffer, got);
        too_large = bytes.size() > max_input_bytes;
        if (got < sizeof buffer) break;
    }
    const int error = errno;
    const bool failed = std::ferror(in) != 0;
    if (!standard_input) (void)std::fclose(in);
    if (too_large) {
        std::cerr << "hndpos-view: cannot read " << shown << ": larger than 1 MiB, and a table file is under 3 KB\n";
        return false;
    }
    if (failed) {
        std::cerr << "hndpos-view: cannot read " << shown << ": " << std::strerror(error != 0 ? error : EIO) << "\n";
        return false;
    }
    return true;
}

// What the run made, written all or nothing: exit 2 when two outputs, or an
// output and the input, are one file.
int write_outputs(hndpos::OutputFiles& files) {
    if (const std::string clash = files.clash(); !clash.empty()) return usage_error(clash + "; nothing written");
    if (const std::string problem = files.commit(); !problem.empty()) {
        std::cerr << "hndpos-view: " << problem << "\n";
        return exit_refused;
    }
    return 0;
}

int write_output(const std::string& name, const std::string& text) {
    hndpos::OutputFiles files;
    files.add(name, text);
    return write_outputs(files);
}

std::string bounds_report(const hndpos::DisplayCheck& check) {
    std::string text;
    for (int hand = 0; hand < hndpos::hand_count; ++hand) {
        const hndpos::HandBounds& box = check.bounds[static_cast<std::size_t>(hand)];
        text += std::string(hndpos::hand_names[hand]) + " hand: x " + std::to_string(box.low_x) + " to " +
                std::to_string(box.high_x) + ", y " + std::to_string(box.low_y) + " to " + std::to_string(box.high_y) +
                "\n";
    }
    return text;
}

// The tables in the storage asked for and, beside an output file, the
// header they are compiled with.
int emit(const Options& options, const std::string& bytes, const hndpos::TableFile& table) {
    const hndpos::EmitNames names{options.prefix, options.header.value_or(options.prefix + "hpostbl.h")};
    const std::string output = options.output.value_or(hndpos::standard_output_name);
    hndpos::OutputFiles files;
    files.add_input(options.input);
    files.add(output, options.storage == hndpos::Storage::data
                          ? bytes
                          : hndpos::grid_tables_source(table.params, table.entries, options.storage, names));
    if (output != hndpos::standard_output_name) {
        const std::filesystem::path header = std::filesystem::path(output).parent_path() / names.header;
        files.add(header.string(), hndpos::grid_tables_header(table.params, options.storage, names));
    }
    return write_outputs(files);
}

int run(const Options& options) {
    std::string bytes;
    if (!read_input(options.input, bytes)) return exit_refused;
    if (options.mode == Mode::to_utf8)
        return write_output(options.output.value_or("-"),
                            options.english ? hndpos::english_reading(bytes) : hndpos::shift_jis_to_utf8(bytes));

    const hndpos::ReadResult result = hndpos::read_table_file(bytes);
    if (!result.ok) {
        std::cerr << "hndpos-view: " << options.input << ":" << result.line << ": " << result.message << "\n";
        return exit_refused;
    }
    switch (options.mode) {
    case Mode::check: {
        const hndpos::DisplayCheck check = hndpos::check_display(result.table, options.display);
        // A tip that wrapped makes the bounds meaningless: the error stands alone.
        if (const int status = write_output(options.output.value_or("-"), check.wrapped ? "" : bounds_report(check));
            status != 0)
            return status;
        if (!check.ok) {
            std::cerr << "hndpos-view: " << options.input << ": " << check.problem << "\n";
            return exit_refused;
        }
        return 0;
    }
    case Mode::emit: return emit(options, bytes, result.table);
    default:
        return write_output(options.output.value_or("hpostbl.svg"),
                            hndpos::render_dial_svg(result.table, options.time, options.scale, options.display));
    }
}

}  // namespace

int main(int argc, char** argv) {
    hndpos::platform::prepare_companion_process();
    Options options;
    if (const int status = parse_options(argc, argv, options); status >= 0) return status;
    return run(options);
}
