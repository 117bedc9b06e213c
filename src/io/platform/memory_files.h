// The system in memory: a test double of the platform layer, for the
// page, the benchmarks, the fuzzers and the tests. Production programs do
// not link it.
#pragma once

#include <deque>
#include <map>
#include <string>
#include <vector>

#include "io/platform/platform.h"

namespace hndpos::platform {

// A system in memory, for the page, the benchmarks, the fuzzers and the
// tests: standard output and the table file are byte buffers recorded write
// by write, and each call's outcome can be scripted (a failing open, a short
// or failed write, a failing close).
struct MemorySystem {
    static constexpr FileHandle stdout_handle = 1;
    static constexpr FileHandle file_handle = 7;

    std::int32_t stdout_code = 0;  // non-zero: standard output is no valid handle
    std::int32_t create_code = 0;  // non-zero: creating the file fails
    std::int32_t close_code = 0;
    HandleKind stdout_kind = HandleKind::file_or_pipe;
    HandleKind file_kind = HandleKind::file_or_pipe;
    std::deque<WriteStep> scripted_writes;                  // taken first; written = bytes accepted
    std::map<FileHandle, std::vector<std::string>> blocks;  // each write call's bytes
    std::vector<FileHandle> closed;
    int files_created = 0;
    int write_calls = 0;
    int waits = 0;               // calls of wait_until_writable
    std::int32_t wait_code = 0;  // what each wait returns
    std::string module_name = "hndpos";

    // Everything written to the handle.
    std::string bytes(FileHandle handle) const;
};

// Puts `memory` in place of the system; returns the calls it replaced, for
// putting them back. One memory system serves at a time.
SystemCalls use_memory_system(MemorySystem& memory);

}  // namespace hndpos::platform
