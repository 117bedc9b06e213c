// The program's texts, each once: the Shift_JIS bytes hndpos writes and what
// they mean in English. The banner and usage text, the table file, the
// failure messages and report, the English reading (hndpos-view --to-utf8
// --english and the page's glossary) and the page's font all take them from
// here. The readable form stands in the comment beside each.
#pragma once

#include <string_view>

#ifndef HNDPOS_BANNER_VERSION
#error "HNDPOS_BANNER_VERSION, the banner's version from the project's, comes from the build (hndpos_texts)"
#endif

namespace hndpos {

struct ProgramText {
    std::string_view shift_jis;
    // What the text means. For a whole line, the line's English; for a
    // piece of a line (a label, a message's ending), its words there.
    std::string_view english;
};

namespace texts {

// The banner's version as it prints it: 1.0.0 is "1.00".
inline constexpr std::string_view banner_version = HNDPOS_BANNER_VERSION;

// clang-format off
// "アナログ時計用針先端位置 C言語用テーブル作成", then " v" and the version.
inline constexpr ProgramText banner_title{
    "\x83" "A\x83i\x83\x8d\x83O\x8e\x9e\x8cv\x97p\x90j\x90\xe6\x92[\x88\xca\x92u C\x8c\xbe\x8c\xea\x97p\x83"
    "e\x81[\x83u\x83\x8b\x8d\xec\x90\xac",
    "Analog clock hand tip positions: C table generator"};
inline constexpr ProgramText credit_line{"Programmed by HNDPOS authors (hndpos@example.org)", ""};

// "構文: HNDPOS 中心X座標 中心Y座標 時針半径 分針半径 秒針半径"
inline constexpr ProgramText usage_syntax{
    "\x8d\x5c\x95\xb6: HNDPOS \x92\x86\x90SX\x8d\xc0\x95W \x92\x86\x90SY\x8d\xc0\x95W \x8e\x9e\x90j\x94\xbc\x8c"
    "a \x95\xaa\x90j\x94\xbc\x8c" "a \x95" "b\x90j\x94\xbc\x8c" "a",
    "Usage: HNDPOS centre-X centre-Y hour-hand-radius minute-hand-radius second-hand-radius"};
inline constexpr ProgramText usage_for_example{"\x97\xe1\x82\xa6\x82\xce\x81" "A", "For example,"};  // "例えば、"
inline constexpr ProgramText usage_example{" HNDPOS 83 30 9 13 14", ""};
// "で、拙作ZIFRONAと同じ座標になります。"
inline constexpr ProgramText usage_same_as_zifrona{
    "\x82\xc5\x81" "A\x90\xd9\x8d\xecZIFRONA\x82\xc6\x93\xaf\x82\xb6\x8d\xc0\x95W\x82\xc9\x82\xc8\x82\xe8\x82\xdc"
    "\x82\xb7\x81" "B",
    "gives the same coordinates as ZIFRONA, the author's own clock."};
// "生成するCソースのファイル名は", then the file's name in quotes and usage_fixed.
inline constexpr ProgramText usage_file_name_is{
    "\x90\xb6\x90\xac\x82\xb7\x82\xe9" "C\x83\x5c\x81[\x83X\x82\xcc\x83t\x83@\x83" "C\x83\x8b\x96\xbc\x82\xcd",
    "The C source it writes is always named"};
inline constexpr ProgramText usage_fixed{"\x8c\xc5\x92\xe8(^^;\x82\xc5\x82\xb7\x81" "B", "(^^;."};  // "固定(^^;です。"

// The table file's title: "/* アナログ時計用の針表示位置テーブル  0時針,1分針,2秒針 */"
inline constexpr ProgramText file_title{
    "/* \x83" "A\x83i\x83\x8d\x83O\x8e\x9e\x8cv\x97p\x82\xcc\x90j\x95\x5c\x8e\xa6\x88\xca\x92u\x83"
    "e\x81[\x83u\x83\x8b  0\x8e\x9e\x90j,1\x95\xaa\x90j,2\x95" "b\x90j */",
    "/* Display positions of an analog clock's hands: row 0 hour hand, 1 minute hand, 2 second hand */"};
// The summary line's labels: "中心座標 ", "  時針半径 ", "  分針半径 ", "  秒針半径 ".
inline constexpr ProgramText center_label{"\x92\x86\x90S\x8d\xc0\x95W ", "centre"};
inline constexpr ProgramText hour_label{"  \x8e\x9e\x90j\x94\xbc\x8c" "a ", "hour hand"};
inline constexpr ProgramText minute_label{"  \x95\xaa\x90j\x94\xbc\x8c" "a ", "minute hand"};
inline constexpr ProgramText second_label{"  \x95" "b\x90j\x94\xbc\x8c" "a ", "second hand"};

// The failure messages.
inline constexpr ProgramText not_an_integer{  // "' は整数ではありません", after the quoted argument
    "' \x82\xcd\x90\xae\x90\x94\x82\xc5\x82\xcd\x82\xa0\x82\xe8\x82\xdc\x82\xb9\x82\xf1", "is not an integer"};
inline constexpr ProgramText invalid_op{  // "不正な浮動小数点数演算命令"
    "\x95s\x90\xb3\x82\xc8\x95\x82\x93\xae\x8f\xac\x90\x94\x93_\x90\x94\x89\x89\x8eZ\x96\xbd\x97\xdf",
    "Invalid floating-point operation: a radius of -2147483648 puts the tip at +2147483648 (at 9 o'clock for x), "
    "outside the 32-bit range the entries are converted to; any radius from -2147483647 to 2147483647 works"};
inline constexpr ProgramText out_of_memory{  // "ﾒﾓﾘが足りません"
    "\xd2\xd3\xd8\x82\xaa\x91\xab\x82\xe8\x82\xdc\x82\xb9\x82\xf1", "Not enough memory"};
inline constexpr ProgramText file_not_found{  // "ﾌｧｲﾙが見つかりません", code 2
    "\xcc\xa7\xb2\xd9\x82\xaa\x8c\xa9\x82\xc2\x82\xa9\x82\xe8\x82\xdc\x82\xb9\x82\xf1", "File not found"};
inline constexpr ProgramText invalid_file_name{  // "不正なﾌｧｲﾙ名です", code 3
    "\x95s\x90\xb3\x82\xc8\xcc\xa7\xb2\xd9\x96\xbc\x82\xc5\x82\xb7", "Invalid file name"};
inline constexpr ProgramText too_many_open_files{  // "ｵｰﾌﾟﾝしたﾌｧｲﾙが多すぎます", code 4
    "\xb5\xb0\xcc\xdf\xdd\x82\xb5\x82\xbd\xcc\xa7\xb2\xd9\x82\xaa\x91\xbd\x82\xb7\x82\xac\x82\xdc\x82\xb7",
    "Too many open files: no file descriptor to spare for hpostbl.c"};
inline constexpr ProgramText access_denied{  // "ﾌｧｲﾙへのｱｸｾｽが拒否されました", code 5
    "\xcc\xa7\xb2\xd9\x82\xd6\x82\xcc\xb1\xb8\xbe\xbd\x82\xaa\x8b\x91\x94\xdb\x82\xb3\x82\xea\x82\xdc\x82\xb5\x82\xbd",
    "Access denied: hpostbl.c is read-only, a directory stands in its place, or the directory cannot be written"};
inline constexpr ProgramText io_error{"I/O \xb4\xd7\xb0 (", "I/O error"};  // "I/O ｴﾗｰ (", then the code and ")"

// The failure report's first line: "<class>がﾓｼﾞｭｰﾙ <module> の <offset> で発生しました。"
inline constexpr ProgramText report_in_module{"\x82\xaa\xd3\xbc\xde\xad\xb0\xd9 ", "occurred in module"};
inline constexpr ProgramText report_at{" \x82\xcc ", "at code offset"};
inline constexpr ProgramText report_occurred{" \x82\xc5\x94\xad\x90\xb6\x82\xb5\x82\xdc\x82\xb5\x82\xbd\x81" "B", "."};
// clang-format on

// Every text, for what reads or draws all of them (the English reading, the
// page's font).
inline constexpr const ProgramText* all[] = {
    &banner_title,        &credit_line,    &usage_syntax, &usage_for_example, &usage_example,  &usage_same_as_zifrona,
    &usage_file_name_is,  &usage_fixed,    &file_title,   &center_label,      &hour_label,     &minute_label,
    &second_label,        &not_an_integer, &invalid_op,   &out_of_memory,     &file_not_found, &invalid_file_name,
    &too_many_open_files, &access_denied,  &io_error,     &report_in_module,  &report_at,      &report_occurred,
};

}  // namespace texts
}  // namespace hndpos
