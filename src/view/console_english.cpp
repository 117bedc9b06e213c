#include "view/console_english.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "texts/program_texts.h"
#include "view/console_text.h"

namespace hndpos {
namespace {

struct Meaning {
    std::string_view japanese;  // UTF-8
    std::string_view english;
};

bool starts_with(std::string_view text, std::string_view prefix) { return text.substr(0, prefix.size()) == prefix; }

// A text of the program in UTF-8, as the reading sees its lines.
std::string utf8(const ProgramText& text) { return shift_jis_to_utf8(text.shift_jis); }

// Texts and their English in UTF-8, made once per process.
struct TextMeaning {
    std::string japanese;
    std::string_view english;
};
std::vector<TextMeaning> meanings_of(std::initializer_list<const ProgramText*> list) {
    std::vector<TextMeaning> found;
    for (const ProgramText* text : list) found.push_back({utf8(*text), text->english});
    return found;
}

std::string_view meaning_in(const std::vector<TextMeaning>& table, std::string_view japanese) {
    for (const TextMeaning& entry : table)
        if (entry.japanese == japanese) return entry.english;
    return {};
}

// Whole lines of the usage text and the table file.
std::string_view line_meaning(std::string_view line) {
    static const std::vector<TextMeaning> lines = meanings_of(
        {&texts::usage_syntax, &texts::usage_for_example, &texts::usage_same_as_zifrona, &texts::file_title});
    return meaning_in(lines, line);
}

// The messages of a report's second line, without the final ".".
std::string_view message_meaning(std::string_view message) {
    static const std::vector<TextMeaning> messages =
        meanings_of({&texts::invalid_op, &texts::out_of_memory, &texts::file_not_found, &texts::invalid_file_name,
                     &texts::too_many_open_files, &texts::access_denied});
    return meaning_in(messages, message);
}

// The banner's title with its version.
bool banner_reading(std::string_view line, std::string& out) {
    static const std::string title = utf8(texts::banner_title) + " v";
    if (!starts_with(line, title)) return false;
    out += std::string(texts::banner_title.english) + " v" + std::string(line.substr(title.size()));
    return true;
}

// The usage text's file-name line: the name between the two texts.
bool file_name_reading(std::string_view line, std::string& out) {
    static const std::string before = utf8(texts::usage_file_name_is);
    static const std::string after = utf8(texts::usage_fixed);
    if (!starts_with(line, before) || line.size() < before.size() + after.size() ||
        line.substr(line.size() - after.size()) != after)
        return false;
    out += std::string(texts::usage_file_name_is.english) + " " +
           std::string(line.substr(before.size(), line.size() - before.size() - after.size())) + " " +
           std::string(texts::usage_fixed.english);
    return true;
}

bool ends_with(std::string_view text, std::string_view suffix) {
    return text.size() >= suffix.size() && text.substr(text.size() - suffix.size()) == suffix;
}

// The failure classes of a report's first line.
constexpr Meaning classes[] = {
    {"EInOutError", "a console or file operation failed"},
    {"EInvalidOp", "a floating-point result could not be converted to a 32-bit integer"},
    {"EOutOfMemory", "memory ran out"},
    {"EConvertError", "an argument is not an integer"},
};

// The codes of "I/O ｴﾗｰ (n)" that a run meets, in the Windows numbering.
struct CodeMeaning {
    long code;
    std::string_view english;
};
constexpr CodeMeaning io_codes[] = {
    {6, "invalid handle: standard output is closed"},
    {32, "the file is in use: another process writes it, or standard output is redirected onto it"},
    {87, "invalid parameter"},
    {109, "broken pipe: the reader of standard output has gone"},
    {112, "disk full"},
    {223, "file too large: a file-size limit"},
};

std::string_view find_meaning(std::string_view japanese, const auto& table) {
    for (const Meaning& entry : table)
        if (entry.japanese == japanese) return entry.english;
    return {};
}

// "中心座標 X:Y  時針半径 h  分針半径 m  秒針半径 s", anywhere in the line.
bool summary_reading(std::string_view line, std::string& out) {
    static const std::string labels[] = {utf8(texts::center_label), ":", utf8(texts::hour_label),
                                         utf8(texts::minute_label), utf8(texts::second_label)};
    const std::size_t start = line.find(labels[0]);
    if (start == std::string_view::npos) return false;
    std::string values[5];
    std::size_t at = start;
    for (int i = 0; i < 5; ++i) {
        if (line.substr(at, labels[i].size()) != labels[i]) return false;
        at += labels[i].size();
        const std::size_t end = line.find_first_not_of("-0123456789", at);
        values[i] = std::string(line.substr(at, end - at));
        if (values[i].empty()) return false;
        at = end == std::string_view::npos ? line.size() : end;
    }
    out += std::string(line.substr(0, start)) + std::string(texts::center_label.english) + " " + values[0] + ", " +
           values[1] + "; " + std::string(texts::hour_label.english) + " " + values[2] + ", " +
           std::string(texts::minute_label.english) + " " + values[3] + ", " +
           std::string(texts::second_label.english) + " " + values[4] + std::string(line.substr(at));
    return true;
}

// "<class>がﾓｼﾞｭｰﾙ <module> の <offset> で発生しました。"
bool report_reading(std::string_view line, std::string& out) {
    static const std::string in_module = utf8(texts::report_in_module);
    static const std::string at_offset = utf8(texts::report_at);
    static const std::string occurred = utf8(texts::report_occurred);
    const std::size_t module_at = line.find(in_module);
    const std::size_t offset_at = line.rfind(at_offset);
    if (module_at == std::string_view::npos || offset_at == std::string_view::npos || offset_at < module_at ||
        line.size() < occurred.size() || line.substr(line.size() - occurred.size()) != occurred)
        return false;
    const std::string_view name = line.substr(0, module_at);
    const std::string_view module = line.substr(module_at + in_module.size(), offset_at - module_at - in_module.size());
    const std::string_view offset =
        line.substr(offset_at + at_offset.size(), line.size() - occurred.size() - offset_at - at_offset.size());
    out += std::string(name);
    if (const std::string_view meaning = find_meaning(name, classes); !meaning.empty())
        out += " (" + std::string(meaning) + ")";
    out += " " + std::string(texts::report_in_module.english) + " " + std::string(module) + " " +
           std::string(texts::report_at.english) + " " + std::string(offset) +
           std::string(texts::report_occurred.english);
    return true;
}

// A report's message: a known one, "I/O ｴﾗｰ (n)", or an argument that is
// not an integer; with or without the final ".".
bool message_reading(std::string_view line, std::string& out) {
    const std::string_view text = !line.empty() && line.back() == '.' ? line.substr(0, line.size() - 1) : line;
    if (const std::string_view meaning = message_meaning(text); !meaning.empty()) {
        out += std::string(meaning) + ".";
        return true;
    }
    static const std::string io_error = utf8(texts::io_error);
    if (starts_with(text, io_error) && text.back() == ')') {
        const std::string code(text.substr(io_error.size(), text.size() - io_error.size() - 1));
        out += std::string(texts::io_error.english) + " " + code;
        for (const CodeMeaning& entry : io_codes)
            if (code == std::to_string(entry.code)) out += ": " + std::string(entry.english);
        out += ".";
        return true;
    }
    // "'<argument>' は整数ではありません": the suffix starts with the closing quote.
    static const std::string not_an_integer = utf8(texts::not_an_integer);
    if (text.size() > not_an_integer.size() && ends_with(text, not_an_integer)) {
        out += std::string(text.substr(0, text.size() - not_an_integer.size())) + "' " +
               std::string(texts::not_an_integer.english) + ".";
        return true;
    }
    return false;
}

bool is_ascii(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

}  // namespace

std::string english_reading(std::string_view shift_jis) {
    const std::string text = shift_jis_to_utf8(shift_jis);
    std::string out;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string_view line(text.data() + start, end - start);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        start = end + 1;
        if (const std::string_view meaning = line_meaning(line); !meaning.empty()) {
            out += meaning;
        } else if (!banner_reading(line, out) && !file_name_reading(line, out) && !summary_reading(line, out) &&
                   !report_reading(line, out) && !message_reading(line, out)) {
            if (!is_ascii(line)) out += "(untranslated) ";
            out += line;
        }
        out += '\n';
    }
    return out;
}

}  // namespace hndpos
