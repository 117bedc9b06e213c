#include "io/failure.h"

#include <algorithm>

#include "texts/program_texts.h"

namespace hndpos {
namespace {

constexpr std::string_view convert_error_suffix = texts::not_an_integer.shift_jis;
constexpr std::string_view invalid_op_message = texts::invalid_op.shift_jis;
constexpr std::string_view out_of_memory_message = texts::out_of_memory.shift_jis;

struct CodeMessage {
    std::int32_t code;
    std::string_view message;
};
constexpr CodeMessage io_messages[] = {
    {2, texts::file_not_found.shift_jis},
    {3, texts::invalid_file_name.shift_jis},
    {4, texts::too_many_open_files.shift_jis},
    {5, texts::access_denied.shift_jis},
};
constexpr std::string_view io_error_prefix = texts::io_error.shift_jis;

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
