// A C source's mask arrays read as firmware reads them: every position
// decoded through its kept mask and turn, and compared level by level with
// the masks recomputed from the figure, so that an edit is named by the
// pixel it changes.

#include <optional>

#include "read/dial_reading.h"

namespace hndpos {
namespace {

// The numbers of the array `name`, from its "NAME[..] = {" line to "};".
std::optional<std::vector<std::uint64_t>> array_numbers(std::string_view text, const std::string& name) {
    const std::size_t declared = text.find(" " + name + "[");
    if (declared == std::string_view::npos) return std::nullopt;
    const std::size_t open = text.find("= {", declared);
    const std::size_t close = text.find("};", open);
    if (open == std::string_view::npos || close == std::string_view::npos) return std::nullopt;
    std::vector<std::uint64_t> numbers;
    std::uint64_t value = 0;
    bool in_number = false;
    for (std::size_t i = open + 3; i < close; ++i) {
        const char c = text[i];
        if (c >= '0' && c <= '9') {
            if (value > 0xFFFFFFFFu) return std::nullopt;
            value = value * 10 + static_cast<std::uint64_t>(c - '0');
            in_number = true;
        } else if (c == ',' || c == ' ' || c == '\n' || c == '{' || c == '}') {
            if (in_number) numbers.push_back(value);
            value = 0;
            in_number = false;
        } else {
            return std::nullopt;
        }
    }
    if (in_number) numbers.push_back(value);
    return numbers;
}

std::optional<MaskCode> read_code(std::string_view text, const std::string& stem) {
    MaskCode code;
    const auto map = array_numbers(text, stem + "_map");
    const auto box = array_numbers(text, stem + "_box");
    const auto first_row = array_numbers(text, stem + "_first_row");
    const auto rows = array_numbers(text, stem + "_rows");
    const auto bytes = array_numbers(text, stem + "_code");
    if (!map || !box || !first_row || !rows || !bytes || box->size() % 4 != 0) return std::nullopt;
    for (const std::uint64_t v : *map) code.map.push_back(static_cast<std::uint32_t>(v));
    for (std::size_t i = 0; i < box->size(); i += 4)
        code.box.push_back({static_cast<std::uint32_t>((*box)[i]), static_cast<std::uint32_t>((*box)[i + 1]),
                            static_cast<std::uint32_t>((*box)[i + 2]), static_cast<std::uint32_t>((*box)[i + 3])});
    for (const std::uint64_t v : *first_row) code.first_row.push_back(static_cast<std::uint32_t>(v));
    for (const std::uint64_t v : *rows) code.rows.push_back(static_cast<std::uint32_t>(v));
    for (const std::uint64_t v : *bytes) {
        if (v > 0xFF) return std::nullopt;
        code.code.push_back(static_cast<std::uint8_t>(v));
    }
    return code;
}

}  // namespace

std::optional<std::string> mask_source_difference(std::string_view found, const DialFile& file) {
    const DialTables& tables = file.dial.tables;
    const std::int64_t cx2 = center_twice(tables.params, Axis::x);
    const std::int64_t cy2 = center_twice(tables.params, Axis::y);
    for (std::size_t f = 0; f < tables.figures.size(); ++f) {
        const std::optional<MaskSet>& set = tables.figures[f].masks;
        if (!set) continue;
        const std::string& name = tables.params.figures[f].name;
        const auto code = read_code(found, file.form.names.prefix + name + "_mask");
        if (!code || code->map.size() != set->positions.size()) continue;
        for (std::size_t k = 0; k < set->positions.size(); ++k) {
            const std::optional<PixelMask> got = decode_position_mask(*code, k, set->bits, cx2, cy2);
            const PixelMask& want = set->positions[k];
            const std::string where = "the figure " + name + "'s mask at position " + std::to_string(k);
            if (!got) return where + " cannot be read from its arrays: they were edited";
            if (*got == want) continue;
            const int left = std::min(got->width != 0 ? got->x : want.x, want.width != 0 ? want.x : got->x);
            const int top = std::min(got->height != 0 ? got->y : want.y, want.height != 0 ? want.y : got->y);
            const int right = std::max(got->x + got->width, want.x + want.width);
            const int bottom = std::max(got->y + got->height, want.y + want.height);
            for (int y = top; y < bottom; ++y)
                for (int x = left; x < right; ++x)
                    if (got->level(x, y) != want.level(x, y))
                        return stale_entry(
                            where + ", pixel (" + std::to_string(x) + ", " + std::to_string(y) + ")'s level",
                            got->level(x, y), want.level(x, y));
        }
    }
    return std::nullopt;
}

}  // namespace hndpos
