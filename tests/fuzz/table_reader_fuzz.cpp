// The strict reader and the display check against the writer itself: the
// reader accepts a file exactly when it is, byte for byte, what hndpos
// writes for the parameters in its summary comment; an accepted table
// passes the display check, the picture and the compact tables without a
// fault. The first two bytes choose the display size.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "emit/byte_tables.h"
#include "read/byte_table_reader.h"
#include "table/table_writer.h"
#include "view/display_check.h"
#include "view/picture.h"

namespace {

// What hndpos writes into the table file: the writer's lines, each ended
// by CR LF.
std::string written_file(const hndpos::HandParams& params) {
    struct Collect final : hndpos::LineSink {
        std::string file;
        void take(std::string_view line) override {
            file += line;
            file += "\r\n";
        }
    } collect;
    hndpos::make_table_lines(params, collect);
    return collect.file;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) return 0;
    const hndpos::PanelSize display{data[0] + 1, data[1] + 1};
    const std::string_view bytes(reinterpret_cast<const char*>(data) + 2, size - 2);
    const hndpos::ReadResult result = hndpos::read_table_file(bytes);
    if (!result.ok) {
        if (result.line < 1 || result.line > hndpos::line_count + 1 || result.message.empty()) std::abort();
        return 0;
    }
    if (written_file(result.table.params) != bytes) std::abort();
    const hndpos::DisplayCheck check = hndpos::check_display(hndpos::dial_of_table_file(result.table), display);
    if (check.ok != check.problem.empty()) std::abort();
    for (const hndpos::EntryBounds& box : check.bounds)
        if (box.low_x > box.high_x || box.low_y > box.high_y) std::abort();
    if (hndpos::render_dial_svg(hndpos::dial_of_table_file(result.table), {10, 8, 30, 0}, 1, display).find("</svg>") ==
        std::string::npos)
        std::abort();
    if (hndpos::byte_tables_source(result.table.params, result.table.entries, hndpos::Storage::constant, {"f_", "f.h"})
            .empty())
        std::abort();
    return 0;
}
