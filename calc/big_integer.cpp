#include "calc/big_integer.h"

#include <cassert>

namespace veskora::detail {
namespace {

constexpr uint32_t kFiveToThe13 = 1220703125;  // the largest power of five in 32 bits

void Trim(BigInteger& value) noexcept {
    while (value.count > 0 && value.limbs[value.count - 1] == 0) --value.count;
}

void ShiftRightOne(BigInteger& value) noexcept {
    for (int i = 0; i < value.count; ++i) {
        uint32_t high = i + 1 < value.count ? value.limbs[i + 1] << 31 : 0;
        value.limbs[i] = (value.limbs[i] >> 1) | high;
    }
    Trim(value);
}

// a := a - b, where a >= b.
void Subtract(BigInteger& a, const BigInteger& b) noexcept {
    uint64_t borrow = 0;
    for (int i = 0; i < a.count; ++i) {
        uint64_t subtrahend = (i < b.count ? b.limbs[i] : 0) + borrow;
        uint64_t minuend = a.limbs[i];
        borrow = minuend < subtrahend ? 1 : 0;
        a.limbs[i] = static_cast<uint32_t>(minuend + (borrow << 32) - subtrahend);
    }
    assert(borrow == 0);
    Trim(a);
}

}  // namespace

BigInteger MakeBigInteger(uint64_t value) noexcept {
    BigInteger result{};
    result.limbs[0] = static_cast<uint32_t>(value);
    result.limbs[1] = static_cast<uint32_t>(value >> 32);
    result.count = 2;
    Trim(result);
    return result;
}

bool IsZero(const BigInteger& value) noexcept {
    return value.count == 0;
}

int BitLength(const BigInteger& value) noexcept {
    if (value.count == 0) return 0;
    uint32_t top = value.limbs[value.count - 1];
    int bits = 0;
    while (top != 0) {
        ++bits;
        top >>= 1;
    }
    return (value.count - 1) * 32 + bits;
}

int Compare(const BigInteger& a, const BigInteger& b) noexcept {
    if (a.count != b.count) return a.count < b.count ? -1 : 1;
    for (int i = a.count - 1; i >= 0; --i) {
        if (a.limbs[i] != b.limbs[i]) return a.limbs[i] < b.limbs[i] ? -1 : 1;
    }
    return 0;
}

void MultiplySmall(BigInteger& value, uint32_t factor) noexcept {
    uint64_t carry = 0;
    for (int i = 0; i < value.count; ++i) {
        uint64_t product = uint64_t{value.limbs[i]} * factor + carry;
        value.limbs[i] = static_cast<uint32_t>(product);
        carry = product >> 32;
    }
    if (carry != 0) {
        assert(value.count < kBigIntegerLimbs);
        value.limbs[value.count++] = static_cast<uint32_t>(carry);
    }
    Trim(value);
}

void AddSmall(BigInteger& value, uint32_t addend) noexcept {
    uint64_t carry = addend;
    for (int i = 0; i < value.count && carry != 0; ++i) {
        uint64_t sum = uint64_t{value.limbs[i]} + carry;
        value.limbs[i] = static_cast<uint32_t>(sum);
        carry = sum >> 32;
    }
    if (carry != 0) {
        assert(value.count < kBigIntegerLimbs);
        value.limbs[value.count++] = static_cast<uint32_t>(carry);
    }
}

void MultiplyByPowerOfFive(BigInteger& value, int exponent) noexcept {
    for (; exponent >= 13; exponent -= 13) MultiplySmall(value, kFiveToThe13);
    uint32_t rest = 1;
    for (; exponent > 0; --exponent) rest *= 5;
    MultiplySmall(value, rest);
}

void ShiftLeft(BigInteger& value, int bits) noexcept {
    if (value.count == 0 || bits <= 0) return;
    int limbShift = bits / 32;
    int bitShift = bits % 32;
    int newCount = value.count + limbShift + 1;
    assert(newCount <= kBigIntegerLimbs);
    for (int i = newCount - 1; i >= limbShift; --i) {
        int source = i - limbShift;
        uint32_t high = source < value.count ? value.limbs[source] : 0;
        uint32_t low = source >= 1 && source - 1 < value.count ? value.limbs[source - 1] : 0;
        value.limbs[i] = bitShift == 0 ? high : (high << bitShift) | (low >> (32 - bitShift));
    }
    for (int i = 0; i < limbShift; ++i) value.limbs[i] = 0;
    value.count = newCount;
    Trim(value);
}

uint64_t DivideWithRemainder(BigInteger& numerator, const BigInteger& denominator) noexcept {
    assert(!IsZero(denominator));
    int steps = BitLength(numerator) - BitLength(denominator);
    if (steps < 0) return 0;
    assert(steps <= 64);
    // Restoring division, one quotient bit a step: the quotient is short.
    BigInteger shifted = denominator;
    ShiftLeft(shifted, steps);
    uint64_t quotient = 0;
    for (int bit = steps; bit >= 0; --bit) {
        quotient <<= 1;
        if (Compare(numerator, shifted) >= 0) {
            Subtract(numerator, shifted);
            quotient |= 1;
        }
        ShiftRightOne(shifted);
    }
    return quotient;
}

QuotientBits LeadingQuotientBits(const BigInteger& a, const BigInteger& b) noexcept {
    assert(!IsZero(a) && !IsZero(b));
    // Scale so that the quotient has 64 or 65 bits, then drop one if needed.
    int shift = 64 - (BitLength(a) - BitLength(b));
    BigInteger numerator = a;
    BigInteger denominator = b;
    if (shift >= 0) {
        ShiftLeft(numerator, shift);
    } else {
        ShiftLeft(denominator, -shift);
    }
    // Now 2^63 < a*2^shift/b < 2^65; one bit less if it would not fit.
    BigInteger limit = denominator;
    ShiftLeft(limit, 64);
    if (Compare(numerator, limit) >= 0) {
        ShiftLeft(denominator, 1);
        --shift;
    }
    QuotientBits result{};
    result.bits = DivideWithRemainder(numerator, denominator);
    result.shift = shift;
    result.restIsZero = IsZero(numerator);
    ShiftLeft(numerator, 1);
    result.restVersusHalf = Compare(numerator, denominator);
    assert(result.bits >> 63 == 1);
    return result;
}

}  // namespace veskora::detail
