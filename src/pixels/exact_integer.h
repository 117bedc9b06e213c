// Signed integers of a few thousand bits, exact: what a pixel's coverage
// needs when several edges cross it, each adding a fraction of its own
// denominator. Only what that sum and its comparisons take: products of
// 64-bit values, multiplying in place, adding, comparing.
#pragma once

#include <array>
#include <cstdint>

namespace hndpos {

class ExactInteger {
public:
    // Room for the product of 64 edges' denominators (each under 2^52)
    // and the factors a comparison multiplies in.
    static constexpr int max_words = 112;

    ExactInteger() = default;
    explicit ExactInteger(std::int64_t value);
    // Copies only the words in use.
    ExactInteger(const ExactInteger& other) { *this = other; }
    ExactInteger& operator=(const ExactInteger& other);

    static ExactInteger product(std::int64_t a, std::int64_t b);

    void multiply(std::uint64_t factor);                             // *this ×= factor
    void add(const ExactInteger& other);                             // *this += other
    void add_product(const ExactInteger& a, const ExactInteger& b);  // *this += a × b
    void negate() { negative_ = size_ != 0 && !negative_; }

    int sign() const { return size_ == 0 ? 0 : negative_ ? -1 : 1; }
    friend int compare(const ExactInteger& a, const ExactInteger& b);

private:
    void add_magnitude(const std::uint32_t* words, int size, bool negative);
    void trim();

    bool negative_ = false;
    int size_ = 0;  // words in use; the rest are not read
    std::array<std::uint32_t, max_words> words_{};
};

}  // namespace hndpos
