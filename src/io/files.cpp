#include "io/files.h"

#include <algorithm>
#include <cerrno>

#include "io/platform/platform.h"

namespace hndpos {
namespace {

using platform::FileKind;
using platform::FileStatus;
using platform::system_calls;

std::string reason(int error) { return system_calls().error_text(error); }

std::string shown_input(std::string_view name) {
    return name == standard_stream_name ? "standard input" : std::string(name);
}

// The directory a path names its file in, and the file's own name.
std::string directory_of(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string last_part(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The name with its symbolic links followed to what they name, whether
// that exists or not; a link's relative text is taken from its directory.
// A link to a descriptor's name (/dev/stdout) stops there: `descriptor`.
std::string follow_links(std::string path, int& descriptor) {
    descriptor = system_calls().descriptor_spelled(path.c_str());
    for (int hops = 0; hops < 40 && descriptor < 0; ++hops) {
        std::string target;
        if (system_calls().read_link(path.c_str(), target) != 0) return path;
        path = target.starts_with('/') || directory_of(path) == "." ? target
                                                                    : directory_of(path).append("/").append(target);
        descriptor = system_calls().descriptor_spelled(path.c_str());
    }
    return path;
}

std::string temporary_name(const std::string& target, const char* kind) {
    return target + kind + std::to_string(system_calls().random_number() % 1000000000u);
}

// TEXT as a new file beside TARGET, under a name no other file has; 0 or
// an error.
int write_new_file(const std::string& target, const char* kind, std::string_view text, std::string& name) {
    int error = EEXIST;
    for (int attempt = 0; attempt < 16 && error == EEXIST; ++attempt) {
        name = temporary_name(target, kind);
        error = system_calls().write_file(name.c_str(), text, true);
    }
    // Only EEXIST leaves another's file under the name; any other failure
    // may leave part of this one.
    if (error != 0 && error != EEXIST) (void)system_calls().remove_file(name.c_str());
    if (error != 0) name.clear();
    return error;
}

// Runs writing into one directory take turns; released when it goes.
class DirectoryLocks {
public:
    explicit DirectoryLocks(std::vector<std::string> directories) {
        std::sort(directories.begin(), directories.end());
        directories.erase(std::unique(directories.begin(), directories.end()), directories.end());
        for (const std::string& directory : directories) {
            const platform::FileHandle handle = system_calls().lock_directory(directory.c_str());
            if (handle != platform::no_handle) handles_.push_back(handle);
        }
    }
    DirectoryLocks(const DirectoryLocks&) = delete;
    DirectoryLocks& operator=(const DirectoryLocks&) = delete;
    ~DirectoryLocks() {
        for (const platform::FileHandle handle : handles_) (void)system_calls().close_file(handle);
    }

private:
    std::vector<platform::FileHandle> handles_;
};

}  // namespace

std::string read_whole_file(std::string_view name, std::string& bytes) {
    const std::string path(name);
    const int error =
        system_calls().read_file(name == standard_stream_name ? nullptr : path.c_str(), bytes, max_input_bytes);
    if (error == 0) return "";
    if (error == EFBIG)
        return "cannot read " + shown_input(name) + ": larger than " + std::to_string(max_input_bytes >> 20) +
               " MiB, and hndpos-tables writes no table file that large";
    return "cannot read " + shown_input(name) + ": " + reason(error);
}

std::string write_standard_output(std::string_view text) {
    const int error = system_calls().write_descriptor(1, text);
    return error == 0 ? "" : reason(error);
}

void write_standard_error(std::string_view text) { (void)system_calls().write_descriptor(2, text); }

bool is_regular_file(std::string_view name) {
    return system_calls().file_status(std::string(name).c_str(), true).kind == FileKind::regular;
}

bool exists(std::string_view name) { return system_calls().file_status(std::string(name).c_str(), false).exists(); }

std::string path_beside(std::string_view file, std::string_view name) {
    const std::size_t slash = file.rfind('/');
    const std::string directory = OutputFiles::names_descriptor(file) || slash == std::string_view::npos
                                      ? ""
                                      : std::string(file.substr(0, slash + 1));
    const std::string path = directory + std::string(name);
    return path == standard_stream_name ? "./" + path : path;
}

bool OutputFiles::names_descriptor(std::string_view name) {
    if (name == standard_stream_name) return true;
    int descriptor = -1;
    const std::string path = follow_links(std::string(name), descriptor);
    if (descriptor >= 0) return true;
    const FileStatus status = system_calls().file_status(path.c_str(), true);
    for (const int descriptor : {1, 2})
        if (status.same_file(system_calls().descriptor_status(descriptor))) return true;
    return false;
}

OutputFiles::~OutputFiles() { remove_leftovers(); }

void OutputFiles::add(std::string_view name, std::string text) {
    File file;
    file.name = name == standard_stream_name ? "standard output" : std::string(name);
    file.text = std::move(text);
    const std::string path(name);
    if (name == standard_stream_name) {
        file.descriptor = 1;
    } else if (file.target = follow_links(path, file.descriptor); file.descriptor < 0) {
        const FileStatus status = system_calls().file_status(file.target.c_str(), true);
        for (const int descriptor : {1, 2})
            if (status.same_file(system_calls().descriptor_status(descriptor))) file.descriptor = descriptor;
        file.in_place = status.kind == FileKind::device || status.kind == FileKind::fifo;
    }
    files_.push_back(std::move(file));
}

void OutputFiles::add_input(std::string_view name) { inputs_.emplace_back(name); }

OutputFiles::Identity OutputFiles::identity_of(const File& file) {
    const auto of = [](const FileStatus& status, std::string name) {
        return status.exists() ? Identity{true, status.device, status.file, std::move(name)} : Identity{};
    };
    if (file.descriptor >= 0) return of(system_calls().descriptor_status(file.descriptor), "");
    const FileStatus status = system_calls().file_status(file.target.c_str(), true);
    if (status.exists()) return of(status, "");
    return of(system_calls().file_status(directory_of(file.target).c_str(), true), last_part(file.target));
}

OutputFiles::Identity OutputFiles::input_identity(std::string_view input) {
    const FileStatus status = input == standard_stream_name
                                  ? system_calls().descriptor_status(0)
                                  : system_calls().file_status(std::string(input).c_str(), true);
    return status.exists() ? Identity{true, status.device, status.file, ""} : Identity{};
}

std::string OutputFiles::clash() const {
    for (std::size_t i = 0; i < files_.size(); ++i) {
        const Identity identity = identity_of(files_[i]);
        for (std::size_t j = i + 1; j < files_.size(); ++j) {
            const bool same_descriptor = files_[i].descriptor >= 0 && files_[i].descriptor == files_[j].descriptor;
            if (same_descriptor || (identity.known && identity == identity_of(files_[j])))
                return files_[i].name + " and " + files_[j].name + " are the same file";
        }
        for (const std::string& input : inputs_) {
            // Standard output is never taken for standard input.
            if (files_[i].descriptor >= 0 && input == standard_stream_name) continue;
            const Identity read = input_identity(input);
            if (read.known && identity.known && read == identity)
                return "the output " + files_[i].name + " is the input " + shown_input(input);
        }
    }
    return "";
}

// What can be known before anything is written: a directory in the way, a
// file that nobody may write (refused even where root could write it).
std::string OutputFiles::prepare() {
    for (const File& file : files_) {
        if (file.descriptor >= 0) continue;
        const FileStatus status = system_calls().file_status(file.target.c_str(), true);
        if (status.kind == FileKind::directory || last_part(file.target).empty())
            return "cannot write " + file.name + ": it is a directory";
        if (status.kind == FileKind::regular && (status.permissions & 0222u) == 0)
            return "cannot write " + file.name + ": access denied: nobody may write it";
    }
    return "";
}

// The new files under temporary names, then what is written as it is: a
// failure of any leaves every file as it was.
std::string OutputFiles::write_first() {
    for (File& file : files_) {
        if (file.descriptor >= 0 || file.in_place) continue;
        if (const int error = write_new_file(file.target, ".tmp", file.text, file.temporary); error != 0)
            return "cannot write " + file.name + ": " + reason(error);
    }
    return "";
}

// A second name for each file a rename will replace: a link, or a copy of
// its bytes where the file system has no links.
std::string OutputFiles::keep_old_files() {
    for (File& file : files_) {
        if (file.temporary.empty()) continue;
        const FileStatus old = system_calls().file_status(file.target.c_str(), true);
        file.existed = old.exists();
        file.permissions = old.permissions;
        if (!file.existed) continue;
        file.backup = temporary_name(file.target, ".old");
        if (system_calls().link_file(file.target.c_str(), file.backup.c_str()) == 0) continue;
        std::string bytes;
        int error = system_calls().read_file(file.target.c_str(), bytes, max_input_bytes);
        if (error == 0) error = write_new_file(file.target, ".old", bytes, file.backup);
        if (error == 0) error = system_calls().set_permissions(file.backup.c_str(), file.permissions);
        if (error != 0) {
            file.backup.clear();
            return "cannot write " + file.name + ": cannot keep the file it replaces to put it back: " + reason(error);
        }
    }
    return "";
}

OutputFiles::Outcome OutputFiles::commit() {
    if (std::string problem = prepare(); !problem.empty()) return {problem, true};
    std::vector<std::string> directories;
    for (const File& file : files_)
        if (file.descriptor < 0 && !file.in_place) directories.push_back(directory_of(file.target));
    const DirectoryLocks locks(std::move(directories));
    if (std::string problem = write_first(); !problem.empty()) return {problem, true};
    if (std::string problem = keep_old_files(); !problem.empty()) return {problem, true};
    for (const File& file : files_) {
        int error = 0;
        if (file.descriptor >= 0) {
            error = system_calls().write_descriptor(file.descriptor, file.text);
        } else if (file.in_place) {
            error = system_calls().write_file(file.target.c_str(), file.text, false);
        }
        if (error != 0) return {"cannot write " + file.name + ": " + reason(error), true};
    }
    return rename_all();
}

// Each temporary over its file, its old permissions kept. The renames
// follow one another with nothing between them; a terminating signal in
// their midst puts back what was replaced (platform::begin_pending).
OutputFiles::Outcome OutputFiles::rename_all() {
    std::vector<platform::PendingFile> pending;
    for (const File& file : files_)
        if (!file.temporary.empty()) pending.push_back({file.temporary, file.target, file.backup});
    platform::begin_pending(pending);
    struct EndPending {
        ~EndPending() { platform::end_pending(); }
    } end_pending;
    std::size_t renames = 0;
    for (std::size_t i = 0; i < files_.size(); ++i) {
        File& file = files_[i];
        if (file.temporary.empty()) continue;
        if (file.existed) (void)system_calls().set_permissions(file.temporary.c_str(), file.permissions);
        platform::mark_renamed(renames++);  // before: the signal may come while it is done
        if (const int error = system_calls().rename_file(file.temporary.c_str(), file.target.c_str()); error != 0) {
            std::string problem = "cannot write " + file.name + ": " + reason(error);
            const std::string left = put_back(i);
            return {left.empty() ? problem : problem + left, left.empty()};
        }
        file.renamed = true;
        file.temporary.clear();
    }
    for (File& file : files_) {
        if (!file.backup.empty()) (void)system_calls().remove_file(file.backup.c_str());
        file.backup.clear();
    }
    return {};
}

// Undoes the first `count` files' renames: the old file back, or no file
// where there was none. What could not be undone, or "".
std::string OutputFiles::put_back(std::size_t count) {
    std::string left;
    for (std::size_t i = 0; i < count; ++i) {
        File& file = files_[i];
        if (!file.renamed) continue;
        const int error = file.existed ? system_calls().rename_file(file.backup.c_str(), file.target.c_str())
                                       : system_calls().remove_file(file.target.c_str());
        if (error == 0) {
            file.backup.clear();
            continue;
        }
        left += "; " + file.name + " was replaced and could not be put back (" + reason(error) + ")";
        if (file.existed) left += ": the old file is " + file.backup;
        file.backup.clear();  // kept for the user
    }
    return left;
}

void OutputFiles::remove_leftovers() {
    for (File& file : files_) {
        if (!file.temporary.empty()) (void)system_calls().remove_file(file.temporary.c_str());
        if (!file.backup.empty()) (void)system_calls().remove_file(file.backup.c_str());
        file.temporary.clear();
        file.backup.clear();
    }
}

}  // namespace hndpos
