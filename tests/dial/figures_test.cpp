#include "dial/figures.h"

#include <gtest/gtest.h>

#include <random>

#include "dial/dial_rules.h"
#include "dial/dial_tables.h"

namespace hndpos {
namespace {

// An odd radius at multiples of 30 degrees: sine exactly 1/2. The extended
// chain's rounded angle leaves 52.5 a hair above or below, so it is not
// mirror-symmetric; the nearest rounding takes the tie to even everywhere.
TEST(Figures, NearestRoundingMirrorsWhereTheExtendedChainDoesNot) {
    const TurnEntries extended(60, {Rounding::extended, 0});
    const TurnEntries nearest(60, {Rounding::nearest, 0});
    const int positions[] = {5, 25, 35, 55};
    const std::int64_t extended_x[] = {52, 52, -52, -53};
    const std::int64_t nearest_x[] = {52, 52, -52, -52};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(extended.x(positions[i], 0, {105, 0}), extended_x[i]) << positions[i];
        EXPECT_EQ(nearest.x(positions[i], 0, {105, 0}), nearest_x[i]) << positions[i];
    }
}

// Every exact tie family, on both axes, with even and odd centres: the
// value is centre + (odd)/2 and goes to the even neighbour. Sub-pixels
// double the half away, so there is no tie to break.
TEST(Figures, ExactTiesGoToEven) {
    const struct {
        int positions, position;
        FigurePoint point;
        std::int32_t center;
        int subpixel;
        std::int64_t x, y;
    } cases[] = {
        // order 12: sin = ±1/2, B = 0, A odd; y = c − A·cos is irrational
        {12, 1, {3, 0}, 0, 0, 2, -3},      // x = 1.5
        {12, 1, {3, 0}, 1, 0, 2, -2},      // x = 2.5, y = 1 − 2.598
        {24, 10, {1, 0}, 0, 0, 0, 1},      // 150°: x = 0.5, y = 0.866
        {36, 21, {5, 0}, 0, 0, -2, 4},     // 210°: x = −2.5, y = 4.330
        {12, 11, {-7, 0}, 10, 0, 14, 16},  // 330°: x = 13.5, y = 10 + 6.062
        {12, 1, {3, 0}, 0, 1, 3, -5},      // sub-pixel: x = 3, y = −5.196
        // order 6 and 3: cos = ±1/2, A = 0, B odd; y = c + B·sin is irrational
        {6, 1, {0, 3}, 0, 0, 2, 3},       // 60°: x = 1.5, y = 2.598
        {60, 50, {0, 3}, 0, 0, 2, -3},    // 300°: x = 1.5
        {3, 1, {0, 5}, 0, 0, -2, 4},      // 120°: x = −2.5, y = 4.330
        {600, 400, {0, -1}, 0, 0, 0, 1},  // 240°: x = 0.5, y = 0.866
        // the y axis: y = c − A·cos θ + B·sin θ
        {6, 1, {3, 0}, 0, 0, 3, -2},    // 60°: y = −1.5
        {12, 5, {-1, 0}, 4, 0, 4, 3},   // 150°: x = 3.5, y = 4 − 0.866
        {12, 1, {0, 1}, 7, 0, 8, 8},    // 30°: x = 7.866, y = 7.5
        {6, 2, {-5, 0}, 0, 0, -4, -2},  // 120°: y = −2.5, x = −4.330
    };
    for (const auto& c : cases) {
        const TurnEntries turn(c.positions, {Rounding::nearest, c.subpixel});
        const std::int64_t center = std::int64_t{c.center} << c.subpixel;
        EXPECT_EQ(turn.x(c.position, center, c.point), c.x) << c.positions << " " << c.position;
        EXPECT_EQ(turn.y(c.position, center, c.point), c.y) << c.positions << " " << c.position;
    }
}

// Mirror symmetry of the nearest rounding at every count: position k of a
// point (A, B) and position N − k of (A, −B) lie mirrored about the
// vertical through the centre, at the same height; ties included.
TEST(Figures, NearestRoundingIsMirrorSymmetricAtEveryCount) {
    std::mt19937 random(20261209);
    std::uniform_int_distribution<std::int32_t> any(INT32_MIN + 1, INT32_MAX);
    std::uniform_int_distribution<std::int32_t> small(-400, 400);
    for (int positions = 1; positions <= max_positions; ++positions) {
        const int picks[] = {1, positions / 12, positions / 6, positions / 3, static_cast<int>(random() % positions)};
        const std::int32_t center = small(random);
        const int subpixel = static_cast<int>(random() % 3);
        const FigurePoint point = positions % 2 == 0 ? FigurePoint{small(random), small(random)}
                                                     : FigurePoint{any(random), positions % 3 == 0 ? 0 : any(random)};
        for (const int k : picks) {
            if (k <= 0 || k >= positions) continue;
            const ExactTurn here(k, positions);
            const ExactTurn there(positions - k, positions);
            const std::int64_t units = std::int64_t{center} << subpixel;
            for (const FigurePoint p : {point, FigurePoint{point.along, 0}, FigurePoint{0, point.across | 1}}) {
                const std::int64_t x = here.nearest(units, p.along, p.across, subpixel);
                const std::int64_t mirrored = there.nearest(units, p.along, -std::int64_t{p.across}, subpixel);
                ASSERT_EQ(x + mirrored, 2 * units) << positions << " " << k;
                ASSERT_EQ(here.nearest(units, p.across, -std::int64_t{p.along}, subpixel),
                          there.nearest(units, -std::int64_t{p.across}, -std::int64_t{p.along}, subpixel))
                    << positions << " " << k;
            }
        }
    }
}

// Figures' boxes and order; a hand is the figure (R, 0).
TEST(Figures, TablesHoldEveryPointAndItsBox) {
    DialParams params{120, 80, {50, 70, 90}, {720, 60, 60}, {}, {}};
    params.figures = {{"tail", 60, {{-12, -2}, {48, 0}, {-12, 2}}}, {"second", 60, {{90, 0}}}};
    const DialTables tables = compute_dial_tables(params);
    ASSERT_EQ(tables.figures.size(), 2u);
    EXPECT_EQ(tables.figures[1].x, tables.hands[2].x);
    EXPECT_EQ(tables.figures[1].y, tables.hands[2].y);
    const FigureEntries& tail = tables.figures[0];
    ASSERT_EQ(tail.x.size(), 180u);
    EXPECT_EQ((std::vector<std::int64_t>{tail.x[0], tail.x[1], tail.x[2]}), (std::vector<std::int64_t>{118, 120, 122}));
    EXPECT_EQ((std::vector<std::int64_t>{tail.y[0], tail.y[1], tail.y[2]}), (std::vector<std::int64_t>{92, 32, 92}));
    EXPECT_EQ(tail.bounds[0], (std::array<std::int64_t, 4>{118, 32, 122, 92}));
    EXPECT_EQ(tail.bounds[15], (std::array<std::int64_t, 4>{108, 78, 168, 82}));
}

}  // namespace
}  // namespace hndpos
