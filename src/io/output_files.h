// The outputs a companion program writes in one run, given all at once and
// written all or nothing.
//
// A regular file is written under a temporary name beside it and renamed
// over it only when everything else has been written: what must be
// written in place (a device such as /dev/null, a FIFO) and standard
// output come first, so a failure there leaves no file; a rename that
// fails puts back every file already replaced. A symbolic link is written
// through to what it names, and a replaced file keeps its permissions. A
// name that stands for an open descriptor (standard output as "-",
// /dev/stdout, or the very file the shell opened for it) is written
// through that descriptor at its offset, never replaced.
#pragma once

#include <string>
#include <vector>

namespace hndpos {

// The name that stands for standard output.
inline constexpr const char* standard_output_name = "-";

class OutputFiles {
public:
    OutputFiles() = default;
    OutputFiles(const OutputFiles&) = delete;
    OutputFiles& operator=(const OutputFiles&) = delete;
    ~OutputFiles();  // removes what a failed commit left under temporary names

    // NAME is a file, or "-" for standard output.
    void add(const std::string& name, std::string text);
    // A file the run reads, which no output may overwrite.
    void add_input(const std::string& name);

    // Before anything is written: two outputs, or an output and an input,
    // that are one file (compared as files, not as spellings): what clashes,
    // or an empty string.
    std::string clash() const;
    // Writes them all: an empty string, or what failed ("cannot write NAME: ...").
    std::string commit();

private:
    struct File {
        std::string name;       // as the user gave it, for messages
        int descriptor = -1;    // written through this open descriptor
        std::string target;     // where the bytes go: the name, a link followed
        std::string temporary;  // empty: written in place
        std::string text;
        std::string backup;    // the replaced file's second name while renaming
        bool existed = false;  // a file was there before the rename
        bool renamed = false;
    };
    static bool same_output(const File& a, const File& b);
    std::string prepare();
    std::string rename_all();
    void put_back(std::size_t count);

    std::vector<File> files_;
    std::vector<std::string> inputs_;
};

// TEXT on standard output, flushed: an empty string, or why it could not all
// be written (also where it was closed when the program started).
std::string write_standard_output(const std::string& text);

}  // namespace hndpos
