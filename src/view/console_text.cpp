#include "view/console_text.h"

#include <algorithm>
#include <cstdint>
#include <iterator>

namespace hndpos {
namespace {

struct DoubleByte {
    std::uint16_t shift_jis;
    std::uint16_t unicode;
};

// Every double-byte character of the program's texts, in Shift_JIS order.
constexpr DoubleByte double_bytes[] = {
    {0x8141, 0x3001}, {0x8142, 0x3002}, {0x815B, 0x30FC}, {0x82A0, 0x3042}, {0x82A6, 0x3048},
    {0x82A9, 0x304B},  // 、。ーあえか
    {0x82AA, 0x304C}, {0x82AC, 0x304E}, {0x82B3, 0x3055}, {0x82B5, 0x3057}, {0x82B6, 0x3058},
    {0x82B7, 0x3059},  // がぎさしじす
    {0x82B9, 0x305B}, {0x82BD, 0x305F}, {0x82C2, 0x3064}, {0x82C5, 0x3067}, {0x82C6, 0x3068},
    {0x82C8, 0x306A},  // せたつでとな
    {0x82C9, 0x306B}, {0x82CC, 0x306E}, {0x82CD, 0x306F}, {0x82CE, 0x3070}, {0x82D6, 0x3078},
    {0x82DC, 0x307E},  // にのはばへま
    {0x82E8, 0x308A}, {0x82E9, 0x308B}, {0x82EA, 0x308C}, {0x82F1, 0x3093}, {0x8340, 0x30A1},
    {0x8341, 0x30A2},  // りるれんァア
    {0x8343, 0x30A4}, {0x834F, 0x30B0}, {0x8358, 0x30B9}, {0x835C, 0x30BD}, {0x8365, 0x30C6},
    {0x8369, 0x30CA},  // イグスソテナ
    {0x8374, 0x30D5}, {0x8375, 0x30D6}, {0x838B, 0x30EB}, {0x838D, 0x30ED}, {0x88CA, 0x4F4D},
    {0x8989, 0x6F14},  // フブルロ位演
    {0x8B91, 0x62D2}, {0x8C61, 0x5F84}, {0x8C76, 0x8A08}, {0x8CA9, 0x898B}, {0x8CBE, 0x8A00},
    {0x8CC5, 0x56FA},  // 拒径計見言固
    {0x8CEA, 0x8A9E}, {0x8D5C, 0x69CB}, {0x8DC0, 0x5EA7}, {0x8DEC, 0x4F5C}, {0x8E5A, 0x7B97},
    {0x8E9E, 0x6642},  // 語構座作算時
    {0x8EA6, 0x793A}, {0x8FAC, 0x5C0F}, {0x9053, 0x5FC3}, {0x906A, 0x91DD}, {0x9094, 0x6570},
    {0x90AC, 0x6210},  // 示小心針数成
    {0x90AE, 0x6574}, {0x90B3, 0x6B63}, {0x90B6, 0x751F}, {0x90D9, 0x62D9}, {0x90E6, 0x5148},
    {0x91AB, 0x8DB3},  // 整正生拙先足
    {0x91BD, 0x591A}, {0x925B, 0x7AEF}, {0x9275, 0x7F6E}, {0x9286, 0x4E2D}, {0x92E8, 0x5B9A},
    {0x935F, 0x70B9},  // 多端置中定点
    {0x93AE, 0x52D5}, {0x93AF, 0x540C}, {0x94AD, 0x767A}, {0x94BC, 0x534A}, {0x94DB, 0x5426},
    {0x9557, 0x6A19},  // 動同発半否標
    {0x955C, 0x8868}, {0x9562, 0x79D2}, {0x9573, 0x4E0D}, {0x9582, 0x6D6E}, {0x95AA, 0x5206},
    {0x95B6, 0x6587},                                                                          // 表秒不浮分文
    {0x96BC, 0x540D}, {0x96BD, 0x547D}, {0x9770, 0x7528}, {0x97DF, 0x4EE4}, {0x97E1, 0x4F8B},  // 名命用令例
};

constexpr char32_t replacement = 0xFFFD;

bool is_lead_byte(unsigned byte) { return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC); }

// Shift_JIS trail bytes: 0x40 to 0x7E and 0x80 to 0xFC.
bool is_trail_byte(unsigned byte) { return (byte >= 0x40 && byte <= 0x7E) || (byte >= 0x80 && byte <= 0xFC); }

char32_t double_byte_character(unsigned lead, unsigned trail) {
    const auto code = static_cast<std::uint16_t>((lead << 8) | trail);
    const auto* found =
        std::lower_bound(std::begin(double_bytes), std::end(double_bytes), code,
                         [](const DoubleByte& entry, std::uint16_t key) { return entry.shift_jis < key; });
    return found != std::end(double_bytes) && found->shift_jis == code ? found->unicode : replacement;
}

void append_utf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

}  // namespace

std::string shift_jis_to_utf8(std::string_view text) {
    std::string out;
    out.reserve(text.size() * 3 / 2);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (byte < 0x80) {
            out += static_cast<char>(byte);
        } else if (byte >= 0xA1 && byte <= 0xDF) {  // half-width katakana: U+FF61 to U+FF9F
            append_utf8(out, 0xFF61 + (byte - 0xA1));
        } else if (is_lead_byte(byte) && i + 1 < text.size() &&
                   is_trail_byte(static_cast<unsigned char>(text[i + 1]))) {
            append_utf8(out, double_byte_character(byte, static_cast<unsigned char>(text[++i])));
        } else {  // a lone lead byte stands for itself; the byte after it is read afresh
            append_utf8(out, replacement);
        }
    }
    return out;
}

}  // namespace hndpos
