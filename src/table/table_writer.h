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

// The layout of the file. A table holds the entries of hand 0, 1 and 2 in
// turn, position_count each; entry i of a table is hand i / position_count
// at position i % position_count. Its rows follow the title and summary
// comments, the x table's rows before the y table's; every row but a
// table's last ends with ",", the last with "};".
inline constexpr int entries_per_table = hand_count * position_count;  // 180
inline constexpr int entries_per_row = 15;
inline constexpr int rows_per_table = entries_per_table / entries_per_row;  // 12
inline constexpr int first_row_line = 3;                                    // lines are counted from 1
inline constexpr int line_count = first_row_line - 1 + 2 * rows_per_table;  // 26
inline constexpr std::string_view hand_names[hand_count] = {"hour", "minute", "second"};

// "中心座標 X:Y  時針半径 h  分針半径 m  秒針半径 s" in Shift_JIS.
std::string summary_line(const HandParams& params);

// Prints the summary line on console_output and writes the table file in
// the current directory, replacing an existing one. Failures leave as
// EInOutError or EInvalidOp; the file is closed on the way out, keeping the
// lines written before the failure.
void generate_tables(const HandParams& params);

}  // namespace hndpos
