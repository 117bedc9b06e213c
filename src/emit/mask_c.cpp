#include "emit/mask_c.h"

#include <algorithm>

#include "texts/join.h"

namespace hndpos {
namespace {

// Each "@KEY@" of the text replaced.
std::string filled(std::string text, const std::vector<std::pair<std::string_view, std::string>>& keys) {
    for (const auto& [key, value] : keys) {
        const std::string mark = join({"@", key, "@"});
        for (std::size_t at = text.find(mark); at != std::string::npos; at = text.find(mark, at + value.size()))
            text.replace(at, mark.size(), value);
    }
    return text;
}

std::string stem(const Figure& figure, const EmitSpec& form) { return join({form.names.prefix, figure.name, "_mask"}); }

// The narrowest unsigned type, 16 or 32 bits, for values up to `largest`.
bool wide(std::uint64_t largest) { return largest > 0xFFFF; }
std::string_view type_of(bool is_wide) { return is_wide ? "uint32_t" : "uint16_t"; }
std::string_view reader_of(bool is_wide) { return is_wide ? "U32_" : "U16_"; }

template <typename List>
std::uint64_t largest(const List& values) {
    std::uint64_t most = 0;
    for (const auto v : values) most = std::max<std::uint64_t>(most, v);
    return most;
}

struct ArrayTypes {
    bool map = false;
    bool first_row = false;
    bool rows = false;
};

ArrayTypes array_types(const MaskCode* code) {
    if (code == nullptr) return {};
    return {wide(largest(code->map)), wide(largest(code->first_row)), wide(largest(code->rows))};
}

// An array holds at least one element: a figure whose masks are all empty
// has no rows, and its arrays of rows a 0 no one reads.
std::size_t at_least_one(std::size_t n) { return std::max<std::size_t>(n, 1); }

std::string list_text(const std::vector<std::uint64_t>& values, std::size_t per_line) {
    std::string text;
    for (std::size_t i = 0; i < values.size(); ++i) {
        text += i % per_line == 0 ? "\n    " : " ";
        append(text, {std::to_string(values[i]), i + 1 < values.size() ? "," : ""});
    }
    return text + "\n";
}

template <typename List>
std::vector<std::uint64_t> widened(const List& values) {
    std::vector<std::uint64_t> out(values.begin(), values.end());
    if (out.empty()) out.push_back(0);
    return out;
}

// Boxes of four, a brace each, four to a line.
std::string boxes_text(const std::vector<std::array<std::uint32_t, 4>>& boxes) {
    std::string text;
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        const auto& b = boxes[i];
        append(text, {i % 4 == 0 ? "\n    {" : " {", std::to_string(b[0]), ", ", std::to_string(b[1]), ", ",
                      std::to_string(b[2]), ", ", std::to_string(b[3]), i + 1 < boxes.size() ? "}," : "}"});
    }
    return text + "\n";
}

constexpr std::string_view shared_functions = R"(
/* A varint of the masks' codes, read through their storage; most are one
   byte. */
static inline unsigned long @p@hndpos_mask_varint_(const uint8_t **at)
{
    uint8_t byte = @M@BYTE_(*at);
    unsigned long value;
    unsigned shift = 7;
    ++*at;
    if (!(byte & 0x80u)) return byte;
    value = byte & 0x7Fu;
    do {
        byte = @M@BYTE_(*at);
        ++*at;
        value |= (unsigned long)(byte & 0x7Fu) << shift;
        shift += 7;
    } while (byte & 0x80u);
    return value;
}

/* m * u for m of -1, 0 or 1, without a multiplication; half of an even
   number, without a division (small processors call a routine for both). */
static inline long @p@hndpos_mask_times_(int m, long u) { return m > 0 ? u : m < 0 ? -u : 0; }
static inline long @p@hndpos_mask_half_(long even)
{
    return even >= 0 ? (long)((unsigned long)even >> 1) : -(long)((unsigned long)-even >> 1);
}

/* Turn t of a mask about the dial's centre, {a, b, c, d}: a pixel's offset
   (u, v) from the centre, in half pixels, goes to (a*u + b*v, c*u + d*v).
   Turns 0-3 are 0-3 quarter turns clockwise, 4-7 the same after a mirror
   left to right. */
static inline void @p@hndpos_mask_turn_(unsigned t, int m[4])
{
    static const signed char turns[8][4] = {{1, 0, 0, 1}, {0, -1, 1, 0}, {-1, 0, 0, -1}, {0, 1, -1, 0},
                                            {-1, 0, 0, 1}, {0, -1, -1, 0}, {1, 0, 0, -1}, {0, 1, 1, 0}};
    m[0] = turns[t][0];
    m[1] = turns[t][1];
    m[2] = turns[t][2];
    m[3] = turns[t][3];
}

/* `under` with `colour` over it at alpha a/whole: each of the 5-6-5
   channels the nearest integer to (colour*a + under*(whole - a))/whole;
   whole is odd, so there is never a tie. */
static inline uint16_t @p@hndpos_mask_blend565_(uint16_t under, uint16_t colour, unsigned a, unsigned whole)
{
    const unsigned long b = whole - a, half = whole / 2;
    const unsigned long r = ((unsigned long)(colour >> 11) * a + (unsigned long)(under >> 11) * b + half) / whole;
    const unsigned long g =
        ((unsigned long)((colour >> 5) & 63u) * a + (unsigned long)((under >> 5) & 63u) * b + half) / whole;
    const unsigned long bl = ((unsigned long)(colour & 31u) * a + (unsigned long)(under & 31u) * b + half) / whole;
    return (uint16_t)(r << 11 | g << 5 | bl);
}
)";

