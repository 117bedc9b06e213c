// The exactly rounded real values of the figures: the integer nearest to
// 2^bits × (centre + a·sin θ + b·cos θ) for the exact angle θ = 2π·k/N,
// not the extended format's rounded angle, sine and cosine. These entries
// depend only on the real geometry, so a figure that is symmetric about its
// own axis gives a dial that is exactly mirror-symmetric.
#pragma once

#include <array>
#include <cstdint>

namespace hndpos {

// sin θ and cos θ of one position, held to 128 bits with error bounds;
// most entries are decided from them, the rest at more precision.
class ExactTurn {
public:
    // Position `position` (0..positions−1) of a turn of `positions`.
    ExactTurn(int position, int positions);

    // The integer nearest to center + 2^bits × (a·sin θ + b·cos θ), ties
    // to even, the centre given in units of 2^−bits: |center| ≤ 2^40,
    // |a| and |b| ≤ 2^31, bits 0..8. Position k of N may be any fraction
    // of a turn k/N (an arc's), N < 2^31.
    std::int64_t nearest(std::int64_t center, std::int64_t a, std::int64_t b, int bits) const;

    // One term of the approximation: (−1)^negative × (words[0] + fraction
    // words), within error_units units of the last word of the truth.
    struct Term {
        bool negative = false;
        std::array<std::uint32_t, 5> words{};
        std::uint32_t error_units = 0;
    };

private:
    int position_;
    int positions_;
    Term sin_;
    Term cos_;
};

}  // namespace hndpos
