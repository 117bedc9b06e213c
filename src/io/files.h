// The companion programs' files: each input read whole, and the outputs of
// one run written all or nothing, every call through the system-call table.
//
// A regular file is written under a temporary name beside it and renamed
// over it only when everything else has been written: what must be
// written in place (a device such as /dev/null, a FIFO) and what goes
// through a descriptor come first, so a failure there leaves no file. Each
// file to be replaced keeps a second name (a link, or a copy where the
// file system has no links) until every rename is done, so that a failed
// rename puts back every file already replaced. A symbolic link, dangling
// or not, is written through to what it names, and a replaced file keeps
// its permissions. A name that stands for an open descriptor (standard
// output as "-", /dev/stdout, /dev/fd/N, or the very file that standard
// output or error has open) is written through that descriptor at its
// offset, never replaced. Runs that write into one directory take turns
// where the system keeps directory locks.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace hndpos {

// The name that stands for standard input or output.
inline constexpr std::string_view standard_stream_name = "-";

// The most a companion program reads of one file: more than the largest
// tables hndpos-tables writes (it refuses larger ones), so that a device
// without end (/dev/zero) is refused rather than filling memory.
inline constexpr std::size_t max_input_bytes = std::size_t{256} << 20;

// The whole file ("-": standard input) in `bytes`: an empty string, or why
// it could not be read ("cannot read NAME: ...").
std::string read_whole_file(std::string_view name, std::string& bytes);

// TEXT on standard output: an empty string, or the system's reason.
std::string write_standard_output(std::string_view text);
// A message on standard error; nothing is left to report a failure with.
void write_standard_error(std::string_view text);

// Whether a regular file is at the name (not a directory, device or FIFO).
bool is_regular_file(std::string_view name);
// Whether anything is at the name.
bool exists(std::string_view name);

// NAME in FILE's directory: the header beside its source. Where FILE is
// written through a descriptor, NAME is in the current directory.
std::string path_beside(std::string_view file, std::string_view name);

class OutputFiles {
public:
    OutputFiles() = default;
    OutputFiles(const OutputFiles&) = delete;
    OutputFiles& operator=(const OutputFiles&) = delete;
    ~OutputFiles();  // removes what a failed commit left under temporary names

    // NAME is a file, or "-" for standard output.
    void add(std::string_view name, std::string text);
    // A file the run reads ("-": standard input), which no output may be.
    void add_input(std::string_view name);

    // Before anything is written: two outputs, or an output and an input,
    // that are one file (compared as files, not as spellings): what clashes,
    // or an empty string.
    std::string clash() const;

    struct Outcome {
        std::string problem;    // empty when every file was written
        bool untouched = true;  // no file was left changed
    };
    // Writes them all; on failure every file is as it was (`untouched`), or
    // the problem says which could not be put back.
    Outcome commit();

    // Whether the name is written through a descriptor rather than as a file.
    static bool names_descriptor(std::string_view name);

private:
    struct Identity {
        bool known = false;
        std::uint64_t device = 0;
        std::uint64_t file = 0;
        std::string name;  // the last part, for a file not there yet: its directory is the identity

        bool operator==(const Identity&) const = default;
    };
    struct File {
        std::string name;       // as the user gave it, for messages
        int descriptor = -1;    // written through this open descriptor
        std::string target;     // where the bytes go: the name, its links followed
        bool in_place = false;  // a device or a FIFO, written as it is
        std::string temporary;
        std::string backup;  // the replaced file's second name while renaming
        unsigned permissions = 0;
        bool existed = false;
        bool renamed = false;
        std::string text;
    };
    static Identity identity_of(const File& file);
    static Identity input_identity(std::string_view input);
    std::string prepare();
    std::string write_first();
    std::string keep_old_files();
    Outcome rename_all();
    std::string put_back(std::size_t count);
    void remove_leftovers();

    std::vector<File> files_;
    std::vector<std::string> inputs_;
};

}  // namespace hndpos
