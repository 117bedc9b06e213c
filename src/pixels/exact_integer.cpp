#include "pixels/exact_integer.h"

#include <stdexcept>

namespace hndpos {
namespace {

void set_magnitude(std::uint64_t magnitude, std::uint32_t* words, int& size) {
    size = 0;
    while (magnitude != 0) {
        words[size++] = static_cast<std::uint32_t>(magnitude);
        magnitude >>= 32;
    }
}

std::uint64_t magnitude_of(std::int64_t value) {
    return value < 0 ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
}

int compare_magnitude(const std::uint32_t* a, int a_size, const std::uint32_t* b, int b_size) {
    if (a_size != b_size) return a_size < b_size ? -1 : 1;
    for (int i = a_size - 1; i >= 0; --i)
        if (a[i] != b[i]) return a[i] < b[i] ? -1 : 1;
    return 0;
}

[[noreturn]] void too_wide() { throw std::length_error("exact integer beyond its words"); }

}  // namespace

ExactInteger::ExactInteger(std::int64_t value) : negative_(value < 0) {
    set_magnitude(magnitude_of(value), words_.data(), size_);
}

ExactInteger& ExactInteger::operator=(const ExactInteger& other) {
    if (this == &other) return *this;
    negative_ = other.negative_;
    size_ = other.size_;
    for (int i = 0; i < size_; ++i) words_[static_cast<std::size_t>(i)] = other.words_[static_cast<std::size_t>(i)];
    return *this;
}

ExactInteger ExactInteger::product(std::int64_t a, std::int64_t b) {
    ExactInteger result(a);
    result.multiply(magnitude_of(b));
    if (b < 0) result.negate();
    return result;
}

void ExactInteger::multiply(std::uint64_t factor) {
    if (factor == 0 || size_ == 0) {
        size_ = 0;
        negative_ = false;
        return;
    }
    const auto low = static_cast<std::uint32_t>(factor);
    const auto high = static_cast<std::uint32_t>(factor >> 32);
    if (size_ + 2 > max_words) too_wide();
    // words × low, then words × high one word up; every word of `out` that
    // the second pass reads the first has written.
    std::array<std::uint32_t, max_words> out;
    std::uint64_t carry = 0;
    for (int i = 0; i < size_; ++i) {
        const std::uint64_t t = std::uint64_t{words_[static_cast<std::size_t>(i)]} * low + carry;
        out[static_cast<std::size_t>(i)] = static_cast<std::uint32_t>(t);
        carry = t >> 32;
    }
    out[static_cast<std::size_t>(size_)] = static_cast<std::uint32_t>(carry);
    out[static_cast<std::size_t>(size_) + 1] = 0;
    if (high != 0) {
        carry = 0;
        for (int i = 0; i < size_; ++i) {
            const auto at = static_cast<std::size_t>(i) + 1;
            const std::uint64_t t = std::uint64_t{words_[static_cast<std::size_t>(i)]} * high + out[at] + carry;
            out[at] = static_cast<std::uint32_t>(t);
            carry = t >> 32;
        }
        out[static_cast<std::size_t>(size_) + 1] = static_cast<std::uint32_t>(carry);
    }
    size_ += 2;
    for (int i = 0; i < size_; ++i) words_[static_cast<std::size_t>(i)] = out[static_cast<std::size_t>(i)];
    trim();
}

void ExactInteger::add(const ExactInteger& other) { add_magnitude(other.words_.data(), other.size_, other.negative_); }

void ExactInteger::add_product(const ExactInteger& a, const ExactInteger& b) {
    if (a.size_ == 0 || b.size_ == 0) return;
    const int size = a.size_ + b.size_;
    if (size > max_words) too_wide();
    std::array<std::uint32_t, max_words> out;
    for (int i = 0; i < size; ++i) out[static_cast<std::size_t>(i)] = 0;
    for (int i = 0; i < a.size_; ++i) {
        std::uint64_t carry = 0;
        const std::uint64_t ai = a.words_[static_cast<std::size_t>(i)];
        for (int j = 0; j < b.size_; ++j) {
            const auto at = static_cast<std::size_t>(i) + static_cast<std::size_t>(j);
            const std::uint64_t t = ai * b.words_[static_cast<std::size_t>(j)] + out[at] + carry;
            out[at] = static_cast<std::uint32_t>(t);
            carry = t >> 32;
        }
        out[static_cast<std::size_t>(i) + static_cast<std::size_t>(b.size_)] = static_cast<std::uint32_t>(carry);
    }
    int out_size = size;
    while (out_size > 0 && out[static_cast<std::size_t>(out_size - 1)] == 0) --out_size;
    add_magnitude(out.data(), out_size, a.negative_ != b.negative_);
}

void ExactInteger::add_magnitude(const std::uint32_t* words, int size, bool negative) {
    if (size == 0) return;
    if (size_ == 0 || negative == negative_) {
        // Same signs: the magnitudes add.
        const int longest = size_ > size ? size_ : size;
        if (longest + 1 > max_words) too_wide();
        std::uint64_t carry = 0;
        for (int i = 0; i < longest; ++i) {
            const auto at = static_cast<std::size_t>(i);
            const std::uint64_t t = std::uint64_t{i < size_ ? words_[at] : 0u} + (i < size ? words[i] : 0u) + carry;
            words_[at] = static_cast<std::uint32_t>(t);
            carry = t >> 32;
        }
        words_[static_cast<std::size_t>(longest)] = static_cast<std::uint32_t>(carry);
        size_ = longest + 1;
        negative_ = negative;
        trim();
        return;
    }
    // Opposite signs: the smaller magnitude comes off the larger.
    const bool this_larger = compare_magnitude(words_.data(), size_, words, size) >= 0;
    const std::uint32_t* big = this_larger ? words_.data() : words;
    const std::uint32_t* small = this_larger ? words : words_.data();
    const int big_size = this_larger ? size_ : size;
    const int small_size = this_larger ? size : size_;
    // In place: each step reads its word of both before it writes.
    std::int64_t borrow = 0;
    for (int i = 0; i < big_size; ++i) {
        std::int64_t t = std::int64_t{big[i]} - (i < small_size ? small[i] : 0u) - borrow;
        borrow = t < 0 ? 1 : 0;
        if (t < 0) t += std::int64_t{1} << 32;
        words_[static_cast<std::size_t>(i)] = static_cast<std::uint32_t>(t);
    }
    size_ = big_size;
    negative_ = this_larger ? negative_ : negative;
    trim();
}

void ExactInteger::trim() {
    while (size_ > 0 && words_[static_cast<std::size_t>(size_ - 1)] == 0) --size_;
    if (size_ == 0) negative_ = false;
}

int compare(const ExactInteger& a, const ExactInteger& b) {
    if (a.sign() != b.sign()) return a.sign() < b.sign() ? -1 : 1;
    const int magnitude = compare_magnitude(a.words_.data(), a.size_, b.words_.data(), b.size_);
    return a.negative_ ? -magnitude : magnitude;
}

}  // namespace hndpos
