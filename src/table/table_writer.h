// The table source writer: prints the summary line and writes "hpostbl.c",
// 26 lines ended by CR LF: two comment lines, then the arrays xtbl and ytbl,
// each a flat initialiser of 180 entries (hour, minute, second hand, 60
// positions each), 15 entries to a row.
#pragma once

#include <string>
#include <string_view>

#include "table/hand_tip.h"

namespace hndpos {

inline constexpr std::string_view OutputFileName = "hpostbl.c";

// The file's first line: "/* アナログ時計用の針表示位置テーブル  0時針,1分針,2秒針 */".
// clang-format off
inline constexpr std::string_view FileTitle =
    "/* \x83" "A\x83i\x83\x8d\x83O\x8e\x9e\x8cv\x97p\x82\xcc\x90j\x95\x5c\x8e\xa6\x88\xca\x92u\x83"
    "e\x81[\x83u\x83\x8b  0\x8e\x9e\x90j,1\x95\xaa\x90j,2\x95" "b\x90j */";
// clang-format on

inline constexpr std::string_view XTableHead = "int xtbl[3][60] = {\t";
inline constexpr std::string_view YTableHead = "int ytbl[3][60] = {\t";
inline constexpr std::string_view RowIndent = "\t\t\t\t\t";

// "中心座標 X:Y  時針半径 h  分針半径 m  秒針半径 s" in Shift_JIS.
std::string summary_line(const HandParams& params);

// Prints the summary line on console_output and writes the table file in
// the current directory, replacing an existing one. Failures leave as
// EInOutError or EInvalidOp; the file is closed on the way out, keeping the
// lines written before the failure.
void generate_tables(const HandParams& params);

}  // namespace hndpos
