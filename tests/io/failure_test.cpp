#include <gtest/gtest.h>

#include <iterator>
#include <new>
#include <string>
#include <utility>
#include <vector>

#include "io/failure_report.h"
#include "io/fault_script.h"
#include "program_texts.h"

namespace hndpos {
namespace {

using testing::FaultScript;

// Shift_JIS texts of the messages and the report.
const std::string not_found = testing::program_text("file_not_found");
const std::string bad_name = testing::program_text("invalid_file_name");
const std::string too_many = testing::program_text("too_many_open_files");
const std::string denied = testing::program_text("access_denied");
const std::string io_error = testing::program_text("io_error");
const std::string occurred_in_module = testing::program_text("occurred_in_module");
const std::string at = testing::program_text("at_offset");
const std::string occurred = testing::program_text("occurred");

TEST(Failure, IoMessages) {
    // Four codes have messages of their own; every other shows its number.
    const std::pair<std::int32_t, std::string> named[] = {{2, not_found}, {3, bad_name}, {4, too_many}, {5, denied}};
    std::vector<std::pair<std::int32_t, std::string>> cases(std::begin(named), std::end(named));
    for (const std::int32_t code : {32, 103, 105, 1, 6, -1, -2147483647 - 1, 2147483647})
        cases.emplace_back(code, io_error + std::to_string(code) + ")");
    for (const auto& [code, message] : cases) {
        const EInOutError failure(code, nullptr);
        EXPECT_EQ(failure.message(), message) << code;
        EXPECT_EQ(failure.code(), code);
    }
}

class MessageFailure final : public Exception {
public:
    explicit MessageFailure(std::string message) : Exception(nullptr), message_(std::move(message)) {}
    std::string_view class_name() const override { return "EInOutError"; }
    std::string_view message() const override { return message_; }

private:
    std::string message_;
};

TEST(Failure, ReportFormat) {
    struct Case {
        std::string message;
        std::string ending;
    };
    const Case cases[] = {
        {denied, "."},
        {"ends in a full stop.", ""},
        {"\x81"
         "B",
         "."},  // the double-byte full stop 。 is not "."
        {"", ""},
        {io_error + "32)", "."},
    };
    for (const Case& c : cases) {
        const FailureReport report = format_failure_report(MessageFailure(c.message), "hndpos", 0x3A1C);
        EXPECT_EQ(report.text(), "EInOutError" + occurred_in_module + "hndpos" + at + "00003A1C" + occurred + "\n" +
                                     c.message + c.ending);
    }
    EXPECT_EQ(format_failure_report(EInvalidOp(nullptr), "a.exe", 0xABCDEF12).text(),
              "EInvalidOp" + occurred_in_module + "a.exe" + at + "ABCDEF12" + occurred + "\n" +
                  testing::program_text("invalid_op") + ".");
}

TEST(Failure, ReportIsCutAt1023Bytes) {
    const FailureReport report = format_failure_report(EConvertError(std::string(5000, 'x')), std::string(260, 'm'), 1);
    EXPECT_EQ(report.length, 1023u);
    EXPECT_EQ(report.text().substr(0, 13), "EConvertError");
}

TEST(Failure, OutOfMemoryIsOneObjectWithItsMessage) {
    EXPECT_EQ(&out_of_memory_failure(), &out_of_memory_failure());
    EXPECT_EQ(out_of_memory_failure().message(), testing::program_text("out_of_memory"));
    EXPECT_EQ(out_of_memory_failure().class_name(), "EOutOfMemory");
}

class RunTest : public testing::FaultScriptTest {};

std::string report_prefix(const std::string& class_name) { return class_name + occurred_in_module; }

TEST_F(RunTest, Statuses) {
    struct Case {
        const char* what;
        void (*prepare)(FaultScript&);
        void (*body)();
        int expected_status;
        std::string expected_start;  // of what standard output received
        int expected_reports;
    };
    const Case cases[] = {
        {"normal end", [](FaultScript&) {}, []() { write_line(console_output, "hi"); }, 0, "hi\r\n", 0},
        {"an unhandled failure is reported", [](FaultScript&) {},
         []() {
             write_line(console_output, "hi");
             set_pending_io_code(5);
             io_check();
         },
         1, "hi\r\n" + report_prefix("EInOutError"), 1},
        {"memory exhaustion becomes EOutOfMemory", [](FaultScript&) {}, []() { throw std::bad_alloc(); }, 1,
         report_prefix("EOutOfMemory"), 1},
        {"a normal run whose text cannot be written out ends with 1",
         [](FaultScript& s) {
             s.scripted_writes = {{0, false, 112}};
         },
         []() { write_line(console_output, "hi"); }, 1, "", 0},
        {"a report that cannot be written ends with 1 without repeating",
         [](FaultScript& s) {
             s.stdout_kind = platform::HandleKind::character_device;
             s.scripted_writes = {{0, false, 109}, {0, false, 109}, {0, false, 109}};
         },
         []() {
             write_line(console_output, "hi");
             io_check();
         },
         1, "", 0},
    };
    for (const Case& c : cases) {
        start_case();
        c.prepare(system_);
        EXPECT_EQ(run_reporting_failures(c.body), c.expected_status) << c.what;
        const std::string out = system_.bytes(FaultScript::stdout_handle);
        EXPECT_EQ(out.substr(0, c.expected_start.size()), c.expected_start) << c.what;
        std::size_t reports = 0;
        for (std::size_t at_pos = out.find(occurred); at_pos != std::string::npos;
             at_pos = out.find(occurred, at_pos + 1))
            ++reports;
        EXPECT_EQ(reports, static_cast<std::size_t>(c.expected_reports)) << c.what;
        EXPECT_EQ(pending_io_code(), 0) << c.what;
        if (c.expected_reports == 1) {
            EXPECT_EQ(out.substr(out.size() - 3), ".\r\n") << c.what;
        }
        EXPECT_LE(system_.write_calls, 4) << c.what;
    }
}

// The report names the program file as the system gives its name, up to the
// longest name it takes; a longer one is cut there.
TEST_F(RunTest, ReportNamesTheLongestProgramName) {
    for (const std::size_t length : {259u, 260u, 261u}) {
        start_case();
        system_.module_name = std::string(length - 1, 'n') + "e";
        EXPECT_EQ(run_reporting_failures([] { throw EInvalidOp(nullptr); }), 1);
        const std::string expected =
            report_prefix("EInvalidOp") + system_.module_name.substr(0, platform::max_module_name_length) + at;
        EXPECT_EQ(system_.bytes(FaultScript::stdout_handle).substr(0, expected.size()), expected) << length;
    }
}

}  // namespace
}  // namespace hndpos
