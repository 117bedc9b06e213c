// hndpos-view: reads back, strictly, an hpostbl.c or the C source or JSON
// of hndpos-tables, and draws the dial it describes as an SVG picture or
// checks it against a display; or writes hpostbl.c's entries as compact C
// tables.

#include <optional>
#include <string>
#include <utility>

#include "emit/byte_tables.h"
#include "io/files.h"
#include "programs/runs.h"
#include "read/byte_table_reader.h"
#include "read/dial_reader.h"
#include "request/view_request.h"
#include "view/console_english.h"
#include "view/console_text.h"
#include "view/display_check.h"
#include "view/picture.h"

namespace {

using hndpos::exit_refused;
using hndpos::exit_usage;

int report(int status, const std::string& message) {
    hndpos::write_standard_error("hndpos-view: " + message + "\n");
    return status;
}

int usage_error(const std::string& message) {
    return report(exit_usage, message + "\nTry 'hndpos-view --help' for more information.");
}

// Help and version: exit 0 once the text is written, 1 when it cannot be.
int write_text_and_exit(const std::string& text) {
    if (hndpos::write_standard_output(text).empty()) return 0;
    return report(exit_refused, "cannot write standard output");
}

// What the run made, written all or nothing: exit 2 when two outputs, or an
// output and the input, are one file.
int write_outputs(hndpos::OutputFiles& files) {
    if (const std::string clash = files.clash(); !clash.empty()) return usage_error(clash + "; nothing written");
    const hndpos::OutputFiles::Outcome outcome = files.commit();
    return outcome.problem.empty() ? 0 : report(exit_refused, outcome.problem);
}

// One output, which must not be the input (directly, through a link, or as
// the file standard input reads).
int write_output(const hndpos::ViewRequest& request, const std::string& name, const std::string& text) {
    hndpos::OutputFiles files;
    files.add_input(request.input);
    files.add(name, text);
    return write_outputs(files);
}

// The tables in the storage asked for and, beside an output file, the
// header they are compiled with.
int emit(const hndpos::ViewRequest& request, const std::string& bytes, const hndpos::TableFile& table) {
    const hndpos::EmitNames names{request.prefix, request.header.value_or(request.prefix + "hpostbl.h")};
    const std::string output = request.output.value_or(std::string(hndpos::standard_stream_name));
    hndpos::OutputFiles files;
    files.add_input(request.input);
    files.add(output, request.storage == hndpos::Storage::data
                          ? bytes
                          : hndpos::byte_tables_source(table.params, table.entries, request.storage, names));
    if (output != hndpos::standard_stream_name)
        files.add(hndpos::path_beside(output, names.header),
                  hndpos::byte_tables_header(table.params, request.storage, names));
    return write_outputs(files);
}

// The header a C source includes, beside it: when it is there, it must be
// the one hndpos-tables wrote with the source (a missing one is the
// firmware build's to report). Only a file is read: a FIFO or a device of
// that name is no header and would never end.
bool header_matches(const std::string& input, const hndpos::DialFile& file) {
    if (input == hndpos::standard_stream_name) return true;
    const std::string path = hndpos::path_beside(input, file.form.names.header);
    if (!hndpos::exists(path)) return true;
    if (!hndpos::is_regular_file(path)) {
        report(exit_refused, path + ": not a file, where " + input + " includes its header");
        return false;
    }
    std::string bytes;
    if (const std::string problem = hndpos::read_whole_file(path, bytes); !problem.empty()) {
        report(exit_refused, problem);
        return false;
    }
    if (const int line = hndpos::first_differing_line(bytes, hndpos::written_header(file)); line != 0) {
        report(exit_refused, path + ":" + std::to_string(line) + ": not the header hndpos-tables writes with " + input +
                                 ": run it again for both");
        return false;
    }
    return true;
}

// A refused input file: where, and why.
void report_refusal(const hndpos::ViewRequest& request, int line, const std::string& message) {
    report(exit_refused, request.input + ":" + std::to_string(line) + ": " + message);
}

// The dial the input describes, read and checked.
std::optional<hndpos::Dial> read_dial(const hndpos::ViewRequest& request, const std::string& bytes) {
    hndpos::DialReadResult result = hndpos::read_dial_file(bytes);
    if (!result.ok) {
        report_refusal(request, result.line, result.message);
        return std::nullopt;
    }
    if (result.tables_source && !header_matches(request.input, *result.tables_source)) return std::nullopt;
    return std::move(result.dial);
}

int check(const hndpos::ViewRequest& request, const hndpos::Dial& dial) {
    const hndpos::DisplayCheck check = hndpos::check_display(dial, request.display);
    // A tip that wrapped makes the bounds meaningless: the error stands alone.
    if (const int status = write_output(request, request.output.value_or("-"),
                                        check.wrapped ? "" : hndpos::bounds_report(dial, check));
        status != 0)
        return status;
    if (check.ok) return 0;
    report(exit_refused, request.input + ": " + check.problem);
    if (!check.advice.empty()) report(exit_refused, check.advice);
    return exit_refused;
}

int draw(const hndpos::ViewRequest& request, const hndpos::Dial& dial) {
    const hndpos::PictureSpan span = hndpos::picture_span(dial, request.display);
    if (!span.fits())
        return report(exit_refused, request.input + ": the dial spans " + std::to_string(span.width) + " x " +
                                        std::to_string(span.height) + " pixels, and the picture shows at most " +
                                        std::to_string(hndpos::max_picture_side) +
                                        " each way; --check reports where its tips lie");
    if (const std::string problem = hndpos::reading_problem(dial, request.readings); !problem.empty())
        return report(exit_refused, request.input + ": " + problem);
    const int scale = request.scale_given ? request.scale : hndpos::default_picture_scale(span);
    std::string picture;
    try {
        picture = hndpos::render_dial_svg(dial, request.time, scale, request.display, request.readings);
    } catch (const hndpos::PictureTooLarge&) {
        return report(exit_refused, request.input + ": the picture would draw more than " +
                                        std::to_string(hndpos::max_picture_elements) +
                                        " squares and polygons of figures; --check reports where their entries lie");
    }
    return write_output(request, request.output.value_or("hpostbl.svg"), picture);
}

int run(const hndpos::ViewRequest& request) {
    std::string bytes;
    if (const std::string problem = hndpos::read_whole_file(request.input, bytes); !problem.empty())
        return report(exit_refused, problem);
    if (request.mode == hndpos::ViewMode::to_utf8)
        return write_output(request, request.output.value_or("-"),
                            request.english ? hndpos::english_reading(bytes) : hndpos::shift_jis_to_utf8(bytes));
    if (request.mode == hndpos::ViewMode::emit) {
        if (hndpos::input_kind(bytes) != hndpos::InputKind::hndpos_table)
            return report(
                exit_refused,
                request.input + ": --emit reads hpostbl.c; hndpos-tables writes its own tables in any storage");
        const hndpos::ReadResult result = hndpos::read_table_file(bytes);
        if (!result.ok) {
            report_refusal(request, result.line, result.message);
            return exit_refused;
        }
        return emit(request, bytes, result.table);
    }
    const std::optional<hndpos::Dial> dial = read_dial(request, bytes);
    if (!dial) return exit_refused;
    return request.mode == hndpos::ViewMode::check ? check(request, *dial) : draw(request, *dial);
}

}  // namespace

int hndpos::view_program(int argc, char** argv) {
    hndpos::ViewRequest request;
    try {
        hndpos::read_view_request(argc, argv, request);
    } catch (const hndpos::OptionError& error) {
        return usage_error(error.message);
    }
    if (request.help) return write_text_and_exit(hndpos::view_usage_text());
    if (request.version) return write_text_and_exit("hndpos-view " HNDPOS_VERSION "\n");
    try {
        return run(request);
    } catch (const std::bad_alloc&) {
        return report(exit_refused, "out of memory");
    }
}
