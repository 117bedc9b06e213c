#include "io/failure_report.h"

#include <new>

#include "io/platform/platform.h"
#include "io/text_channel.h"
#include "texts/program_texts.h"

namespace hndpos {
namespace {

constexpr std::string_view report_occurred_in_module = texts::report_in_module.shift_jis;
constexpr std::string_view report_at = texts::report_at.shift_jis;
constexpr std::string_view report_occurred = texts::report_occurred.shift_jis;

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

// Writes the report; a failure of standard output while doing so ends the
// reporting (the run ends with status 1 anyway), never starts a second one.
void report_unhandled_failure(const Exception& failure) {
    const platform::ModuleInfo module = platform::system_calls().find_module(
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

int run_reporting_failures(void (*body)()) {
    platform::prepare_process();
    int status = 0;
    try {
        body();
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
