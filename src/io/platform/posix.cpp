// The platform layer on POSIX systems.

#include <fcntl.h>
#include <link.h>
#include <poll.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <random>
#include <string>

#include "io/platform/platform.h"
#include "io/platform/posix_calls.h"

#if defined(__EMSCRIPTEN__)
#include <emscripten/emscripten.h>

// Under Node.js (the npm package's commands) the program is a WebAssembly
// module that node runs, and /proc/self/exe is node: the program's name is
// that of the script the command runs, as the user typed it, without its
// extension. The page never asks (its system is in memory).
EM_JS(int, node_script_name, (char* buffer, int size), {
    var path = require("path");
    var script = process.argv[1] || "";
    return stringToUTF8(path.basename(script, path.extname(script)), buffer, size);
});
#endif

namespace hndpos::platform {
namespace {

// errno → the Windows number the failure messages are keyed on. The one
// table of this mapping; anything it does not name is a general failure (31).
struct ErrnoCode {
    int error;
    std::int32_t code;
};
// clang-format off
constexpr ErrnoCode errno_codes[] = {
    {ENOENT, 2},          // file not found
    {ENOTDIR, 3},         // path not found: a part of the path is no directory
    {ELOOP, 3},           // path not found: too many symbolic links
    {EMFILE, 4},          // too many open files
    {ENFILE, 4},          // too many open files, system-wide
    {EACCES, 5},          // access denied
    {EPERM, 5},           // access denied: not permitted
    {EROFS, 5},           // access denied: read-only file system
    {EISDIR, 5},          // Windows refuses to open a directory for writing with 5 too
    {ETXTBSY, 5},         // access denied: a running program's file
    {EBADF, 6},           // invalid handle
    {ENOMEM, 8},          // not enough memory
    {EAGAIN, sharing_violation_code},  // the file is locked by another process
    {EEXIST, 80},         // file exists
    {EINVAL, 87},         // invalid parameter
    {ENXIO, 55},          // device does not exist (a FIFO with no reader)
    {ENODEV, 55},         // device does not exist
    {EPIPE, 109},         // broken pipe
    {ENOSPC, 112},        // disk full
    {EDQUOT, 112},        // disk full: quota exceeded
    {EIO, 1117},          // I/O device error
    {EFBIG, 223},         // file too large
    {ENAMETOOLONG, 206},  // file name too long
};
// clang-format on
constexpr std::int32_t general_failure_code = 31;

std::int32_t code_for_errno(int error) {
    for (const ErrnoCode& entry : errno_codes)
        if (entry.error == error) return entry.code;
    return general_failure_code;
}

FileHandle posix_standard_output(std::int32_t& code) {
    if (fcntl(STDOUT_FILENO, F_GETFD) == -1) {
        code = code_for_errno(errno);
        return no_handle;
    }
    return STDOUT_FILENO;
}

HandleKind posix_classify(FileHandle handle) {
    struct stat status {};
    if (fstat(static_cast<int>(handle), &status) != 0) return HandleKind::unknown;
    if (S_ISCHR(status.st_mode)) return HandleKind::character_device;
    if (S_ISREG(status.st_mode) || S_ISFIFO(status.st_mode) || S_ISSOCK(status.st_mode))
        return HandleKind::file_or_pipe;
    return HandleKind::unknown;
}

// A file opened while standard input, output or error is closed would take
// that number, and the program's console text would land in it.
// Where the limit on descriptors leaves no number above them, F_DUPFD is
// refused as an invalid argument: that is too many open files.
int above_standard_descriptors(int fd) {
    if (fd > STDERR_FILENO) return fd;
    const int moved = posix_calls().copy_descriptor_from(fd, STDERR_FILENO + 1);
    const int saved_errno = moved == -1 && errno == EINVAL ? EMFILE : errno;
    close(fd);
    errno = saved_errno;
    return moved;
}

FileHandle fail_create(int fd, std::int32_t error_code, std::int32_t& code) {
    if (fd >= 0) close(fd);
    code = error_code;
    return no_handle;
}

bool same_file(const struct stat& a, const struct stat& b) { return a.st_dev == b.st_dev && a.st_ino == b.st_ino; }

// Whether standard input, output or error is open for writing on `file`,
// as with "hndpos ... > hpostbl.c": the console text would land inside the
// table. Windows refuses the same second writer with a sharing violation.
bool standard_descriptor_writes_to(const struct stat& file) {
    for (int fd = STDIN_FILENO; fd <= STDERR_FILENO; ++fd) {
        struct stat status {};
        if (fstat(fd, &status) != 0 || !same_file(status, file)) continue;
        const int access = fcntl(fd, F_GETFL) & O_ACCMODE;  // -1 has all bits: neither mode
        if (access == O_WRONLY || access == O_RDWR) return true;
    }
    return false;
}

// File systems without record locks (some network and FUSE mounts) refuse
// the request itself; the file is then written unlocked, as on a system
// without locks at all.
bool locks_unsupported(int error) {
    return error == ENOLCK || error == EOPNOTSUPP || error == ENOTSUP || error == EINVAL;
}

// Create-or-truncate with read sharing: open without truncating, take a
// write lock on the whole file so that a second writer is refused (32) and
// the file stays as it was, and only then truncate. Only a regular file is
// checked, locked and truncated; a device behind the name is written as it
// is. The open does not block on a FIFO without a reader, and the descriptor
// blocks again once open. An existing file with no write permission at all
// is refused (5) even where the system would let this user write it (root),
// as Windows refuses a read-only file to everyone; a file this run creates
// may have none (umask) and is written.
//
// The file is opened as it is first and created only where that finds
// nothing, which tells whether this run created it without a stat() of its
// own (one run in the usual case rewrites the table of the run before).
FileHandle posix_create_file(const char* name, std::int32_t& code) {
    constexpr int flags = O_WRONLY | O_NOCTTY | O_NONBLOCK | O_CLOEXEC;
    int fd = posix_calls().open_file(name, flags, 0);
    const bool existed = fd >= 0;
    if (!existed && errno == ENOENT) fd = posix_calls().open_file(name, flags | O_CREAT, 0666);
    if (fd < 0) return fail_create(-1, code_for_errno(errno), code);
    fd = above_standard_descriptors(fd);
    if (fd < 0) {
        // Nothing was written: a file this run created goes again.
        const int error = errno;
        if (!existed) (void)unlink(name);
        return fail_create(-1, code_for_errno(error), code);
    }
    // O_NONBLOCK is the one status flag the open set (the others were never
    // asked for, and the access mode is not a status flag).
    if (fcntl(fd, F_SETFL, 0) == -1) return fail_create(fd, code_for_errno(errno), code);

    struct stat status {};
    if (fstat(fd, &status) != 0) return fail_create(fd, code_for_errno(errno), code);
    if (!S_ISREG(status.st_mode)) return fd;
    if (existed && (status.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0)
        return fail_create(fd, access_denied_code, code);
    if (standard_descriptor_writes_to(status)) return fail_create(fd, sharing_violation_code, code);
    if (posix_calls().set_write_lock(fd) == -1 && !locks_unsupported(errno)) {
        const bool held = errno == EACCES || errno == EAGAIN;
        return fail_create(fd, held ? sharing_violation_code : code_for_errno(errno), code);
    }
    if (ftruncate(fd, 0) != 0) return fail_create(fd, code_for_errno(errno), code);
    return fd;
}

WriteStep posix_write_some(FileHandle handle, const std::uint8_t* bytes, std::size_t count) {
    const long written = posix_calls().write_bytes(static_cast<int>(handle), bytes, count);
    if (written > 0) return {static_cast<std::size_t>(written), false, 0};
    if (written == 0) return {0, false, disk_full_code};
    if (errno == EINTR) return {0, true, 0};
    if (errno == EAGAIN || errno == EWOULDBLOCK) return {0, false, 0, true};
    return {0, false, code_for_errno(errno)};
}

// A parent may hand over standard output as a non-blocking pipe; a full one
// is waited for, not taken for a failure.
std::int32_t posix_wait_until_writable(FileHandle handle) {
    pollfd request{static_cast<int>(handle), POLLOUT, 0};
    while (poll(&request, 1, -1) == -1) {
        if (errno != EINTR) return code_for_errno(errno);
    }
    return 0;  // ready, or an error condition that the next write reports
}

std::int32_t posix_close_file(FileHandle handle) {
    // After EINTR the descriptor is already released on Linux; closing it
    // again could close a descriptor that another open has taken since.
    if (close(static_cast<int>(handle)) == 0 || errno == EINTR) return 0;
    return code_for_errno(errno);
}

struct ImageSearch {
    std::uintptr_t address;
    std::uintptr_t load_address = 0;
    const char* file_name = nullptr;
};

// Finds the loaded image whose segments hold the address. Its load address
// is where its lowest segment starts, so that an offset from it is an
// offset into the image as the file lays it out, in a position-independent
// program (dynamic or static) and a fixed-address one alike. Works where
// dladdr does not: dladdr knows no image in a static program.
int find_image(dl_phdr_info* image, std::size_t, void* data) {
    auto& search = *static_cast<ImageSearch*>(data);
    std::uintptr_t lowest = UINTPTR_MAX;
    bool holds = false;
    for (int i = 0; i < image->dlpi_phnum; ++i) {
        const auto& segment = image->dlpi_phdr[i];
        if (segment.p_type != PT_LOAD) continue;
        const std::uintptr_t start = image->dlpi_addr + segment.p_vaddr;
        const std::uintptr_t align = segment.p_align > 1 ? segment.p_align : 1;
        lowest = std::min<std::uintptr_t>(lowest, start & ~(align - 1));
        holds = holds || (search.address >= start && search.address - start < segment.p_memsz);
    }
    if (!holds) return 0;
    search.load_address = lowest;
    search.file_name = image->dlpi_name;
    return 1;
}

ModuleInfo posix_find_module(const void* address) {
    ModuleInfo info;
    ImageSearch search{reinterpret_cast<std::uintptr_t>(address)};
    if (dl_iterate_phdr(find_image, &search) != 0) info.load_address = search.load_address;

    // The file name part of the program file, as the kernel names it.
    char path[4096];
#if defined(__EMSCRIPTEN__)
    const ssize_t length = node_script_name(path, sizeof path);
#else
    const ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
#endif
    const char* name = "";
    if (length > 0) {
        path[length] = '\0';
        name = path;
    } else if (search.file_name != nullptr) {
        name = search.file_name;
    }
    const char* slash = std::strrchr(name, '/');
    if (slash != nullptr) name = slash + 1;
    info.set_file_name(name);
    return info;
}

// ---- The companion programs' files ----------------------------------------

bool closed_at_start[3] = {};  // standard input, output and error

FileStatus status_from(const struct stat& info) {
    FileStatus status;
    status.kind = S_ISREG(info.st_mode)    ? FileKind::regular
                  : S_ISDIR(info.st_mode)  ? FileKind::directory
                  : S_ISCHR(info.st_mode)  ? FileKind::device
                  : S_ISBLK(info.st_mode)  ? FileKind::device
                  : S_ISFIFO(info.st_mode) ? FileKind::fifo
                                           : FileKind::other;
    status.device = static_cast<std::uint64_t>(info.st_dev);
    status.file = static_cast<std::uint64_t>(info.st_ino);
    status.permissions = static_cast<unsigned>(info.st_mode) & 0777u;
    return status;
}

FileStatus missing(int error) {
    FileStatus status;
    status.error = error;
    return status;
}

FileStatus posix_file_status(const char* name, bool follow_links) {
    struct stat info {};
    if ((follow_links ? stat(name, &info) : lstat(name, &info)) != 0) return missing(errno);
    if (!follow_links && S_ISLNK(info.st_mode)) {
        FileStatus link = status_from(info);
        link.kind = FileKind::other;
        return link;
    }
    return status_from(info);
}

FileStatus posix_descriptor_status(int descriptor) {
    struct stat info {};
    if (descriptor <= STDERR_FILENO && descriptor >= 0 && closed_at_start[descriptor]) return missing(EBADF);
    if (fstat(descriptor, &info) != 0) return missing(errno);
    return status_from(info);
}

int posix_read_link(const char* name, std::string& target) {
    char text[4096];
    const ssize_t length = readlink(name, text, sizeof text);
    if (length < 0) return errno;
    if (static_cast<std::size_t>(length) == sizeof text) return ENAMETOOLONG;
    target.assign(text, static_cast<std::size_t>(length));
    return 0;
}

int read_all(int fd, std::string& bytes, std::size_t limit) {
    char buffer[65536];
    const std::size_t start = bytes.size();
    for (;;) {
        const ssize_t got = read(fd, buffer, sizeof buffer);
        if (got == 0) return 0;
        if (got < 0) {
            if (errno == EINTR) continue;
            if (errno != EAGAIN && errno != EWOULDBLOCK) return errno;
            pollfd request{fd, POLLIN, 0};
            (void)poll(&request, 1, -1);
            continue;
        }
        bytes.append(buffer, static_cast<std::size_t>(got));
        if (bytes.size() - start > limit) return EFBIG;
    }
}

int posix_read_file(const char* name, std::string& bytes, std::size_t limit) {
    if (name == nullptr) return closed_at_start[STDIN_FILENO] ? EBADF : read_all(STDIN_FILENO, bytes, limit);
    const int fd = open(name, O_RDONLY | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) return errno;
    const int error = read_all(fd, bytes, limit);
    (void)close(fd);
    return error;
}

int write_all(int fd, std::string_view text) {
    while (!text.empty()) {
        const long written = posix_calls().write_bytes(fd, text.data(), text.size());
        if (written > 0) {
            text.remove_prefix(static_cast<std::size_t>(written));
        } else if (written == 0) {
            return ENOSPC;
        } else if (errno == EAGAIN || errno == EWOULDBLOCK) {
            pollfd request{fd, POLLOUT, 0};
            (void)poll(&request, 1, -1);
        } else if (errno != EINTR) {
            return errno;
        }
    }
    return 0;
}

int posix_write_file(const char* name, std::string_view text, bool create_new) {
    const int flags = O_WRONLY | O_NOCTTY | O_CLOEXEC | (create_new ? O_CREAT | O_EXCL : O_TRUNC);
    const int fd = posix_calls().open_file(name, flags, 0666);
    if (fd < 0) return errno;
    int error = write_all(fd, text);
    if (close(fd) != 0 && error == 0 && errno != EINTR) error = errno;
    return error;
}

int posix_write_descriptor(int descriptor, std::string_view text) {
    if (descriptor >= 0 && descriptor <= STDERR_FILENO && closed_at_start[descriptor]) return EBADF;
    return write_all(descriptor, text);
}

// N of "PREFIXN", a descriptor number written plainly; -1 otherwise.
int number_after(std::string_view name, std::string_view prefix) {
    if (!name.starts_with(prefix) || name.size() == prefix.size() || name.size() > prefix.size() + 6) return -1;
    int number = 0;
    for (const char c : name.substr(prefix.size())) {
        if (c < '0' || c > '9') return -1;
        number = number * 10 + (c - '0');
    }
    return number;
}

int posix_descriptor_spelled(const char* name) {
    const std::string_view text = name;
    if (text == "/dev/stdin") return STDIN_FILENO;
    if (text == "/dev/stdout") return STDOUT_FILENO;
    if (text == "/dev/stderr") return STDERR_FILENO;
    const int fd = number_after(text, "/dev/fd/");
    return fd >= 0 ? fd : number_after(text, "/proc/self/fd/");
}

int result(int status) { return status == 0 ? 0 : errno; }
int posix_rename_file(const char* from, const char* to) { return result(rename(from, to)); }
int posix_remove_file(const char* name) { return result(unlink(name)); }
int posix_link_file(const char* existing, const char* name) { return result(link(existing, name)); }
int posix_set_permissions(const char* name, unsigned permissions) {
    return result(chmod(name, static_cast<mode_t>(permissions)));
}

FileHandle posix_lock_directory(const char* name) {
    const int fd = open(name, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return no_handle;
    while (flock(fd, LOCK_EX) != 0) {
        if (errno != EINTR) {
            (void)close(fd);
            return no_handle;
        }
    }
    return fd;
}

std::string posix_error_text(int error) { return std::strerror(error); }

std::uint64_t posix_random_number() {
    static std::random_device device;
    return (std::uint64_t{device()} << 32) ^ device();
}

SystemCalls live_calls = {
    posix_standard_output,     posix_classify,           posix_create_file,    posix_write_some,
    posix_wait_until_writable, posix_close_file,         posix_find_module,    posix_file_status,
    posix_descriptor_status,   posix_read_link,          posix_read_file,      posix_write_file,
    posix_write_descriptor,    posix_descriptor_spelled, posix_rename_file,    posix_remove_file,
    posix_link_file,           posix_set_permissions,    posix_lock_directory, posix_error_text,
    posix_random_number,
};

int system_open(const char* name, int flags, unsigned mode) { return open(name, flags, static_cast<mode_t>(mode)); }

int system_set_write_lock(int fd) {
    struct flock lock {};
    lock.l_type = F_WRLCK;
    lock.l_whence = SEEK_SET;  // l_start 0, l_len 0: the whole file, however long
    return fcntl(fd, F_SETLK, &lock);
}

long system_write(int fd, const void* bytes, std::size_t count) { return write(fd, bytes, count); }

int system_copy_descriptor_from(int fd, int lowest) { return fcntl(fd, F_DUPFD_CLOEXEC, lowest); }

PosixCalls live_posix_calls = {system_open, system_set_write_lock, system_write, system_copy_descriptor_from};

}  // namespace

SystemCalls& system_calls() { return live_calls; }
PosixCalls& posix_calls() { return live_posix_calls; }

const char* raw_command_line() { return nullptr; }

// A broken pipe and a file-size limit (ulimit -f) would end the process
// with a signal; ignored, they fail the write instead (EPIPE, EFBIG), and
// the failure is reported like any other.
void prepare_process() {
    (void)signal(SIGPIPE, SIG_IGN);
    (void)signal(SIGXFSZ, SIG_IGN);
}

// POSIX streams never convert.
void prepare_companion_process() {
    prepare_process();
    put_back_pending_on_signals();
    for (int fd = STDIN_FILENO; fd <= STDERR_FILENO; ++fd) {
        if (fcntl(fd, F_GETFD) != -1 || errno != EBADF) continue;
        closed_at_start[fd] = true;
        // The lowest free number is fd itself.
        (void)open("/dev/null", fd == STDIN_FILENO ? O_RDONLY : O_WRONLY);
    }
}

}  // namespace hndpos::platform
