#include "dial/dial_tables.h"

#include <gtest/gtest.h>

#include <random>

namespace hndpos {
namespace {

// With 60 positions the wide entries are hndpos's before the reduction to
// a byte: their low bytes are hndpos's entries, for any parameters.
TEST(DialTables, SixtyPositionsGiveHndposEntries) {
    std::mt19937 random(20261209);
    std::uniform_int_distribution<std::int32_t> any(INT32_MIN + 1, INT32_MAX);
    std::uniform_int_distribution<std::int32_t> small(-300, 300);
    for (int round = 0; round < 300; ++round) {
        const bool near = round % 2 == 0;
        const HandParams params{near ? small(random) : any(random), near ? small(random) : any(random),
                                near ? small(random) : any(random), small(random), any(random)};
        const DialTables tables = compute_dial_tables({params.CenterX,
                                                       params.CenterY,
                                                       {params.HourRadius, params.MinuteRadius, params.SecondRadius},
                                                       {60, 60, 60},
                                                       {},
                                                       {}});
        ASSERT_FALSE(tables.overflow);
        for (int hand = 0; hand < hand_count; ++hand) {
            for (int position = 0; position < position_count; ++position) {
                const auto& entries = tables.hands[static_cast<std::size_t>(hand)];
                const auto p = static_cast<std::size_t>(position);
                ASSERT_EQ(static_cast<std::uint8_t>(entries.x[p] & 0xFF), tip_x(params, hand, position));
                ASSERT_EQ(static_cast<std::uint8_t>(entries.y[p] & 0xFF), tip_y(params, hand, position));
            }
        }
    }
}

// Only −2147483648 overflows: at the x entry where sin is −1 when the
// count is a multiple of 4, otherwise at y position 0 (−cos 0 = −1); x
// entries come first, hand by hand.
TEST(DialTables, OverflowIsFoundWhereTheProductReaches2To31) {
    const struct {
        std::array<std::int32_t, 3> radii;
        std::array<int, 3> positions;
        TipOverflow expected;
    } cases[] = {
        {{INT32_MIN, 1, 1}, {60, 60, 60}, {0, 45, Axis::x}},
        {{1, INT32_MIN, 1}, {720, 720, 720}, {1, 540, Axis::x}},
        {{1, 1, INT32_MIN}, {7, 7, 7}, {2, 0, Axis::y}},
        {{INT32_MIN, INT32_MIN, 1}, {7, 8, 9}, {1, 6, Axis::x}},
    };
    for (const auto& c : cases) {
        const DialTables tables = compute_dial_tables({0, 0, c.radii, c.positions, {}, {}});
        ASSERT_TRUE(tables.overflow);
        EXPECT_EQ(tables.overflow->hand, c.expected.hand);
        EXPECT_EQ(tables.overflow->position, c.expected.position);
        EXPECT_EQ(tables.overflow->axis, c.expected.axis);
    }
}

}  // namespace
}  // namespace hndpos