constexpr std::string_view level_function = R"(
/* The level of pixel (x, y) at position k of the figure @NAME@: 0 outside
   its mask. The map gives the kept mask and the turn that makes it this
   position's; the pixel goes back through that turn. */
static inline unsigned @F@_level(unsigned k, long x, long y)
{
    const unsigned long map = @M@@MAP@(&@F@_map[k]);
    const unsigned kept = (unsigned)(map >> 3), t = (unsigned)(map & 7u);
    const long u = 2 * x - @CX2@L, v = 2 * y - @CY2@L;
    long column = 0;
    const uint8_t *at;
    int m[4];
    @p@hndpos_mask_turn_(t == 1u ? 3u : t == 3u ? 1u : t, m);
    x = @p@hndpos_mask_half_(@p@hndpos_mask_times_(m[0], u) + @p@hndpos_mask_times_(m[1], v) + @CX2@L) -
        (long)@M@U16_(&@F@_box[kept][0]);
    y = @p@hndpos_mask_half_(@p@hndpos_mask_times_(m[2], u) + @p@hndpos_mask_times_(m[3], v) + @CY2@L) -
        (long)@M@U16_(&@F@_box[kept][1]);
    if (x < 0 || y < 0 || x >= (long)@M@U16_(&@F@_box[kept][2]) || y >= (long)@M@U16_(&@F@_box[kept][3]))
        return 0;
    at = &@F@_code[@M@@ROWS@(&@F@_rows[@M@@FIRST@(&@F@_first_row[kept]) + (unsigned long)y])];
    for (;;) {
        const unsigned long head = @p@hndpos_mask_varint_(&at), count = head >> 1;
        if (head == 0) return 0;
        column += (long)@p@hndpos_mask_varint_(&at);
        if (x < column) return 0;
        if (x < column + (long)count) {
            unsigned long bit;
            if (head & 1u) return @WHOLE@u;
            bit = (unsigned long)(x - column) * @BITS@u;
            return (unsigned)(@M@BYTE_(at + bit / 8) >> (bit % 8)) & @WHOLE@u;
        }
        if (!(head & 1u)) at += (count * @BITS@u + 7) / 8;
        column += (long)count;
    }
}
)";

