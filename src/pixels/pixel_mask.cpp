#include "pixels/pixel_mask.h"

#include <algorithm>

namespace hndpos {

int PixelMask::level(std::int64_t px, std::int64_t py) const {
    if (py < y || py >= std::int64_t{y} + height || px < x) return 0;
    const MaskRow& row = rows[static_cast<std::size_t>(py - y)];
    const std::int64_t column = px - x - row.first;
    if (column < 0 || column >= row.count) return 0;
    return levels[row.offset + static_cast<std::size_t>(column)];
}

bool operator==(const PixelMask& a, const PixelMask& b) {
    if (a.x != b.x || a.y != b.y || a.width != b.width || a.height != b.height) return false;
    for (std::size_t r = 0; r < a.rows.size(); ++r) {
        const MaskRow& ra = a.rows[r];
        const MaskRow& rb = b.rows[r];
        if (ra.first != rb.first || ra.count != rb.count) return false;
        if (!std::equal(a.levels.begin() + static_cast<std::ptrdiff_t>(ra.offset),
                        a.levels.begin() + static_cast<std::ptrdiff_t>(ra.offset + static_cast<std::size_t>(ra.count)),
                        b.levels.begin() + static_cast<std::ptrdiff_t>(rb.offset)))
            return false;
    }
    return true;
}

std::optional<std::array<int, 4>> changed_box(const PixelMask& before, const PixelMask& after) {
    std::optional<std::array<int, 4>> box;
    const auto note = [&box](int px, int py) {
        if (!box) box = std::array<int, 4>{px, py, px, py};
        *box = {std::min((*box)[0], px), std::min((*box)[1], py), std::max((*box)[2], px), std::max((*box)[3], py)};
    };
    const auto span = [](const PixelMask& m, int py, int& from, int& to) {
        if (py < m.y || py >= m.y + m.height) return;
        const MaskRow& row = m.rows[static_cast<std::size_t>(py - m.y)];
        if (row.count == 0) return;
        from = std::min(from, m.x + row.first);
        to = std::max(to, m.x + row.first + row.count - 1);
    };
    const int top = std::min(before.height != 0 ? before.y : after.y, after.height != 0 ? after.y : before.y);
    const int bottom = std::max(before.y + before.height, after.y + after.height);
    for (int py = top; py < bottom; ++py) {
        int from = INT32_MAX;
        int to = INT32_MIN;
        span(before, py, from, to);
        span(after, py, from, to);
        for (int px = from; px <= to; ++px)
            if (before.level(px, py) != after.level(px, py)) note(px, py);
    }
    return box;
}

void MaskBuilder::add_row(int y, int x0, const std::uint8_t* levels, int count) {
    int first = 0;
    while (first < count && levels[first] == 0) ++first;
    int last = count - 1;
    while (last >= first && levels[last] == 0) --last;
    if (first > last) return;
    spans_.push_back({y, x0 + first, levels_.size(), last - first + 1});
    levels_.insert(levels_.end(), levels + first, levels + last + 1);
}

PixelMask MaskBuilder::finish() {
    PixelMask mask;
    if (spans_.empty()) return mask;
    int left = INT32_MAX;
    int right = INT32_MIN;
    for (const Span& s : spans_) {
        left = std::min(left, s.x);
        right = std::max(right, s.x + s.count - 1);
    }
    mask.x = left;
    mask.y = spans_.front().y;
    mask.width = right - left + 1;
    mask.height = spans_.back().y - mask.y + 1;
    mask.rows.assign(static_cast<std::size_t>(mask.height), MaskRow{});
    for (const Span& s : spans_) mask.rows[static_cast<std::size_t>(s.y - mask.y)] = {s.x - left, s.count, s.offset};
    mask.levels = std::move(levels_);
    spans_.clear();
    levels_.clear();
    return mask;
}

}  // namespace hndpos
