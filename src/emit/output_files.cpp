#include "emit/output_files.h"

#include <filesystem>
#include <fstream>
#include <iostream>
#include <random>

namespace hndpos {
namespace {

namespace fs = std::filesystem;

std::string temporary_name(const std::string& target) {
    std::random_device random;
    return target + ".tmp" + std::to_string(random() % 1000000000u);
}

}  // namespace

bool write_whole_file(const std::string& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
    out.close();
    return static_cast<bool>(out);
}

OutputFiles::~OutputFiles() {
    std::error_code ignored;
    for (const File& file : files_)
        if (!file.temporary.empty()) fs::remove(file.temporary, ignored);
}

void OutputFiles::add(const std::string& name, std::string text) {
    std::error_code error;
    fs::path target = name;
    if (fs::is_symlink(fs::symlink_status(target, error))) {
        const fs::path resolved = fs::weakly_canonical(target, error);
        if (!error) target = resolved;
    }
    const fs::file_status status = fs::status(target, error);
    const bool in_place = fs::exists(status) && !fs::is_regular_file(status);
    files_.push_back(
        {name, target.string(), in_place ? std::string() : temporary_name(target.string()), std::move(text)});
}

std::string OutputFiles::commit() {
    for (const File& file : files_) {
        if (!file.temporary.empty() && !write_whole_file(file.temporary, file.text)) return "cannot write " + file.name;
    }
    for (const File& file : files_) {
        std::error_code error;
        if (file.temporary.empty()) {
            if (!write_whole_file(file.target, file.text)) return "cannot write " + file.name;
            continue;
        }
        // A file that was there keeps its permissions.
        const fs::file_status old = fs::status(file.target, error);
        if (fs::exists(old)) fs::permissions(file.temporary, old.permissions(), error);
        fs::rename(file.temporary, file.target, error);
        if (error) return "cannot write " + file.name + ": " + error.message();
    }
    return "";
}

bool write_standard_output(const std::string& text) {
    std::cout << text;
    std::cout.flush();
    return static_cast<bool>(std::cout);
}

}  // namespace hndpos
