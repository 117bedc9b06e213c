// The files a companion program writes in one run, given all at once.
//
// Each is written under a temporary name beside it and renamed over it only
// when every one has been written, so a failed run leaves none of them and
// a file that was there keeps its old bytes. A name that stands for no
// regular file (a device such as /dev/null, a FIFO) is written in place,
// never replaced, and a symbolic link is written through to what it names.
#pragma once

#include <string>
#include <vector>

namespace hndpos {

class OutputFiles {
public:
    OutputFiles() = default;
    OutputFiles(const OutputFiles&) = delete;
    OutputFiles& operator=(const OutputFiles&) = delete;
    ~OutputFiles();  // removes what a failed commit left under temporary names

    void add(const std::string& name, std::string text);
    // Writes them all: an empty string, or what failed ("cannot write NAME...").
    std::string commit();

private:
    struct File {
        std::string name;       // as the user gave it, for messages
        std::string target;     // where the bytes go: the name, a link followed
        std::string temporary;  // empty: written in place
        std::string text;
    };
    std::vector<File> files_;
};

// TEXT on standard output, flushed: false when it could not all be written.
bool write_standard_output(const std::string& text);

// TEXT as the whole of the file at PATH, written in place: false when it
// could not all be written.
bool write_whole_file(const std::string& path, const std::string& text);

}  // namespace hndpos
