// The POSIX calls beneath the platform layer on POSIX systems, gathered in
// one table so that tests can stand in for them: a lock that the file
// system does not support, a lock that another process holds, a write that
// would block, and every errno the layer maps to a code. Each entry behaves
// as the call it names: a result of -1 with errno set on failure.
#pragma once

#include <cstddef>

namespace hndpos::platform {

struct PosixCalls {
    int (*open_file)(const char* name, int flags, unsigned mode);
    // fcntl(F_SETLK) with a write lock on the whole file.
    int (*set_write_lock)(int fd);
    long (*write_bytes)(int fd, const void* bytes, std::size_t count);
    // fcntl(F_DUPFD_CLOEXEC): a copy of fd at the lowest free number from `lowest` on.
    int (*copy_descriptor_from)(int fd, int lowest);
};

// The live table. Tests replace entries and put the originals back.
PosixCalls& posix_calls();

// SIGTERM, SIGINT and SIGHUP put back the files of the commit in progress
// (begin_pending) and then end the process as the signal would.
void put_back_pending_on_signals();

}  // namespace hndpos::platform
