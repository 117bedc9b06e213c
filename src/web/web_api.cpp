// The module's entry points for the page and the JavaScript API: the three
// programs themselves, run on an argument vector over files in memory, and
// the request the API's options stand for, turned into arguments by the
// programs' own option tables. Every byte comes from the programs' code;
// the JavaScript only moves bytes between these calls and its callers.

#include <emscripten/emscripten.h>

#include <cstdint>
#include <new>
#include <string>
#include <string_view>
#include <vector>

#include "dial/dial_rules.h"
#include "driver/integer_syntax.h"
#include "driver/program.h"
#include "io/platform/memory_files.h"
#include "programs/runs.h"
#include "request/api_request.h"
#include "request/tables_request.h"
#include "request/view_request.h"

namespace {

using namespace hndpos;

platform::MemoryFiles files;
std::string text_result;  // the last text handed to the caller

// Runs one program on the files, with the files in place of the system for
// the run alone (the npm package's commands use the real ones).
int run_on_files(std::string_view program, std::vector<std::string> arguments) {
    arguments.insert(arguments.begin(), std::string(program));
    std::vector<char*> argv;
    for (std::string& argument : arguments) argv.push_back(argument.data());
    argv.push_back(nullptr);
    const int argc = static_cast<int>(argv.size() - 1);
    files.module_name = std::string(program);
    const platform::SystemCalls saved = platform::use_memory_files(files);
    int status = 0;
    if (program == "hndpos-tables") {
        status = tables_program(argc, argv.data());
    } else if (program == "hndpos-view") {
        status = view_program(argc, argv.data());
    } else {
        status = run_program(nullptr, argc, argv.data());
    }
    platform::system_calls() = saved;
    return status;
}

std::vector<std::string> split_arguments(const char* joined, int size) {
    std::vector<std::string> arguments;
    const std::string_view all(joined, static_cast<std::size_t>(size));
    for (std::size_t at = 0; at < all.size();) {
        const std::size_t end = std::min(all.find('\0', at), all.size());
        arguments.emplace_back(all.substr(at, end - at));
        at = end + 1;
    }
    return arguments;
}

std::string joined(const std::vector<std::string>& arguments) {
    std::string text;
    for (const std::string& argument : arguments) text.append(argument).append(1, '\0');
    return text;
}

// The bytes of a stream or a file, or null for a file that is not there.
const std::string* bytes_of(const char* name) {
    const std::string_view which = name;
    if (which == "<stdout>") return &files.standard_output;
    if (which == "<stderr>") return &files.standard_error;
    return files.find(which);
}

}  // namespace

