#include "calc/decimal_to_double.h"

#include <bit>

#include "calc/big_integer.h"
#include "calc/binary_rounding.h"

namespace veskora::detail {
namespace {

constexpr int64_t kExponentLimit = 5200;

double Signed(double magnitude, bool negative) noexcept {
    return negative ? -magnitude : magnitude;
}

double Infinity(bool negative) noexcept {
    return std::bit_cast<double>((negative ? uint64_t{1} << 63 : 0) | 0x7FF0000000000000);
}

}  // namespace

double ExactDecimalToDouble(const DecimalNumber& number) noexcept {
    // 1. Zeros only: zero with the number's sign.
    int count = number.count;
    if (count == 0) return Signed(0.0, number.negative);
    int64_t exponent = number.exponent;
    char digits[kMaxKeptDigits + 1];
    uint64_t leading = number.leading;
    for (int i = (count < kLeadingDigits ? count : kLeadingDigits) - 1; i >= 0;
         --i, leading /= 10) {
        digits[i] = static_cast<char>(leading % 10);
    }
    for (int i = kLeadingDigits; i < count; ++i) digits[i] = number.tail[i - kLeadingDigits];

    // 2. At most 24 digits count; the 25th rounds the 24th half up.
    bool carry = false;
    if (count > kMaxKeptDigits) {
        carry = digits[kMaxKeptDigits] >= 5;
        count = kMaxKeptDigits;
        ++exponent;
    }
    for (int i = count - 1; carry && i >= 0; --i) {
        carry = ++digits[i] == 10;
        if (carry) digits[i] = 0;
    }
    if (carry) {  // 99...9 became 100...0
        digits[0] = 1;
        count = 1;
        exponent += kMaxKeptDigits;
    }
    while (count > 0 && digits[count - 1] == 0) {
        --count;
        ++exponent;
    }

    // 3. Beyond the power of ten the reading keeps: infinity or zero.
    if (exponent > kExponentLimit) return Infinity(number.negative);
    if (exponent < -kExponentLimit) return Signed(0.0, number.negative);
    // Far outside the doubles the value is decided without arithmetic:
    // 10^309 is above every double, 10^-324 below half the smallest one.
    if (exponent + count - 1 >= 309) return Infinity(number.negative);
    if (exponent + count <= -324) return Signed(0.0, number.negative);

    uint64_t integer = 0;
    int small = count < kLeadingDigits ? count : kLeadingDigits;
    for (int i = 0; i < small; ++i) integer = integer * 10 + static_cast<uint64_t>(digits[i]);

    // 4. Exactly: digits * 10^exponent = a / b * 2^exponent.
    BigInteger a = MakeBigInteger(integer);
    for (int i = small; i < count; ++i) {
        MultiplySmall(a, 10);
        AddSmall(a, static_cast<uint32_t>(digits[i]));
    }
    BigInteger b = MakeBigInteger(1);
    int binaryExponent = static_cast<int>(exponent);
    if (binaryExponent >= 0) {
        MultiplyByPowerOfFive(a, binaryExponent);
    } else {
        MultiplyByPowerOfFive(b, -binaryExponent);
    }
    QuotientBits q = LeadingQuotientBits(a, b);
    return RoundToDouble(q, binaryExponent, number.negative, TieRule::kTowardZero);
}

}  // namespace veskora::detail
