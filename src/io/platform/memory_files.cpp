// The system in memory: the same on every platform.

#include <algorithm>
#include <cstring>

#include "io/platform/memory_files.h"

namespace hndpos::platform {
namespace {

MemorySystem* active = nullptr;

FileHandle memory_standard_output(std::int32_t& code) {
    if (active->stdout_code != 0) {
        code = active->stdout_code;
        return no_handle;
    }
    return MemorySystem::stdout_handle;
}

HandleKind memory_classify(FileHandle handle) {
    return handle == MemorySystem::stdout_handle ? active->stdout_kind : active->file_kind;
}

FileHandle memory_create_file(const char*, std::int32_t& code) {
    if (active->create_code != 0) {
        code = active->create_code;
        return no_handle;
    }
    ++active->files_created;
    return MemorySystem::file_handle;
}

WriteStep memory_write_some(FileHandle handle, const std::uint8_t* bytes, std::size_t count) {
    ++active->write_calls;
    WriteStep step{count, false, 0};
    if (!active->scripted_writes.empty()) {
        step = active->scripted_writes.front();
        active->scripted_writes.pop_front();
        step.written = std::min(step.written, count);
    }
    if (step.written > 0) active->blocks[handle].emplace_back(reinterpret_cast<const char*>(bytes), step.written);
    return step;
}

std::int32_t memory_wait_until_writable(FileHandle) {
    ++active->waits;
    return active->wait_code;
}

std::int32_t memory_close_file(FileHandle handle) {
    active->closed.push_back(handle);
    return active->close_code;
}

ModuleInfo memory_find_module(const void*) {
    ModuleInfo module;
    module.set_file_name(active->module_name);
    return module;
}

}  // namespace

std::string MemorySystem::bytes(FileHandle handle) const {
    std::string all;
    if (const auto it = blocks.find(handle); it != blocks.end())
        for (const std::string& block : it->second) all += block;
    return all;
}

SystemCalls use_memory_system(MemorySystem& memory) {
    active = &memory;
    SystemCalls& calls = system_calls();
    const SystemCalls replaced = calls;
    calls = {memory_standard_output,     memory_classify,   memory_create_file, memory_write_some,
             memory_wait_until_writable, memory_close_file, memory_find_module};
    return replaced;
}

}  // namespace hndpos::platform