// A function that walks position k's runs, each from panel pixel (x, y)
// on by (m[0], m[2]) a pixel, n pixels, `inside` where all of it lies in
// width x height, and draws each with @RUN@.
constexpr std::string_view drawing_function = R"(
@COMMENT@static inline void @F@_@WHAT@(unsigned k, @TARGET@, long width, long height, @LAST@)
{
    const unsigned long map = @M@@MAP@(&@F@_map[k]);
    const unsigned kept = (unsigned)(map >> 3);
    const long left = (long)@M@U16_(&@F@_box[kept][0]), top = (long)@M@U16_(&@F@_box[kept][1]);
    const long columns = (long)@M@U16_(&@F@_box[kept][2]), rows = (long)@M@U16_(&@F@_box[kept][3]);
    const size_t first = (size_t)@M@@FIRST@(&@F@_first_row[kept]);
    long far_x, far_y;
    @COORD@ row_x, row_y, r;
    int m[4], all_inside;
    @p@hndpos_mask_turn_((unsigned)(map & 7u), m);
    /* Where the box's first pixel lands, and its last: the whole mask is on
       the panel when both are. */
    row_x = (@COORD@)@p@hndpos_mask_half_(@p@hndpos_mask_times_(m[0], 2 * left - @CX2@L) +
                                          @p@hndpos_mask_times_(m[1], 2 * top - @CY2@L) + @CX2@L);
    row_y = (@COORD@)@p@hndpos_mask_half_(@p@hndpos_mask_times_(m[2], 2 * left - @CX2@L) +
                                          @p@hndpos_mask_times_(m[3], 2 * top - @CY2@L) + @CY2@L);
    far_x = row_x + @p@hndpos_mask_times_(m[0], columns - 1) + @p@hndpos_mask_times_(m[1], rows - 1);
    far_y = row_y + @p@hndpos_mask_times_(m[2], columns - 1) + @p@hndpos_mask_times_(m[3], rows - 1);
    all_inside = row_x >= 0 && row_y >= 0 && row_x < width && row_y < height && far_x >= 0 && far_y >= 0 &&
                 far_x < width && far_y < height;
    for (r = 0; r < (@COORD@)rows; ++r, row_x += m[1], row_y += m[3]) {
        const uint8_t *at = &@F@_code[@M@@ROWS@(&@F@_rows[first + (size_t)r])];
        @COORD@ column = 0;
        for (;;) {
            unsigned long head = @M@BYTE_(at), gap, n;
            @COORD@ x, y;
            int inside = all_inside;
            if (head & 0x80u) head = @p@hndpos_mask_varint_(&at); else ++at;
            if (head == 0) break;
            gap = @M@BYTE_(at);
            if (gap & 0x80u) gap = @p@hndpos_mask_varint_(&at); else ++at;
            n = head >> 1;
            column += (@COORD@)gap;
            x = row_x + (m[0] > 0 ? column : m[0] < 0 ? -column : 0);
            y = row_y + (m[2] > 0 ? column : m[2] < 0 ? -column : 0);
            if (!inside) {
                const long x_end = (long)x + @p@hndpos_mask_times_(m[0], (long)n - 1);
                const long y_end = (long)y + @p@hndpos_mask_times_(m[2], (long)n - 1);
                inside = x >= 0 && y >= 0 && x < width && y < height && x_end >= 0 && y_end >= 0 &&
                         x_end < width && y_end < height;
            }
@RUN@
            if (!(head & 1u)) at += (n * @BITS@u + 7) / 8;
            column += (@COORD@)n;
        }
    }
}
)";

