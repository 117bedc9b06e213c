// The JSON reader: what it takes, what it refuses and where, strings
// decoded, integers packed, and memory that follows the input.
#include "read/json.h"

#include <gtest/gtest.h>

#include <string>

namespace hndpos {
namespace {

using Kind = JsonDocument::Kind;

TEST(Json, RefusesWhatIsNoJsonAtItsLine) {
    const struct {
        const char* text;
        int line;
        const char* error;
    } cases[] = {
        {"", 1, "expected a value, found the end"},
        {"[1,\n2,]", 2, "expected a value, found \"]\""},
        {"{\"a\" 1}", 1, "expected \":\", found \"1}\""},
        {"[01]", 1, "expected a number, found \"01]\""},
        {"[1.]", 1, "expected a number, found \"1.]\""},
        {"[1e]", 1, "expected a number, found \"1e]\""},
        {"\"a\nb\"", 1, "expected no control character in a string, found \"\\x0Ab\"\""},
        {"\"\\x\"", 1, "expected an escape, found \"\"\""},
        {"\"\\udc00\"", 1, "expected no lone low surrogate, found \"\"\""},
        {"\"\\ud800x\"", 1, "expected a low surrogate after a high one, found \"x\"\""},
        {"{} {}", 1, "expected the end of the file, found \"{}\""},
        {"[[[[[[[[[[[[[[[[[1]]]]]]]]]]]]]]]]]", 1, "expected less nesting, found \"[1]]]]]]]]]]]]]]]]]\""},
        {"tru", 1, "expected a value, found \"tru\""},
    };
    for (const auto& c : cases) {
        JsonDocument document;
        EXPECT_FALSE(document.parse(c.text)) << c.text;
        EXPECT_EQ(document.error(), c.error) << c.text;
        EXPECT_EQ(document.error_line(), c.line) << c.text;
    }
}

TEST(Json, DecodesStringsAndSkipsAByteOrderMark) {
    JsonDocument document;
    ASSERT_TRUE(document.parse("\xEF\xBB\xBF{\"n\\u0061me\": \"\\u00e9\\ud83d\\ude00\\n\\\"\", \"z\": \"a\\u0000b\"}"));
    const JsonDocument::Node* name = document.member(document.root(), "name");
    ASSERT_NE(name, nullptr);
    EXPECT_EQ(document.text(*name), "\xC3\xA9\xF0\x9F\x98\x80\n\"");
    EXPECT_EQ(document.text(*document.member(document.root(), "z")), std::string("a\0b", 3));
}

TEST(Json, PacksIntegerArraysAndKeepsEachItemsLine) {
    JsonDocument document;
    ASSERT_TRUE(document.parse("[[1, -9223372036854775808,\n 3], [4, 1.5,\n true], [], 9223372036854775808]"));
    const auto& root = document.root();
    ASSERT_EQ(document.size(root), 4u);
    const auto& packed = document.item(root, 0);
    EXPECT_EQ(packed.kind, Kind::integers);
    EXPECT_EQ(std::vector<std::int64_t>(document.integer_list(packed).begin(), document.integer_list(packed).end()),
              (std::vector<std::int64_t>{1, INT64_MIN, 3}));
    EXPECT_EQ(document.item_line(packed, 2), 2);
    const auto& mixed = document.item(root, 1);
    ASSERT_EQ(mixed.kind, Kind::array);
    EXPECT_EQ(document.item(mixed, 0).kind, Kind::integer);
    EXPECT_EQ(document.item(mixed, 1).kind, Kind::number);
    EXPECT_EQ(document.item_line(mixed, 2), 3);
    EXPECT_EQ(document.item(root, 2).kind, Kind::array);
    EXPECT_EQ(document.item(root, 3).kind, Kind::number);  // past 64 bits: a number, no integer
}

}  // namespace
}  // namespace hndpos
