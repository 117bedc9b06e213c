// The system for the tests, in memory: hndpos's calls recorded write by
// write, each outcome scriptable (a failing open, a short or failed write,
// a failing close), and the companion programs' files kept in the
// production memory files, with any of their calls made to fail on its nth
// use. The failure report still finds the test program's own module unless
// a module name is set.
#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <map>
#include <string>
#include <vector>

#include "io/platform/memory_files.h"
#include "io/text_channel.h"

namespace hndpos::testing {

struct FaultScript {
    static constexpr platform::FileHandle stdout_handle = 1;
    static constexpr platform::FileHandle file_handle = 7;

    // hndpos's calls.
    std::int32_t stdout_code = 0;  // non-zero: standard output is no valid handle
    std::int32_t create_code = 0;  // non-zero: creating the file fails
    std::int32_t close_code = 0;
    platform::HandleKind stdout_kind = platform::HandleKind::file_or_pipe;
    platform::HandleKind file_kind = platform::HandleKind::file_or_pipe;
    std::deque<platform::WriteStep> scripted_writes;                  // taken first; written = bytes accepted
    std::map<platform::FileHandle, std::vector<std::string>> blocks;  // each write call's bytes
    std::vector<platform::FileHandle> closed;
    int files_created = 0;
    int write_calls = 0;
    int waits = 0;               // calls of wait_until_writable
    std::int32_t wait_code = 0;  // what each wait returns
    std::string module_name;     // empty: the test program's own

    // Everything hndpos wrote to the handle.
    std::string bytes(platform::FileHandle handle) const;

    // The companion programs' calls: their files, and the faults to inject.
    platform::MemoryFiles files;
    struct Fault {
        std::string call;  // "rename_file", "link_file", "write_file", ...
        int nth = 1;       // its nth call from now fails
        int error = 0;     // with this errno
    };
    std::vector<Fault> faults;
    std::map<std::string, int> calls;  // how often each was made
};

// Puts the script in place of the system; returns the calls it replaced.
platform::SystemCalls use_fault_script(FaultScript& script);

inline FaultScript* fake = nullptr;

// Installs a script for one test and resets the program-wide channel state.
class FaultScriptTest : public ::testing::Test {
protected:
    void SetUp() override {
        fake = &system_;
        saved_ = use_fault_script(system_);
        reset_channels();
    }

    void TearDown() override {
        platform::system_calls() = saved_;
        fake = nullptr;
        reset_channels();
    }

    // A fresh script and channel state for the next case of a table.
    void start_case() {
        system_ = {};
        (void)use_fault_script(system_);
        reset_channels();
    }

    FaultScript system_;

private:
    static void reset_channels() {
        assign_channel(console_output, "");
        set_pending_io_code(0);
    }
    platform::SystemCalls saved_{};
};

}  // namespace hndpos::testing
