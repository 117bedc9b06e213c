// Figures: points in a hand's own frame, turned to every position of a dial.
//
// A point (A, B) lies A pixels along the hand (towards its tip; negative is
// a tail behind the centre) and B across it (positive to the right of a hand
// pointing at 12 o'clock). Position k of N turns it clockwise by
// θ = 2π·k/N, on a display whose y grows downward:
//   x = cx + A·sin θ + B·cos θ,   y = cy − A·cos θ + B·sin θ.
// A hand is the one-point figure (R, 0).
//
// Two roundings. `extended` is hndpos's chain with two terms: θ = k·step in
// the extended format, its sine and cosine correctly rounded, each product
// (A·sin, B·cos; B·sin, A·cos) rounded, their sum or difference rounded,
// then scaled to sub-pixels and rounded to an integer, ties to even; for
// (R, 0) these are hndpos-tables' tip entries, bit for bit. `nearest` is
// the integer nearest to the exact real value (see exact_turn.h).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "dial/exact_turn.h"
#include "table/extended.h"

namespace hndpos {

struct FigurePoint {
    std::int32_t along = 0;   // A
    std::int32_t across = 0;  // B

    friend bool operator==(const FigurePoint&, const FigurePoint&) = default;
};

// A figure of hndpos-tables: its name (a C identifier), its positions
// (min_positions..max_positions) and its points (min_figure_points..
// max_figure_points).
//
// What a figure follows: a turn of the dial (dial_rules.h: 0 the 12-hour
// turn, 1 the hour, 2 the minute, 3 the 24-hour day), at whose index it
// stands at a time of day (a hand); or nothing, a ring seen at every
// position at once (ticks, dots).
//
// A figure of three or more points may have masks: its coverage of every
// pixel at every position, in levels of `mask_bits` bits (pixels/).
//
// A figure on an arc (a gauge's needle) stands at position k of N at
// start + k·sweep/(N − 1) degrees clockwise from 12 o'clock, both ends
// positions, the angles in hundredths of a degree; it needs the nearest
// rounding.
struct Arc {
    std::int64_t start = 0;  // -36000..36000
    std::int64_t sweep = 0;  // -36000..36000, not 0

    friend bool operator==(const Arc&, const Arc&) = default;
};

struct Figure {
    std::string name{};
    int positions = 0;
    std::vector<FigurePoint> points{};
    std::optional<int> turn{};
    std::optional<int> mask_bits{};
    std::optional<Arc> arc{};
};

// Hundredths as the shortest decimal: -2250 is "-22.5", 27000 "270".
std::string hundredths_text(std::int64_t hundredths);

// Position k of an arc of N positions as a fraction of a turn, reduced,
// 0 ≤ numerator < denominator < 2^31.
struct TurnFraction {
    std::int64_t numerator = 0;
    std::int64_t denominator = 1;
};
TurnFraction arc_turn(const Arc& arc, int position, int positions);

// The points as the options and the files write them: "A,B A,B ...".
std::string points_text(const std::vector<FigurePoint>& points);

enum class Rounding { extended, nearest };

// How entries are rounded, and in units of 1/2^subpixel pixel
// (0..max_subpixel_bits); the centre is scaled exactly.
struct EntryRule {
    Rounding rounding = Rounding::extended;
    int subpixel = 0;
};

// The entries of every position of a turn of N positions under one rule,
// with the sines and cosines worked out once for every hand and figure
// that shares the count.
class TurnEntries {
public:
    // A whole turn, position k at k/N of it; or an arc's positions (the
    // nearest rounding only).
    TurnEntries(int positions, EntryRule rule, std::optional<Arc> arc = std::nullopt);

    int positions() const { return positions_; }

    // The x and y entries of `point` at `position` about the centre, given
    // in the entries' units.
    std::int64_t x(int position, std::int64_t center_x, FigurePoint point) const;
    std::int64_t y(int position, std::int64_t center_y, FigurePoint point) const;

private:
    int positions_;
    EntryRule rule_;
    std::vector<Extended> sin_;  // the extended rounding's
    std::vector<Extended> cos_;
    std::vector<ExactTurn> exact_;  // the nearest rounding's
};

}  // namespace hndpos
