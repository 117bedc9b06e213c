#include "view/picture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "read/golden_tables.h"

namespace hndpos {
namespace {

using testing::golden;

TEST(DialPicture, HandsAreBresenhamLinesToTheTipAtTheTime) {
    EXPECT_EQ(line_pixels_text(0, 0, 3, 1), "0,0 1,0 2,1 3,1");
    EXPECT_EQ(line_pixels_text(2, 2, 2, -1), "2,2 2,1 2,0 2,-1");
    EXPECT_EQ(line_pixels_text(5, 5, 5, 5), "5,5");
    EXPECT_EQ(line_pixels_text(3, 1, 0, 0), "3,1 2,1 1,0 0,0");
    const TimeOfDay time{22, 59, 7, 0};
    EXPECT_EQ(hand_index(0, position_count, time), 10 * 5 + 4);
    EXPECT_EQ(hand_index(1, position_count, time), 59);
    EXPECT_EQ(hand_index(2, position_count, time), 7);
}

TEST(DialPicture, SaysWhenEntriesWrapped) {
    const std::string note = "wrapped modulo 256";
    const ReadResult example = read_table_file(golden("example"));
    const ReadResult wrap = read_table_file(golden("wrap"));
    ASSERT_TRUE(example.ok && wrap.ok);
    EXPECT_EQ(render_dial_svg(dial_of_table_file(example.table), {}, 8).find(note), std::string::npos);
    EXPECT_NE(render_dial_svg(dial_of_table_file(wrap.table), {}, 8).find(note), std::string::npos);
}

using testing::table_for;

TEST(DialPicture, SaysWhenEitherCoordinateWrapped) {
    struct Case {
        const char* what;
        HandParams params;
        bool wrapped;
    };
    const Case cases[] = {
        {"inside", {128, 128, 100, 110, 127}, false},
        {"only x past 255", {250, 100, 10, 5, 5}, true},
        {"only x below 0", {2, 100, 10, 5, 5}, true},
        {"only y past 255", {100, 250, 5, 10, 5}, true},
        {"only y below 0", {100, 2, 5, 5, 10}, true},
        {"a centre beyond a byte", {339, 30, 9, 13, 14}, true},
        {"the edges touched, not passed", {245, 245, 10, 10, 10}, false},
    };
    for (const Case& c : cases) {
        const std::string svg = render_dial_svg(dial_of_table_file(table_for(c.params)), {}, 8);
        EXPECT_EQ(svg.find("wrapped modulo 256") != std::string::npos, c.wrapped) << c.what;
    }
}

// The numbers of an attribute, in order of appearance.
std::vector<int> attribute_values(const std::string& svg, const std::string& element_start, const char* name) {
    std::vector<int> values;
    for (std::size_t at = svg.find(element_start); at != std::string::npos; at = svg.find(element_start, at + 1)) {
        const std::size_t value = svg.find(std::string(name) + "=\"", at) + std::string(name).size() + 2;
        values.push_back(std::stoi(svg.substr(value)));
    }
    return values;
}

// Every display pixel the picture draws (tips, hands, centre) lies on its
// pixel grid, above the legend.
TEST(DialPicture, TheGridHoldsEveryTip) {
    const int scale = 8;
    for (const HandParams& params : {HandParams{83, 30, 9, 13, 14}, HandParams{250, 250, 5, 3, 4},
                                     HandParams{128, 128, 127, 120, 126}, HandParams{3, 3, 3, 2, 1}}) {
        const std::string svg = render_dial_svg(dial_of_table_file(table_for(params)), {}, scale);
        const std::vector<int> line_x1 = attribute_values(svg, "<line ", "x1");
        const std::vector<int> line_x2 = attribute_values(svg, "<line ", "x2");
        const std::vector<int> line_y1 = attribute_values(svg, "<line ", "y1");
        const std::vector<int> line_y2 = attribute_values(svg, "<line ", "y2");
        ASSERT_FALSE(line_x1.empty());
        const int left = *std::min_element(line_x1.begin(), line_x1.end());
        const int right = *std::max_element(line_x2.begin(), line_x2.end());
        const int top = *std::min_element(line_y1.begin(), line_y1.end());
        const int bottom = *std::max_element(line_y2.begin(), line_y2.end());
        // Display pixels are squares of the scale's size; the legend's
        // colour keys and the background are not.
        const std::string pixel = "<rect x=";
        const std::vector<int> xs = attribute_values(svg, pixel, "x");
        const std::vector<int> ys = attribute_values(svg, pixel, "y");
        const std::vector<int> widths = attribute_values(svg, pixel, "width");
        // Each hand's tip pixels once, however many positions share one.
        std::size_t distinct_tips = 0;
        const TableFile table = table_for(params);
        for (int hand = 0; hand < hand_count; ++hand) {
            std::set<std::pair<int, int>> pixels;
            for (int position = 0; position < position_count; ++position)
                pixels.insert({table.entry(0, hand, position), table.entry(1, hand, position)});
            distinct_tips += pixels.size();
        }
        std::size_t faint = 0;
        for (std::size_t at = svg.find("fill-opacity"); at != std::string::npos; at = svg.find("fill-opacity", at + 1))
            ++faint;
        EXPECT_EQ(faint, distinct_tips) << params.CenterX;
        for (std::size_t i = 0; i < xs.size(); ++i) {
            if (widths[i] != scale) continue;
            EXPECT_GE(xs[i], left) << params.CenterX;
            EXPECT_LE(xs[i] + scale, right) << params.CenterX;
            EXPECT_GE(ys[i], top) << params.CenterY;
            EXPECT_LE(ys[i] + scale, bottom) << params.CenterY;
        }
    }
}

TEST(DialPicture, TheLegendShowsTheTimeWithTwoDigitsEach) {
    const TableFile table = table_for({83, 30, 9, 13, 14});
    EXPECT_NE(render_dial_svg(dial_of_table_file(table), {10, 8, 30, 0}, 8).find("time 10:08:30"), std::string::npos);
    EXPECT_NE(render_dial_svg(dial_of_table_file(table), {9, 5, 7}, 8).find("time 09:05:07"), std::string::npos);
    EXPECT_NE(render_dial_svg(dial_of_table_file(table), {23, 59, 0}, 8).find("time 23:59:00"), std::string::npos);
}

}  // namespace
}  // namespace hndpos