// Blends a run, pixel by pixel, the frame indexed in long.
constexpr std::string_view blend_run = R"(            {
                long index = (long)y * width + x;
                const long step = m[0] + @p@hndpos_mask_times_(m[2], width);
                unsigned long i;
                for (i = 0; i < n; ++i, x += m[0], y += m[2], index += step) {
                    unsigned a = @WHOLE@u;
                    if (!(head & 1u)) a = (unsigned)(@M@BYTE_(at + i * @BITS@u / 8) >> (i * @BITS@u % 8)) & @WHOLE@u;
                    if (a == 0 || (!inside && (x < 0 || y < 0 || x >= width || y >= height))) continue;
                    frame[index] = a == @WHOLE@u ? colour : @p@hndpos_mask_blend565_(frame[index], colour, a, @WHOLE@u);
                }
            })";

// A whole run on the panel goes byte by byte along a page, or bit by bit
// down a column; any other run pixel by pixel.
constexpr std::string_view page_run = R"(            if (inside && (head & 1u)) {
                uint8_t *p = pages + (size_t)(y >> 3) * (size_t)width + (size_t)x;
                uint8_t bit = (uint8_t)(1u << (y & 7));
                size_t left_over = (size_t)n;
                if (m[2] == 0 && set) {
                    for (;;) {
                        *p |= bit;
                        if (--left_over == 0) break;
                        p += m[0];
                    }
                } else if (m[2] == 0) {
                    for (;;) {
                        *p &= (uint8_t)~bit;
                        if (--left_over == 0) break;
                        p += m[0];
                    }
                } else {
                    for (;;) {
                        *p = set ? (uint8_t)(*p | bit) : (uint8_t)(*p & (uint8_t)~bit);
                        if (--left_over == 0) break;
                        if (m[2] > 0) {
                            bit = (uint8_t)(bit << 1);
                            if (bit == 0) {
                                bit = 1;
                                p += width;
                            }
                        } else if (bit == 1u) {
                            bit = 0x80u;
                            p -= width;
                        } else {
                            bit >>= 1;
                        }
                    }
                }
            } else {
                unsigned long i;
                for (i = 0; i < n; ++i, x += m[0], y += m[2]) {
                    unsigned a = @WHOLE@u;
                    if (!(head & 1u)) a = (unsigned)(@M@BYTE_(at + i * @BITS@u / 8) >> (i * @BITS@u % 8)) & @WHOLE@u;
                    if (2u * a <= @WHOLE@u || x < 0 || y < 0 || x >= width || y >= height) continue;
                    {
                        uint8_t *p = pages + (size_t)(y >> 3) * (size_t)width + (size_t)x;
                        const uint8_t bit = (uint8_t)(1u << (y & 7));
                        *p = set ? (uint8_t)(*p | bit) : (uint8_t)(*p & (uint8_t)~bit);
                    }
                }
            })";

// Whether every panel coordinate a kept mask reaches under any turn about
// the centre, and the runs' ends, fit an int of 16 bits: then the drawing
// works in int, which a small processor handles in half the time of long.
bool fits_int(const MaskCode& code, const DialParams& params) {
    const std::int64_t cx2 = center_twice(params, Axis::x);
    const std::int64_t cy2 = center_twice(params, Axis::y);
    std::int64_t reach = 0;  // in half pixels from the centre
    for (const auto& box : code.box) {
        const std::int64_t x = box[0];
        const std::int64_t y = box[1];
        const std::int64_t w = box[2];
        const std::int64_t h = box[3];
        for (const std::int64_t v : {2 * x - cx2, 2 * (x + w) - cx2, 2 * y - cy2, 2 * (y + h) - cy2})
            reach = std::max(reach, v < 0 ? -v : v);
    }
    const std::int64_t most = (reach + std::max(cx2 < 0 ? -cx2 : cx2, cy2 < 0 ? -cy2 : cy2)) / 2 + 2;
    return most < 32767;
}

}  // namespace

