// The table source's text: "hpostbl.c" is 26 lines ended by CR LF, two
// comment lines, then the arrays xtbl and ytbl, each a flat initialiser of
// 180 entries (hour, minute, second hand, 60 positions each), 15 entries to
// a row. The lines are made here; the driver writes them to the file.
#pragma once

#include <string>
#include <string_view>

#include "table/hand_tip.h"
#include "texts/program_texts.h"

namespace hndpos {

inline constexpr std::string_view OutputFileName = "hpostbl.c";

// The file's first line, its title comment.
inline constexpr std::string_view FileTitle = texts::file_title.shift_jis;

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

// Where a table holds hand `hand` at `position`.
constexpr int entry_index(int hand, int position) { return hand * position_count + position; }

// "中心座標 X:Y  時針半径 h  分針半径 m  秒針半径 s" in Shift_JIS.
std::string summary_line(const HandParams& params);

// The file's second line: the summary line in a comment.
std::string summary_comment(const HandParams& params);

// Where the file's lines go, one at a time: the table file, or a reader
// that compares them.
class LineSink {
public:
    virtual void take(std::string_view line) = 0;

protected:
    ~LineSink() = default;
};

// Makes the file's line_count lines for the parameters, without line ends,
// and hands each to `sink` as soon as it is made. Every entry is computed
// just before its row is made, so a radius of -2147483648 raises EInvalidOp
// while the x table is made, after the lines before it were handed on.
void make_table_lines(const HandParams& params, LineSink& sink);

}  // namespace hndpos