extern "C" {

// The size of the last text handed to the caller, which may hold NULs.
EMSCRIPTEN_KEEPALIVE int hndpos_text_size() { return static_cast<int>(text_result.size()); }

// Empties the files and the streams; standard input gets `size` bytes.
EMSCRIPTEN_KEEPALIVE void hndpos_files_reset(const char* input, int size) {
    files = {};
    files.standard_input.assign(input, static_cast<std::size_t>(size));
}

EMSCRIPTEN_KEEPALIVE int hndpos_file_put(const char* name, const char* bytes, int size) {
    try {
        files.files[platform::MemoryFiles::normal_name(name)].assign(bytes, static_cast<std::size_t>(size));
        return 0;
    } catch (const std::bad_alloc&) {
        return 2;
    }
}

// A file's (or "<stdout>", "<stderr>") bytes and size; size -1 where it is not there.
EMSCRIPTEN_KEEPALIVE const char* hndpos_file_data(const char* name) {
    const std::string* bytes = bytes_of(name);
    return bytes == nullptr ? "" : bytes->data();
}
EMSCRIPTEN_KEEPALIVE int hndpos_file_size(const char* name) {
    const std::string* bytes = bytes_of(name);
    return bytes == nullptr ? -1 : static_cast<int>(bytes->size());
}

// Runs hndpos, hndpos-tables or hndpos-view with the arguments (each ended
// by a NUL, `size` bytes in all) on the files: its exit status, or -2 when
// memory ran out before it could run.
EMSCRIPTEN_KEEPALIVE int hndpos_run(const char* program, const char* arguments, int size) {
    try {
        return run_on_files(program, split_arguments(arguments, size));
    } catch (const std::bad_alloc&) {
        return -2;
    }
}

// The arguments that a JSON object of the API's options stands for, for the
// program's option table, each ended by a NUL; or, with `ok` 0, why the
// options are refused (naming the key). Null when memory ran out.
EMSCRIPTEN_KEEPALIVE const char* hndpos_request_arguments(const char* program, const char* options, int* ok,
                                                          int* size) {
    try {
        TablesRequest tables;
        ViewRequest view;
        const std::vector<Option> table =
            std::string_view(program) == "hndpos-tables" ? tables_option_table(tables) : view_option_table(view);
        const ApiArguments read = api_arguments(table, options);
        *ok = read.problem.empty() ? 1 : 0;
        text_result = read.problem.empty() ? joined(read.arguments) : read.problem;
        *size = static_cast<int>(text_result.size());
        return text_result.data();
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

// hndpos-tables' arguments (with -o) as the program writes them back, for
// its JSON beside its C: the same request with --format json, no header
// and -o dial.json; or with `shell` the whole command a POSIX shell takes. The empty text for
// arguments the program refuses; null when memory ran out.
EMSCRIPTEN_KEEPALIVE const char* hndpos_tables_command(const char* arguments, int size, int shell) {
    try {
        TablesRequest request;
        text_result.clear();
        try {
            read_tables_arguments(split_arguments(arguments, size), request);
        } catch (const OptionError&) {
            return text_result.c_str();
        }
        if (shell != 0) {
            std::vector<std::string> words = {"hndpos-tables"};
            for (std::string& word : tables_arguments(request)) words.push_back(std::move(word));
            text_result = shell_words(words);
            return text_result.c_str();
        }
        request.format = TablesFormat::json;
        request.header.reset();
        request.output = "dial.json";
        text_result = joined(tables_arguments(request));
        return text_result.c_str();
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

// Words as a POSIX shell reads them back (each ended by a NUL).
EMSCRIPTEN_KEEPALIVE const char* hndpos_shell_words(const char* words, int size) {
    try {
        text_result = shell_words(split_arguments(words, size));
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
    return text_result.c_str();
}

// The header the C of these arguments includes (hndpos-tables' own rule).
EMSCRIPTEN_KEEPALIVE const char* hndpos_header_name(const char* arguments, int size) {
    TablesRequest request;
    try {
        read_tables_arguments(split_arguments(arguments, size), request);
        text_result = header_name(request);
    } catch (const OptionError&) {
        text_result.clear();
    }
    return text_result.c_str();
}

// Whether the program takes `text` as an integer argument, and its value.
EMSCRIPTEN_KEEPALIVE int hndpos_integer_value(const char* text, std::int32_t* value) {
    const ScannedInteger scanned = scan_integer(text);
    *value = scanned.value;
    return scanned.accepted ? 1 : 0;
}

// Each hand's index at a time of day, as the header's index macros give it:
// `positions` the three counts, `time` h, m, s and ms; the three indices go
// to `indices`. Returns 0, or 1 when a count or the time is out of range.
EMSCRIPTEN_KEEPALIVE int hndpos_hand_indices(const std::int32_t* positions, const std::int32_t* time,
                                             std::int32_t* indices) {
    const TimeOfDay when{time[0], time[1], time[2], time[3]};
    if (!is_time_of_day(when)) return 1;
    for (int hand = 0; hand < hand_count; ++hand)
        if (positions[hand] < min_positions || positions[hand] > max_positions) return 1;
    for (int hand = 0; hand < hand_count; ++hand) indices[hand] = hand_index(hand, positions[hand], when);
    return 0;
}

// The limits the programs apply: 0 and 1 the positions per hand, 2 and 3 a
// side of hndpos-view's display for hpostbl.c, 4 and 5 a side of a panel
// (each the least, then the most).
EMSCRIPTEN_KEEPALIVE int hndpos_limit(int which) {
    const int limits[] = {min_positions,         max_positions,    min_display_side,
                          max_byte_display_side, min_display_side, max_wide_display_side};
    return which >= 0 && which < 6 ? limits[which] : 0;
}

}  // extern "C"
