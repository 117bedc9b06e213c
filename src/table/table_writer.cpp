#include "table/table_writer.h"

#include <algorithm>
#include <array>
#include <charconv>

namespace hndpos {
namespace {

constexpr std::string_view center_label = texts::center_label.shift_jis;
constexpr std::string_view hour_label = texts::hour_label.shift_jis;
constexpr std::string_view minute_label = texts::minute_label.shift_jis;
constexpr std::string_view second_label = texts::second_label.shift_jis;

using TipFunction = std::uint8_t (*)(const HandParams&, int, int);

// One table: each row behind `head` (the first) or RowIndent, its entries
// separated by ",", then "," or, after the table's last entry, "};". A row
// is made in place: it is at most a head, 15 three-digit entries with their
// commas and "};".
constexpr std::size_t longest_row =
    std::max({XTableHead.size(), YTableHead.size(), RowIndent.size()}) + entries_per_row * std::size_t{4} + 2;

void make_table(const HandParams& params, std::string_view head, TipFunction tip, LineSink& sink) {
    std::array<char, longest_row> line;
    char* const line_end = line.data() + line.size();
    for (int row = 0; row < rows_per_table; ++row) {
        const std::string_view indent = row == 0 ? head : RowIndent;
        char* out = std::copy(indent.begin(), indent.end(), line.data());
        for (int column = 0; column < entries_per_row; ++column) {
            const int entry = row * entries_per_row + column;
            out = std::to_chars(out, line_end, tip(params, entry / position_count, entry % position_count)).ptr;
            if (column < entries_per_row - 1) *out++ = ',';
        }
        const std::string_view row_end = row < rows_per_table - 1 ? "," : "};";
        out = std::copy(row_end.begin(), row_end.end(), out);
        sink.take({line.data(), static_cast<std::size_t>(out - line.data())});
    }
}

}  // namespace

std::string summary_line(const HandParams& params) {
    std::string line;
    line += center_label;
    line += std::to_string(params.CenterX);
    line += ':';
    line += std::to_string(params.CenterY);
    line += hour_label;
    line += std::to_string(params.HourRadius);
    line += minute_label;
    line += std::to_string(params.MinuteRadius);
    line += second_label;
    line += std::to_string(params.SecondRadius);
    return line;
}

std::string summary_comment(const HandParams& params) { return "/*   " + summary_line(params) + " */"; }

void make_table_lines(const HandParams& params, LineSink& sink) {
    sink.take(FileTitle);
    sink.take(summary_comment(params));
    make_table(params, XTableHead, tip_x, sink);
    make_table(params, YTableHead, tip_y, sink);
}

}  // namespace hndpos
