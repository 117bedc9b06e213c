// hndpos-tables: clock-hand tables for any panel and any number of
// positions per hand, with hndpos's exact arithmetic, as C (a source file
// and its header) or JSON.

#include <filesystem>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "io/output_files.h"
#include "emit/tables_emitter.h"
#include "io/platform/platform.h"
#include "request/tables_request.h"
#include "programs/runs.h"

namespace {

using hndpos::exit_refused;
using hndpos::exit_usage;

// FILE with its extension replaced by .h; the header goes beside FILE.
std::string default_header(const std::string& output) {
    const std::filesystem::path name = std::filesystem::path(output).filename();
    return name.has_extension() ? name.stem().string() + ".h" : name.string() + ".h";
}

// Whether FILE is written through a descriptor ("-", /dev/stdout, ...).
bool through_descriptor(const std::string& output) {
    return output == hndpos::standard_output_name || hndpos::platform::descriptor_named(output.c_str()) >= 0;
}

// The header's file: NAME in FILE's directory, or in the current one where
// FILE is a descriptor (never standard output).
std::string beside(const std::string& output, const std::string& name) {
    const std::filesystem::path parent = through_descriptor(output) ? "" : std::filesystem::path(output).parent_path();
    const std::string path = (parent / name).string();
    return path == hndpos::standard_output_name ? "./" + path : path;
}

hndpos::EmitNames emit_names(const hndpos::TablesRequest& options) {
    return {options.prefix, options.header.value_or(default_header(options.output))};
}

void add_outputs(const hndpos::TablesRequest& options, const hndpos::DialTables& tables, hndpos::EntryType type,
                 hndpos::OutputFiles& files) {
    if (options.format == hndpos::TablesFormat::json) {
        files.add(options.output, hndpos::dial_json(tables, type, options.figures));
        return;
    }
    const hndpos::EmitNames names = emit_names(options);
    files.add(beside(options.output, names.header),
              hndpos::dial_header(tables, type, options.storage, names, options.figures));
    files.add(options.output, hndpos::dial_source(tables, type, options.storage, names, options.figures));
}

int run(const hndpos::TablesRequest& options) {
    if (options.format == hndpos::TablesFormat::c && !options.header && through_descriptor(options.output)) {
        std::cerr << "hndpos-tables: -o " << options.output
                  << " writes the C through a descriptor: name its header with --header; nothing written\n";
        return exit_usage;
    }
    if (const std::string clash = hndpos::name_clash(options.params, emit_names(options), options.figures);
        !clash.empty()) {
        std::cerr << "hndpos-tables: " << clash << "; nothing written\n";
        return exit_usage;
    }
    const hndpos::DialTables tables = hndpos::compute_dial_tables(options.params);
    const hndpos::TablesVerdict verdict = hndpos::judge_dial_tables(tables, options.type, options.display);
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

int hndpos::tables_program(int argc, char** argv) {
    hndpos::platform::prepare_companion_process();
    hndpos::TablesRequest options;
    try {
        hndpos::read_tables_request(argc, argv, options);
    } catch (const hndpos::OptionError& error) {
        std::cerr << "hndpos-tables: " << error.message << "\nTry 'hndpos-tables --help' for more information.\n";
        return exit_usage;
    }
    if (options.help || options.version) {
        const std::string text = options.help ? hndpos::tables_usage_text() : "hndpos-tables " HNDPOS_VERSION "\n";
        return hndpos::write_standard_output(text).empty() ? 0 : exit_refused;
    }
    try {
        return run(options);
    } catch (const std::bad_alloc&) {
        std::cerr << "hndpos-tables: out of memory\n";
        return exit_refused;
    }
}
