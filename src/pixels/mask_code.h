// The masks as firmware keeps them: the kept masks of a MaskStorage, each
// row a short code of runs, and the tables that reach a row at once.
//
// A row's code is a list of runs, each
//   varint (count << 1 | full), varint gap, [levels]
// ending with a varint 0. gap is how many pixels the run starts after the
// previous run's end (the first run: after the box's left edge). A full run
// is `count` pixels of the whole level 2^bits − 1; any other run is
// followed by its `count` levels packed bits to a level, the first in the
// lowest bits of a byte, its last byte padded with zeros. A varint is 7 bits
// a byte, the lowest first, the top bit set on every byte but the last.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "pixels/mask_set.h"

namespace hndpos {

struct MaskCode {
    std::vector<std::uint32_t> map;                 // per position: kept index << 3 | transform
    std::vector<std::array<std::uint32_t, 4>> box;  // per kept mask: x, y, width, height
    std::vector<std::uint32_t> first_row;           // per kept mask: its first entry in `rows`
    std::vector<std::uint32_t> rows;                // per row: where its code starts in `code`
    std::vector<std::uint8_t> code;
    std::vector<std::array<std::uint32_t, 4>> changed;  // per position; {1, 1, 0, 0} where none
};

MaskCode encode_masks(const MaskSet& masks, const MaskStorage& storage);

// The bytes of a plain code: every position's mask kept, none rebuilt.
std::size_t plain_code_bytes(const MaskSet& masks);

// The mask of one kept entry back from its code (as firmware reads it),
// or none where the code is malformed; `bits` as encoded.
std::optional<PixelMask> decode_kept_mask(const MaskCode& code, std::size_t kept, int bits);

// Position k's mask as the code gives it: its kept mask turned.
std::optional<PixelMask> decode_position_mask(const MaskCode& code, std::size_t position, int bits, std::int64_t cx2,
                                              std::int64_t cy2);

}  // namespace hndpos
