#include "view/console_text.h"

#include <gtest/gtest.h>

#include <string>

#include "view/console_english.h"

namespace hndpos {
namespace {

// Each reading of the program's Shift_JIS console text: in UTF-8 as it
// stands, and explained line by line in English.
TEST(ConsoleText, ReadsTheProgramsTexts) {
    using Reading = std::string (*)(std::string_view);
    const Reading utf8 = shift_jis_to_utf8;
    const Reading english = english_reading;
    const struct {
        Reading reading;
        std::string shift_jis;
        std::string expected;
    } cases[] = {
        {utf8,
         "\x92\x86\x90S\x8d\xc0\x95W 83:30  \x8e\x9e\x90j\x94\xbc\x8c"
         "a 9",
         "中心座標 83:30  時針半径 9"},
        {utf8, "\x95s\x90\xb3\x82\xc8\x95\x82\x93\xae\x8f\xac\x90\x94\x93_\x90\x94\x89\x89\x8eZ\x96\xbd\x97\xdf.",
         "不正な浮動小数点数演算命令."},
        {utf8, "I/O \xb4\xd7\xb0 (32).\r\n", "I/O ｴﾗｰ (32).\r\n"},                       // half-width katakana
        {utf8, "EInOutError\x82\xaa\xd3\xbc\xde\xad\xb0\xd9 ", "EInOutErrorがﾓｼﾞｭｰﾙ "},  // voiced mark ﾞ
        {utf8, "\x8d\x5c\x95\xb6:", "構文:"},                                            // a trail byte 0x5C
        {utf8, "\x88\x9f", "\xef\xbf\xbd"},              // a character none of the texts uses: U+FFFD
        {utf8, "a\x82", "a\xef\xbf\xbd"},                // a lead byte at the end
        {utf8, "ab\x81\r\ncd", "ab\xef\xbf\xbd\r\ncd"},  // a lead byte before no trail byte stands alone
        {utf8, "\x80\xa0\xfd", "\xef\xbf\xbd\xef\xbf\xbd\xef\xbf\xbd"},
        {utf8, "", ""},
        {english,
         "\x92\x86\x90S\x8d\xc0\x95W -5:300  \x8e\x9e\x90j\x94\xbc\x8c"
         "a 9  \x95\xaa\x90j\x94\xbc\x8c"
         "a 13  "
         "\x95"
         "b\x90j\x94\xbc\x8c"
         "a 14\r\n",
         "centre -5, 300; hour hand 9, minute hand 13, second hand 14\n"},
        {english, "I/O \xb4\xd7\xb0 (112).\r\n", "I/O error 112: disk full.\n"},
        {english, "int xtbl[3][60] = {\r\n", "int xtbl[3][60] = {\n"},
        {english, "\x88\x9f\r\n", "(untranslated) \xef\xbf\xbd\n"},
    };
    for (const auto& c : cases) EXPECT_EQ(c.reading(c.shift_jis), c.expected) << c.expected;
}

}  // namespace
}  // namespace hndpos
