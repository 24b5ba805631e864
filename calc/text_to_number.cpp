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

// Reads a run of digits into the number, which holds count significant
// digits so far; returns the new count. Each digit past the 25th adds
// droppedWeight to scale. The leading digits are gathered in registers.
template <class Bytes>
int ReadDigits(Bytes& bytes, DecimalNumber& number, int count, int64_t& scale,
               int droppedWeight) noexcept {
    uint64_t leading = number.leading;
    int c;
    for (; count < detail::kLeadingDigits && IsDigit(c = bytes.Peek()); bytes.Advance()) {
        leading = leading * 10 + static_cast<uint64_t>(c - '0');
        ++count;
    }
    number.leading = leading;
    for (; IsDigit(c = bytes.Peek()); bytes.Advance()) {
        if (count <= kMaxKeptDigits) {
            number.tail[count++ - detail::kLeadingDigits] = static_cast<char>(c - '0');
        } else {
            scale += droppedWeight;
        }
    }
    return count;
}

// Reads the longest beginning of the text that is a number. A text that does
// not begin with one gives a count of 0 and no sign: +0.
template <class Bytes>
DecimalNumber ReadDecimal(Bytes bytes) noexcept {
    // 1. Leading white space.
    while (IsSpace(bytes.Peek())) bytes.Advance();
    // 2. The sign.
    bool negative = false;
    if (bytes.Peek() == '+' || bytes.Peek() == '-') {
        negative = bytes.Peek() == '-';
        bytes.Advance();
    }
    // 3. The mantissa. scale follows the power of ten of the last kept digit:
    // digits past the 25th before the point still count for the magnitude.
    bool anyDigit = IsDigit(bytes.Peek());
    int64_t scale = 0;
    DecimalNumber number{};
    while (bytes.Peek() == '0') bytes.Advance();
    number.count = ReadDigits(bytes, number, 0, scale, 1);
    if (bytes.Peek() == '.') {
        bytes.Advance();
        anyDigit = anyDigit || IsDigit(bytes.Peek());
        if (number.count == 0) {
            for (; bytes.Peek() == '0'; bytes.Advance()) --scale;
        }
        int before = number.count;
        number.count = ReadDigits(bytes, number, before, scale, 0);
        scale -= number.count - before;
    }
    // 6. No digit: +0, also after a minus.
    if (!anyDigit) {
        number = DecimalNumber{};
        return number;  // one named result throughout, built in place
    }
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
    number.exponent = exponent + scale;
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
