#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "io/platform/platform.h"

namespace hndpos::platform {
namespace {

TEST(FileNamePart, StepsOverDoubleByteCharacters) {
    const std::vector<LeadByteRange> shift_jis = {{0x81, 0x9F}, {0xE0, 0xFC}};
    struct Case {
        std::string full_name;
        std::string with_double_bytes;  // the part on a system with double-byte support
        std::string without;            // on one without
    };
    const Case cases[] = {
        {"C:\\tools\\hndpos.exe", "hndpos.exe", "hndpos.exe"},
        {"hndpos.exe", "hndpos.exe", "hndpos.exe"},
        {"C:\\tools\\", "", ""},
        // 表 is 0x95 0x5C: its second byte is no backslash.
        {"C:\\tools\\\x95\x5c.exe", "\x95\x5c.exe", ".exe"},
        {"C:\\\x95\x5c\\x.exe", "x.exe", "x.exe"},
        {"C:\\a\\\x83\x5c\x83\x5c", "\x83\x5c\x83\x5c", ""},
        // A half-width katakana (0xB1) is a single byte, not a lead byte.
        {"C:\\\xb1\\\xb1.exe", "\xb1.exe", "\xb1.exe"},
        // A lead byte at the very end has no trail byte.
        {"C:\\a\\b\x95", "b\x95", "b\x95"},
        {"", "", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(file_name_part(c.full_name, shift_jis), c.with_double_bytes) << c.full_name;
        EXPECT_EQ(file_name_part(c.full_name, {}), c.without) << c.full_name;
    }
}

}  // namespace
}  // namespace hndpos::platform
