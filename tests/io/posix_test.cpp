// The POSIX platform layer through its seam: the errno of a failed call
// becomes the code the failure messages are keyed on, and the file lock
// decides between a second writer and a file system without locks.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

#include "io/platform/platform.h"
#include "io/platform/posix_calls.h"

namespace hndpos::platform {
namespace {

int injected_errno = 0;

class PosixTest : public ::testing::Test {
protected:
    void SetUp() override {
        saved_ = posix_calls();
        char pattern[] = "/tmp/hndpos-posix-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        directory_ = pattern;
        path_ = directory_ + "/hpostbl.c";
    }
    void TearDown() override {
        posix_calls() = saved_;
        std::remove(path_.c_str());
        rmdir(directory_.c_str());
    }
    void write_existing(const std::string& bytes) { std::ofstream(path_, std::ios::binary) << bytes; }
    std::string contents() const {
        std::ifstream in(path_, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    std::string directory_;
    std::string path_;

private:
    PosixCalls saved_{};
};

// Every row of the mapping, and a number it does not name.
struct ErrnoCase {
    int error;
    std::int32_t code;
};
constexpr ErrnoCase errno_cases[] = {
    {ENOENT, 2},  {ENOTDIR, 3},        {ELOOP, 3},   {EMFILE, 4},  {ENFILE, 4},     {EACCES, 5},   {EPERM, 5},
    {EROFS, 5},   {EISDIR, 5},         {ETXTBSY, 5}, {EBADF, 6},   {ENOMEM, 8},     {EAGAIN, 32},  {EEXIST, 80},
    {EINVAL, 87}, {ENXIO, 55},         {ENODEV, 55}, {EPIPE, 109}, {ENOSPC, 112},   {EDQUOT, 112}, {EIO, 1117},
    {EFBIG, 223}, {ENAMETOOLONG, 206}, {ESRCH, 31},  {EXDEV, 31},  {ENOTEMPTY, 31},
};

TEST_F(PosixTest, AFailedOpenGivesTheCodeOfItsErrno) {
    posix_calls().open_file = [](const char*, int, unsigned) {
        errno = injected_errno;
        return -1;
    };
    for (const ErrnoCase& c : errno_cases) {
        injected_errno = c.error;
        std::int32_t code = 0;
        EXPECT_EQ(system_calls().create_file(path_.c_str(), code), no_handle) << c.error;
        EXPECT_EQ(code, c.code) << "errno " << c.error;
    }
}

TEST_F(PosixTest, AFailedWriteGivesTheCodeOfItsErrno) {
    posix_calls().write_bytes = [](int, const void*, std::size_t) -> long {
        errno = injected_errno;
        return -1;
    };
    const std::uint8_t byte = 'x';
    for (const ErrnoCase& c : errno_cases) {
        if (c.error == EAGAIN) continue;  // a write that would block, below
        injected_errno = c.error;
        const WriteStep step = system_calls().write_some(1, &byte, 1);
        EXPECT_EQ(step.code, c.code) << "errno " << c.error;
        EXPECT_FALSE(step.interrupted || step.would_block) << c.error;
    }
    for (const int error : {EAGAIN, EWOULDBLOCK}) {
        injected_errno = error;
        const WriteStep step = system_calls().write_some(1, &byte, 1);
        EXPECT_TRUE(step.would_block && step.code == 0) << error;
    }
    injected_errno = EINTR;
    EXPECT_TRUE(system_calls().write_some(1, &byte, 1).interrupted);
}

// A new file's descriptor that took a standard one's number moves above
// them; where that fails, EINVAL (the descriptor limit leaves no number
// above them) is too many open files, and any other errno is its own code.
int kept_stderr = -1;
TEST_F(PosixTest, AFailedMoveAboveTheStandardDescriptorsGivesItsCode) {
    kept_stderr = dup(STDERR_FILENO);
    ASSERT_GE(kept_stderr, 0);
    posix_calls().open_file = [](const char*, int, unsigned) { return dup2(kept_stderr, STDERR_FILENO); };
    posix_calls().copy_descriptor_from = [](int, int) {
        errno = injected_errno;
        return -1;
    };
    for (const auto& [error, expected] : {std::pair{EINVAL, 4}, std::pair{EMFILE, 4}, std::pair{EBADF, 6}}) {
        injected_errno = error;
        std::int32_t code = 0;
        EXPECT_EQ(system_calls().create_file(path_.c_str(), code), no_handle) << error;
        EXPECT_EQ(code, expected) << "errno " << error;
    }
    dup2(kept_stderr, STDERR_FILENO);
    close(kept_stderr);
}

TEST_F(PosixTest, TheLockDecidesBetweenASecondWriterAndAFileSystemWithoutLocks) {
    struct Case {
        int lock_errno;  // 0: the lock is granted
        bool created;
        std::int32_t code;
    };
    const Case cases[] = {
        {0, true, 0},          {ENOLCK, true, 0},  // no lock manager (some network mounts)
        {EOPNOTSUPP, true, 0},                     // a file system without record locks
        {EINVAL, true, 0},                         // the same, as some mounts say it
        {EAGAIN, false, 32},                       // another process holds the lock
        {EACCES, false, 32},                       // the same, as some systems say it
        {EDEADLK, false, 31},                      // any other failure of the lock
    };
    posix_calls().set_write_lock = [](int) {
        if (injected_errno == 0) return 0;
        errno = injected_errno;
        return -1;
    };
    for (const Case& c : cases) {
        write_existing("the previous table");
        injected_errno = c.lock_errno;
        std::int32_t code = 0;
        const FileHandle handle = system_calls().create_file(path_.c_str(), code);
        EXPECT_EQ(handle != no_handle, c.created) << c.lock_errno;
        EXPECT_EQ(code, c.code) << c.lock_errno;
        // Refused: the file is untouched. Taken: it is truncated and writable.
        if (!c.created) {
            EXPECT_EQ(contents(), "the previous table") << c.lock_errno;
            continue;
        }
        EXPECT_EQ(contents(), "") << c.lock_errno;
        const std::uint8_t bytes[] = {'o', 'k'};
        EXPECT_EQ(system_calls().write_some(handle, bytes, 2).written, 2u);
        EXPECT_EQ(system_calls().close_file(handle), 0);
        EXPECT_EQ(contents(), "ok") << c.lock_errno;
    }
}

}  // namespace
}  // namespace hndpos::platform
