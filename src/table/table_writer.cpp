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

constexpr int entries_per_row = 15;

using TipFunction = std::uint8_t (*)(const HandParams&, int, int);

// One table: 12 rows, the first behind `head`, the others behind RowIndent,
// each entry followed by "," except the last, which is followed by "};".
void write_table(TextChannel& file, const HandParams& params, std::string_view head, TipFunction tip) {
    std::string row;
    for (int hand = 0; hand < hand_count; ++hand) {
        for (int position = 0; position < position_count; ++position) {
            row += std::to_string(tip(params, hand, position));
            row += ',';
            if (position % entries_per_row != entries_per_row - 1) continue;
            if (hand == hand_count - 1 && position == position_count - 1) {
                row.pop_back();
                row += "};";
            }
            row.insert(0, hand == 0 && position == entries_per_row - 1 ? head : RowIndent);
            write_line(file, row);
            io_check();
            row.clear();
        }
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
