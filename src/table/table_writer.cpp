#include "table/table_writer.h"

#include "io/text_channel.h"

namespace hndpos {
namespace {

// The Shift_JIS texts keep their pieces as written.
// clang-format off
constexpr std::string_view center_label = "\x92\x86\x90S\x8d\xc0\x95W ";              // "中心座標 "
constexpr std::string_view hour_label = "  \x8e\x9e\x90j\x94\xbc\x8c" "a ";          // "  時針半径 "
constexpr std::string_view minute_label = "  \x95\xaa\x90j\x94\xbc\x8c" "a ";        // "  分針半径 "
constexpr std::string_view second_label = "  \x95" "b\x90j\x94\xbc\x8c" "a ";        // "  秒針半径 "
// clang-format on

using TipFunction = std::uint8_t (*)(const HandParams&, int, int);

// One table: each row behind `head` (the first) or RowIndent, its entries
// separated by ",", then "," or, after the table's last entry, "};".
void write_table(TextChannel& file, const HandParams& params, std::string_view head, TipFunction tip) {
    std::string line;
    for (int row = 0; row < rows_per_table; ++row) {
        line = row == 0 ? head : RowIndent;
        for (int column = 0; column < entries_per_row; ++column) {
            const int entry = row * entries_per_row + column;
            line += std::to_string(tip(params, entry / position_count, entry % position_count));
            line += column < entries_per_row - 1 ? "," : "";
        }
        line += row < rows_per_table - 1 ? "," : "};";
        write_line(file, line);
        io_check();
    }
}

void write_file_body(TextChannel& file, const HandParams& params, const std::string& summary) {
    write_line(file, FileTitle);
    io_check();
    std::string comment = "/*   ";
    comment += summary;
    comment += " */";
    write_line(file, comment);
    io_check();
    write_table(file, params, XTableHead, tip_x);
    write_table(file, params, YTableHead, tip_y);
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

void generate_tables(const HandParams& params) {
    const std::string summary = summary_line(params);
    write_line(console_output, summary);
    io_check();

    TextChannel file;
    assign_channel(file, OutputFileName);
    open_for_writing(file);
    io_check();
    // Whatever happens while the lines are written, the file is closed and
    // the close checked; a failure of the close replaces the one in flight.
    try {
        write_file_body(file, params, summary);
    } catch (...) {
        close_channel(file);
        io_check();
        throw;
    }
    close_channel(file);
    io_check();
}

}  // namespace hndpos
