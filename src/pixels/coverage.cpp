#include "pixels/coverage.h"

#include <algorithm>
#include <vector>

#include "pixels/exact_integer.h"

namespace hndpos {
namespace {

struct Point {
    std::int64_t x;
    std::int64_t y;
    friend bool operator==(Point, Point) = default;
};

// The outline's points, a point equal to the one before it dropped (it
// adds no edge), and the last where it equals the first.
std::vector<Point> distinct_points(const Outline& o) {
    std::vector<Point> points;
    for (std::size_t i = 0; i < o.x.size(); ++i) {
        const Point p{o.x[i], o.y[i]};
        if (points.empty() || !(points.back() == p)) points.push_back(p);
    }
    while (points.size() > 1 && points.back() == points.front()) points.pop_back();
    return points;
}

// Coordinates are under 2^25, so these products stay well inside 64 bits.
std::int64_t cross(Point u, Point v) { return u.x * v.y - u.y * v.x; }
std::int64_t dot(Point u, Point v) { return u.x * v.x + u.y * v.y; }
Point minus(Point a, Point b) { return {a.x - b.x, a.y - b.y}; }
int sign(std::int64_t v) { return v > 0 ? 1 : v < 0 ? -1 : 0; }

bool same_direction(Point u, Point v) { return cross(u, v) == 0 && dot(u, v) > 0; }

// Directions in the order of their angle, from the positive x axis round.
bool angle_less(Point u, Point v) {
    const bool u_lower = u.y < 0 || (u.y == 0 && u.x < 0);
    const bool v_lower = v.y < 0 || (v.y == 0 && v.x < 0);
    if (u_lower != v_lower) return !u_lower;
    return cross(u, v) > 0;
}

// Two passes of the outline through one point, the first coming from
// direction a1 and leaving along b1, the second along a2 and b2: they
// cross when a2 and b2 lie on either side of the first pass. A pass that
// folds back, or a direction the two share, encloses nothing twice.
bool passes_cross(Point a1, Point b1, Point a2, Point b2) {
    if (same_direction(a1, b1) || same_direction(a2, b2)) return false;
    for (const Point d : {a2, b2})
        if (same_direction(d, a1) || same_direction(d, b1)) return false;
    const auto inside = [&](Point d) {
        // Strictly inside the turn from a1 round to b1.
        return angle_less(a1, b1) ? angle_less(a1, d) && angle_less(d, b1) : angle_less(a1, d) || angle_less(d, b1);
    };
    return inside(a2) != inside(b2);
}

bool strictly_inside_segment(Point p, Point a, Point b) {
    return cross(minus(b, a), minus(p, a)) == 0 && dot(minus(p, a), minus(b, a)) > 0 &&
           dot(minus(p, b), minus(a, b)) > 0;
}

}  // namespace

bool outline_crosses(const Outline& outline) {
    const std::vector<Point> p = distinct_points(outline);
    const std::size_t n = p.size();
    if (n < 3) return false;
    const auto at = [&](std::size_t i) { return p[i % n]; };
    for (std::size_t i = 0; i < n; ++i) {
        const Point a = p[i];
        const Point b = at(i + 1);
        for (std::size_t j = i + 1; j < n; ++j) {
            const Point c = p[j];
            const Point d = at(j + 1);
            // Edges i and j cross between their ends.
            const bool adjacent = j == i + 1 || (i == 0 && j == n - 1);
            if (!adjacent && sign(cross(minus(b, a), minus(c, a))) * sign(cross(minus(b, a), minus(d, a))) < 0 &&
                sign(cross(minus(d, c), minus(a, c))) * sign(cross(minus(d, c), minus(b, c))) < 0)
                return true;
            // The outline meets itself at point j, twice.
            if (a == c && passes_cross(minus(at(i + n - 1), a), minus(b, a), minus(at(j + n - 1), c), minus(d, c)))
                return true;
        }
        // Point i lies on another edge.
        for (std::size_t j = 0; j < n; ++j) {
            if (j == i || (j + 1) % n == i) continue;
            if (strictly_inside_segment(a, p[j], at(j + 1)) &&
                passes_cross(minus(at(i + n - 1), a), minus(b, a), minus(p[j], a), minus(at(j + 1), a)))
                return true;
        }
    }
    return false;
}

namespace {

std::int64_t floor_div(std::int64_t a, std::int64_t b) {  // b > 0
    const std::int64_t q = a / b;
    return q * b > a ? q - 1 : q;
}

// One edge's share of one pixel, exactly: (a·b − c·d) / denominator.
struct Share {
    std::int64_t a = 0;
    std::int64_t b = 0;
    std::int64_t c = 0;
    std::int64_t d = 0;
    std::uint64_t denominator = 1;

