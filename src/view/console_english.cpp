#include "view/console_english.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "view/console_text.h"

namespace hndpos {
namespace {

struct Meaning {
    std::string_view japanese;  // UTF-8
    std::string_view english;
};

// Whole lines of the banner, the usage text and the table file.
constexpr Meaning lines[] = {
    {"アナログ時計用針先端位置 C言語用テーブル作成 v1.00", "Analog clock hand tip positions: C table generator v1.00"},
    {"構文: HNDPOS 中心X座標 中心Y座標 時針半径 分針半径 秒針半径",
     "Usage: HNDPOS centre-X centre-Y hour-hand-radius minute-hand-radius second-hand-radius"},
    {"例えば、", "For example,"},
    {"で、拙作ZIFRONAと同じ座標になります。", "gives the same coordinates as ZIFRONA, the author's own clock."},
    {"生成するCソースのファイル名は\"hpostbl.c\"固定(^^;です。",
     "The C source it writes is always named \"hpostbl.c\" (^^;."},
    {"/* アナログ時計用の針表示位置テーブル  0時針,1分針,2秒針 */",
     "/* Display positions of an analog clock's hands: row 0 hour hand, 1 minute hand, 2 second hand */"},
};

// The failure classes of a report's first line.
constexpr Meaning classes[] = {
    {"EInOutError", "a console or file operation failed"},
    {"EInvalidOp", "a floating-point result could not be converted to a 32-bit integer"},
    {"EOutOfMemory", "memory ran out"},
    {"EConvertError", "an argument is not an integer"},
};

// The messages of a report's second line, without the final ".".
constexpr Meaning messages[] = {
    {"不正な浮動小数点数演算命令",
     "Invalid floating-point operation: a radius of -2147483648 puts the tip at +2147483648 (at 9 o'clock for x), "
     "outside the 32-bit range the entries are converted to; any radius from -2147483647 to 2147483647 works"},
    {"ﾌｧｲﾙが見つかりません", "File not found"},
    {"不正なﾌｧｲﾙ名です", "Invalid file name"},
    {"ｵｰﾌﾟﾝしたﾌｧｲﾙが多すぎます", "Too many open files: no file descriptor to spare for hpostbl.c"},
    {"ﾌｧｲﾙへのｱｸｾｽが拒否されました",
     "Access denied: hpostbl.c is read-only, a directory stands in its place, or the directory cannot be written"},
    {"ﾒﾓﾘが足りません", "Not enough memory"},
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

bool starts_with(std::string_view text, std::string_view prefix) { return text.substr(0, prefix.size()) == prefix; }

std::string_view find_meaning(std::string_view japanese, const auto& table) {
    for (const Meaning& entry : table)
        if (entry.japanese == japanese) return entry.english;
    return {};
}

// "中心座標 X:Y  時針半径 h  分針半径 m  秒針半径 s", anywhere in the line.
bool summary_reading(std::string_view line, std::string& out) {
    static constexpr std::string_view labels[] = {"中心座標 ", ":", "  時針半径 ", "  分針半径 ", "  秒針半径 "};
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
    out += std::string(line.substr(0, start)) + "centre " + values[0] + ", " + values[1] + "; hour hand " + values[2] +
           ", minute hand " + values[3] + ", second hand " + values[4] + std::string(line.substr(at));
    return true;
}

// "<class>がﾓｼﾞｭｰﾙ <module> の <offset> で発生しました。"
bool report_reading(std::string_view line, std::string& out) {
    static constexpr std::string_view in_module = "がﾓｼﾞｭｰﾙ ";
    static constexpr std::string_view at_offset = " の ";
    static constexpr std::string_view occurred = " で発生しました。";
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
    out += " occurred in module " + std::string(module) + " at code offset " + std::string(offset) + ".";
    return true;
}

// A report's message: a known one, "I/O ｴﾗｰ (n)", or an argument that is
// not an integer; with or without the final ".".
bool message_reading(std::string_view line, std::string& out) {
    const std::string_view text = !line.empty() && line.back() == '.' ? line.substr(0, line.size() - 1) : line;
    if (const std::string_view meaning = find_meaning(text, messages); !meaning.empty()) {
        out += std::string(meaning) + ".";
        return true;
    }
    static constexpr std::string_view io_error = "I/O ｴﾗｰ (";
    if (starts_with(text, io_error) && text.back() == ')') {
        const std::string code(text.substr(io_error.size(), text.size() - io_error.size() - 1));
        out += "I/O error " + code;
        for (const CodeMeaning& entry : io_codes)
            if (code == std::to_string(entry.code)) out += ": " + std::string(entry.english);
        out += ".";
        return true;
    }
    static constexpr std::string_view not_an_integer = " は整数ではありません";
    if (text.size() > not_an_integer.size() && text.substr(text.size() - not_an_integer.size()) == not_an_integer) {
        out += std::string(text.substr(0, text.size() - not_an_integer.size())) + " is not an integer.";
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
        if (const std::string_view meaning = find_meaning(line, lines); !meaning.empty()) {
            out += meaning;
        } else if (!summary_reading(line, out) && !report_reading(line, out) && !message_reading(line, out)) {
            if (!is_ascii(line)) out += "(untranslated) ";
            out += line;
        }
        out += '\n';
    }
    return out;
}

}  // namespace hndpos
