#include "read/byte_table_reader.h"

#include <vector>

#include "dial/panel.h"
#include "read/text_fields.h"

namespace hndpos {
namespace {

ReadResult refuse(int line, std::string message) {
    ReadResult result;
    result.line = line;
    result.message = std::move(message);
    return result;
}

// Shift_JIS: single bytes 0x00–0x7F and 0xA1–0xDF, or a lead byte
// 0x81–0x9F / 0xE0–0xFC followed by a trail byte 0x40–0x7E / 0x80–0xFC.
bool is_shift_jis(std::string_view text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (byte <= 0x7F || (byte >= 0xA1 && byte <= 0xDF)) continue;
        if (!((byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC)) || i + 1 == text.size()) return false;
        const auto trail = static_cast<unsigned char>(text[++i]);
        if (trail < 0x40 || trail == 0x7F || trail > 0xFC) return false;
    }
    return true;
}

// The numbers of the summary comment. The labels between them hold no ASCII
// digits (their Shift_JIS trail bytes are 0x40 and above), so the numbers
// are the runs of digits with an optional "-"; the line hndpos writes for
// them is then compared byte for byte. False, with the message, when the
// line is not the summary comment.
bool parse_summary_comment(std::string_view line, HandParams& params, std::string& message) {
    constexpr std::size_t parameter_count = 5;
    std::vector<std::int64_t> numbers;
    for (std::size_t i = 0; i < line.size();) {
        const bool minus = line[i] == '-' && i + 1 < line.size() && line[i + 1] >= '0' && line[i + 1] <= '9';
        if (!minus && (line[i] < '0' || line[i] > '9')) {
            ++i;
            continue;
        }
        std::size_t end = i + 1;
        while (end < line.size() && line[end] >= '0' && line[end] <= '9') ++end;
        std::int64_t value = 0;
        if (!parse_decimal(line.substr(i, end - i), INT32_MIN, INT32_MAX, value)) {
            message =
                "expected a 32-bit decimal number in the summary comment, found " + quoted(line.substr(i, end - i));
            return false;
        }
        numbers.push_back(value);
        i = end;
    }
    if (numbers.size() != parameter_count) {
        message = "expected the five parameters in the summary comment, found " + std::to_string(numbers.size()) +
                  " numbers in " + quoted(line);
        return false;
    }
    params = {static_cast<std::int32_t>(numbers[0]), static_cast<std::int32_t>(numbers[1]),
              static_cast<std::int32_t>(numbers[2]), static_cast<std::int32_t>(numbers[3]),
              static_cast<std::int32_t>(numbers[4])};
    if (line != summary_comment(params)) {
        message = "expected the summary comment with the five parameters, found " + quoted(line);
        return false;
    }
    return true;
}

// One row: its head, 15 entries, and "," or "};" after the last.
bool parse_row(std::string_view line, int table, int row, TableFile& file, std::string& message) {
    const std::string_view head = row != 0 ? RowIndent : table == 0 ? XTableHead : YTableHead;
    const std::string_view ending = row == rows_per_table - 1 ? "};" : ",";
    if (!line.starts_with(head)) {
        message = "expected the row to begin with " + quoted(head) + ", found " + quoted(line);
        return false;
    }
    if (!line.ends_with(ending)) {
        message = "expected the row to end with " + quoted(ending) + ", found " + quoted(line);
        return false;
    }
    std::string_view rest = line.substr(head.size(), line.size() - head.size() - ending.size());
    for (int k = 0; k < entries_per_row; ++k) {
        const std::size_t comma = rest.find(',');
        const bool last = k == entries_per_row - 1;
        if (last != (comma == std::string_view::npos)) {
            // Appended, not "literal" + string: GCC 12 at -O2 warns falsely (-Wrestrict) on the latter.
            message = "expected ";
            message += std::to_string(entries_per_row) + " entries separated by \",\", found " + quoted(line);
            return false;
        }
        const std::string_view number = last ? rest : rest.substr(0, comma);
        std::int64_t value = 0;
        if (!parse_decimal(number, 0, 255, value)) {
            message = "expected an entry from 0 to 255, found " + quoted(number);
            return false;
        }
        file.entries[static_cast<std::size_t>(table)][static_cast<std::size_t>(row) * entries_per_row +
                                                      static_cast<std::size_t>(k)] = static_cast<std::uint8_t>(value);
        if (!last) rest.remove_prefix(comma + 1);
    }
    return true;
}

// The first entry that differs from the low byte of the dial's true
// coordinate, computed once for the file's parameters.
ReadResult check_entries(const TableFile& file) {
    const Dial dial = dial_of_table_file(file);
    if (const auto& overflow = dial.tables.overflow)
        return refuse(2, "a radius of -2147483648 cannot give a complete table: hndpos stops at " +
                             hand_entry_name(overflow->hand, overflow->axis, overflow->position));
    for (int table = 0; table < 2; ++table) {
        const Axis axis = table == 0 ? Axis::x : Axis::y;
        for (int hand = 0; hand < hand_count; ++hand) {
            for (int position = 0; position < position_count; ++position) {
                const int found = file.entry(table, hand, position);
                const auto wanted = static_cast<int>(dial.entry(hand, axis, position));
                if (found == wanted) continue;
                return refuse(first_row_line + table * rows_per_table + entry_index(hand, position) / entries_per_row,
                              std::string(table == 0 ? "x" : "y") + " entry of the " + std::string(hand_names[hand]) +
                                  " hand at position " + std::to_string(position) + " is " + std::to_string(found) +
                                  ", but the parameters give " + std::to_string(wanted) +
                                  ": the table was edited or is stale");
            }
        }
    }
    ReadResult result;
    result.ok = true;
    result.table = file;
    result.dial = dial;
    return result;
}

}  // namespace

ReadResult read_table_file(std::string_view bytes) {
    TableFile file;
    for (int line = 1; line <= line_count; ++line) {
        if (bytes.empty()) return refuse(line, "expected line " + std::to_string(line) + ", found the end of the file");
        const std::size_t newline = bytes.find('\n');
        if (newline == std::string_view::npos || newline == 0 || bytes[newline - 1] != '\r')
            return refuse(line, "expected the line to end with CR LF");
        const std::string_view text = bytes.substr(0, newline - 1);
        bytes.remove_prefix(newline + 1);
        if (text.find('\r') != std::string_view::npos) return refuse(line, "expected no CR inside the line");
        if (!is_shift_jis(text)) return refuse(line, "expected Shift_JIS text, found " + quoted(text));
        std::string message;
        if (line == 1) {
            if (text != FileTitle) return refuse(line, "expected the title comment, found " + quoted(text));
        } else if (line == 2) {
            if (!parse_summary_comment(text, file.params, message)) return refuse(line, message);
        } else if (!parse_row(text, (line - first_row_line) / rows_per_table, (line - first_row_line) % rows_per_table,
                              file, message)) {
            return refuse(line, message);
        }
    }
    if (!bytes.empty()) return refuse(line_count + 1, "expected the end of the file, found " + quoted(bytes));
    return check_entries(file);
}

// hndpos's entries are the low bytes of hndpos-tables' for 60 positions a
// hand: one arithmetic, and hpostbl.c keeps eight bits of its result.
Dial dial_of_table_file(const TableFile& table) {
    const HandParams& p = table.params;
    DialParams params;
    params.center_x = p.CenterX;
    params.center_y = p.CenterY;
    params.radii = {p.HourRadius, p.MinuteRadius, p.SecondRadius};
    return {compute_dial_tables(params), true};
}

}  // namespace hndpos
