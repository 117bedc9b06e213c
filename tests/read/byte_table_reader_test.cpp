#include "read/byte_table_reader.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <utility>

#include "read/golden_tables.h"

namespace hndpos {
namespace {

using testing::complete_golden_tables;
using testing::golden;

// The entries as the file's text shows them, read with nothing but splitting.
std::vector<int> numbers_in_rows(const std::string& file) {
    std::vector<int> numbers;
    std::istringstream lines(file);
    std::string line;
    for (int n = 1; std::getline(lines, line); ++n) {
        if (n < 3) continue;
        std::string digits;
        for (const char c : line.substr(line.find_first_not_of('\t') == 0 ? line.find('{') + 1 : 0)) {
            if (c >= '0' && c <= '9') {
                digits += c;
            } else if (!digits.empty()) {
                numbers.push_back(std::stoi(digits));
                digits.clear();
            }
        }
    }
    return numbers;
}

TEST(TableReader, RecoversWhatHndposWrote) {
    for (const std::string& name : complete_golden_tables()) {
        const std::string file = golden(name);
        const ReadResult result = read_table_file(file);
        ASSERT_TRUE(result.ok) << name << ": line " << result.line << ": " << result.message;
        const std::vector<int> numbers = numbers_in_rows(file);
        ASSERT_EQ(numbers.size(), 360u) << name;
        for (std::size_t i = 0; i < 360; ++i)
            EXPECT_EQ(result.table.entries[i / 180][i % 180], numbers[i]) << name << " " << i;
    }
    const ReadResult example = read_table_file(golden("example"));
    EXPECT_EQ(example.table.params.CenterX, 83);
    EXPECT_EQ(example.table.params.SecondRadius, 14);
}

std::string replaced(std::string text, const std::string& from, const std::string& to) {
    const std::size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    return text.replace(at, from.size(), to);
}

TEST(TableReader, RefusesAnythingElseNamingTheLine) {
    const std::string file = golden("example");
    struct Case {
        const char* what;
        std::string bytes;
        int line;
        const char* message_part;
    };
    const Case cases[] = {
        {"truncated", file.substr(0, file.size() - 30), 26, "CR LF"},
        {"cut after a line", file.substr(0, file.find("int ytbl")), 15, "end of the file"},
        {"a changed number", replaced(file, "87,87,88", "87,86,88"), 3, "edited or is stale"},
        {"a changed y number", replaced(file, "16,16,16,17", "16,16,16,18"), 23,
         "y entry of the second hand at position 3"},
        {"a missing };", replaced(file, "80,82};", "80,82,"), 14, "};"},
        {"a line of LF alone", replaced(file, "92,\r\n", "92,\n"), 3, "CR LF"},
        {"a non-Shift_JIS line",
         replaced(file, "int xtbl",
                  "\xff"
                  "nt xtbl"),
         3, "Shift_JIS"},
        {"a leading zero", replaced(file, "{\t83,", "{\t083,"), 3, "0 to 255"},
        {"an entry above 255", replaced(file, "{\t83,", "{\t300,"), 3, "0 to 255"},
        {"sixteen entries", replaced(file, "{\t83,", "{\t83,83,"), 3, "15 entries"},
        {"a space", replaced(file, "{\t83,", "{ 83,"), 3, "begin with"},
        {"a changed title", replaced(file, "/* ", "/*  "), 1, "title"},
        {"a changed summary", replaced(file, "83:30", "83:031"), 2, "summary"},
        {"a summary of other parameters", replaced(file, "83:30", "84:30"), 3, "edited or is stale"},
        {"bytes after the last line", file + "\r\n", 27, "end of the file"},
        {"the empty file", "", 1, "end of the file"},
    };
    for (const Case& c : cases) {
        const ReadResult result = read_table_file(c.bytes);
        EXPECT_FALSE(result.ok) << c.what;
        EXPECT_EQ(result.line, c.line) << c.what << ": " << result.message;
        EXPECT_NE(result.message.find(c.message_part), std::string::npos) << c.what << ": " << result.message;
    }
}

// A summary comment with a number too many or too few is refused at line 2
// with a message of its own, for every table, all-zero ones included.
TEST(TableReader, RefusesASummaryWithOtherThanFiveNumbers) {
    for (const std::string& name : complete_golden_tables()) {
        const std::string file = golden(name);
        const std::size_t summary_end = file.find(" */\r\n", file.find("\r\n") + 2);
        const std::size_t last_number = file.rfind(' ', summary_end - 1);
        const std::string six = std::string(file).insert(summary_end, " 0");
        const std::string four = std::string(file).erase(last_number, summary_end - last_number);
        for (const auto& [bytes, count] : {std::pair{six, "6"}, std::pair{four, "4"}}) {
            const ReadResult result = read_table_file(bytes);
            EXPECT_FALSE(result.ok) << name;
            EXPECT_EQ(result.line, 2) << name;
            EXPECT_NE(
                result.message.find(std::string("five parameters in the summary comment, found ") + count + " numbers"),
                std::string::npos)
                << name << ": " << result.message;
        }
    }
}

}  // namespace
}  // namespace hndpos