    ExactInteger numerator() const {
        ExactInteger n = ExactInteger::product(a, b);
        n.add(ExactInteger::product(-c, d));
        return n;
    }
};

// What an edge leaves at one pixel of a row: a whole part, a carry (which
// adds to every pixel from its own rightwards) or a share.
struct Event {
    std::int64_t column = 0;
    std::int64_t whole = 0;
    std::int64_t carry = 0;
    int share = -1;
};
struct Band {
    std::vector<Event> events;
    std::vector<Share> shares;
};

// Coordinates doubled, so that pixel edges fall on integers: pixel column c
// spans [c·L − h, c·L + h], h = 2^subpixel and L = 2h, and likewise rows.
// The polygon's signed area in a pixel is the sum over its edges of
// sign(dy) × ∫ (xr − clamp(x_edge(y), xl, xr)) dy over the pixel's rows:
// at any y, the edges left of a point, counted +1 going down and −1 going
// up, give its winding number.
class Rasteriser {
public:
    Rasteriser(const std::vector<Point>& doubled, int subpixel, int bits, std::vector<Band>& bands)
        : bands_(bands),
          points_(doubled),
          half_(std::int64_t{1} << subpixel),
          side_(2 * half_),
          max_level_((1 << bits) - 1),
          area_shift_(2 * subpixel + 2) {
        std::int64_t y_min = INT64_MAX;
        std::int64_t y_max = INT64_MIN;
        for (const Point q : points_) {
            y_min = std::min(y_min, q.y);
            y_max = std::max(y_max, q.y);
        }
        row0_ = floor_div(y_min + half_, side_);
        rows_ = floor_div(y_max + half_, side_) - row0_ + 1;
        // Which way round the outline goes: the sum above is minus the
        // shoelace area.
        std::int64_t twice_area = 0;
        for (std::size_t i = 0; i < points_.size(); ++i)
            twice_area += cross(points_[i], points_[(i + 1) % points_.size()]);
        orientation_ = twice_area > 0 ? -1 : 1;
        empty_ = twice_area == 0;
    }

    PixelMask run() {
        MaskBuilder builder;
        if (empty_) return builder.finish();
        // The rows' lists keep their room from one mask to the next.
        if (bands_.size() < static_cast<std::size_t>(rows_)) bands_.resize(static_cast<std::size_t>(rows_));
        for (std::size_t i = 0; i < points_.size(); ++i) add_edge(points_[i], points_[(i + 1) % points_.size()]);
        std::vector<std::uint8_t> levels;
        for (std::int64_t r = 0; r < rows_; ++r) {
            Band& b = bands_[static_cast<std::size_t>(r)];
            if (b.events.empty()) continue;
            const std::int64_t first = band_levels(b, levels);
            builder.add_row(static_cast<int>(row0_ + r), static_cast<int>(first), levels.data(),
                            static_cast<int>(levels.size()));
            b.events.clear();
            b.shares.clear();
        }
        return builder.finish();
    }

private:
    void add_edge(Point from, Point to) {
        if (from.y == to.y) return;
        int direction = 1;
        if (to.y < from.y) {
            std::swap(from, to);
            direction = -1;
        }
        const std::int64_t dy = to.y - from.y;
        const std::int64_t dx = to.x - from.x;
        const std::int64_t first_row = floor_div(from.y + half_, side_);
        const std::int64_t last_row = floor_div(to.y + half_ - 1, side_);
        for (std::int64_t row = first_row; row <= last_row; ++row) {
            const std::int64_t y1 = std::max(from.y, row * side_ - half_);
            const std::int64_t y2 = std::min(to.y, row * side_ + half_);
            if (y2 <= y1) continue;
            // x = P/dy at either end of the edge's part in this row.
            const std::int64_t pa = from.x * dy + (y1 - from.y) * dx;
            const std::int64_t pb = from.x * dy + (y2 - from.y) * dx;
            const std::int64_t first = floor_div(std::min(pa, pb) + half_ * dy, side_ * dy);
            const std::int64_t last = floor_div(std::max(pa, pb) + half_ * dy, side_ * dy);
            Band& b = bands_[static_cast<std::size_t>(row - row0_)];
            const std::int64_t height = y2 - y1;
            for (std::int64_t c = first; c <= last; ++c) add_share(b, c, direction, dx, dy, pa, pb, height);
            b.events.push_back({last + 1, 0, direction * side_ * height, -1});
        }
    }

    // ∫ (xr − clamp(x, xl, xr)) dy over the part, through the antiderivative
    // in x: H(U), U = (x − xl)·dy, scaled by 2·dy²; the integral is
    // (H(Ub) − H(Ua)) / (2·dx·dy).
    void add_share(Band& b, std::int64_t column, int direction, std::int64_t dx, std::int64_t dy, std::int64_t pa,
                   std::int64_t pb, std::int64_t height) {
        const std::int64_t xl = column * side_ - half_;
        if (dx == 0) {
            const std::int64_t x = std::clamp(pa / dy, xl, xl + side_);
            b.events.push_back({column, direction * height * (xl + side_ - x), 0, -1});
            return;
        }
        const std::int64_t wide = side_ * dy;
        const std::int64_t ua = pa - xl * dy;
        const std::int64_t ub = pb - xl * dy;
        if (ua >= wide && ub >= wide) return;
        if (ua <= 0 && ub <= 0) {
            b.events.push_back({column, direction * side_ * height, 0, -1});
            return;
        }
        Share share;
        if (ua > 0 && ua < wide && ub > 0 && ub < wide) {
            // Inside the column all the way: (Ub − Ua)(2·wide − Ua − Ub), and
            // Ub − Ua = height·dx, so the share is over 2·dy alone.
            share.a = direction * height;
            share.b = 2 * wide - ua - ub;
            share.denominator = static_cast<std::uint64_t>(2 * dy);
        } else {
            const int sign = (direction < 0) != (dx < 0) ? -1 : 1;
            const auto [a, b] = antiderivative(ub, wide);
            const auto [c, d] = antiderivative(ua, wide);
            share = {sign * a, b, sign * c, d,
                     2 * static_cast<std::uint64_t>(dx < 0 ? -dx : dx) * static_cast<std::uint64_t>(dy)};
        }
        b.events.push_back({column, 0, 0, static_cast<int>(b.shares.size())});
        b.shares.push_back(share);
    }

