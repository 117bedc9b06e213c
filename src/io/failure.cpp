#include "io/failure.h"

#include <new>

#include "io/platform/platform.h"
#include "io/text_channel.h"

namespace hndpos {
namespace {

// The Shift_JIS texts keep their pieces as written.
// clang-format off
// Shift_JIS texts; the readable form stands in the comment beside each.
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

constexpr std::string_view report_occurred_in_module = "\x82\xaa\xd3\xbc\xde\xad\xb0\xd9 ";  // "がﾓｼﾞｭｰﾙ "
constexpr std::string_view report_at = " \x82\xcc ";                                      // " の "
constexpr std::string_view report_occurred =  // " で発生しました。"
    " \x82\xc5\x94\xad\x90\xb6\x82\xb5\x82\xdc\x82\xb5\x82\xbd\x81" "B";
// clang-format on

// Appends to a fixed buffer, dropping what does not fit.
class BoundedText {
public:
    BoundedText(char* bytes, std::size_t capacity) : bytes_(bytes), capacity_(capacity) {}
    void append(std::string_view text) {
        for (const char c : text) {
            if (length_ == capacity_) return;
            bytes_[length_++] = c;
        }
    }
    void append_decimal(std::int32_t value) {
        char digits[12];
        std::size_t count = 0;
        // Negate in unsigned arithmetic: −2147483648 has no positive int32.
        std::uint32_t magnitude =
            value < 0 ? 0u - static_cast<std::uint32_t>(value) : static_cast<std::uint32_t>(value);
        do {
            digits[count++] = static_cast<char>('0' + magnitude % 10);
            magnitude /= 10;
        } while (magnitude != 0);
        if (value < 0) append("-");
        while (count > 0) append({&digits[--count], 1});
    }
    void append_hex8(std::uint32_t value) {
        constexpr char hex_digits[] = "0123456789ABCDEF";
        for (int shift = 28; shift >= 0; shift -= 4) append({&hex_digits[(value >> shift) & 0xFu], 1});
    }
    std::size_t length() const { return length_; }

private:
    char* bytes_;
    std::size_t capacity_;
    std::size_t length_ = 0;
};

const EOutOfMemory the_out_of_memory_failure;

// Writes the report; a failure of standard output while doing so ends the
// reporting (the run ends with status 1 anyway), never starts a second one.
void report_unhandled_failure(const Exception& failure) {
    const platform::ModuleInfo module = platform::module_containing(
        failure.position() != nullptr ? failure.position() : reinterpret_cast<const void*>(&report_unhandled_failure));
    const std::uintptr_t position = reinterpret_cast<std::uintptr_t>(failure.position());
    const std::uintptr_t offset = position != 0 ? position - module.load_address : 0;
    const FailureReport report = format_failure_report(failure, {module.file_name, module.file_name_length}, offset);
    write_text(console_output, report.text());
    end_line(console_output);
    try {
        io_check();
    } catch (const Exception&) {
        // Standard output itself is broken: there is nowhere left to report.
    }
}

}  // namespace

EConvertError::EConvertError(std::string_view argument_text) : Exception(nullptr) {
    message_.reserve(argument_text.size() + convert_error_suffix.size() + 1);
    message_ += '\'';
    message_ += argument_text;
    message_ += convert_error_suffix;
}

EInOutError::EInOutError(std::int32_t code, const void* position)
    : Exception(position), code_(code), message_{}, length_(0) {
    length_ = io_failure_message(code, message_).size();
}

std::string_view EInvalidOp::message() const { return invalid_op_message; }
std::string_view EOutOfMemory::message() const { return out_of_memory_message; }

const EOutOfMemory& out_of_memory_failure() { return the_out_of_memory_failure; }

std::string_view io_failure_message(std::int32_t code, char (&storage)[40]) {
    BoundedText text(storage, sizeof storage);
    bool known = false;
    for (const CodeMessage& entry : io_messages) {
        if (entry.code == code) {
            text.append(entry.message);
            known = true;
            break;
        }
    }
    if (!known) {
        text.append(io_error_prefix);
        text.append_decimal(code);
        text.append(")");
    }
    return {storage, text.length()};
}

FailureReport format_failure_report(const Exception& failure, std::string_view module_name, std::uintptr_t offset) {
    FailureReport report;
    BoundedText text(report.bytes, FailureReport::capacity);
    text.append(failure.class_name());
    text.append(report_occurred_in_module);
    text.append(module_name);
    text.append(report_at);
    text.append_hex8(static_cast<std::uint32_t>(offset));
    text.append(report_occurred);
    text.append("\n");
    const std::string_view message = failure.message();
    text.append(message);
    if (!message.empty() && message.back() != '.') text.append(".");
    report.length = text.length();
    return report;
}

int run_reporting_failures(void (*body)(void* context), void* context) {
    platform::prepare_process();
    int status = 0;
    try {
        body(context);
    } catch (const Exception& failure) {
        report_unhandled_failure(failure);
        status = 1;
    } catch (const std::bad_alloc&) {
        report_unhandled_failure(out_of_memory_failure());
        status = 1;
    }
    // The final clean-up: what waits for a redirected standard output goes
    // out now. A run whose text could not all be written does not end with
    // status 0, though there is no channel left to say so.
    close_channel(console_output);
    if (pending_io_code() != 0) {
        set_pending_io_code(0);
        if (status == 0) status = 1;
    }
    return status;
}

}  // namespace hndpos
