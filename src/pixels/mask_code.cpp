#include "pixels/mask_code.h"

#include "pixels/coverage.h"

namespace hndpos {
namespace {

void put_varint(std::vector<std::uint8_t>& out, std::uint32_t value) {
    while (value >= 0x80) {
        out.push_back(static_cast<std::uint8_t>(value | 0x80));
        value >>= 7;
    }
    out.push_back(static_cast<std::uint8_t>(value));
}

// A stretch of whole levels this long is cheaper as a run of its own than
// packed among the others.
int shortest_full_run(int bits) { return bits == 1 ? 1 : 24 / bits; }

void put_packed(std::vector<std::uint8_t>& out, const std::uint8_t* levels, int count, int bits) {
    std::uint32_t byte = 0;
    int filled = 0;
    for (int i = 0; i < count; ++i) {
        byte |= std::uint32_t{levels[i]} << filled;
        filled += bits;
        if (filled == 8) {
            out.push_back(static_cast<std::uint8_t>(byte));
            byte = 0;
            filled = 0;
        }
    }
    if (filled != 0) out.push_back(static_cast<std::uint8_t>(byte));
}

void encode_row(std::vector<std::uint8_t>& out, const std::uint8_t* levels, int count, int first, int bits) {
    const int whole = (1 << bits) - 1;
    int end_of_last = 0;  // in columns from the box's left edge
    int i = 0;
    while (i < count) {
        if (levels[i] == 0) {
            ++i;
            continue;
        }
        // A run starts here: full while the whole level lasts long enough,
        // else up to the next zero or the next long stretch of whole levels.
        int j = i;
        while (j < count && levels[j] == whole) ++j;
        const bool full = j - i >= shortest_full_run(bits);
        if (!full) {
            j = i;
            while (j < count && levels[j] != 0) {
                int k = j;
                while (k < count && levels[k] == whole) ++k;
                if (k - j >= shortest_full_run(bits)) break;
                j = k == j ? j + 1 : k;
            }
        }
        put_varint(out, static_cast<std::uint32_t>((j - i) << 1 | (full ? 1 : 0)));
        put_varint(out, static_cast<std::uint32_t>(first + i - end_of_last));
        if (!full) put_packed(out, levels + i, j - i, bits);
        end_of_last = first + j;
        i = j;
    }
    out.push_back(0);
}

void encode_mask(MaskCode& code, const PixelMask& mask, int bits) {
    code.first_row.push_back(static_cast<std::uint32_t>(code.rows.size()));
    code.box.push_back({static_cast<std::uint32_t>(mask.x), static_cast<std::uint32_t>(mask.y),
                        static_cast<std::uint32_t>(mask.width), static_cast<std::uint32_t>(mask.height)});
    for (const MaskRow& row : mask.rows) {
        code.rows.push_back(static_cast<std::uint32_t>(code.code.size()));
        encode_row(code.code, mask.levels.data() + row.offset, row.count, row.first, bits);
    }
}

struct Reader {
    const std::vector<std::uint8_t>& code;
    std::size_t at;
    bool ok = true;

    std::uint32_t varint() {
        std::uint32_t value = 0;
        for (int shift = 0; ok; shift += 7) {
            if (at >= code.size() || shift > 28) {
                ok = false;
                break;
            }
            const std::uint8_t byte = code[at++];
            value |= std::uint32_t{byte & 0x7Fu} << shift;
            if ((byte & 0x80) == 0) break;
        }
        return value;
    }
};

}  // namespace

MaskCode encode_masks(const MaskSet& masks, const MaskStorage& storage) {
    MaskCode code;
    for (std::size_t k = 0; k < masks.positions.size(); ++k)
        code.map.push_back(static_cast<std::uint32_t>(storage.stored[k]) << 3 |
                           static_cast<std::uint32_t>(storage.transform[k]));
    for (const int k : storage.kept) encode_mask(code, masks.positions[static_cast<std::size_t>(k)], masks.bits);
    for (const auto& box : masks.changed)
        code.changed.push_back(box ? std::array<std::uint32_t, 4>{static_cast<std::uint32_t>((*box)[0]),
                                                                  static_cast<std::uint32_t>((*box)[1]),
                                                                  static_cast<std::uint32_t>((*box)[2]),
                                                                  static_cast<std::uint32_t>((*box)[3])}
                                   : std::array<std::uint32_t, 4>{1, 1, 0, 0});
    return code;
}

std::size_t plain_code_bytes(const MaskSet& masks) {
    MaskCode code;
    for (const PixelMask& mask : masks.positions) encode_mask(code, mask, masks.bits);
    return code.code.size();
}

std::optional<PixelMask> decode_kept_mask(const MaskCode& code, std::size_t kept, int bits) {
    // Arrays read back from an edited file may disagree in length.
    if (kept >= code.box.size() || kept >= code.first_row.size()) return std::nullopt;
    const auto& box = code.box[kept];
    // No mask is wider than the pixels an outline may reach.
    if (box[2] > max_outline_pixel + 1) return std::nullopt;
    const int width = static_cast<int>(box[2]);
    const int height = static_cast<int>(box[3]);
    const std::size_t first = code.first_row[kept];
    if (first + static_cast<std::size_t>(height) > code.rows.size()) return std::nullopt;
    MaskBuilder builder;
    std::vector<std::uint8_t> levels;
    for (int r = 0; r < height; ++r) {
        levels.assign(static_cast<std::size_t>(width), 0);
        Reader in{code.code, code.rows[first + static_cast<std::size_t>(r)]};
        std::size_t column = 0;
        for (std::uint32_t head = in.varint(); in.ok && head != 0; head = in.varint()) {
            const std::size_t count = head >> 1;
            column += in.varint();
            if (!in.ok || column + count > levels.size()) return std::nullopt;
            for (std::size_t i = 0; i < count; ++i) {
                if ((head & 1) != 0) {
                    levels[column + i] = static_cast<std::uint8_t>((1 << bits) - 1);
                    continue;
                }
                const std::size_t bit = i * static_cast<std::size_t>(bits);
                if (in.at + bit / 8 >= code.code.size()) return std::nullopt;
                levels[column + i] =
                    static_cast<std::uint8_t>((code.code[in.at + bit / 8] >> (bit % 8)) & ((1u << bits) - 1));
            }
            if ((head & 1) == 0) in.at += (count * static_cast<std::size_t>(bits) + 7) / 8;
            column += count;
        }
        if (!in.ok) return std::nullopt;
        builder.add_row(static_cast<int>(box[1]) + r, static_cast<int>(box[0]), levels.data(), width);
    }
    return builder.finish();
}

std::optional<PixelMask> decode_position_mask(const MaskCode& code, std::size_t position, int bits, std::int64_t cx2,
                                              std::int64_t cy2) {
    if (position >= code.map.size()) return std::nullopt;
    auto kept = decode_kept_mask(code, code.map[position] >> 3, bits);
    if (!kept) return std::nullopt;
    return transformed_mask(*kept, static_cast<int>(code.map[position] & 7), cx2, cy2);
}

}  // namespace hndpos
