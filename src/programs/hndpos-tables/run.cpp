// hndpos-tables: clock-hand tables for any panel and any number of
// positions per hand, with hndpos's exact arithmetic, as C (a source file
// and its header), JSON, or a Rust or MicroPython module.

#include <new>
#include <string>
#include <utility>

#include "emit/dial_c.h"
#include "emit/dial_json.h"
#include "emit/dial_modules.h"
#include "emit/fit.h"
#include "io/files.h"
#include "programs/runs.h"
#include "request/tables_request.h"

namespace {

using hndpos::exit_refused;
using hndpos::exit_usage;

int refuse(int status, const std::string& message) {
    hndpos::write_standard_error("hndpos-tables: " + message + "\n");
    return status;
}

// The files, or why they are refused: none is larger than hndpos-view and
// the JavaScript API read.
std::string add_outputs(const hndpos::TablesRequest& request, const hndpos::DialTables& tables, hndpos::EntryType type,
                        hndpos::OutputFiles& files) {
    const hndpos::EmitSpec form{type, request.storage, {request.prefix, hndpos::header_name(request)}, request.figures};
    if (std::string oversized = hndpos::oversized_progmem_array(tables, form); !oversized.empty()) return oversized;
    std::string text;
    if (request.format == hndpos::TablesFormat::json) {
        text = hndpos::dial_json(tables, form);
    } else if (request.format == hndpos::TablesFormat::rust) {
        text = hndpos::dial_rust(tables, type, request.figures.bounds, hndpos::module_arguments(request));
    } else if (request.format == hndpos::TablesFormat::micropython) {
        text = hndpos::dial_micropython(tables, type, request.figures.bounds, hndpos::module_arguments(request));
    } else {
        files.add(hndpos::path_beside(request.output, form.names.header), hndpos::dial_header(tables, form));
        text = hndpos::dial_source(tables, form, hndpos::source_options(request.params, request.figures));
    }
    if (text.size() > hndpos::max_input_bytes)
        return "the file would be " + std::to_string(text.size()) + " bytes, more than the " +
               std::to_string(hndpos::max_input_bytes >> 20) + " MiB that hndpos-view reads";
    files.add(request.output, std::move(text));
    return "";
}

int run(const hndpos::TablesRequest& request) {
    if (request.format == hndpos::TablesFormat::c && !request.header &&
        hndpos::OutputFiles::names_descriptor(request.output))
        return refuse(exit_usage, "-o " + request.output +
                                      " writes the C through a descriptor: name its header with --header; nothing "
                                      "written");
    const hndpos::DialTables tables = hndpos::compute_dial_tables(request.params);
    const hndpos::TablesVerdict verdict = hndpos::judge_dial_tables(tables, request.type, request.display);
    if (!verdict.type) return refuse(exit_refused, verdict.problem + "; nothing written");
    if (const std::string why = hndpos::mask_refusal_sentence(tables); !why.empty())
        return refuse(exit_usage, why + "; nothing written");
    hndpos::OutputFiles files;
    if (const std::string problem = add_outputs(request, tables, *verdict.type, files); !problem.empty())
        return refuse(exit_refused, problem + "; nothing written");
    if (const std::string clash = files.clash(); !clash.empty()) return refuse(exit_usage, clash + "; nothing written");
    const hndpos::OutputFiles::Outcome outcome = files.commit();
    if (outcome.problem.empty()) return 0;
    return refuse(exit_refused, outcome.problem + (outcome.untouched ? "; no file written" : ""));
}

}  // namespace

int hndpos::tables_program(int argc, char** argv) {
    hndpos::TablesRequest request;
    try {
        hndpos::read_tables_request(argc, argv, request);
    } catch (const hndpos::OptionError& error) {
        return refuse(exit_usage, error.message + "\nTry 'hndpos-tables --help' for more information.");
    }
    if (request.help || request.version) {
        const std::string text = request.help ? hndpos::tables_usage_text() : "hndpos-tables " HNDPOS_VERSION "\n";
        return hndpos::write_standard_output(text).empty() ? 0 : exit_refused;
    }
    try {
        return run(request);
    } catch (const std::bad_alloc&) {
        return refuse(exit_refused, "out of memory");
    }
}
