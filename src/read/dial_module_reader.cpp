// A Rust or MicroPython module of hndpos-tables read back: its second line
// states the request's arguments, which hndpos-tables' own option table
// reads; the module hndpos-tables writes for that request must then be this
// file, byte for byte. An edited hand entry is named.

#include <string>
#include <vector>

#include "dial/panel.h"
#include "emit/c_text.h"
#include "emit/dial_modules.h"
#include "emit/fit.h"
#include "read/dial_reading.h"
#include "read/text_fields.h"

namespace hndpos {
namespace {

struct ModuleLanguage {
    TablesFormat format;
    std::string_view title;
    std::string_view words_start;
    std::string_view array_end;  // what follows a hand's table name: "_X: [" or "_X = array("
};

constexpr ModuleLanguage rust{TablesFormat::rust, rust_title, rust_words_start, ": ["};
constexpr ModuleLanguage micropython{TablesFormat::micropython, micropython_title, micropython_words_start,
                                     " = array("};

std::vector<std::string_view> lines_of(std::string_view text) {
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const std::size_t newline = text.find('\n');
        lines.push_back(text.substr(0, newline));
        text.remove_prefix(newline == std::string_view::npos ? text.size() : newline + 1);
    }
    return lines;
}

// "    83, 84, 85," as its numbers' texts.
std::vector<std::string_view> split_entries(std::string_view line) {
    std::vector<std::string_view> entries;
    while (!line.empty()) {
        while (line.starts_with(' ')) line.remove_prefix(1);
        const std::size_t comma = line.find(',');
        if (!line.substr(0, comma).empty()) entries.push_back(line.substr(0, comma));
        if (comma == std::string_view::npos) break;
        line.remove_prefix(comma + 1);
    }
    return entries;
}

// " w1 w2 "w 3"." after the start: the words, or false.
bool module_words(std::string_view line, std::string_view start, std::vector<std::string>& words) {
    if (!line.starts_with(start) || !line.ends_with('.') || line.size() <= start.size()) return false;
    return stated_words(line.substr(start.size(), line.size() - start.size() - 1), words);
}

// The hand entry a differing line holds, where it lies in a hand's table:
// "the second hand's x at position 0 is 3, but the parameters give 2".
std::optional<std::string> edited_hand_entry(const std::vector<std::string_view>& found,
                                             const std::vector<std::string_view>& wanted, std::size_t at,
                                             const ModuleLanguage& language, const DialFile& file) {
    if (at >= found.size() || at >= wanted.size() || !file.dial.tables.params.has_hands) return std::nullopt;
    int position = 0;
    for (std::size_t line = at; line-- > 0;) {
        const std::string_view text = wanted[line];
        if (!text.starts_with("    ")) {
            for (int hand = 0; hand < hand_count; ++hand)
                for (const Axis axis : {Axis::x, Axis::y}) {
                    const std::string name = upper(hand_names[static_cast<std::size_t>(hand)]) +
                                             (axis == Axis::x ? "_X" : "_Y") + std::string(language.array_end);
                    if (text.find(name) == std::string_view::npos) continue;
                    const std::vector<std::string_view> got = split_entries(found[at]);
                    const std::vector<std::string_view> want = split_entries(wanted[at]);
                    for (std::size_t k = 0; k < got.size() && k < want.size(); ++k) {
                        if (got[k] == want[k]) continue;
                        std::int64_t value = 0;
                        const int index = position + static_cast<int>(k);
                        const std::string what = hand_entry_name(hand, axis, index);
                        if (!parse_decimal(got[k], INT32_MIN, INT32_MAX, value))
                            return "expected " + what + ", found " + quoted(got[k]);
                        return stale_entry(what, value, file.dial.true_coordinate(hand, axis, index));
                    }
                }
            return std::nullopt;
        }
        position += static_cast<int>(split_entries(text).size());
    }
    return std::nullopt;
}

}  // namespace

bool is_tables_module(std::string_view bytes) {
    return bytes.starts_with(std::string(rust.title) + "\n") ||
           bytes.starts_with(std::string(micropython.title) + "\n");
}

DialFileRead read_dial_module(std::string_view bytes) {
    const ModuleLanguage& language = bytes.starts_with(rust.title) ? rust : micropython;
    const std::vector<std::string_view> found = lines_of(bytes);
    std::vector<std::string> words;
    const std::string expected = "expected the arguments the module was made with, found ";
    if (found.size() < 2 || !module_words(found[1], language.words_start, words))
        return refused_file(2, expected + quoted(found.size() < 2 ? "" : found[1]));
    TablesRequest request;
    words.insert(words.end(), {"-o", "module"});
    try {
        read_tables_arguments(words, request);
    } catch (const OptionError& error) {
        return refused_file(2, expected + quoted(found[1]) + ": " + error.message);
    }
    if (request.format != language.format)
        return refused_file(2, expected + quoted(found[1]) + ": they ask for another format");
    DialFile file;
    if (auto refused = compute_request(request, 2, file)) return *refused;
    const TablesVerdict verdict = judge_dial_tables(file.dial.tables, request.type, request.display);
    if (!verdict.type) return refused_file(2, "hndpos-tables writes no such module: " + verdict.problem);
    file.form = {*verdict.type, Storage::data, {"", ""}, request.figures};
    const std::vector<std::string> stated = module_arguments(request);
    const std::string text = language.format == TablesFormat::rust
                                 ? dial_rust(file.dial.tables, *verdict.type, request.figures.bounds, stated)
                                 : dial_micropython(file.dial.tables, *verdict.type, request.figures.bounds, stated);
    if (bytes == text) {
        DialFileRead result;
        result.ok = true;
        result.file = std::move(file);
        return result;
    }
    const int line = first_differing_line(bytes, text);
    const std::vector<std::string_view> wanted = lines_of(text);
    const auto at = static_cast<std::size_t>(line - 1);
    if (const auto entry = edited_hand_entry(found, wanted, at, language, file)) return refused_file(line, *entry);
    if (at >= found.size()) return refused_file(line, "expected " + quoted(wanted[at]) + ", found the end of the file");
    if (at >= wanted.size()) return refused_file(line, "expected the end of the file, found " + quoted(found[at]));
    return refused_file(line, "expected " + quoted(wanted[at]) + ", found " + quoted(found[at]));
}

}  // namespace hndpos