void define_mask_macros(HeaderText& header, const Figure& figure, const EmitSpec& form) {
    const std::string macro = join({upper(form.names.prefix), "HNDPOS_", upper(figure.name), "_"});
    const std::string read = upper(form.names.prefix) + "HNDPOS_";
    const std::string f = stem(figure, form);
    const int bits = figure.mask_bits.value_or(1);
    header.add(join({"/* Its masks: the share of each pixel its outline covers, in levels of ", std::to_string(bits),
                     bits == 1 ? " bit" : " bits", ",\n   ", std::to_string((1 << bits) - 1),
                     " a whole pixel; LEVEL(k, x, y) is pixel (x, y)'s at position k, 0\n"
                     "   outside. CHANGED(k, i) is the box of the pixels that differ from position\n"
                     "   k - 1 (N - 1 before 0), i as for BOUND; UNCHANGED(k) where none does, and a\n"
                     "   sweep may skip the step. Below, ",
                     f, "_blend_rgb565\n   and ", f, "_page_1bit draw a position. */\n"}));
    header.define(macro + "MASK_BITS", std::to_string(bits));
    header.define_function(macro + "LEVEL", "k, x, y", join({f, "_level((k), (x), (y))"}));
    header.define_function(macro + "CHANGED", "k, i", join({"((unsigned)", read, "U16_(&", f, "_changed[(k)][(i)]))"}));
    header.define_function(macro + "UNCHANGED", "k", join({"(", macro, "CHANGED(k, 0) > ", macro, "CHANGED(k, 2))"}));
}

std::vector<std::pair<std::string, std::string>> mask_declarators(const Figure& figure, const MaskCode* code,
                                                                  const EmitSpec& form) {
    const ArrayTypes types = array_types(code);
    const std::string f = stem(figure, form);
    const std::string start = storage_qualifier(form.storage);
    const std::string attribute = storage_attribute(form.storage);
    const auto size = [&](auto member) { return code ? std::to_string(at_least_one(member(*code))) : "1"; };
    std::vector<std::pair<std::string, std::string>> out;
    const auto add = [&](std::string_view type, std::string_view suffix, const std::string& dimensions) {
        const std::string name = join({f, suffix});
        out.push_back({join({start, type, " ", name, dimensions, attribute}), name});
    };
    add(type_of(types.map), "_map", join({"[", size([](const MaskCode& c) { return c.map.size(); }), "]"}));
    add("uint16_t", "_box", join({"[", size([](const MaskCode& c) { return c.box.size(); }), "][4]"}));
    add(type_of(types.first_row), "_first_row",
        join({"[", size([](const MaskCode& c) { return c.first_row.size(); }), "]"}));
    add(type_of(types.rows), "_rows", join({"[", size([](const MaskCode& c) { return c.rows.size(); }), "]"}));
    add("uint8_t", "_code", join({"[", size([](const MaskCode& c) { return c.code.size(); }), "]"}));
    add("uint16_t", "_changed", join({"[", size([](const MaskCode& c) { return c.changed.size(); }), "][4]"}));
    return out;
}

std::vector<std::pair<std::string, std::int64_t>> mask_array_bytes(const Figure& figure, const MaskCode& code,
                                                                   const EmitSpec& form) {
    const ArrayTypes types = array_types(&code);
    const auto width = [](bool is_wide) { return std::int64_t{is_wide ? 4 : 2}; };
    const auto count = [](std::size_t n) { return static_cast<std::int64_t>(at_least_one(n)); };
    const std::string f = stem(figure, form);
    return {{f + "_map", count(code.map.size()) * width(types.map)},
            {f + "_box", count(code.box.size()) * 8},
            {f + "_first_row", count(code.first_row.size()) * width(types.first_row)},
            {f + "_rows", count(code.rows.size()) * width(types.rows)},
            {f + "_code", count(code.code.size())},
            {f + "_changed", count(code.changed.size()) * 8}};
}

std::string mask_source(const Figure& figure, const MaskCode& code, const EmitSpec& form) {
    const auto declarators = mask_declarators(figure, &code, form);
    const std::vector<std::string> lists = {list_text(widened(code.map), 12),       boxes_text(code.box),
                                            list_text(widened(code.first_row), 12), list_text(widened(code.rows), 12),
                                            list_text(widened(code.code), 16),      boxes_text(code.changed)};
    std::string text = join({"\n/* The figure ", figure.name, "'s masks: ", std::to_string(code.box.size()),
                             " kept for ", std::to_string(code.map.size()), " positions, ",
                             std::to_string(code.code.size()), " bytes of code. */\n"});
    for (std::size_t i = 0; i < lists.size(); ++i) append(text, {declarators[i].first, " = {", lists[i], "};\n"});
    return text;
}

