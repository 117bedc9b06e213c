// The companion programs' all-or-nothing writing, with faults injected into
// each system call it makes: whatever fails, every file is as it was and
// no temporary is left, or the report says exactly what could not be put
// back and where the old file is.
#include "io/files.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <map>
#include <string>
#include <vector>

#include "io/fault_script.h"

namespace hndpos {
namespace {

using testing::FaultScript;

class FilesTest : public testing::FaultScriptTest {
protected:
    // dial.h and dial.c as an earlier run left them, then a run that
    // replaces both.
    OutputFiles::Outcome replace_pair(const std::vector<FaultScript::Fault>& faults, bool old_files = true) {
        start_case();
        if (old_files) system_.files.files = {{"dial.h", "old header"}, {"dial.c", "old source"}};
        system_.faults = faults;
        OutputFiles files;
        files.add("dial.h", "new header");
        files.add("dial.c", "new source");
        EXPECT_EQ(files.clash(), "");
        return files.commit();
    }
    std::map<std::string, std::string> old_pair() const { return {{"dial.h", "old header"}, {"dial.c", "old source"}}; }
};

TEST_F(FilesTest, EveryFailureLeavesThePairAsItWas) {
    struct Case {
        const char* what;
        std::vector<FaultScript::Fault> faults;
        const char* problem;
    };
    const Case cases[] = {
        {"the first temporary", {{"write_file", 1, ENOSPC}}, "cannot write dial.h: No space left on device"},
        {"the second temporary", {{"write_file", 2, EIO}}, "cannot write dial.c: Input/output error"},
        {"the header's rename", {{"rename_file", 1, EACCES}}, "cannot write dial.h: Permission denied"},
        {"the source's rename", {{"rename_file", 2, EXDEV}}, "cannot write dial.c: Invalid cross-device link"},
        // No links: the old header is kept as a copy, and put back from it.
        {"no links, then the source's rename",
         {{"link_file", 1, EPERM}, {"link_file", 2, EPERM}, {"rename_file", 2, ENOSPC}},
         "cannot write dial.c: No space left on device"},
        {"no links and no room for the copy",
         {{"link_file", 1, EPERM}, {"write_file", 3, ENOSPC}},
         "cannot write dial.h: cannot keep the file it replaces to put it back: No space left on device"},
    };
    for (const Case& c : cases) {
        const OutputFiles::Outcome outcome = replace_pair(c.faults);
        EXPECT_EQ(outcome.problem, c.problem) << c.what;
        EXPECT_TRUE(outcome.untouched) << c.what;
        EXPECT_EQ(system_.files.files, old_pair()) << c.what;
    }
}

TEST_F(FilesTest, NewFilesGoAgainWhenTheSecondRenameFails) {
    const OutputFiles::Outcome outcome = replace_pair({{"rename_file", 2, ENOSPC}}, false);
    EXPECT_TRUE(outcome.untouched);
    EXPECT_TRUE(system_.files.files.empty());
}

TEST_F(FilesTest, APutBackThatFailsIsReportedWithTheOldFile) {
    const OutputFiles::Outcome outcome = replace_pair({{"rename_file", 2, ENOSPC}, {"rename_file", 3, EIO}});
    EXPECT_FALSE(outcome.untouched);
    EXPECT_NE(outcome.problem.find("dial.h was replaced and could not be put back (Input/output error): the old "
                                   "file is dial.h.old"),
              std::string::npos)
        << outcome.problem;
    std::string kept;
    for (const auto& [name, bytes] : system_.files.files)
        if (name.starts_with("dial.h.old")) kept = bytes;
    EXPECT_EQ(kept, "old header");
    EXPECT_EQ(*system_.files.find("dial.c"), "old source");
}

TEST_F(FilesTest, ASuccessfulRunLeavesOnlyItsFiles) {
    const OutputFiles::Outcome outcome = replace_pair({});
    EXPECT_EQ(outcome.problem, "");
    EXPECT_EQ(system_.files.files,
              (std::map<std::string, std::string>{{"dial.h", "new header"}, {"dial.c", "new source"}}));
}

// What goes through standard output comes before any rename: when it
// fails, no file is replaced.
TEST_F(FilesTest, AFailedStandardOutputReplacesNoFile) {
    system_.files.files = {{"dial.h", "old header"}};
    system_.faults = {{"write_descriptor", 1, EPIPE}};
    {
        OutputFiles files;
        files.add("dial.h", "new header");
        files.add("-", "source");
        EXPECT_EQ(files.commit().problem, "cannot write standard output: Broken pipe");
    }
    EXPECT_EQ(system_.files.files, (std::map<std::string, std::string>{{"dial.h", "old header"}}));
}

TEST_F(FilesTest, OneFileTwiceOrTheInputIsAClash) {
    system_.files.files = {{"in.c", "table"}};
    system_.files.directories = {"sub"};
    struct Case {
        std::vector<const char*> outputs;
        const char* input;
        const char* clash;
    };
    const Case cases[] = {
        {{"x.c", "./x.c"}, "in.c", "x.c and ./x.c are the same file"},
        {{"sub/../x.c", "x.c"}, "in.c", "sub/../x.c and x.c are the same file"},
        {{"-", "-"}, "in.c", "standard output and standard output are the same file"},
        {{"out.svg", "./in.c"}, "in.c", "the output ./in.c is the input in.c"},
        {{"out.svg"}, "-", ""},
        {{"-"}, "-", ""},
    };
    for (const Case& c : cases) {
        OutputFiles files;
        files.add_input(c.input);
        for (const char* output : c.outputs) files.add(output, "text");
        EXPECT_EQ(files.clash(), c.clash) << c.outputs[0];
    }
}

TEST_F(FilesTest, ReadingStopsPastTheLimit) {
    system_.files.files = {{"big.json", ""}, {"small.json", "{}"}};
    system_.faults = {{"read_file", 2, EFBIG}};
    std::string bytes;
    EXPECT_EQ(read_whole_file("small.json", bytes), "");
    EXPECT_EQ(bytes, "{}");
    EXPECT_EQ(read_whole_file("big.json", bytes),
              "cannot read big.json: larger than 256 MiB, and hndpos-tables writes no table file that large");
    EXPECT_EQ(read_whole_file("missing.json", bytes), "cannot read missing.json: No such file or directory");
}

}  // namespace
}  // namespace hndpos
