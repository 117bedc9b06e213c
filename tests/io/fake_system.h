// The system in memory for the channel and report tests: handles are small
// numbers, writes are recorded block by block, and each call's outcome can
// be scripted. The failure report still finds the test program's own module.
#pragma once

#include <gtest/gtest.h>

#include "io/platform/memory_files.h"
#include "io/text_channel.h"

namespace hndpos::testing {

using FakeSystem = platform::MemorySystem;

inline FakeSystem* fake = nullptr;

// Installs the fake for one test and resets the program-wide channel state.
class FakeSystemTest : public ::testing::Test {
protected:
    void SetUp() override {
        fake = &system_;
        saved_ = platform::use_memory_system(system_);
        platform::system_calls().find_module = saved_.find_module;
        reset_channels();
    }

    void TearDown() override {
        platform::system_calls() = saved_;
        fake = nullptr;
        reset_channels();
    }

    // A fresh system and channel state for the next case of a table.
    void start_case() {
        system_ = {};
        reset_channels();
    }

    FakeSystem system_;

private:
    static void reset_channels() {
        assign_channel(console_output, "");
        set_pending_io_code(0);
    }
    platform::SystemCalls saved_{};
};

}  // namespace hndpos::testing
