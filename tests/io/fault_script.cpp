#include "io/fault_script.h"

#include <algorithm>

namespace hndpos::testing {
namespace {

FaultScript* active = nullptr;
platform::SystemCalls memory{};  // the memory files' own calls
platform::SystemCalls live{};    // the process's, for its module

// Counts the call; its error where a fault is scripted for this one, or 0.
int scripted(const char* call) {
    const int count = ++active->calls[call];
    for (const FaultScript::Fault& fault : active->faults)
        if (fault.call == call && fault.nth == count) return fault.error;
    return 0;
}

platform::FileHandle standard_output(std::int32_t& code) {
    if (active->stdout_code == 0) return FaultScript::stdout_handle;
    code = active->stdout_code;
    return platform::no_handle;
}

platform::HandleKind classify(platform::FileHandle handle) {
    return handle == FaultScript::stdout_handle ? active->stdout_kind : active->file_kind;
}

platform::FileHandle create_file(const char*, std::int32_t& code) {
    if (active->create_code != 0) {
        code = active->create_code;
        return platform::no_handle;
    }
    ++active->files_created;
    return FaultScript::file_handle;
}

platform::WriteStep write_some(platform::FileHandle handle, const std::uint8_t* bytes, std::size_t count) {
    ++active->write_calls;
    platform::WriteStep step{count, false, 0};
    if (!active->scripted_writes.empty()) {
        step = active->scripted_writes.front();
        active->scripted_writes.pop_front();
        step.written = std::min(step.written, count);
    }
    if (step.written > 0) active->blocks[handle].emplace_back(reinterpret_cast<const char*>(bytes), step.written);
    return step;
}

std::int32_t wait_until_writable(platform::FileHandle) {
    ++active->waits;
    return active->wait_code;
}

std::int32_t close_file(platform::FileHandle handle) {
    active->closed.push_back(handle);
    return active->close_code;
}

platform::ModuleInfo find_module(const void* address) {
    if (active->module_name.empty()) return live.find_module(address);
    platform::ModuleInfo module;
    module.set_file_name(active->module_name);
    return module;
}

int read_file(const char* name, std::string& bytes, std::size_t limit) {
    const int error = scripted("read_file");
    return error != 0 ? error : memory.read_file(name, bytes, limit);
}
int write_file(const char* name, std::string_view text, bool create_new) {
    const int error = scripted("write_file");
    return error != 0 ? error : memory.write_file(name, text, create_new);
}
int write_descriptor(int descriptor, std::string_view text) {
    const int error = scripted("write_descriptor");
    return error != 0 ? error : memory.write_descriptor(descriptor, text);
}
int rename_file(const char* from, const char* to) {
    const int error = scripted("rename_file");
    return error != 0 ? error : memory.rename_file(from, to);
}
int remove_file(const char* name) {
    const int error = scripted("remove_file");
    return error != 0 ? error : memory.remove_file(name);
}
int link_file(const char* existing, const char* name) {
    const int error = scripted("link_file");
    return error != 0 ? error : memory.link_file(existing, name);
}
int set_permissions(const char* name, unsigned permissions) {
    const int error = scripted("set_permissions");
    return error != 0 ? error : memory.set_permissions(name, permissions);
}

}  // namespace

std::string FaultScript::bytes(platform::FileHandle handle) const {
    std::string all;
    if (const auto it = blocks.find(handle); it != blocks.end())
        for (const std::string& block : it->second) all += block;
    return all;
}

platform::SystemCalls use_fault_script(FaultScript& script) {
    active = &script;
    const platform::SystemCalls replaced = platform::use_memory_files(script.files);
    if (live.find_module == nullptr) live = replaced;
    memory = platform::system_calls();
    platform::SystemCalls& calls = platform::system_calls();
    calls.standard_output = standard_output;
    calls.classify = classify;
    calls.create_file = create_file;
    calls.write_some = write_some;
    calls.wait_until_writable = wait_until_writable;
    calls.close_file = close_file;
    calls.find_module = find_module;
    calls.read_file = read_file;
    calls.write_file = write_file;
    calls.write_descriptor = write_descriptor;
    calls.rename_file = rename_file;
    calls.remove_file = remove_file;
    calls.link_file = link_file;
    calls.set_permissions = set_permissions;
    return replaced;
}

}  // namespace hndpos::testing
