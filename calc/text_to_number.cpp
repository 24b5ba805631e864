#include <bit>
#include <cfloat>
#include <cstdint>

#include "calc/calc.h"
#include "calc/decimal_to_double.h"
#include "calc/full_width.h"

namespace veskora {
namespace {

using detail::DecimalNumber;
using detail::kMaxKeptDigits;

constexpr int64_t kExponentCap = 5201;  // an exponent run stops counting past 5200

bool IsSpace(int c) noexcept {
    return c == ' ' || (c >= 0x09 && c <= 0x0D);
}
bool IsDigit(int c) noexcept {
    return c >= '0' && c <= '9';
}
bool IsExponentLetter(int c) noexcept {
    return c == 'e' || c == 'E' || c == 'd' || c == 'D';
}

// Reads the longest beginning of the text that is a number. A text that does
// not begin with one gives a count of 0 and no sign: +0.
template <class Bytes>
DecimalNumber ReadDecimal(Bytes bytes) noexcept {
    DecimalNumber number{};
    // 1. Leading white space.
    while (IsSpace(bytes.Peek())) bytes.Advance();
    // 2. The sign.
    bool negative = false;
    if (bytes.Peek() == '+' || bytes.Peek() == '-') {
        negative = bytes.Peek() == '-';
        bytes.Advance();
    }
    // 3. The mantissa: the first 25 significant digits are kept; the others
    // before the point still count for the magnitude.
    bool anyDigit = false;
    int64_t integerDigits = 0;  // significant ones, kept or not
    int64_t keptInteger = 0;
    int64_t keptFraction = 0;
    int64_t leadingZeros = 0;  // after the point, before the first significant digit
    auto keep = [&number](int c) {
        if (number.count > kMaxKeptDigits) return false;
        number.digits[number.count++] = static_cast<char>(c - '0');
        return true;
    };
    for (int c; IsDigit(c = bytes.Peek()); bytes.Advance()) {
        anyDigit = true;
        if (number.count == 0 && c == '0') continue;
        ++integerDigits;
        if (keep(c)) ++keptInteger;
    }
    if (bytes.Peek() == '.') {
        bytes.Advance();
        for (int c; IsDigit(c = bytes.Peek()); bytes.Advance()) {
            anyDigit = true;
            if (number.count == 0 && c == '0') {
                ++leadingZeros;
            } else if (keep(c)) {
                ++keptFraction;
            }
        }
    }
    // 6. No digit: +0, also after a minus.
    if (!anyDigit) return DecimalNumber{};
    number.negative = negative;
    // 4. The exponent, only when a digit follows the letter and its sign.
    int64_t exponent = 0;
    if (IsExponentLetter(bytes.Peek())) {
        bytes.Advance();
        bool negativeExponent = false;
        if (bytes.Peek() == '+' || bytes.Peek() == '-') {
            negativeExponent = bytes.Peek() == '-';
            bytes.Advance();
        }
        for (int c; IsDigit(c = bytes.Peek()); bytes.Advance()) {
            if (exponent < kExponentCap) exponent = exponent * 10 + (c - '0');
            if (exponent > kExponentCap - 1) exponent = kExponentCap;
        }
        if (negativeExponent) exponent = -exponent;
    }
    // 5. Whatever follows is ignored. The power of ten of the last kept digit:
    number.exponent = exponent + (integerDigits - keptInteger) - leadingZeros - keptFraction;
    return number;
}

// IEEE 754 narrowing with ties to even; spelled out where the language
// leaves it undefined, for magnitudes beyond the largest single.
float NarrowToSingle(double value) noexcept {
    constexpr double kOverflowThreshold = 0x1.ffffffp127;  // 2^128 - 2^103
    if (value >= kOverflowThreshold) return std::bit_cast<float>(uint32_t{0x7F800000});
    if (value <= -kOverflowThreshold) return std::bit_cast<float>(uint32_t{0xFF800000});
    if (value > FLT_MAX) return FLT_MAX;
    if (value < -FLT_MAX) return -FLT_MAX;
    return static_cast<float>(value);
}

}  // namespace

double TextToDouble(std::string_view text) noexcept {
    return detail::DecimalToDouble(ReadDecimal(detail::PlainBytes(text)));
}

float TextToSingle(std::string_view text) noexcept {
    return NarrowToSingle(detail::DecimalToDouble(ReadDecimal(detail::FoldedBytes(text))));
}

}  // namespace veskora
