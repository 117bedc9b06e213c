#include "table/hand_tip.h"

#include <gtest/gtest.h>

#include <vector>

#include "io/failure.h"
#include "program_texts.h"

namespace hndpos {
namespace {

struct EntryCase {
    HandParams params;
    int hand;
    int position;
    int x;  // −1: not checked
    int y;
    const char* why;
};

HandParams radius_and_center(std::int32_t radius, std::int32_t cx = 83, std::int32_t cy = 30) {
    return {cx, cy, radius, radius, radius};
}

TEST(HandTip, EntriesOnTheEdges) {
    const EntryCase cases[] = {
        // Exact ties k + 1/2 go to the even neighbour: sin rounds to exactly
        // 1/2 at 5 and 25, cos to exactly 1/2 at 10 and 50.
        {radius_and_center(9), 0, 5, 87, 22, "9 × 1/2 = 4.5 → 4"},
        {radius_and_center(9), 0, 25, 87, 38, "9 × 1/2 = 4.5 → 4"},
        {radius_and_center(9), 0, 35, 79, 38, "extended sine above −1/2: −4.5 + tiny → −4"},
        {radius_and_center(9), 0, 55, 78, 22, "extended sine below −1/2: −4.5 − tiny → −5"},
        {radius_and_center(9), 0, 10, 91, 26, "−cos: −4.5 exactly → −4"},
        {radius_and_center(9), 0, 50, 75, 26, "−cos: −4.5 exactly → −4"},
        {radius_and_center(9), 0, 20, 91, 34, "one unit below 4.5 → 4"},
        {radius_and_center(9), 0, 40, 75, 35, "one unit above 4.5 → 5"},
        {radius_and_center(13), 1, 5, 89, 19, "6.5 → 6"},
        {radius_and_center(13), 1, 25, 89, 41, ""},
        {radius_and_center(13), 1, 35, 77, 41, ""},
        {radius_and_center(13), 1, 55, 76, 19, ""},
        {radius_and_center(13), 1, 10, 94, 24, "−6.5 → −6"},
        {radius_and_center(-9), 0, 5, 79, -1, "a negative radius mirrors the hand"},
        {radius_and_center(-9), 0, 25, 79, -1, ""},
        {radius_and_center(-9), 0, 35, 87, -1, ""},
        {radius_and_center(-9), 0, 55, 88, -1, ""},
        {radius_and_center(10, 250), 0, 15, 4, -1, "260 wraps to 4"},
        {radius_and_center(10, 2), 0, 45, 248, -1, "−8 wraps to 248"},
        {radius_and_center(2147483647), 0, 15, 82, -1, "255 + 83 wraps to 82"},
        {radius_and_center(2147483647), 2, 0, 83, 30 + 1, "y: −2147483647 has low byte 1"},
        {radius_and_center(0), 2, 37, 83, 30, "radius 0 stays at the centre"},
        {radius_and_center(9, 339, -226), 0, 5, 87, 22, "only the low byte of the centre counts"},
        {radius_and_center(9, -173), 0, 55, 78, -1, ""},
    };
    for (const EntryCase& c : cases) {
        if (c.x >= 0) {
            EXPECT_EQ(tip_x(c.params, c.hand, c.position), c.x) << c.position << " " << c.why;
        }
        if (c.y >= 0) {
            EXPECT_EQ(tip_y(c.params, c.hand, c.position), c.y) << c.position << " " << c.why;
        }
    }
}

// At positions 0 and 30 the sine, at 15 and 45 the cosine is 0 or of
// magnitude below 2·10^-19, so even the largest radii stay on the centre.
TEST(HandTip, AxisPositionsStayOnTheCentreForEveryRadius) {
    for (const std::int32_t radius : {1, 9, 1000, 2147483647, -2147483647, -5}) {
        const HandParams params = radius_and_center(radius, 83, 30);
        for (const int position : {0, 30}) EXPECT_EQ(tip_x(params, 0, position), 83) << radius;
        for (const int position : {15, 45}) EXPECT_EQ(tip_y(params, 0, position), 30) << radius;
    }
}

TEST(HandTip, RadiusOfMinus2147483648FailsOnlyWhereSineOrCosineIsMinusOne) {
    const HandParams params{83, 30, -2147483647 - 1, 13, 14};
    for (int position = 0; position < position_count; ++position) {
        if (position == 45) {
            EXPECT_THROW(tip_x(params, 0, position), EInvalidOp);
        } else {
            EXPECT_NO_THROW(tip_x(params, 0, position)) << position;
        }
    }
    EXPECT_THROW(tip_y(params, 0, 0), EInvalidOp);
    EXPECT_NO_THROW(tip_y(params, 0, 30));
    EXPECT_NO_THROW(tip_x(params, 1, 45));
}

TEST(HandTip, InvalidOpCarriesItsMessageAndPosition) {
    try {
        tip_x({0, 0, -2147483647 - 1, 0, 0}, 0, 45);
        FAIL() << "no failure";
    } catch (const EInvalidOp& failure) {
        EXPECT_EQ(failure.class_name(), "EInvalidOp");
        EXPECT_EQ(failure.message(), testing::program_text("invalid_op"));
        EXPECT_NE(failure.position(), nullptr);
    }
}

}  // namespace
}  // namespace hndpos