HeaderText mask_functions(const DialParams& params, const std::vector<const MaskCode*>& codes, const EmitSpec& form) {
    HeaderText header;
    std::vector<std::size_t> masked;
    for (std::size_t i = 0; i < params.figures.size(); ++i)
        if (params.figures[i].mask_bits) masked.push_back(i);
    if (masked.empty()) return header;
    const std::string p = form.names.prefix;
    const std::string m = upper(p) + "HNDPOS_";
    header.add(
        "\n/* Drawing from the masks. Coordinates are long, which has 32 bits even\n"
        "   where int has 16; an offset into a buffer is a size_t. */\n#include <stddef.h>\n");
    const std::vector<std::pair<std::string_view, std::string>> common = {{"p", p}, {"M", m}};
    header.add_definition(p + "hndpos_mask_varint_", filled(std::string(shared_functions), common));
    header.add_definition(p + "hndpos_mask_turn_", "");
    header.add_definition(p + "hndpos_mask_times_", "");
    header.add_definition(p + "hndpos_mask_half_", "");
    header.add_definition(p + "hndpos_mask_blend565_", "");
    for (std::size_t i = 0; i < masked.size(); ++i) {
        const Figure& figure = params.figures[masked[i]];
        const ArrayTypes types = array_types(i < codes.size() ? codes[i] : nullptr);
        const int bits = figure.mask_bits.value_or(1);
        const std::string f = stem(figure, form);
        const MaskCode* code = i < codes.size() ? codes[i] : nullptr;
        std::vector<std::pair<std::string_view, std::string>> keys = {
            {"COORD", code != nullptr && fits_int(*code, params) ? "int" : "long"},
            {"F", f},
            {"NAME", figure.name},
            {"MAP", std::string(reader_of(types.map))},
            {"FIRST", std::string(reader_of(types.first_row))},
            {"ROWS", std::string(reader_of(types.rows))},
            {"BITS", std::to_string(bits)},
            {"WHOLE", std::to_string((1 << bits) - 1)},
            {"CX2", std::to_string(center_twice(params, Axis::x))},
            {"CY2", std::to_string(center_twice(params, Axis::y))},
            {"p", p},
            {"M", m}};
        header.add_definition(f + "_level", filled(std::string(level_function), keys));
        const auto drawer = [&](std::string_view what, std::string_view comment, std::string_view target,
                                std::string_view last, std::string_view pixel) {
            std::vector<std::pair<std::string_view, std::string>> all = {{"RUN", std::string(pixel)},
                                                                         {"WHAT", std::string(what)},
                                                                         {"COMMENT", std::string(comment)},
                                                                         {"TARGET", std::string(target)},
                                                                         {"LAST", std::string(last)}};
            all.insert(all.end(), keys.begin(), keys.end());
            header.add_definition(join({f, "_", what}), filled(std::string(drawing_function), all));
        };
        drawer("blend_rgb565",
               "/* Blends `colour` into an RGB565 frame of width x height pixels, row by\n"
               "   row, at each pixel of position k with its level as alpha; pixels off the\n"
               "   frame are left out. */\n",
               "uint16_t *frame", "uint16_t colour", blend_run);
        drawer("page_1bit",
               "/* Sets (set != 0) or clears each pixel of position k covered at least half\n"
               "   (2 * level > whole) in a 1-bit page buffer of a width x height panel:\n"
               "   8 rows a byte, bit 0 the top row of its page, pages of width bytes. */\n",
               "uint8_t *pages", "int set", page_run);
    }
    return header;
}

}  // namespace hndpos
