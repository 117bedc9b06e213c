// The platform layer on Windows.

#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "io/platform/platform.h"

namespace hndpos::platform {
namespace {

HANDLE to_native(FileHandle handle) { return reinterpret_cast<HANDLE>(handle); }
FileHandle from_native(HANDLE handle) { return reinterpret_cast<FileHandle>(handle); }

std::int32_t last_error() { return static_cast<std::int32_t>(GetLastError()); }

FileHandle win32_standard_output(std::int32_t& code) {
    const HANDLE handle = GetStdHandle(STD_OUTPUT_HANDLE);
    if (handle == INVALID_HANDLE_VALUE) {
        code = last_error();
        return no_handle;
    }
    if (handle == nullptr) {  // a process started without standard handles
        code = ERROR_INVALID_HANDLE;
        return no_handle;
    }
    return from_native(handle);
}

HandleKind win32_classify(FileHandle handle) {
    switch (GetFileType(to_native(handle))) {
    case FILE_TYPE_CHAR: return HandleKind::character_device;
    case FILE_TYPE_DISK:
    case FILE_TYPE_PIPE:
    case FILE_TYPE_REMOTE: return HandleKind::file_or_pipe;
    default: return HandleKind::unknown;
    }
}

FileHandle win32_create_file(const char* name, std::int32_t& code) {
    const HANDLE handle =
        CreateFileA(name, GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        code = last_error();
        return no_handle;
    }
    return from_native(handle);
}

WriteStep win32_write_some(FileHandle handle, const std::uint8_t* bytes, std::size_t count) {
    const DWORD asked = count > 0x40000000u ? 0x40000000u : static_cast<DWORD>(count);
    DWORD written = 0;
    if (!WriteFile(to_native(handle), bytes, asked, &written, nullptr)) return {0, false, last_error()};
    if (written == 0) return {0, false, disk_full_code};
    return {written, false, 0};
}

// A Windows write blocks until it is done; nothing ever waits here.
std::int32_t win32_wait_until_writable(FileHandle) { return 0; }

std::int32_t win32_close_file(FileHandle handle) { return CloseHandle(to_native(handle)) ? 0 : last_error(); }

// The lead-byte ranges of the system code page, where the system handles
// double-byte characters at all.
std::vector<LeadByteRange> system_lead_bytes() {
    std::vector<LeadByteRange> ranges;
    CPINFO info{};
    if (GetSystemMetrics(SM_DBCSENABLED) == 0 || !GetCPInfo(CP_ACP, &info)) return ranges;
    for (int i = 0; i + 1 < MAX_LEADBYTES && info.LeadByte[i] != 0; i += 2)
        ranges.push_back({info.LeadByte[i], info.LeadByte[i + 1]});
    return ranges;
}

ModuleInfo win32_find_module(const void* address) {
    ModuleInfo info;
    MEMORY_BASIC_INFORMATION memory{};
    if (VirtualQuery(address, &memory, sizeof memory) == 0) return info;
    const auto module = static_cast<HMODULE>(memory.AllocationBase);
    info.load_address = reinterpret_cast<std::uintptr_t>(module);
    char path[MAX_PATH + 1] = {};
    const DWORD length = GetModuleFileNameA(module, path, MAX_PATH);
    const std::vector<LeadByteRange> lead_bytes = system_lead_bytes();
    info.set_file_name(file_name_part({path, length}, lead_bytes));
    return info;
}

// ---- The companion programs' files ----------------------------------------
// Their errors are errno values, as the C runtime sets them for the same
// failures, so that the programs' portable code and words are one.

int errno_for(DWORD error) {
    switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
    case ERROR_BAD_NETPATH: return ENOENT;
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
    case ERROR_WRITE_PROTECT: return EACCES;
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS: return EEXIST;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL: return ENOSPC;
    case ERROR_BROKEN_PIPE:
    case ERROR_NO_DATA: return EPIPE;
    case ERROR_FILENAME_EXCED_RANGE: return ENAMETOOLONG;
    case ERROR_NOT_ENOUGH_MEMORY:
    case ERROR_OUTOFMEMORY: return ENOMEM;
    case ERROR_INVALID_HANDLE: return EBADF;
    case ERROR_DIRECTORY: return ENOTDIR;
    case ERROR_NOT_SAME_DEVICE: return EXDEV;
    default: return EIO;
    }
}

int last_errno() { return errno_for(GetLastError()); }

FileStatus status_of_handle(HANDLE handle, DWORD attributes) {
    FileStatus status;
    switch (GetFileType(handle)) {
    case FILE_TYPE_CHAR: status.kind = FileKind::device; break;
    case FILE_TYPE_PIPE: status.kind = FileKind::fifo; break;
    case FILE_TYPE_DISK:
        status.kind = (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0 ? FileKind::directory : FileKind::regular;
        break;
    default: status.kind = FileKind::other;
    }
    BY_HANDLE_FILE_INFORMATION information{};
    if (status.kind != FileKind::device && status.kind != FileKind::fifo &&
        GetFileInformationByHandle(handle, &information)) {
        status.device = information.dwVolumeSerialNumber;
        status.file = (std::uint64_t{information.nFileIndexHigh} << 32) | information.nFileIndexLow;
        attributes = information.dwFileAttributes;
    }
    status.permissions = (attributes & FILE_ATTRIBUTE_READONLY) != 0 ? 0444u : 0666u;
    return status;
}

FileStatus win32_file_status(const char* name, bool follow_links) {
    const DWORD flags = FILE_FLAG_BACKUP_SEMANTICS | (follow_links ? 0 : FILE_FLAG_OPEN_REPARSE_POINT);
    const HANDLE handle = CreateFileA(name, 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                      OPEN_EXISTING, flags, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        FileStatus status;
        status.error = last_errno();
        return status;
    }
    const FileStatus status = status_of_handle(handle, 0);
    CloseHandle(handle);
    return status;
}

FileStatus win32_descriptor_status(int descriptor) {
    const auto handle = reinterpret_cast<HANDLE>(_get_osfhandle(descriptor));
    if (handle == INVALID_HANDLE_VALUE || handle == nullptr) {
        FileStatus status;
        status.error = EBADF;
        return status;
    }
    return status_of_handle(handle, 0);
}

// Links are the POSIX build's: here every name is its own file.
int win32_read_link(const char*, std::string&) { return EINVAL; }

int win32_read_file(const char* name, std::string& bytes, std::size_t limit) {
    const HANDLE handle = name == nullptr ? GetStdHandle(STD_INPUT_HANDLE)
                                          : CreateFileA(name, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                                        OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE || handle == nullptr) return name == nullptr ? EBADF : last_errno();
    BY_HANDLE_FILE_INFORMATION information{};
    int error = 0;
    if (GetFileInformationByHandle(handle, &information) &&
        (information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
        error = EISDIR;
    const std::size_t start = bytes.size();
    char buffer[65536];
    while (error == 0) {
        DWORD got = 0;
        if (!ReadFile(handle, buffer, sizeof buffer, &got, nullptr)) {
            if (GetLastError() != ERROR_BROKEN_PIPE) error = last_errno();
            break;
        }
        if (got == 0) break;
        bytes.append(buffer, got);
        if (bytes.size() - start > limit) error = EFBIG;
    }
    if (name != nullptr) CloseHandle(handle);
    return error;
}

int write_all(HANDLE handle, std::string_view text) {
    while (!text.empty()) {
        const DWORD asked = text.size() > 0x40000000u ? 0x40000000u : static_cast<DWORD>(text.size());
        DWORD written = 0;
        if (!WriteFile(handle, text.data(), asked, &written, nullptr)) return last_errno();
        if (written == 0) return ENOSPC;
        text.remove_prefix(written);
    }
    return 0;
}

int win32_write_file(const char* name, std::string_view text, bool create_new) {
    const HANDLE handle = CreateFileA(name, GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                      create_new ? CREATE_NEW : OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return last_errno();
    int error = write_all(handle, text);
    if (!CloseHandle(handle) && error == 0) error = last_errno();
    return error;
}

int win32_write_descriptor(int descriptor, std::string_view text) {
    const auto handle = reinterpret_cast<HANDLE>(_get_osfhandle(descriptor));
    if (handle == INVALID_HANDLE_VALUE || handle == nullptr) return EBADF;
    return write_all(handle, text);
}

// Windows names no descriptor as a file: every output name is a file, a
// device or a pipe of its own.
int win32_descriptor_spelled(const char*) { return -1; }

int outcome(BOOL done) { return done ? 0 : last_errno(); }
int win32_rename_file(const char* from, const char* to) {
    return outcome(MoveFileExA(from, to, MOVEFILE_REPLACE_EXISTING));
}
int win32_remove_file(const char* name) { return outcome(DeleteFileA(name)); }
int win32_link_file(const char* existing, const char* name) {
    return outcome(CreateHardLinkA(name, existing, nullptr));
}
int win32_set_permissions(const char* name, unsigned permissions) {
    const DWORD attributes = GetFileAttributesA(name);
    if (attributes == INVALID_FILE_ATTRIBUTES) return last_errno();
    const DWORD read_only = (permissions & 0222u) == 0 ? FILE_ATTRIBUTE_READONLY : 0;
    return outcome(SetFileAttributesA(name, (attributes & ~DWORD{FILE_ATTRIBUTE_READONLY}) | read_only));
}

// Windows refuses a second writer of an open file itself; runs here do not
// take turns at a directory.
FileHandle win32_lock_directory(const char*) { return no_handle; }

std::string win32_error_text(int error) { return std::strerror(error); }

std::uint64_t win32_random_number() {
    static std::random_device device;
    return (std::uint64_t{device()} << 32) ^ device();
}

SystemCalls live_calls = {
    win32_standard_output,     win32_classify,           win32_create_file,    win32_write_some,
    win32_wait_until_writable, win32_close_file,         win32_find_module,    win32_file_status,
    win32_descriptor_status,   win32_read_link,          win32_read_file,      win32_write_file,
    win32_write_descriptor,    win32_descriptor_spelled, win32_rename_file,    win32_remove_file,
    win32_link_file,           win32_set_permissions,    win32_lock_directory, win32_error_text,
    win32_random_number,
};

}  // namespace

SystemCalls& system_calls() { return live_calls; }

const char* raw_command_line() { return GetCommandLineA(); }

void prepare_process() {}

// A Windows process whose standard output is closed gets no handle for it,
// and writes to it fail: no number to hold.
void prepare_companion_process() {
    prepare_process();
    (void)_setmode(_fileno(stdin), _O_BINARY);
    (void)_setmode(_fileno(stdout), _O_BINARY);
    (void)_setmode(_fileno(stderr), _O_BINARY);
}

// Windows' console control handlers run on a thread of their own, where a
// rename could race the commit: a run ended there leaves its temporaries.
void begin_pending(std::span<const PendingFile>) {}
void mark_renamed(std::size_t) {}
void end_pending() {}

}  // namespace hndpos::platform
