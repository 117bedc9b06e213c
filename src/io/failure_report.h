// The failure report and the runner that ends every run.
//
// A failure that leaves the main routine is reported on standard output as
// two lines, then the run ends with exit status 1.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "io/failure.h"

namespace hndpos {

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
int run_reporting_failures(void (*body)());

}  // namespace hndpos
