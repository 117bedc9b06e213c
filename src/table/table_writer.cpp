#include "table/table_writer.h"

namespace hndpos {
namespace {

constexpr std::string_view center_label = texts::center_label.shift_jis;
constexpr std::string_view hour_label = texts::hour_label.shift_jis;
constexpr std::string_view minute_label = texts::minute_label.shift_jis;
constexpr std::string_view second_label = texts::second_label.shift_jis;

using TipFunction = std::uint8_t (*)(const HandParams&, int, int);

// One table: each row behind `head` (the first) or RowIndent, its entries
// separated by ",", then "," or, after the table's last entry, "};".
void make_table(const HandParams& params, std::string_view head, TipFunction tip, LineSink& sink) {
    std::string line;
    for (int row = 0; row < rows_per_table; ++row) {
        line = row == 0 ? head : RowIndent;
        for (int column = 0; column < entries_per_row; ++column) {
            const int entry = row * entries_per_row + column;
            line += std::to_string(tip(params, entry / position_count, entry % position_count));
            line += column < entries_per_row - 1 ? "," : "";
        }
        line += row < rows_per_table - 1 ? "," : "};";
        sink.take(line);
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

void make_table_lines(const HandParams& params, LineSink& sink) {
    sink.take(FileTitle);
    sink.take("/*   " + summary_line(params) + " */");
    make_table(params, XTableHead, tip_x, sink);
    make_table(params, YTableHead, tip_y, sink);
}

}  // namespace hndpos
