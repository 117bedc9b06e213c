// hndpos-view: reads an hpostbl.c back, strictly, and draws the dial it
// describes as an SVG picture, checks it against a display, or writes its
// entries as compact C tables.

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "emit/output_files.h"
#include "emit/tables_emitter.h"
#include "io/platform/platform.h"
#include "programs/hndpos-view/options.h"
#include "view/console_english.h"
#include "view/console_text.h"
#include "view/dial_picture.h"
#include "view/display_check.h"
#include "view/table_reader.h"

namespace {

using hndpos::exit_refused;
using hndpos::exit_usage;

int usage_error(const std::string& message) {
    std::cerr << "hndpos-view: " << message << "\nTry 'hndpos-view --help' for more information.\n";
    return exit_usage;
}

// Help and version: exit 0 once the text is written, 1 when it cannot be.
int write_text_and_exit(const std::string& text) {
    if (hndpos::write_standard_output(text).empty()) return 0;
    std::cerr << "hndpos-view: cannot write standard output\n";
    return exit_refused;
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
int emit(const hndpos::ViewOptions& options, const std::string& bytes, const hndpos::TableFile& table) {
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

int run(const hndpos::ViewOptions& options) {
    std::string bytes;
    if (!read_input(options.input, bytes)) return exit_refused;
    if (options.mode == hndpos::ViewMode::to_utf8)
        return write_output(options.output.value_or("-"),
                            options.english ? hndpos::english_reading(bytes) : hndpos::shift_jis_to_utf8(bytes));

    const hndpos::ReadResult result = hndpos::read_table_file(bytes);
    if (!result.ok) {
        std::cerr << "hndpos-view: " << options.input << ":" << result.line << ": " << result.message << "\n";
        return exit_refused;
    }
    switch (options.mode) {
    case hndpos::ViewMode::check: {
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
    case hndpos::ViewMode::emit: return emit(options, bytes, result.table);
    default:
        return write_output(options.output.value_or("hpostbl.svg"),
                            hndpos::render_dial_svg(result.table, options.time, options.scale, options.display));
    }
}

}  // namespace

int main(int argc, char** argv) {
    hndpos::platform::prepare_companion_process();
    hndpos::ViewOptions options;
    try {
        hndpos::read_view_command_line(argc, argv, options);
    } catch (const hndpos::OptionError& error) {
        return usage_error(error.message);
    }
    if (options.help) return write_text_and_exit(hndpos::view_usage_text());
    if (options.version) return write_text_and_exit("hndpos-view " HNDPOS_VERSION "\n");
    return run(options);
}
