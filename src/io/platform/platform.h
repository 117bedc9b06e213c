// The thin layer between the text channels and the operating system.
//
// Everything the program asks of the system goes through the calls below;
// one source file per system implements them (posix.cpp, win32.cpp). Codes
// are the system's error numbers in the Windows numbering, on every system,
// because the failure messages are keyed on them: 2 file not found, 3 invalid
// path, 4 too many open files, 5 access denied, 32 file in use by another
// process, 109 broken pipe, 112 disk full, and so on.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace hndpos::platform {

using FileHandle = std::intptr_t;
inline constexpr FileHandle no_handle = -1;

// How a handle takes its output: a console (terminal) gets each line at
// once; a disk file or pipe waits for full blocks.
enum class HandleKind { unknown, character_device, file_or_pipe };

// One write call's outcome: the bytes the system accepted, or an interrupted
// call to be repeated, or a handle that cannot take bytes just now (a full
// pipe that its owner made non-blocking), or a failure code. A call that
// accepts no bytes always says why (a device that takes nothing is reported
// as disk full, 112).
struct WriteStep {
    std::size_t written = 0;
    bool interrupted = false;
    std::int32_t code = 0;
    bool would_block = false;
};

// The longest module file name a report names, in bytes (the Windows path limit).
inline constexpr std::size_t max_module_name_length = 260;

// The program's own image: where it is loaded and the file name part of the
// file it was loaded from.
struct ModuleInfo {
    std::uintptr_t load_address = 0;
    char file_name[max_module_name_length + 1] = {};
    std::size_t file_name_length = 0;

    // The name's first bytes, as many as the buffer holds before its NUL.
    void set_file_name(std::string_view name) {
        file_name_length = std::min(name.size(), sizeof file_name - 1);
        std::copy_n(name.data(), file_name_length, file_name);
        file_name[file_name_length] = '\0';
    }
};

// The system calls, gathered in one table so that tests can stand in for any
// of them (failures, interrupted calls, short writes) without a process.
struct SystemCalls {
    // Standard output, or no_handle with the code.
    FileHandle (*standard_output)(std::int32_t& code);
    HandleKind (*classify)(FileHandle handle);
    // Creates the file, or opens and truncates an existing one, for writing,
    // letting other processes read it but not write it while it is open.
    FileHandle (*create_file)(const char* name, std::int32_t& code);
    WriteStep (*write_some)(FileHandle handle, const std::uint8_t* bytes, std::size_t count);
    // Waits, without spinning, until a handle whose write would have blocked
    // can take bytes again; 0, or the code of a failed wait.
    std::int32_t (*wait_until_writable)(FileHandle handle);
    // 0, or the code of a failed close.
    std::int32_t (*close_file)(FileHandle handle);
    // The module whose memory holds `address`, for the failure report.
    ModuleInfo (*find_module)(const void* address);
};

// The live table. Tests replace entries and put the originals back.
SystemCalls& system_calls();

inline constexpr std::int32_t access_denied_code = 5;
inline constexpr std::int32_t disk_full_code = 112;
// Another process has the file open for writing.
inline constexpr std::int32_t sharing_violation_code = 32;

// The raw command line where the system hands the arguments over as one
// string (Windows); null where it hands over an argument list (POSIX).
const char* raw_command_line();

// Once at start-up: a broken pipe or a file-size limit must show as a failed
// write (109, 223), not end the process.
void prepare_process();

// Once at start-up of the companion programs, which use the C++ streams:
// prepare_process(); standard input, output and error carry bytes unchanged
// (Windows would otherwise turn LF into CR LF and stop reading at a Ctrl-Z
// byte); and one of them that was closed is held on the null device, so
// that no file the program opens takes its number.
void prepare_companion_process();
// Whether standard input or output was closed when the companion program
// started: then nothing can be read from it, or written to it.
bool standard_input_closed();
bool standard_output_closed();

// The descriptor an output name stands for, to be written through rather
// than replaced: /dev/stdout, /dev/stderr, /dev/fd/N and /proc/self/fd/N
// name an open descriptor; any other name that is the very file standard
// output or error has open (followed through links, as with
// "-o log.json >> log.json") stands for that descriptor. -1 for a name
// that is none of these.
int descriptor_named(const char* name);
// Whether the name is the file that the descriptor has open.
bool is_descriptor_file(const char* name, int descriptor);
// The whole text through the descriptor, at its offset: an empty string,
// or the system's reason.
std::string write_through_descriptor(int descriptor, std::string_view text);

// A range of lead bytes of a double-byte code page (Shift_JIS: 0x81–0x9F
// and 0xE0–0xFC): such a byte and the byte after it form one character.
struct LeadByteRange {
    std::uint8_t first;
    std::uint8_t last;
};

// The part of a Windows file name after its last backslash (the whole name
// when it has none). The search steps over double-byte characters, so the
// second byte 0x5C of a character such as 表 (0x95 0x5C) is no backslash.
// Portable, so that every build tests it.
std::string_view file_name_part(std::string_view full_name, std::span<const LeadByteRange> lead_bytes);

}  // namespace hndpos::platform
