// Unsigned integers of fixed capacity for the exact steps of the conversions.
//
// Every exact step of reading and writing numbers is a quotient of the form
// (f * 5^a * 2^b) / (5^c * 2^d) whose first 64 bits are wanted; the largest
// operand is about 900 bits (the smallest subnormal double written with 18
// digits), well inside the capacity below. Nothing here allocates or fails.
#pragma once

#include <cstdint>

namespace veskora::detail {

inline constexpr int kBigIntegerLimbs = 64;  // 2048 bits

struct BigInteger {
    uint32_t limbs[kBigIntegerLimbs];  // least significant first
    int count;                         // limbs in use; no leading zero limb
};

BigInteger MakeBigInteger(uint64_t value) noexcept;
bool IsZero(const BigInteger& value) noexcept;
int BitLength(const BigInteger& value) noexcept;
int Compare(const BigInteger& a, const BigInteger& b) noexcept;

void MultiplySmall(BigInteger& value, uint32_t factor) noexcept;
void AddSmall(BigInteger& value, uint32_t addend) noexcept;
void MultiplyByPowerOfFive(BigInteger& value, int exponent) noexcept;
void ShiftLeft(BigInteger& value, int bits) noexcept;

// numerator := numerator mod denominator; returns the quotient, which the
// caller guarantees to be below 2^64. denominator must not be zero.
uint64_t DivideWithRemainder(BigInteger& numerator, const BigInteger& denominator) noexcept;

// The first 64 bits of the exact quotient a / b, with what the dropped part
// weighs: q = floor(a * 2^shift / b) with 2^63 <= q < 2^64, so that
// a / b = (q + rest) * 2^-shift with 0 <= rest < 1.
struct QuotientBits {
    uint64_t bits;
    int shift;
    int restVersusHalf;  // sign of (rest - 1/2)
    bool restIsZero;
};

QuotientBits LeadingQuotientBits(const BigInteger& a, const BigInteger& b) noexcept;

}  // namespace veskora::detail
