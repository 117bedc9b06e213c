#include "driver/command_line.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace hndpos {
namespace {

struct SplitCase {
    std::string line;
    std::vector<std::string> arguments;
};

std::vector<std::string> split(const std::string& line) {
    std::vector<std::string> arguments;
    const int count = raw_argument_count(line);
    for (int k = 1; k <= count; ++k) arguments.push_back(raw_argument_text(line, k));
    return arguments;
}

TEST(CommandLine, SplitsRawLines) {
    const std::vector<std::string> example = {"83", "30", "9", "13", "14"};
    const SplitCase cases[] = {
        {"HNDPOS 83 30 9 13 14", example},
        {"HNDPOS \"\" 83 30 9 13 14", example},
        {"HNDPOS 83 30 9 13 14 \"\"", example},
        {"HNDPOS 83 30 9 13 \"14", example},
        {"HNDPOS 83 30 9 1\"3\" 14", example},
        {"HNDPOS \"83 30\" 9 13 14", {"83 30", "9", "13", "14"}},
        {"HNDPOS \" 83\" 30 9 13 14", {" 83", "30", "9", "13", "14"}},
        {"HNDPOS 83,30,9,13,14", {"83,30,9,13,14"}},
        {"HNDPOS\t83\t30\t9\t13\t14", example},
        {"HNDPOS a\"\"b \"a\"\"b\" \"\"\"x\" \"\"\"\" y", {"ab", "ab", "x", "y"}},
        {"HNDPOS ab\"c d\"e", {"abc de"}},
        {"\"C:\\My Tools\\HNDPOS\" 83 30 9 13 14", example},
        {"HNDPOS", {}},
        {"HNDPOS   ", {}},
        {"", {}},
        // Own cases: control bytes separate, 0x7F does not, a backslash
        // escapes nothing, Shift_JIS bytes pass whole, NUL ends the line.
        {"HNDPOS\r\n83\x01"
         "30",
         {"83", "30"}},
        {"HNDPOS a\x7f"
         "b",
         {"a\x7f"
          "b"}},
        {"HNDPOS a\\\"b c\"d", {"a\\b cd"}},
        {"HNDPOS \x95\x5c \x83\x5c\x83"
         "A",
         {"\x95\x5c",
          "\x83\x5c\x83"
          "A"}},
        {std::string("HNDPOS 1\0 2", 11), {"1"}},
        {"HNDPOS \"\"\"\"\"\" \"\"", {}},
        {"HNDPOS \"", {}},
        {"HNDPOS \" \"", {" "}},
    };
    for (const SplitCase& c : cases) EXPECT_EQ(split(c.line), c.arguments) << "[" << c.line << "]";
}

// Every byte from 0x01 to 0x20 separates, between arguments and before and
// after them; the bytes next to that range ("!" 0x21, DEL 0x7F, and 0x80 and
// above) are ordinary, and so is each of them inside quotes.
TEST(CommandLine, SeparatorBytesAreExactly0x01To0x20) {
    for (int byte = 0x01; byte <= 0xFF; ++byte) {
        const std::string b(1, static_cast<char>(byte));
        if (byte == '"') continue;
        const bool separates = byte <= 0x20;
        const std::vector<std::string> apart = {"a", "b"};
        const std::vector<std::string> together = {"a" + b + "b"};
        // An ordinary byte joins everything to the program's own token 0.
        EXPECT_EQ(split("HNDPOS" + b + "a" + b + "b" + b), separates ? apart : std::vector<std::string>{})
            << "byte " << byte;
        EXPECT_EQ(split("HNDPOS a" + b + "b"), separates ? apart : together) << "byte " << byte;
        EXPECT_EQ(split("HNDPOS \"a" + b + "b\""), together) << "byte " << byte << " inside quotes";
    }
}

TEST(CommandLine, TokenZeroLosesItsQuotesAndStopsAtTheSeparator) {
    const ArgumentToken token = next_argument_token("\"C:\\My Tools\\HNDPOS\" 83", 0);
    EXPECT_EQ(token.text, "C:\\My Tools\\HNDPOS");
    EXPECT_EQ(token.stop, 20u);
    EXPECT_EQ(next_argument_token("a b", 3).text, "");
}

TEST(CommandLine, IndexesOutsideTheArgumentsGiveTheEmptyText) {
    const std::string line = "HNDPOS 83 30";
    EXPECT_EQ(raw_argument_text(line, 1), "83");
    EXPECT_EQ(raw_argument_text(line, 2), "30");
    for (const int k : {-1, 0, 3, 5, 1000}) EXPECT_EQ(raw_argument_text(line, k), "") << k;
}

TEST(CommandLine, LongTokensAreTakenWhole) {
    const std::string long_token(1000, '7');
    EXPECT_EQ(split("HNDPOS " + long_token + " 1"), (std::vector<std::string>{long_token, "1"}));
}

TEST(CommandLine, AnArgumentListIsTakenEntryForEntry) {
    const char* const argv[] = {"hndpos", "83", "", "9 9"};
    set_command_line(nullptr, 4, argv);
    EXPECT_EQ(argument_count(), 3);
    EXPECT_EQ(argument_text(2), "");
    EXPECT_EQ(argument_text(3), "9 9");
    EXPECT_EQ(argument_text(4), "");
    set_command_line("HNDPOS \"\" 5", 0, nullptr);
    EXPECT_EQ(argument_count(), 1);
    EXPECT_EQ(argument_text(1), "5");
    set_command_line(nullptr, 0, nullptr);
}

}  // namespace
}  // namespace hndpos
