#include "io/output_files.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <random>

#include "io/platform/platform.h"

namespace hndpos {
namespace {

namespace fs = std::filesystem;

std::string unique_name(const std::string& target, const char* kind) {
    std::random_device random;
    return target + kind + std::to_string(random() % 1000000000u);
}

std::string system_reason(int error) { return std::strerror(error != 0 ? error : EIO); }

// TEXT as the whole of the file at PATH, written in place: an empty string,
// or the system's reason.
std::string write_whole_file(const std::string& path, const std::string& text) {
    errno = 0;
    std::FILE* out = std::fopen(path.c_str(), "wb");
    if (out == nullptr) return system_reason(errno);
    int error = 0;
    if (std::fwrite(text.data(), 1, text.size(), out) != text.size() || std::fflush(out) != 0) error = errno;
    errno = 0;
    if (std::fclose(out) != 0 && error == 0) error = errno != 0 ? errno : EIO;
    return error != 0 ? system_reason(error) : "";
}

// Whether two names are one file: the same file where both exist, otherwise
// the same absolute path once links and dots are resolved.
bool same_file(const std::string& a, const std::string& b) {
    std::error_code error;
    if (fs::exists(a, error) && fs::exists(b, error)) return fs::equivalent(a, b, error);
    const fs::path first = fs::weakly_canonical(fs::absolute(a, error), error);
    const fs::path second = fs::weakly_canonical(fs::absolute(b, error), error);
    return first == second;
}

bool nobody_may_write(const fs::file_status& status) {
    const fs::perms write = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
    return fs::is_regular_file(status) && (status.permissions() & write) == fs::perms::none;
}

}  // namespace

OutputFiles::~OutputFiles() {
    std::error_code ignored;
    for (const File& file : files_)
        if (!file.temporary.empty()) fs::remove(file.temporary, ignored);
}

void OutputFiles::add(const std::string& name, std::string text) {
    const int descriptor = name == standard_output_name ? 1 : platform::descriptor_named(name.c_str());
    if (descriptor >= 0) {
        File file;
        file.name = name == standard_output_name ? "standard output" : name;
        file.descriptor = descriptor;
        file.text = std::move(text);
        files_.push_back(std::move(file));
        return;
    }
    std::error_code error;
    fs::path target = name;
    if (fs::is_symlink(fs::symlink_status(target, error))) {
        const fs::path resolved = fs::weakly_canonical(target, error);
        if (!error) target = resolved;
    }
    const fs::file_status status = fs::status(target, error);
    const bool in_place = fs::exists(status) && !fs::is_regular_file(status) && !fs::is_directory(status);
    File file;
    file.name = name;
    file.target = target.string();
    if (!in_place) file.temporary = unique_name(file.target, ".tmp");
    file.text = std::move(text);
    files_.push_back(std::move(file));
}

void OutputFiles::add_input(const std::string& name) { inputs_.push_back(name); }

namespace {

// Whether an output (a descriptor, or a path where it is -1) and a file the
// run reads ("-": standard input) are one file.
bool output_reads(int descriptor, const std::string& path, const std::string& input) {
    if (input == standard_output_name) return descriptor < 0 && platform::is_descriptor_file(path.c_str(), 0);
    if (descriptor >= 0) return platform::is_descriptor_file(input.c_str(), descriptor);
    return same_file(path, input);
}

}  // namespace

bool OutputFiles::same_output(const File& a, const File& b) {
    if (a.descriptor >= 0 && b.descriptor >= 0) return a.descriptor == b.descriptor;
    if (a.descriptor >= 0) return platform::is_descriptor_file(b.target.c_str(), a.descriptor);
    if (b.descriptor >= 0) return platform::is_descriptor_file(a.target.c_str(), b.descriptor);
    return same_file(a.target, b.target);
}

std::string OutputFiles::clash() const {
    for (std::size_t i = 0; i < files_.size(); ++i) {
        const File& file = files_[i];
        for (std::size_t j = i + 1; j < files_.size(); ++j) {
            const File& other = files_[j];
            if (same_output(file, other)) return file.name + " and " + other.name + " are the same file";
        }
        for (const std::string& input : inputs_)
            if (output_reads(file.descriptor, file.target, input))
                return "the output " + file.name + " is the input " +
                       (input == standard_output_name ? std::string("standard input") : input);
    }
    return "";
}

// What can be known before anything is written: a directory in the way, a
// file that nobody may write (refused even where root could write it).
std::string OutputFiles::prepare() {
    for (const File& file : files_) {
        if (file.descriptor >= 0) continue;
        std::error_code error;
        const fs::file_status status = fs::status(file.target, error);
        if (fs::is_directory(status) || fs::path(file.target).filename().empty())
            return "cannot write " + file.name + ": it is a directory";
        if (nobody_may_write(status)) return "cannot write " + file.name + ": access denied: nobody may write it";
    }
    return "";
}

std::string OutputFiles::commit() {
    if (std::string problem = prepare(); !problem.empty()) return problem;
    for (const File& file : files_) {
        if (file.temporary.empty()) continue;
        if (std::string reason = write_whole_file(file.temporary, file.text); !reason.empty())
            return "cannot write " + file.name + ": " + reason;
    }
    for (const File& file : files_) {
        if (!file.temporary.empty() || file.descriptor >= 0) continue;
        if (std::string reason = write_whole_file(file.target, file.text); !reason.empty())
            return "cannot write " + file.name + ": " + reason;
    }
    for (const File& file : files_) {
        if (file.descriptor < 0) continue;
        if (std::string reason = platform::write_through_descriptor(file.descriptor, file.text); !reason.empty())
            return "cannot write " + file.name + ": " + reason;
    }
    return rename_all();
}

// Each temporary over its file; the file it replaces keeps a second name
// until every rename is done, so that a failure can put it back.
std::string OutputFiles::rename_all() {
    for (std::size_t i = 0; i < files_.size(); ++i) {
        File& file = files_[i];
        if (file.temporary.empty()) continue;
        std::error_code error;
        const fs::file_status old = fs::status(file.target, error);
        file.existed = fs::exists(old);
        if (file.existed) {
            fs::permissions(file.temporary, old.permissions(), error);
            file.backup = unique_name(file.target, ".old");
            fs::create_hard_link(file.target, file.backup, error);
            if (error) file.backup.clear();  // a file system without links: this one cannot be put back
        }
        fs::rename(file.temporary, file.target, error);
        if (error) {
            std::string problem = "cannot write " + file.name + ": " + error.message();
            if (!file.backup.empty()) fs::remove(file.backup, error);
            put_back(i);
            return problem;
        }
        file.renamed = true;
    }
    for (const File& file : files_) {
        std::error_code ignored;
        if (!file.backup.empty()) fs::remove(file.backup, ignored);
    }
    return "";
}

// Undoes the first `count` files' renames: the old file back, or no file
// where there was none.
void OutputFiles::put_back(std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) {
        const File& file = files_[i];
        std::error_code ignored;
        if (!file.renamed) continue;
        if (!file.backup.empty()) {
            fs::rename(file.backup, file.target, ignored);
        } else if (!file.existed) {
            fs::remove(file.target, ignored);
        }
    }
}

std::string write_standard_output(const std::string& text) {
    // Closed at start, it is held on the null device: nothing would arrive.
    if (platform::standard_output_closed()) return "it is closed";
    errno = 0;
    std::cout << text;
    std::cout.flush();
    return std::cout ? "" : system_reason(errno);
}

}  // namespace hndpos
