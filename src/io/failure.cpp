#include "io/failure.h"

#include <algorithm>

namespace hndpos {
namespace {

// Shift_JIS texts; the readable form stands in the comment beside each.
// clang-format off
constexpr std::string_view convert_error_suffix =  // "' は整数ではありません"
    "' \x82\xcd\x90\xae\x90\x94\x82\xc5\x82\xcd\x82\xa0\x82\xe8\x82\xdc\x82\xb9\x82\xf1";
constexpr std::string_view invalid_op_message =  // "不正な浮動小数点数演算命令"
    "\x95s\x90\xb3\x82\xc8\x95\x82\x93\xae\x8f\xac\x90\x94\x93_\x90\x94\x89\x89\x8eZ\x96\xbd\x97\xdf";
constexpr std::string_view out_of_memory_message =  // "ﾒﾓﾘが足りません"
    "\xd2\xd3\xd8\x82\xaa\x91\xab\x82\xe8\x82\xdc\x82\xb9\x82\xf1";

struct CodeMessage {
    std::int32_t code;
    std::string_view message;
};
constexpr CodeMessage io_messages[] = {
    {2, "\xcc\xa7\xb2\xd9\x82\xaa\x8c\xa9\x82\xc2\x82\xa9\x82\xe8\x82\xdc\x82\xb9\x82\xf1"},  // ﾌｧｲﾙが見つかりません
    {3, "\x95s\x90\xb3\x82\xc8\xcc\xa7\xb2\xd9\x96\xbc\x82\xc5\x82\xb7"},                      // 不正なﾌｧｲﾙ名です
    {4, "\xb5\xb0\xcc\xdf\xdd\x82\xb5\x82\xbd\xcc\xa7\xb2\xd9\x82\xaa\x91\xbd\x82\xb7\x82\xac\x82\xdc\x82\xb7"},  // ｵｰﾌﾟﾝしたﾌｧｲﾙが多すぎます
    {5, "\xcc\xa7\xb2\xd9\x82\xd6\x82\xcc\xb1\xb8\xbe\xbd\x82\xaa\x8b\x91\x94\xdb\x82\xb3\x82\xea\x82\xdc\x82\xb5\x82\xbd"},  // ﾌｧｲﾙへのｱｸｾｽが拒否されました
};
constexpr std::string_view io_error_prefix = "I/O \xb4\xd7\xb0 (";  // "I/O ｴﾗｰ ("
// clang-format on

// Signed decimal, no leading zeros; returns the end of what it wrote.
char* write_decimal(char* out, std::int32_t value) {
    char digits[10];
    int count = 0;
    // Negate in unsigned arithmetic: −2147483648 has no positive int32.
    std::uint32_t magnitude = value < 0 ? 0u - static_cast<std::uint32_t>(value) : static_cast<std::uint32_t>(value);
    do {
        digits[count++] = static_cast<char>('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    if (value < 0) *out++ = '-';
    while (count > 0) *out++ = digits[--count];
    return out;
}

// The longest message, "I/O ｴﾗｰ (-2147483648)", takes 22 bytes of the 40.
std::size_t write_io_message(std::int32_t code, char* out) {
    char* const start = out;
    for (const CodeMessage& entry : io_messages)
        if (entry.code == code)
            return static_cast<std::size_t>(std::copy(entry.message.begin(), entry.message.end(), out) - start);
    out = std::copy(io_error_prefix.begin(), io_error_prefix.end(), out);
    out = write_decimal(out, code);
    *out++ = ')';
    return static_cast<std::size_t>(out - start);
}

const EOutOfMemory the_out_of_memory_failure;

}  // namespace

EConvertError::EConvertError(std::string_view argument_text) : Exception(nullptr) {
    message_.reserve(argument_text.size() + convert_error_suffix.size() + 1);
    message_ += '\'';
    message_ += argument_text;
    message_ += convert_error_suffix;
}

EInOutError::EInOutError(std::int32_t code, const void* position)
    : Exception(position), code_(code), message_{}, length_(write_io_message(code, message_)) {}

std::string_view EInvalidOp::message() const { return invalid_op_message; }
std::string_view EOutOfMemory::message() const { return out_of_memory_message; }

const EOutOfMemory& out_of_memory_failure() { return the_out_of_memory_failure; }

}  // namespace hndpos
