// hndpos-view: draws the dial that an hpostbl.c describes, as an SVG picture.

#include <cstdio>
#include <cstring>
#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>
#include <string>

#include "view/dial_picture.h"
#include "view/table_reader.h"

namespace {

constexpr int exit_refused = 1;
constexpr int exit_usage = 2;

constexpr const char* usage_text =
    "Usage: hndpos-view [OPTION]... [FILE]\n"
    "Draw the clock dial described by FILE (default hpostbl.c; - reads standard\n"
    "input), a table file written by hndpos, as an SVG picture.\n"
    "\n"
    "  -o, --output=FILE   write the picture to FILE (default hpostbl.svg;\n"
    "                      - writes standard output)\n"
    "  -t, --time=HH:MM:SS draw the hands at this time (default 10:08:30)\n"
    "  -s, --scale=N       size of a display pixel in the picture, 1 to 64\n"
    "                      (default 8)\n"
    "      --help          show this help and exit\n"
    "      --version       show the version and exit\n"
    "\n"
    "The file must be exactly as hndpos writes it; every entry is checked\n"
    "against the entries recomputed from the parameters in its summary line.\n"
    "Exit status: 0 on success, 1 when the file is refused or cannot be read\n"
    "or written, 2 for a wrong command line.\n";

struct Options {
    std::string input = "hpostbl.c";
    std::string output = "hpostbl.svg";
    hndpos::ClockTime time;
    int scale = 8;
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

// Returns -1 when the command line is fine, otherwise the exit status.
int parse_options(int argc, char** argv, Options& options) {
    bool input_given = false;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        std::string value;
        auto take_value = [&](const char* long_name, const char* short_name) -> int {
            const std::string long_prefix = std::string(long_name) + "=";
            if (arg.rfind(long_prefix, 0) == 0) {
                value = arg.substr(long_prefix.size());
                return 1;
            }
            if (arg == long_name || arg == short_name) {
                if (i + 1 >= argc) return -1;
                value = argv[++i];
                return 1;
            }
            return 0;
        };
        if (arg == "--help") {
            std::cout << usage_text;
            return 0;
        }
        if (arg == "--version") {
            std::cout << "hndpos-view 1.00\n";
            return 0;
        }
        int taken = take_value("--output", "-o");
        if (taken != 0) {
            if (taken < 0 || value.empty()) return usage_error("option " + arg + " needs a file name");
            options.output = value;
            continue;
        }
        taken = take_value("--time", "-t");
        if (taken != 0) {
            if (taken < 0 || !parse_time(value, options.time))
                return usage_error("expected --time HH:MM:SS, such as 10:08:30");
            continue;
        }
        taken = take_value("--scale", "-s");
        if (taken != 0) {
            char* end = nullptr;
            const long scale = taken < 0 ? 0 : std::strtol(value.c_str(), &end, 10);
            if (taken < 0 || end == value.c_str() || *end != '\0' || scale < 1 || scale > 64)
                return usage_error("expected --scale from 1 to 64");
            options.scale = static_cast<int>(scale);
            continue;
        }
        if (arg.size() > 1 && arg[0] == '-') return usage_error("unknown option " + arg);
        if (input_given) return usage_error("more than one input file");
        options.input = arg;
        input_given = true;
    }
    return -1;
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    if (const int status = parse_options(argc, argv, options); status >= 0) return status;

    std::string bytes;
    if (options.input == "-") {
        bytes.assign(std::istreambuf_iterator<char>(std::cin), std::istreambuf_iterator<char>());
    } else {
        std::ifstream in(options.input, std::ios::binary);
        if (!in) {
            std::cerr << "hndpos-view: cannot read " << options.input << ": " << std::strerror(errno) << "\n";
            return exit_refused;
        }
        bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    const hndpos::ReadResult result = hndpos::read_table_file(bytes);
    if (!result.ok) {
        std::cerr << "hndpos-view: " << options.input << ":" << result.line << ": " << result.message << "\n";
        return exit_refused;
    }

    const std::string svg = hndpos::render_dial_svg(result.table, options.time, options.scale);
    if (options.output == "-") {
        std::cout << svg;
        std::cout.flush();
        if (!std::cout) {
            std::cerr << "hndpos-view: cannot write standard output\n";
            return exit_refused;
        }
        return 0;
    }
    std::ofstream out(options.output, std::ios::binary);
    out << svg;
    out.close();
    if (!out) {
        std::cerr << "hndpos-view: cannot write " << options.output << "\n";
        return exit_refused;
    }
    return 0;
}
