// Files in memory, for the page and the JavaScript API, which run the
// programs themselves on an argument vector: the programs' own code reads
// and writes these as it reads and writes a disk. Production code, kept
// small; the tests script faults on top of it (tests/io/fault_script.h).
#pragma once

#include <cstdint>
#include <map>
#include <set>
#include <string>

#include "io/platform/platform.h"

namespace hndpos::platform {

// Regular files by name and the directories they may sit in, under one
// current directory: "dir/x.c" needs the directory "dir". Names are taken
// as written, with "." parts and doubled slashes dropped and ".." taking
// back the part before it. Standard input, output and error are byte
// buffers, and hndpos's own calls (its console, hpostbl.c) write into
// these too. Every file may be written; there are no links or devices.
struct MemoryFiles {
    std::map<std::string, std::string> files;
    std::set<std::string> directories;
    std::string standard_input;
    std::string standard_output;
    std::string standard_error;
    std::string module_name = "hndpos";  // the program the failure report names

    // The name as the files are keyed.
    static std::string normal_name(std::string_view name);
    // A file's bytes, or null.
    const std::string* find(std::string_view name) const;
};

// Puts `files` in place of the system; returns the calls it replaced, for
// putting them back. One set of files serves at a time.
SystemCalls use_memory_files(MemoryFiles& files);

}  // namespace hndpos::platform
