#include "view/dial_picture.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

namespace hndpos {
namespace {

std::string golden(const std::string& name) {
    std::ifstream in(std::string(HNDPOS_TEST_DATA_DIR) + "/e2e/golden/" + name + ".c", std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(DialPicture, HandsAreBresenhamLinesToTheTipAtTheTime) {
    EXPECT_EQ(line_pixels_text(0, 0, 3, 1), "0,0 1,0 2,1 3,1");
    EXPECT_EQ(line_pixels_text(2, 2, 2, -1), "2,2 2,1 2,0 2,-1");
    EXPECT_EQ(line_pixels_text(5, 5, 5, 5), "5,5");
    EXPECT_EQ(line_pixels_text(3, 1, 0, 0), "3,1 2,1 1,0 0,0");
    const ClockTime time{22, 59, 7};
    EXPECT_EQ(hand_position(0, time), 10 * 5 + 4);
    EXPECT_EQ(hand_position(1, time), 59);
    EXPECT_EQ(hand_position(2, time), 7);
}

TEST(DialPicture, SaysWhenEntriesWrapped) {
    const std::string note = "wrapped modulo 256";
    const ReadResult example = read_table_file(golden("example"));
    const ReadResult wrap = read_table_file(golden("wrap"));
    ASSERT_TRUE(example.ok && wrap.ok);
    EXPECT_EQ(render_dial_svg(example.table, {}, 8).find(note), std::string::npos);
    EXPECT_NE(render_dial_svg(wrap.table, {}, 8).find(note), std::string::npos);
}

}  // namespace
}  // namespace hndpos
