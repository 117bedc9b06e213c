// Files in memory: the same on every platform.

#include "io/platform/memory_files.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <vector>

namespace hndpos::platform {
namespace {

MemoryFiles* active = nullptr;

// Handles: standard output and error as their descriptors, files hndpos
// opened from here on.
constexpr FileHandle stdout_handle = 1;
constexpr FileHandle stderr_handle = 2;
constexpr FileHandle first_file_handle = 16;
std::vector<std::string> open_files;  // by handle - first_file_handle; "" once closed

std::string* handle_bytes(FileHandle handle) {
    if (handle == stdout_handle) return &active->standard_output;
    if (handle == stderr_handle) return &active->standard_error;
    const auto index = static_cast<std::size_t>(handle - first_file_handle);
    if (handle < first_file_handle || index >= open_files.size() || open_files[index].empty()) return nullptr;
    return &active->files[open_files[index]];
}

std::string parent_of(const std::string& name) {
    const std::size_t slash = name.rfind('/');
    return slash == std::string::npos ? "" : name.substr(0, slash);
}

bool directory_exists(const std::string& name) {
    return name.empty() || name == "/" || active->directories.count(name) != 0;
}

// The identity of a name: the standard streams take 1 to 3, files and
// directories a number of their own from their name.
std::uint64_t identity(const std::string& name) { return 4 + std::hash<std::string>{}(name) % (UINT64_MAX / 2); }

FileHandle memory_standard_output(std::int32_t&) { return stdout_handle; }

HandleKind memory_classify(FileHandle) { return HandleKind::file_or_pipe; }

FileHandle memory_create_file(const char* name, std::int32_t& code) {
    const std::string key = MemoryFiles::normal_name(name);
    if (!directory_exists(parent_of(key))) {
        code = 3;  // path not found
        return no_handle;
    }
    if (active->directories.count(key) != 0) {
        code = access_denied_code;
        return no_handle;
    }
    active->files[key].clear();
    open_files.push_back(key);
    return first_file_handle + static_cast<FileHandle>(open_files.size() - 1);
}

WriteStep memory_write_some(FileHandle handle, const std::uint8_t* bytes, std::size_t count) {
    std::string* file = handle_bytes(handle);
    if (file == nullptr) return {0, false, 6};  // invalid handle
    file->append(reinterpret_cast<const char*>(bytes), count);
    return {count, false, 0};
}

std::int32_t memory_wait_until_writable(FileHandle) { return 0; }

std::int32_t memory_close_file(FileHandle handle) {
    const auto index = static_cast<std::size_t>(handle - first_file_handle);
    if (handle >= first_file_handle && index < open_files.size()) open_files[index].clear();
    return 0;
}

ModuleInfo memory_find_module(const void*) {
    ModuleInfo module;
    module.set_file_name(active->module_name);
    return module;
}

FileStatus memory_file_status(const char* name, bool) {
    const std::string key = MemoryFiles::normal_name(name);
    FileStatus status;
    if (active->files.count(key) != 0) {
        status.kind = FileKind::regular;
    } else if (directory_exists(key)) {
        status.kind = FileKind::directory;
    } else {
        status.error = directory_exists(parent_of(key)) ? ENOENT : ENOTDIR;
        return status;
    }
    status.device = 1;
    status.file = identity(key);
    status.permissions = 0666;
    return status;
}

FileStatus memory_descriptor_status(int descriptor) {
    FileStatus status;
    if (descriptor < 0 || descriptor > 2) {
        status.error = EBADF;
        return status;
    }
    status.kind = FileKind::fifo;
    status.device = 1;
    status.file = static_cast<std::uint64_t>(descriptor) + 1;
    status.permissions = 0666;
    return status;
}

int memory_read_link(const char*, std::string&) { return EINVAL; }

int memory_read_file(const char* name, std::string& bytes, std::size_t limit) {
    const std::string* file = &active->standard_input;
    if (name != nullptr) {
        const std::string key = MemoryFiles::normal_name(name);
        if (directory_exists(key)) return EISDIR;
        file = active->find(key);
        if (file == nullptr) return ENOENT;
    }
    if (file->size() > limit) {
        bytes.append(*file, 0, limit + 1);
        return EFBIG;
    }
    bytes += *file;
    return 0;
}

int memory_write_file(const char* name, std::string_view text, bool create_new) {
    const std::string key = MemoryFiles::normal_name(name);
    if (!directory_exists(parent_of(key))) return ENOENT;
    if (directory_exists(key)) return EISDIR;
    const bool exists = active->files.count(key) != 0;
    if (create_new && exists) return EEXIST;
    if (!create_new && !exists) return ENOENT;
    active->files[key] = std::string(text);
    return 0;
}

int memory_write_descriptor(int descriptor, std::string_view text) {
    std::string* stream = handle_bytes(descriptor);
    if (stream == nullptr || descriptor > 2) return EBADF;
    stream->append(text);
    return 0;
}

int memory_descriptor_spelled(const char*) { return -1; }

int memory_rename_file(const char* from, const char* to) {
    const std::string source = MemoryFiles::normal_name(from);
    const std::string target = MemoryFiles::normal_name(to);
    const auto found = active->files.find(source);
    if (found == active->files.end()) return ENOENT;
    if (!directory_exists(parent_of(target))) return ENOENT;
    if (directory_exists(target)) return EISDIR;
    std::string bytes = std::move(found->second);
    active->files.erase(found);
    active->files[target] = std::move(bytes);
    return 0;
}

int memory_remove_file(const char* name) {
    return active->files.erase(MemoryFiles::normal_name(name)) != 0 ? 0 : ENOENT;
}

// A second name with the same bytes: the files here are only ever replaced
// whole, never changed in place, so a copy serves as a link.
int memory_link_file(const char* existing, const char* name) {
    const std::string* bytes = active->find(existing);
    if (bytes == nullptr) return ENOENT;
    const std::string key = MemoryFiles::normal_name(name);
    if (active->files.count(key) != 0) return EEXIST;
    const std::string copy = *bytes;
    active->files[key] = copy;
    return 0;
}

int memory_set_permissions(const char* name, unsigned) { return active->find(name) != nullptr ? 0 : ENOENT; }

FileHandle memory_lock_directory(const char*) { return no_handle; }

std::string memory_error_text(int error) { return std::strerror(error); }

std::uint64_t memory_random_number() {
    static std::uint64_t next = 0;
    return ++next;
}

}  // namespace

std::string MemoryFiles::normal_name(std::string_view name) {
    const bool absolute = name.starts_with('/');
    std::vector<std::string_view> parts;
    while (!name.empty()) {
        const std::size_t slash = std::min(name.find('/'), name.size());
        const std::string_view part = name.substr(0, slash);
        name.remove_prefix(std::min(slash + 1, name.size()));
        if (part.empty() || part == ".") continue;
        if (part == ".." && !parts.empty() && parts.back() != "..") {
            parts.pop_back();
        } else {
            parts.push_back(part);
        }
    }
    std::string key = absolute ? "/" : "";
    for (std::size_t i = 0; i < parts.size(); ++i) key.append(i == 0 ? "" : "/").append(parts[i]);
    return key;
}

const std::string* MemoryFiles::find(std::string_view name) const {
    const auto found = files.find(normal_name(name));
    return found == files.end() ? nullptr : &found->second;
}

SystemCalls use_memory_files(MemoryFiles& files) {
    active = &files;
    open_files.clear();
    SystemCalls& calls = system_calls();
    const SystemCalls replaced = calls;
    calls = {memory_standard_output,     memory_classify,           memory_create_file,    memory_write_some,
             memory_wait_until_writable, memory_close_file,         memory_find_module,    memory_file_status,
             memory_descriptor_status,   memory_read_link,          memory_read_file,      memory_write_file,
             memory_write_descriptor,    memory_descriptor_spelled, memory_rename_file,    memory_remove_file,
             memory_link_file,           memory_set_permissions,    memory_lock_directory, memory_error_text,
             memory_random_number};
    return replaced;
}

}  // namespace hndpos::platform
