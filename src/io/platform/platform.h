// The thin layer between the text channels and the operating system.
//
// Everything the programs ask of the system goes through the calls below;
// one source file per system implements them (posix.cpp, win32.cpp), and a
// third keeps files in memory for the page and the JavaScript API
// (memory_files.cpp). hndpos's codes are the system's error numbers in the
// Windows numbering, on every system, because its failure messages are
// keyed on them: 2 file not found, 3 invalid path, 4 too many open files, 5
// access denied, 32 file in use by another process, 109 broken pipe, 112
// disk full, and so on. The companion programs' calls (below hndpos's)
// report the system's own error number instead, and error_text() gives the
// system's words for it, as their messages show it.
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

// What a name is, for the companion programs' files.
enum class FileKind { missing, regular, directory, device, fifo, other };

// A file's kind, identity and permissions; `error` says why a name is
// missing (0: nothing is there).
struct FileStatus {
    FileKind kind = FileKind::missing;
    std::uint64_t device = 0;  // with `file`, the identity: two names of one file
    std::uint64_t file = 0;
    unsigned permissions = 0;  // POSIX mode bits, 0777; 0222 are the write bits
    int error = 0;

    bool exists() const { return kind != FileKind::missing; }
    bool same_file(const FileStatus& other) const {
        return exists() && other.exists() && device == other.device && file == other.file;
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

    // ---- The companion programs' files; each error is the system's number.
    // What is at a name, following links or not; at a descriptor.
    FileStatus (*file_status)(const char* name, bool follow_links);
    FileStatus (*descriptor_status)(int descriptor);
    // The text of the symbolic link at `name`: 0, or EINVAL where it is no link.
    int (*read_link)(const char* name, std::string& target);
    // The whole file (standard input for a null name), appended to `bytes`;
    // 0, an error, or EFBIG after more than `limit` bytes (the rest unread).
    int (*read_file)(const char* name, std::string& bytes, std::size_t limit);
    // The whole text as the file `name`: a new file where `create_new` (an
    // existing name is EEXIST), else the existing file written in place (a
    // device or a FIFO). 0 or an error.
    int (*write_file)(const char* name, std::string_view text, bool create_new);
    // The whole text through an open descriptor, at its offset; 0 or an error.
    int (*write_descriptor)(int descriptor, std::string_view text);
    // The open descriptor that `name` stands for (/dev/stdout, /dev/fd/N),
    // or -1.
    int (*descriptor_spelled)(const char* name);
    int (*rename_file)(const char* from, const char* to);  // replacing `to`
    int (*remove_file)(const char* name);
    int (*link_file)(const char* existing, const char* name);
    int (*set_permissions)(const char* name, unsigned permissions);
    // Holds the directory's lock until the returned handle is closed
    // (close_file), so that runs writing there take turns; no_handle where
    // the system or the file system keeps no such locks.
    FileHandle (*lock_directory)(const char* name);
    // The system's words for an error number.
    std::string (*error_text)(int error);
    // A number for temporary names that no other run is likely to pick.
    std::uint64_t (*random_number)();
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

// Once at start-up of a companion program's process (not where the page
// or the JavaScript API runs it in memory): prepare_process(); standard
// input, output and error carry bytes unchanged (Windows would otherwise
// turn LF into CR LF and stop reading at a Ctrl-Z byte); and one of them
// that was closed is held on the null device, so that no file the program
// opens takes its number, while reading or writing it fails as closed.
void prepare_companion_process();

// A commit in progress, for the terminating signals (SIGTERM, SIGINT,
// SIGHUP) that prepare_companion_process() catches: the handler puts back
// each file already replaced (its second name renamed over it, or a new
// file removed), removes every temporary, and ends the process as the
// signal would. Names are copied; at most max_pending_files, each at most
// max_pending_name bytes (longer ones are left as they are).
inline constexpr std::size_t max_pending_files = 8;
inline constexpr std::size_t max_pending_name = 4096;
struct PendingFile {
    std::string_view temporary;
    std::string_view target;
    std::string_view backup;  // empty where there was no file to replace
};
void begin_pending(std::span<const PendingFile> files);
// File `index` now has its new bytes under its own name.
void mark_renamed(std::size_t index);
// The commit is over, done or put back.
void end_pending();

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
