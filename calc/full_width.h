// The full-width forms that a Chinese input method types, as GBK byte pairs.
#pragma once

#include <string_view>

namespace veskora::detail {

// The ASCII byte a GBK pair folds to, or 0 when the pair stays as it is.
// 0xA3 0xA1..0xFE are the full-width forms of '!'..'~' (a rule on the
// bytes: 0xA3 0xA4, the full-width yen sign, becomes '$' as well).
constexpr unsigned char FoldedPair(unsigned char first, unsigned char second) noexcept {
    if (first == 0xA3 && second >= 0xA1 && second <= 0xFE) {
        return static_cast<unsigned char>(second - 0x80);
    }
    if (first == 0xA1) {
        switch (second) {
            case 0xA1:
                return ' ';  // ideographic space
            case 0xAB:
                return '~';  // full-width tilde
            case 0xEE:
                return '*';  // white star
            case 0xEF:
                return '*';  // black star
            default:
                break;
        }
    }
    return 0;
}

// The bytes of a text as they read after folding, one at a time; the cursor
// a number is read through. Peek gives -1 at the end. A pair that does not
// fold shows its first byte, which ends any number.
class FoldedBytes {
  public:
    explicit FoldedBytes(std::string_view text) noexcept
        : next_(text.data()), end_(text.data() + text.size()) {
        Load();
    }
    int Peek() const noexcept { return current_; }
    void Advance() noexcept {
        next_ += width_;
        Load();
    }

  private:
    void Load() noexcept {
        width_ = 1;
        if (next_ == end_) {
            current_ = -1;
            return;
        }
        auto first = static_cast<unsigned char>(*next_);
        current_ = first;
        if (first < 0x80) return;
        if (next_ + 1 == end_) {  // a lone first byte at the end is dropped
            current_ = -1;
            return;
        }
        width_ = 2;
        unsigned char folded = FoldedPair(first, static_cast<unsigned char>(next_[1]));
        if (folded != 0) current_ = folded;
    }

    const char* next_;
    const char* end_;
    int current_ = -1;
    int width_ = 1;
};

// The bytes of a text as they stand.
class PlainBytes {
  public:
    explicit PlainBytes(std::string_view text) noexcept
        : next_(text.data()), end_(text.data() + text.size()) {}
    int Peek() const noexcept { return next_ == end_ ? -1 : static_cast<unsigned char>(*next_); }
    void Advance() noexcept { ++next_; }

  private:
    const char* next_;
    const char* end_;
};

}  // namespace veskora::detail
