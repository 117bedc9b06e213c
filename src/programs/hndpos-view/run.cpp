// hndpos-view: reads back, strictly, an hpostbl.c or the C source or JSON
// of hndpos-tables, and draws the dial it describes as an SVG picture or
// checks it against a display; or writes hpostbl.c's entries as compact C
// tables.

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "io/output_files.h"
#include "emit/tables_emitter.h"
#include "io/platform/platform.h"
#include "request/view_request.h"
#include "programs/runs.h"
#include "view/console_english.h"
#include "view/console_text.h"
#include "view/picture.h"
#include "view/display_check.h"
#include "read/byte_table_reader.h"
#include "read/dial_reader.h"

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

// hpostbl.c is under 3 KB and the largest tables hndpos-tables writes are
// under 4 MiB; anything past this is not a table file, and reading stops
// there instead of filling memory (a device such as /dev/zero has no end).
constexpr std::size_t max_input_bytes = 8 << 20;

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
        std::cerr << "hndpos-view: cannot read " << shown << ": larger than 8 MiB, and a table file is under 4 MiB\n";
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

// One output, which must not be the input (directly, through a link, or as
// the file standard input reads).
int write_output(const hndpos::ViewRequest& options, const std::string& name, const std::string& text) {
    hndpos::OutputFiles files;
    files.add_input(options.input);
    files.add(name, text);
    return write_outputs(files);
}

std::string box_text(const hndpos::HandBounds& box) {
    return "x " + std::to_string(box.low_x) + " to " + std::to_string(box.high_x) + ", y " + std::to_string(box.low_y) +
           " to " + std::to_string(box.high_y) + "\n";
}

std::string bounds_report(const hndpos::Dial& dial, const hndpos::DisplayCheck& check) {
    std::string text;
    for (int hand = 0; hand < hndpos::hand_count; ++hand)
        if (dial.positions(hand) > 0)
            text += std::string(hndpos::hand_names[hand]) +
                    " hand: " + box_text(check.bounds[static_cast<std::size_t>(hand)]);
    for (const hndpos::FigureBounds& figure : check.figures)
        text += "figure " + figure.name + ": " + box_text(figure.box);
    return text;
}

// The tables in the storage asked for and, beside an output file, the
// header they are compiled with.
int emit(const hndpos::ViewRequest& options, const std::string& bytes, const hndpos::TableFile& table) {
    const hndpos::EmitNames names{options.prefix, options.header.value_or(options.prefix + "hpostbl.h")};
    const std::string output = options.output.value_or(hndpos::standard_output_name);
    hndpos::OutputFiles files;
    files.add_input(options.input);
    files.add(output, options.storage == hndpos::Storage::data
                          ? bytes
                          : hndpos::byte_tables_source(table.params, table.entries, options.storage, names));
    if (output != hndpos::standard_output_name) {
        const std::filesystem::path header = std::filesystem::path(output).parent_path() / names.header;
        files.add(header.string(), hndpos::byte_tables_header(table.params, options.storage, names));
    }
    return write_outputs(files);
}

// The header a C source includes, beside it: when it is there, it must be
// the one hndpos-tables wrote with the source (a missing one is the
// firmware build's to report).
bool header_matches(const std::string& input, const hndpos::DialFile& file) {
    if (input == "-") return true;
    const std::filesystem::path path = std::filesystem::path(input).parent_path() / file.names.header;
    std::FILE* probe = std::fopen(path.string().c_str(), "rb");
    if (probe == nullptr) return true;
    (void)std::fclose(probe);
    std::string bytes;
    if (!read_input(path.string(), bytes)) return false;
    if (const int line = hndpos::first_differing_line(bytes, hndpos::written_header(file)); line != 0) {
        std::cerr << "hndpos-view: " << path.string() << ":" << line << ": not the header hndpos-tables writes with "
                  << input << ": run it again for both\n";
        return false;
    }
    return true;
}

// A refused input file: where, and why.
void report_refusal(const hndpos::ViewRequest& options, int line, const std::string& message) {
    std::cerr << "hndpos-view: " << options.input << ":" << line << ": " << message << "\n";
}

// The dial the input describes, read and checked.
std::optional<hndpos::Dial> read_dial(const hndpos::ViewRequest& options, const std::string& bytes) {
    hndpos::DialReadResult result = hndpos::read_dial_file(bytes);
    if (!result.ok) {
        report_refusal(options, result.line, result.message);
        return std::nullopt;
    }
    if (result.tables_source && !header_matches(options.input, *result.tables_source)) return std::nullopt;
    return std::move(result.dial);
}

int check(const hndpos::ViewRequest& options, const hndpos::Dial& dial) {
    const hndpos::DisplayCheck check = hndpos::check_display(dial, options.display);
    // A tip that wrapped makes the bounds meaningless: the error stands alone.
    if (const int status = write_output(options, options.output.value_or("-"), check.wrapped ? "" : bounds_report(dial, check));
        status != 0)
        return status;
    if (check.ok) return 0;
    std::cerr << "hndpos-view: " << options.input << ": " << check.problem << "\n";
    if (!check.advice.empty()) std::cerr << "hndpos-view: " << check.advice << "\n";
    return exit_refused;
}

int draw(const hndpos::ViewRequest& options, const hndpos::Dial& dial) {
    const hndpos::PictureSpan span = hndpos::picture_span(dial, options.display);
    if (!span.fits()) {
        std::cerr << "hndpos-view: " << options.input << ": the dial spans " << span.width << " x " << span.height
                  << " pixels, and the picture shows at most " << hndpos::max_picture_side
                  << " each way; --check reports where its tips lie\n";
        return exit_refused;
    }
    const int scale = options.scale_given ? options.scale : hndpos::default_picture_scale(span);
    return write_output(options, options.output.value_or("hpostbl.svg"),
                        hndpos::render_dial_svg(dial, options.time, scale, options.display));
}

int run(const hndpos::ViewRequest& options) {
    std::string bytes;
    if (!read_input(options.input, bytes)) return exit_refused;
    if (options.mode == hndpos::ViewMode::to_utf8)
        return write_output(options, options.output.value_or("-"),
                            options.english ? hndpos::english_reading(bytes) : hndpos::shift_jis_to_utf8(bytes));
    if (options.mode == hndpos::ViewMode::emit) {
        if (hndpos::file_kind(bytes) != hndpos::FileKind::hndpos_table) {
            std::cerr << "hndpos-view: " << options.input
                      << ": --emit reads hpostbl.c; hndpos-tables writes its own tables in any storage\n";
            return exit_refused;
        }
        const hndpos::ReadResult result = hndpos::read_table_file(bytes);
        if (!result.ok) {
            report_refusal(options, result.line, result.message);
            return exit_refused;
        }
        return emit(options, bytes, result.table);
    }
    const std::optional<hndpos::Dial> dial = read_dial(options, bytes);
    if (!dial) return exit_refused;
    return options.mode == hndpos::ViewMode::check ? check(options, *dial) : draw(options, *dial);
}

}  // namespace

int hndpos::view_program(int argc, char** argv) {
    hndpos::platform::prepare_companion_process();
    hndpos::ViewRequest options;
    try {
        hndpos::read_view_request(argc, argv, options);
    } catch (const hndpos::OptionError& error) {
        return usage_error(error.message);
    }
    if (options.help) return write_text_and_exit(hndpos::view_usage_text());
    if (options.version) return write_text_and_exit("hndpos-view " HNDPOS_VERSION "\n");
    return run(options);
}
