// A stand-in for the system calls: handles are small numbers, writes are
// recorded block by block, and each call's outcome can be scripted.
#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <map>
#include <string>
#include <vector>

#include "io/platform/platform.h"
#include "io/text_channel.h"

namespace hndpos::testing {

struct FakeSystem {
    static constexpr platform::FileHandle stdout_handle = 1;
    static constexpr platform::FileHandle file_handle = 7;

    std::int32_t stdout_code = 0;  // non-zero: standard output is no valid handle
    std::int32_t create_code = 0;  // non-zero: creating the file fails
    std::int32_t close_code = 0;
    platform::HandleKind stdout_kind = platform::HandleKind::file_or_pipe;
    platform::HandleKind file_kind = platform::HandleKind::file_or_pipe;
    std::deque<platform::WriteStep> scripted_writes;                  // taken first; written = bytes accepted
    std::map<platform::FileHandle, std::vector<std::string>> blocks;  // each write call's bytes
    std::vector<platform::FileHandle> closed;
    int write_calls = 0;
    int waits = 0;               // calls of wait_until_writable
    std::int32_t wait_code = 0;  // what each wait returns

    std::string bytes(platform::FileHandle handle) const {
        std::string all;
        if (auto it = blocks.find(handle); it != blocks.end())
            for (const std::string& block : it->second) all += block;
        return all;
    }
};

inline FakeSystem* fake = nullptr;

// Installs the fake for one test and resets the program-wide channel state.
class FakeSystemTest : public ::testing::Test {
protected:
    void SetUp() override {
        saved_ = platform::system_calls();
        fake = &system_;
        platform::SystemCalls& calls = platform::system_calls();
        calls.standard_output = [](std::int32_t& code) -> platform::FileHandle {
            if (fake->stdout_code != 0) {
                code = fake->stdout_code;
                return platform::no_handle;
            }
            return FakeSystem::stdout_handle;
        };
        calls.classify = [](platform::FileHandle handle) {
            return handle == FakeSystem::stdout_handle ? fake->stdout_kind : fake->file_kind;
        };
        calls.create_file = [](const char*, std::int32_t& code) -> platform::FileHandle {
            if (fake->create_code != 0) {
                code = fake->create_code;
                return platform::no_handle;
            }
            return FakeSystem::file_handle;
        };
        calls.write_some = [](platform::FileHandle handle, const std::uint8_t* bytes, std::size_t count) {
            ++fake->write_calls;
            platform::WriteStep step{count, false, 0};
            if (!fake->scripted_writes.empty()) {
                step = fake->scripted_writes.front();
                fake->scripted_writes.pop_front();
                if (step.written > count) step.written = count;
            }
            if (step.written > 0) fake->blocks[handle].emplace_back(reinterpret_cast<const char*>(bytes), step.written);
            return step;
        };
        calls.wait_until_writable = [](platform::FileHandle) {
            ++fake->waits;
            return fake->wait_code;
        };
        calls.close_file = [](platform::FileHandle handle) {
            fake->closed.push_back(handle);
            return fake->close_code;
        };
        assign_channel(console_output, "");
        set_pending_io_code(0);
    }

    void TearDown() override {
        platform::system_calls() = saved_;
        fake = nullptr;
        assign_channel(console_output, "");
        set_pending_io_code(0);
    }

    FakeSystem system_;

private:
    platform::SystemCalls saved_{};
};

}  // namespace hndpos::testing
