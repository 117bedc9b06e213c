#include "driver/integer_syntax.h"

#include <gtest/gtest.h>

#include <string>

#include "io/failure.h"

namespace hndpos {
namespace {

struct Accepted {
    std::string text;
    std::int32_t value;
};

TEST(IntegerSyntax, AcceptsTheDocumentedForms) {
    const Accepted cases[] = {
        {"83", 83},
        {"   12", 12},
        {"+7", 7},
        {"-5", -5},
        {" -5", -5},
        {"-0", 0},
        {"+0", 0},
        {"007", 7},
        {"-007", -7},
        {std::string(33, '0') + "2147483647", 2147483647},
        {"2147483647", 2147483647},
        {"-2147483647", -2147483647},
        {"214748364", 214748364},
        {"$ff", 255},
        {"$FF", 255},
        {"$00000000FF", 255},
        {"  $1F", 31},
        {"$aBcD", 43981},
        {"$7FFFFFFF", 2147483647},
        {"$80000000", -2147483647 - 1},
        {"$FFFFFFFF", -1},
        {"$0", 0},
        {"$" + std::string(40, '0') + "FFFFFFFF", -1},
        {std::string("12\0"
                     "x",
                     4),
         12},  // a NUL byte ends the text
    };
    for (const Accepted& c : cases) {
        const ScannedInteger scanned = scan_integer(c.text);
        EXPECT_TRUE(scanned.accepted) << "[" << c.text << "]";
        EXPECT_EQ(scanned.value, c.value) << "[" << c.text << "]";
        EXPECT_EQ(parse_integer_argument(c.text), c.value) << "[" << c.text << "]";
    }
}

TEST(IntegerSyntax, RejectsEverythingElse) {
    const std::string rejected[] = {
        "12 ",
        "\t5",
        "5\t",
        "\r5",
        "\n5",
        "- 5",
        "--5",
        "+-5",
        "-+5",
        "5-",
        "2147483648",
        "-2147483648",
        "2147483650",
        "4294967296",
        "4294967297",
        "99999999999",
        "21474836470",
        "$100000000",
        "$FFFFFFFFF",
        "$",
        "$ 1",
        "$G",
        "$-1",
        "$+1",
        "-$10",
        "+$10",
        "0x10",
        "x1F",
        "1Fh",
        "1e3",
        "1.0",
        "12x",
        "x12",
        "1 2",
        "",
        " ",
        "   ",
        "-",
        "+",
        "\x82\x50",  // full-width 1 in Shift_JIS
        "\x81\x40"
        "5",  // full-width space
        "1,000",
        "\xb1",
        std::string("\0"
                    "5",
                    2),
    };
    for (const std::string& text : rejected) {
        EXPECT_FALSE(scan_integer(text).accepted) << "[" << text << "]";
        EXPECT_THROW(parse_integer_argument(text), EConvertError) << "[" << text << "]";
    }
}

TEST(IntegerSyntax, ConversionMessageQuotesTheWholeText) {
    const std::string suffix = "' \x82\xcd\x90\xae\x90\x94\x82\xc5\x82\xcd\x82\xa0\x82\xe8\x82\xdc\x82\xb9\x82\xf1";
    const std::string texts[] = {"1 2", "", "  x"};
    for (const std::string& text : texts) {
        try {
            parse_integer_argument(text);
            ADD_FAILURE() << "accepted [" << text << "]";
        } catch (const EConvertError& failure) {
            EXPECT_EQ(failure.message(), "'" + text + suffix);
            EXPECT_EQ(failure.class_name(), "EConvertError");
        }
    }
}

}  // namespace
}  // namespace hndpos
