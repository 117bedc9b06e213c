// Failure classes.
//
// Every failure of the program is a typed object derived from Exception,
// raised with `throw` and never returned. In hndpos only the entry routine
// catches one (EConvertError, while the arguments are converted); any other
// failure travels to the runner of failure_report.h, which prints the
// two-line report. The viewer's strict reader catches EInvalidOp, which a
// radius of −2147483648 raises, to refuse such a table.
//
// This header depends on nothing else of the program, so the arithmetic,
// the parser and the channels can all raise these classes.
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
// built from. The message is one of the four file messages for codes 2 to 5,
// "I/O ｴﾗｰ (n)" for any other code. It lives inside the object, so building
// it cannot run out of memory.
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

// Memory ran out. std::bad_alloc is what the language raises; the runner
// reports it as this one object, made at start-up, so reporting allocates
// nothing.
class EOutOfMemory final : public Exception {
public:
    EOutOfMemory() noexcept : Exception(nullptr) {}
    std::string_view class_name() const override { return "EOutOfMemory"; }
    std::string_view message() const override;
};

const EOutOfMemory& out_of_memory_failure();

// The return point in the caller of the function this is inlined into: the
// failure position of a check that raises. Only for functions that are
// never inlined themselves, or the caller would be the wrong one.
[[gnu::always_inline]] inline const void* return_point_in_caller() {
    return __builtin_extract_return_addr(__builtin_return_address(0));
}

}  // namespace hndpos
