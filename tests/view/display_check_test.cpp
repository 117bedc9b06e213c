#include "view/display_check.h"

#include <gtest/gtest.h>

#include <string>

#include "read/golden_tables.h"

namespace hndpos {
namespace {

using testing::table_for;

TEST(DisplayCheck, NamesTheFirstTipThatWrapsOrLeavesThePanel) {
    struct Case {
        HandParams params;
        std::optional<PanelSize> display;
        std::string problem;  // empty: the dial fits
    };
    const Case cases[] = {
        {{83, 30, 9, 13, 14}, std::nullopt, ""},
        {{83, 30, 9, 13, 14}, PanelSize{128, 64}, ""},
        {{83, 30, 9, 13, 14}, PanelSize{98, 45}, ""},  // the second hand reaches x 97 and y 44
        {{83, 30, 9, 13, 14},
         PanelSize{97, 64},
         "the second hand's x at position 13 is 97, outside the 97x64 display (0 to 96)"},
        {{83, 30, 9, 13, 14},
         PanelSize{128, 44},
         "the second hand's y at position 28 is 44, outside the 128x44 display (0 to 43)"},
        {{83, 30, 9, 13, 14},
         PanelSize{96, 44},
         "the minute hand's x at position 13 is 96, outside the 96x44 display (0 to 95)"},
        {{250, 100, 10, 5, 5},
         std::nullopt,
         "the hour hand's x at position 6 is 256, which wraps modulo 256 to 0 in the table"},
        {{100, 3, 5, 10, 5},
         std::nullopt,
         "the hour hand's y at position 0 is -2, which wraps modulo 256 to 254 in the table"},
        {{339, 30, 9, 13, 14},
         std::nullopt,
         "the hour hand's x at position 0 is 339, which wraps modulo 256 to 83 in the table"},
        {{245, 245, 10, 10, 10}, std::nullopt, ""},  // 255 is the last coordinate that fits
        {{245, 245, 10, 10, 10}, PanelSize{256, 256}, ""},
    };
    for (const Case& c : cases) {
        const DisplayCheck check = check_display(dial_of_table_file(table_for(c.params)), c.display);
        EXPECT_EQ(check.ok, c.problem.empty()) << c.problem;
        EXPECT_EQ(check.problem.substr(0, c.problem.size()), c.problem);
    }
}

TEST(DisplayCheck, BoundsOfEachHand) {
    const DisplayCheck check = check_display(dial_of_table_file(table_for({83, 30, 9, 13, 14})), std::nullopt);
    const EntryBounds expected[] = {{74, 92, 21, 39}, {70, 96, 17, 43}, {69, 97, 16, 44}};
    for (std::size_t hand = 0; hand < 3; ++hand) {
        EXPECT_EQ(check.bounds[hand].low_x, expected[hand].low_x) << hand;
        EXPECT_EQ(check.bounds[hand].high_x, expected[hand].high_x) << hand;
        EXPECT_EQ(check.bounds[hand].low_y, expected[hand].low_y) << hand;
        EXPECT_EQ(check.bounds[hand].high_y, expected[hand].high_y) << hand;
    }
}

}  // namespace
}  // namespace hndpos
