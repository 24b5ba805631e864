#include "calc/decimal_digits.h"

#include <bit>

#include "calc/big_integer.h"

namespace veskora::detail {
namespace {

constexpr uint64_t kTenTo17 = 100000000000000000;
constexpr uint64_t kTenTo18 = 1000000000000000000;
constexpr int kMaxSmallPowerOfFive = 27;  // 5^27 < 2^63

struct Product128 {
    uint64_t high;
    uint64_t low;
};

Product128 Multiply(uint64_t a, uint64_t b) noexcept {
    uint64_t aLow = a & 0xFFFFFFFF, aHigh = a >> 32;
    uint64_t bLow = b & 0xFFFFFFFF, bHigh = b >> 32;
    uint64_t lowLow = aLow * bLow;
    uint64_t highLow = aHigh * bLow;
    uint64_t lowHigh = aLow * bHigh;
    uint64_t middle = (lowLow >> 32) + (highLow & 0xFFFFFFFF) + (lowHigh & 0xFFFFFFFF);
    return {aHigh * bHigh + (highLow >> 32) + (lowHigh >> 32) + (middle >> 32),
            (middle << 32) | (lowLow & 0xFFFFFFFF)};
}

uint64_t PowerOfFive(int exponent) noexcept {
    uint64_t power = 1;
    for (int i = 0; i < exponent; ++i) power *= 5;
    return power;
}

// floor(f * 2^binaryExponent * 10^decimalExponent), known to be below 2^64.
uint64_t ScaledFloor(uint64_t f, int binaryExponent, int decimalExponent) noexcept {
    int twos = binaryExponent + decimalExponent;
    // Moderate magnitudes: one 128-bit product and a shift.
    if (decimalExponent >= 0 && decimalExponent <= kMaxSmallPowerOfFive && twos < 0 &&
        twos > -128) {
        Product128 p = Multiply(f, PowerOfFive(decimalExponent));
        int shift = -twos;
        if (shift >= 64) return p.high >> (shift - 64);
        return (p.low >> shift) | (shift == 0 ? 0 : p.high << (64 - shift));
    }
    // Everything else exactly: f * 5^a * 2^b / (5^c * 2^d).
    BigInteger numerator = MakeBigInteger(f);
    BigInteger denominator = MakeBigInteger(1);
    if (decimalExponent >= 0) {
        MultiplyByPowerOfFive(numerator, decimalExponent);
    } else {
        MultiplyByPowerOfFive(denominator, -decimalExponent);
    }
    if (twos >= 0) {
        ShiftLeft(numerator, twos);
    } else {
        ShiftLeft(denominator, -twos);
    }
    return DivideWithRemainder(numerator, denominator);
}

// floor(log10(2^e)) for the exponents of doubles.
int FloorLog10OfPowerOfTwo(int e) noexcept {
    return (e * 78913) >> 18;
}

}  // namespace

DecimalForm DecimalDigits(double magnitude) noexcept {
    // 1. magnitude = f * 2^e exactly.
    uint64_t bits = std::bit_cast<uint64_t>(magnitude);
    int biased = static_cast<int>((bits >> 52) & 0x7FF);
    uint64_t f = bits & ((uint64_t{1} << 52) - 1);
    int e = -1074;
    if (biased != 0) {
        f |= uint64_t{1} << 52;
        e = biased - 1075;
    }
    // 2. The first digit's power of ten is p or p + 1.
    int leadingBit = 63 - std::countl_zero(f) + e;
    int p = FloorLog10OfPowerOfTwo(leadingBit);
    // 3. The first 18 digits, cut toward zero.
    uint64_t digits = ScaledFloor(f, e, kDecimalDigits - p);
    if (digits >= kTenTo18) {
        digits /= 10;
        ++p;
    }
    // 4. Half up on the 18th digit alone, carrying into a new first digit.
    uint64_t significand = digits / 10 + (digits % 10 >= 5 ? 1 : 0);
    if (significand == kTenTo17) {
        significand /= 10;
        ++p;
    }
    return {significand, p + 1};
}

}  // namespace veskora::detail
