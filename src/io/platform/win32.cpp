// The platform layer on Windows.

#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
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

SystemCalls live_calls = {
    win32_standard_output,     win32_classify,   win32_create_file, win32_write_some,
    win32_wait_until_writable, win32_close_file, win32_find_module,
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

bool standard_input_closed() { return false; }
bool standard_output_closed() { return false; }

// Windows names no descriptor as a file: every output name is a file,
// a device or a pipe of its own.
int descriptor_named(const char*) { return -1; }
bool is_descriptor_file(const char*, int) { return false; }

std::string write_through_descriptor(int descriptor, std::string_view text) {
    while (!text.empty()) {
        const unsigned asked = text.size() > 0x40000000u ? 0x40000000u : static_cast<unsigned>(text.size());
        const int written = _write(descriptor, text.data(), asked);
        if (written <= 0) return written == 0 ? "disk full" : std::strerror(errno);
        text.remove_prefix(static_cast<std::size_t>(written));
    }
    return "";
}

}  // namespace hndpos::platform
