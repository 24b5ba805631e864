#include <bit>
#include <cstdint>
#include <string>

#include "calc/calc.h"
#include "calc/decimal_digits.h"

namespace veskora {
namespace {

constexpr int kSignificantDigits = 13;
constexpr uint64_t kTenTo12 = 1000000000000;
constexpr uint64_t kTenTo13 = 10000000000000;
constexpr int kLowestPlainExponent = -4;  // 0.0001 is still plain
constexpr uint64_t kSignBit = uint64_t{1} << 63;
constexpr uint64_t kExponentField = 0x7FF0000000000000;
constexpr uint64_t kFractionField = 0x000FFFFFFFFFFFFF;
constexpr uint64_t kQuietBit = uint64_t{1} << 51;
constexpr uint64_t kIndefinite = 0xFFF8000000000000;  // the NaN of 0/0 and inf/inf

// The texts are assembled here; 20 characters are the most any needs.
struct TextBuffer {
    char bytes[24];
    int length = 0;
    void Put(char c) noexcept { bytes[length++] = c; }
    void PutDigits(const char* digits, int count) noexcept {
        for (int i = 0; i < count; ++i) Put(digits[i]);
    }
    std::string Text() const { return std::string(bytes, static_cast<size_t>(length)); }
};

std::string SpecialText(uint64_t bits) {
    if ((bits & kFractionField) == 0) return bits & kSignBit ? "-1.#INF" : "1.#INF";
    uint64_t quiet = bits | kQuietBit;  // a signalling NaN reads as its quiet twin
    if (quiet == kIndefinite) return "-1.#IND";
    return quiet & kSignBit ? "-1.#QNAN" : "1.#QNAN";
}

}  // namespace

std::string DoubleToText(double value) {
    uint64_t bits = std::bit_cast<uint64_t>(value);
    // 1. Infinities and NaNs have texts of their own; zeros of both signs are "0".
    if ((bits & kExponentField) == kExponentField) return SpecialText(bits);
    if ((bits & ~kSignBit) == 0) return "0";

    // 2. 17 digits, then 13, rounded half up on the 14th digit alone.
    detail::DecimalForm form = detail::DecimalDigits(value);
    uint64_t kept = form.significand / 10000;
    bool up = (form.significand / 1000) % 10 >= 5;
    int exponent = form.exponent;  // the value is 0.g1g2...g13 * 10^exponent
    if (up && ++kept == kTenTo13) {
        kept = kTenTo12;
        ++exponent;
    }
    char digits[kSignificantDigits];
    for (int i = kSignificantDigits - 1; i >= 0; --i, kept /= 10) {
        digits[i] = static_cast<char>('0' + kept % 10);
    }
    int count = kSignificantDigits;  // without trailing zeros
    while (digits[count - 1] == '0') --count;

    // 3. The layout: plain for first-digit exponents -4 to 12, else g.ggge+xxx.
    TextBuffer text;
    if (bits & kSignBit) text.Put('-');
    int first = exponent - 1;  // power of ten of the first digit
    if (first < kLowestPlainExponent || first >= kSignificantDigits) {
        text.Put(digits[0]);
        if (count > 1) {
            text.Put('.');
            text.PutDigits(digits + 1, count - 1);
        }
        text.Put('e');
        text.Put(first < 0 ? '-' : '+');
        int magnitude = first < 0 ? -first : first;  // at most 324: always three digits
        for (int divisor = 100; divisor > 0; divisor /= 10) {
            text.Put(static_cast<char>('0' + magnitude / divisor % 10));
        }
    } else if (exponent >= 1) {
        text.PutDigits(digits, exponent);
        if (count > exponent) {
            text.Put('.');
            text.PutDigits(digits + exponent, count - exponent);
        }
    } else {
        text.Put('0');
        text.Put('.');
        for (int i = exponent; i < 0; ++i) text.Put('0');
        text.PutDigits(digits, count);
    }
    return text.Text();
}

}  // namespace veskora
