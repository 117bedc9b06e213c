// Failure classes and the failure report.
//
// Every failure of the program is a typed object derived from Exception,
// raised with `throw` and never returned. Only the entry routine catches one
// (EConvertError, while the arguments are converted); any other failure
// travels to report_unhandled_failure, which prints the two-line report on
// standard output and ends the program with exit status 1.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace hndpos {

// Root of all failure classes. `message` is Shift_JIS text; `position` is
// the code address at which the failure counts as raised (the return point
// after the failing check), or null when no such point is known.
class Exception {
public:
    virtual ~Exception() = default;
    virtual std::string_view class_name() const = 0;
    virtual std::string_view message() const = 0;
    const void* position() const { return position_; }

protected:
    explicit Exception(const void* position) noexcept : position_(position) {}
    Exception(const Exception&) = default;
    Exception& operator=(const Exception&) = default;

private:
    const void* position_;
};

// An argument text that is not an integer. The message quotes the whole text.
class EConvertError final : public Exception {
public:
    explicit EConvertError(std::string_view argument_text);
    std::string_view class_name() const override { return "EConvertError"; }
    std::string_view message() const override { return message_; }

private:
    std::string message_;
};

// A console or file operation failed; `code` is the pending I/O code it was
// built from. The message lives inside the object, so building it cannot
// run out of memory.
class EInOutError final : public Exception {
public:
    EInOutError(std::int32_t code, const void* position);
    std::string_view class_name() const override { return "EInOutError"; }
    std::string_view message() const override { return {message_, length_}; }
    std::int32_t code() const { return code_; }

private:
    std::int32_t code_;
    char message_[40];
    std::size_t length_;
};

// An extended value whose nearest integer lies outside the signed 32-bit range.
class EInvalidOp final : public Exception {
public:
    explicit EInvalidOp(const void* position) noexcept : Exception(position) {}
    std::string_view class_name() const override { return "EInvalidOp"; }
    std::string_view message() const override;
};

// Memory ran out. One object is made at start-up and that one is raised.
class EOutOfMemory final : public Exception {
public:
    EOutOfMemory() noexcept : Exception(nullptr) {}
    std::string_view class_name() const override { return "EOutOfMemory"; }
    std::string_view message() const override;
};

// The EOutOfMemory object that is raised whenever memory runs out.
const EOutOfMemory& out_of_memory_failure();

// The message an I/O failure with this pending code carries: one of the four
// file messages for codes 2 to 5, "I/O ｴﾗｰ (n)" for any other code.
std::string_view io_failure_message(std::int32_t code, char (&storage)[40]);

// The report text, cut at its limit of 1023 bytes.
struct FailureReport {
    static constexpr std::size_t capacity = 1023;
    char bytes[capacity];
    std::size_t length = 0;
    std::string_view text() const { return {bytes, length}; }
};

// Fills "<class>がﾓｼﾞｭｰﾙ <module> の <offset> で発生しました。" LF
// "<message>" and "." when the message does not already end in ".".
// `offset` is the failure position minus the load address of its module.
FailureReport format_failure_report(const Exception& failure, std::string_view module_name, std::uintptr_t offset);

// Runs `body` (the main routine) and everything that ends a run: a failure
// that leaves it is reported on console_output, then console_output is closed.
// Returns the exit status: 0 after a normal end, 1 after a report, and 1 when
// standard output could not take the last of a normal run's text.
int run_reporting_failures(void (*body)(void* context), void* context);

}  // namespace hndpos
