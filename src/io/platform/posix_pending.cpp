// The commit journal on POSIX systems: what a terminating signal puts back
// while the companion programs replace their files.

#include <signal.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <cstring>

#include "io/platform/platform.h"
#include "io/platform/posix_calls.h"

namespace hndpos::platform {
namespace {

// The commit the terminating signals find, written before each step it
// records; the handler reads it and makes only async-signal-safe calls.
struct PendingEntry {
    char temporary[max_pending_name];
    char target[max_pending_name];
    char backup[max_pending_name];
    volatile std::sig_atomic_t renamed;
};
PendingEntry pending[max_pending_files];
volatile std::sig_atomic_t pending_count = 0;

void copy_name(char* to, std::string_view name) {
    const std::size_t length = name.size() < max_pending_name ? name.size() : 0;
    std::memcpy(to, name.data(), length);
    to[length] = '\0';
}

extern "C" void put_back_and_end(int signal_number) {
    for (std::sig_atomic_t i = 0; i < pending_count; ++i) {
        PendingEntry& entry = pending[i];
        if (entry.temporary[0] != '\0') (void)unlink(entry.temporary);
        if (entry.renamed == 0 || entry.target[0] == '\0') {
            if (entry.backup[0] != '\0') (void)unlink(entry.backup);
            continue;
        }
        if (entry.backup[0] != '\0') {
            // Two links of one file (the rename had not happened) stay two:
            // the second goes.
            (void)rename(entry.backup, entry.target);
            (void)unlink(entry.backup);
        } else {
            (void)unlink(entry.target);
        }
    }
    (void)signal(signal_number, SIG_DFL);
    (void)raise(signal_number);
}

}  // namespace

void begin_pending(std::span<const PendingFile> files) {
    pending_count = 0;
    const std::size_t count = files.size() < max_pending_files ? files.size() : max_pending_files;
    for (std::size_t i = 0; i < count; ++i) {
        copy_name(pending[i].temporary, files[i].temporary);
        copy_name(pending[i].target, files[i].target);
        copy_name(pending[i].backup, files[i].backup);
        pending[i].renamed = 0;
    }
    pending_count = static_cast<std::sig_atomic_t>(count);
}

void mark_renamed(std::size_t index) {
    if (index < max_pending_files) pending[index].renamed = 1;
}

void end_pending() { pending_count = 0; }

void put_back_pending_on_signals() {
    struct sigaction action {};
    action.sa_handler = put_back_and_end;
    sigemptyset(&action.sa_mask);
    for (const int signal_number : {SIGTERM, SIGINT, SIGHUP}) (void)sigaction(signal_number, &action, nullptr);
}

}  // namespace hndpos::platform
