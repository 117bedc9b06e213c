#include "pixels/coverage.h"

#include <gtest/gtest.h>

#include "dial/dial_tables.h"
#include "pixels/exact_integer.h"
#include "pixels/mask_code.h"

namespace hndpos {
namespace {

struct Shape {
    std::vector<std::int64_t> x;
    std::vector<std::int64_t> y;
};

PixelMask mask_of(const Shape& s, int subpixel, int bits) { return outline_mask({s.x, s.y, subpixel}, bits); }

TEST(Coverage, LevelsOfExactAreas) {
    // In half pixels: a square from 9.5 to 10.5 is pixel 10 exactly; one from
    // 10 to 11 covers half of pixels 10 and 11 (a tie: 1 bit gives 0, 2 bits
    // give 2); a triangle over pixel 10 covers half of it, corner to corner.
    const Shape pixel{{19, 21, 21, 19}, {19, 19, 21, 21}};
    const Shape halves{{20, 22, 22, 20}, {19, 19, 21, 21}};
    const Shape triangle{{19, 21, 21}, {19, 19, 21}};
    struct Case {
        const Shape* shape;
        int bits;
        int level_10;
        int level_11;
    } cases[] = {{&pixel, 1, 1, 0},    {&pixel, 8, 255, 0},  {&halves, 1, 0, 0},
                 {&halves, 2, 2, 2},   {&halves, 4, 8, 8},   {&halves, 8, 128, 128},
                 {&triangle, 1, 0, 0}, {&triangle, 2, 2, 0}, {&triangle, 4, 8, 0}};
    for (const Case& c : cases) {
        const PixelMask m = mask_of(*c.shape, 1, c.bits);
        EXPECT_EQ(m.level(10, 10), c.level_10) << c.bits;
        EXPECT_EQ(m.level(11, 10), c.level_11) << c.bits;
        EXPECT_EQ(m.level(10, 9), 0);
    }
    // Either way round the outline gives the same mask; a degenerate one none.
    const Shape reversed{{21, 21, 19}, {21, 19, 19}};
    EXPECT_EQ(mask_of(reversed, 1, 4), mask_of(triangle, 1, 4));
    EXPECT_EQ(mask_of({{4, 8, 12}, {4, 8, 12}}, 0, 4).width, 0);
}

TEST(Coverage, OutlinesThatCrossThemselves) {
    struct Case {
        Shape shape;
        bool crosses;
    } cases[] = {
        {{{0, 10, 10, 0}, {0, 0, 10, 10}}, false},                       // a square
        {{{0, 10, 0, 10}, {0, 0, 10, 10}}, true},                        // a bow tie
        {{{0, 10, 20, 20, 10, 0}, {0, 10, 0, 20, 10, 20}}, false},       // two lobes touching at (10, 10)
        {{{0, 10, 10, 20, 10, 0}, {0, 0, 10, 10, 0, 10}}, true},         // passes through itself at (10, 0)
        {{{0, 10, 5, 5, 5, 0}, {0, 0, 0, -5, 5, 10}}, true},             // passes through its own edge at (5, 0)
        {{{0, 10, 10, 20, 10, 10, 0}, {0, 0, 5, 5, 5, 10, 10}}, false},  // a spike that folds back
        {{{0, 10, 10, 0, 0}, {0, 0, 10, 10, 0}}, false},                 // the first point repeated last
    };
    for (const Case& c : cases) EXPECT_EQ(outline_crosses({c.shape.x, c.shape.y, 0}), c.crosses);
}

TEST(Coverage, ExactIntegersCompareBeyondSixtyFourBits) {
    ExactInteger a = ExactInteger::product(INT64_MAX, INT64_MAX);
    ExactInteger b = ExactInteger::product(INT64_MAX - 1, INT64_MAX);
    b.add(ExactInteger(INT64_MAX));  // (m − 1)·m + m = m·m
    EXPECT_EQ(compare(a, b), 0);
    b.add(ExactInteger(-1));
    EXPECT_EQ(compare(a, b), 1);
    b.multiply(UINT64_MAX);
    b.negate();
    EXPECT_EQ(compare(b, a), -1);
}

// A symmetric hand on the nearest rounding: the storage keeps positions 0
// to 7 of 60, and every position rebuilt from them equals its own mask.
TEST(MaskStorage, RebuildsEveryPositionFromTheKeptOnes) {
    DialParams params;
    params.center_x = params.center_y = 40;
    params.has_hands = false;
    params.rule = {Rounding::nearest, 3};
    params.figures.push_back({"hand", 60, {{-6, -2}, {30, -1}, {34, 0}, {30, 1}, {-6, 2}}, {}, 4});
    const DialTables tables = compute_dial_tables(params);
    const MaskSet& masks = *tables.figures[0].masks;
    const MaskCode& code = *tables.figures[0].mask_code;
    EXPECT_EQ(code.box.size(), 8u);
    EXPECT_LT(code.code.size() * 4, plain_code_bytes(masks));
    for (std::size_t k = 0; k < masks.positions.size(); ++k) {
        const auto rebuilt = decode_position_mask(code, k, 4, 80, 80);
        ASSERT_TRUE(rebuilt.has_value());
        EXPECT_EQ(*rebuilt, masks.positions[k]) << k;
    }
}

}  // namespace
}  // namespace hndpos
