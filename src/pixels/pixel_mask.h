// A mask: how much of each pixel a figure covers, as a level from 0 to
// 2^bits − 1, kept row by row as the span from the first pixel of a
// non-zero level to the last. Pixel (x, y) is the unit square centred on
// (x, y).
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace hndpos {

// The bit depths a mask takes.
inline constexpr std::array<int, 4> mask_bit_depths = {1, 2, 4, 8};

struct MaskRow {
    int first = 0;           // the span's first column, from the box's left
    int count = 0;           // 0: no pixel of the row is covered
    std::size_t offset = 0;  // where its levels start in `levels`
};

struct PixelMask {
    // The box: the tightest around the pixels of a non-zero level; an empty
    // mask has width and height 0.
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    std::vector<MaskRow> rows;  // one a row of the box
    std::vector<std::uint8_t> levels;

    // The level of any pixel: 0 outside the box.
    int level(std::int64_t px, std::int64_t py) const;

    friend bool operator==(const PixelMask& a, const PixelMask& b);
};

// Where two masks differ: the box {xmin, ymin, xmax, ymax} of the pixels
// whose levels differ, or none.
std::optional<std::array<int, 4>> changed_box(const PixelMask& before, const PixelMask& after);

// Builds a mask row by row from its levels, trimming zeros at either end.
class MaskBuilder {
public:
    // Row y's levels from column x0 on (empty rows may be skipped).
    void add_row(int y, int x0, const std::uint8_t* levels, int count);
    PixelMask finish();

private:
    struct Span {
        int y;
        int x;
        std::size_t offset;
        int count;
    };
    std::vector<Span> spans_;
    std::vector<std::uint8_t> levels_;
};

}  // namespace hndpos