    // H(U) as a product of two factors.
    static std::pair<std::int64_t, std::int64_t> antiderivative(std::int64_t u, std::int64_t wide) {
        if (u <= 0) return {2 * u, wide};
        if (u >= wide) return {wide, wide};
        return {2 * wide - u, u};  // 2·U·wide − U²
    }

    // The row's levels from its first event's column to its last's (left
    // of them nothing is covered, right of them the carries sum to 0);
    // returns that first column.
    std::int64_t band_levels(Band& b, std::vector<std::uint8_t>& levels) {
        std::sort(b.events.begin(), b.events.end(), [](const Event& p, const Event& q) { return p.column < q.column; });
        const std::int64_t first = b.events.front().column;
        levels.assign(static_cast<std::size_t>(b.events.back().column - first + 1), 0);
        std::int64_t running = 0;
        std::size_t e = 0;
        std::vector<int>& shares = pixel_shares_;
        for (std::size_t c = 0; c < levels.size(); ++c) {
            std::int64_t whole = 0;
            shares.clear();
            for (; e < b.events.size() && b.events[e].column == first + static_cast<std::int64_t>(c); ++e) {
                running += b.events[e].carry;
                whole += b.events[e].whole;
                if (b.events[e].share >= 0) shares.push_back(b.events[e].share);
            }
            whole += running;
            levels[c] = static_cast<std::uint8_t>(shares.empty() ? level_of_whole(orientation_ * whole)
                                                                 : level_of_shares(b, shares, whole));
        }
        return first;
    }

    // round-half-even(A · M / L²), A an integer area in doubled units.
    int level_of_whole(std::int64_t area) const {
        const std::int64_t scaled = area * max_level_;
        const std::int64_t level = scaled >> area_shift_;
        const std::int64_t rest = scaled & ((std::int64_t{1} << area_shift_) - 1);
        const std::int64_t half = std::int64_t{1} << (area_shift_ - 1);
        return static_cast<int>(rest > half || (rest == half && (level & 1) != 0) ? level + 1 : level);
    }

    // The same for whole + Σ shares, summed over their product of
    // denominators: level n + 1 is reached past (n + ½)·L²/M, decided by
    // comparing 2·M·A with (2n + 1)·L², a tie going to the even level.
    int level_of_shares(const Band& b, const std::vector<int>& shares, std::int64_t whole) const {
        ExactInteger numerator(whole);
        ExactInteger denominator(1);
        for (const int s : shares) {
            const Share& share = b.shares[static_cast<std::size_t>(s)];
            numerator.multiply(share.denominator);
            numerator.add_product(share.numerator(), denominator);
            denominator.multiply(share.denominator);
        }
        if (orientation_ < 0) numerator.negate();
        numerator.multiply(2 * static_cast<std::uint64_t>(max_level_));
        int low = 0;  // the first n whose threshold the area does not pass
        int high = max_level_;
        int at_tie = -1;
        while (low < high) {
            const int n = (low + high) / 2;
            ExactInteger threshold = denominator;
            threshold.multiply(static_cast<std::uint64_t>(2 * n + 1) << area_shift_);
            const int c = compare(numerator, threshold);
            if (c > 0) {
                low = n + 1;
            } else {
                if (c == 0) at_tie = n;
                high = n;
            }
        }
        if (at_tie == low) return low + (low & 1);
        return low;
    }

    std::vector<Band>& bands_;
    std::vector<int> pixel_shares_;  // the shares of the pixel at hand
    std::vector<Point> points_;
    std::int64_t half_;
    std::int64_t side_;
    int max_level_;
    int area_shift_;
    std::int64_t row0_ = 0;
    std::int64_t rows_ = 0;
    int orientation_ = 1;
    bool empty_ = false;
};

}  // namespace

PixelMask outline_mask(const Outline& outline, int bits) {
    std::vector<Point> points = distinct_points(outline);
    if (points.size() < 3) return {};
    for (Point& q : points) q = {2 * q.x, 2 * q.y};
    // Each thread keeps its rows' lists for the next outline.
    thread_local std::vector<Band> bands;
    return Rasteriser(points, outline.subpixel, bits, bands).run();
}

}  // namespace hndpos
