#include "request/options.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "request/tables_request.h"
#include "request/view_request.h"

namespace hndpos {
namespace {

std::string project_file(const std::string& name) {
    std::ifstream in(std::string(HNDPOS_TEST_DATA_DIR) + "/../" + name, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// How a manual page spells an option: every '-' as "\-".
std::string in_groff(std::string_view name) {
    std::string text;
    for (const char c : name) text += c == '-' ? std::string("\\-") : std::string(1, c);
    return text;
}

TEST(OptionTables, EveryOptionIsInTheManual) {
    TablesRequest tables;
    ViewRequest view;
    for (const auto& [page, table] : {std::pair{"doc/hndpos-tables.1", tables_option_table(tables)},
                                      std::pair{"doc/hndpos-view.1", view_option_table(view)}}) {
        const std::string manual = project_file(page);
        ASSERT_FALSE(manual.empty()) << page;
        for (const Option& option : table) {
            EXPECT_NE(manual.find(in_groff(option.name)), std::string::npos) << page << " lacks " << option.name;
            if (option.short_name != 0) {
                EXPECT_NE(manual.find("\\-" + std::string(1, option.short_name)), std::string::npos)
                    << page << " lacks -" << option.short_name;
            }
        }
    }
}

// One set of rules for both programs, shown on a small table.
TEST(CompanionCommandLine, OneSetOfRulesForBothPrograms) {
    struct Case {
        std::vector<const char*> arguments;
        std::string expected;  // what was read, or the refusal
    };
    const std::vector<Case> cases = {
        {{"--name", "a", "-f", "--", "-o"}, "name=a flag operand=-o"},
        {{"--name=a=b", "--pair", "3x4"}, "name=a=b pair=3,4"},
        {{"--pair=3x4", "x"}, "pair=3,4 operand=x"},
        {{"--pair", "3", "4"}, "pair=3,4"},
        {{"--pair", "3"}, "option --pair takes two values: W H"},
        {{"--pair=3"}, "option --pair takes two values: W H"},
        {{"--name"}, "option --name takes a value, V"},
        {{"-f", "--flag"}, "option --flag is given more than once"},
        {{"--flag=1"}, "option --flag takes no value"},
        {{"--bogus=1"}, "unknown option --bogus"},
        {{"-x"}, "unknown option -x"},
        {{"--stop", "--bogus"}, "stop"},
    };
    for (const Case& c : cases) {
        std::string read;
        const auto note = [&read](const std::string& what) { read += (read.empty() ? "" : " ") + what; };
        const std::vector<Option> table = {
            {.name = "--name", .values = {text_named("V")}, .handle = [&](const auto& v) { note("name=" + v[0]); }},
            {.name = "--flag", .short_name = 'f', .handle = [&](const auto&) { note("flag"); }},
            {.name = "--pair",
             .values = {{"W"}, {"H"}},
             .handle = [&](const auto& v) { note("pair=" + v[0] + "," + v[1]); },
             .joined_by_x = true},
            {.name = "--stop", .handle = [&](const auto&) { note("stop"); }, .ends_parsing = true},
        };
        std::vector<const char*> argv = {"program"};
        argv.insert(argv.end(), c.arguments.begin(), c.arguments.end());
        try {
            parse_command_line(table, static_cast<int>(argv.size()), argv.data(),
                               [&](const std::string& operand) { note("operand=" + operand); });
        } catch (const OptionError& error) {
            read = error.message;
        }
        EXPECT_EQ(read, c.expected) << c.arguments.front();
    }
}

// Both programs take a panel's size by one rule, in both spellings.
TEST(CompanionCommandLine, BothProgramsReadTheDisplayAlike) {
    const struct {
        std::vector<const char*> arguments;
        std::int64_t width;  // 0: refused
        std::int64_t height;
    } cases[] = {
        {{"--display", "128x64"}, 128, 64}, {{"--display", "466", "466"}, 466, 466},
        {{"--display=65535x1"}, 65535, 1},  {{"--display", "$140x$F0"}, 320, 240},
        {{"--display", "65536x1"}, 0, 0},   {{"--display", "0x64"}, 0, 0},
        {{"--display", "128"}, 0, 0},       {{"--display", "-1", "64"}, 0, 0},
    };
    for (const auto& c : cases) {
        std::vector<const char*> view_argv = {"hndpos-view"};
        view_argv.insert(view_argv.end(), c.arguments.begin(), c.arguments.end());
        std::vector<const char*> tables_argv = {"hndpos-tables", "--center", "0", "0", "--radii", "1", "1", "1", "-o",
                                                "dial.c"};
        tables_argv.insert(tables_argv.end(), c.arguments.begin(), c.arguments.end());
        ViewRequest view;
        TablesRequest tables;
        bool view_read = true;
        bool tables_read = true;
        try {
            read_view_request(static_cast<int>(view_argv.size()), view_argv.data(), view);
        } catch (const OptionError&) {
            view_read = false;
        }
        try {
            read_tables_request(static_cast<int>(tables_argv.size()), tables_argv.data(), tables);
        } catch (const OptionError&) {
            tables_read = false;
        }
        EXPECT_EQ(view_read, c.width != 0) << c.arguments.back();
        EXPECT_EQ(tables_read, c.width != 0) << c.arguments.back();
        if (view_read && tables_read) {
            EXPECT_TRUE(view.display->width == c.width && view.display->height == c.height) << c.arguments.back();
            EXPECT_TRUE(tables.display->width == c.width && tables.display->height == c.height) << c.arguments.back();
        }
    }
}

}  // namespace
}  // namespace hndpos
