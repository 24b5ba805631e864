#include "calc/decimal_to_double.h"

#include <bit>
#include <cfloat>

#include "calc/big_integer.h"
#include "calc/binary_rounding.h"

namespace veskora::detail {
namespace {

constexpr int64_t kExponentLimit = 5200;
constexpr double kExactPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                        1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                        1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
constexpr int kMaxExactPowerOfTen = 22;
constexpr uint64_t kMaxExactInteger = uint64_t{1} << 53;

double Signed(double magnitude, bool negative) noexcept {
    return negative ? -magnitude : magnitude;
}

double Infinity(bool negative) noexcept {
    return std::bit_cast<double>((negative ? uint64_t{1} << 63 : 0) | 0x7FF0000000000000);
}

// Exact whenever one IEEE operation on exact operands gives the result: the
// integer and the power of ten are exact doubles, and a quotient of them can
// never lie exactly halfway between two doubles, so no tie arises.
bool TryExactOperation(uint64_t integer, int64_t exponent, double& result) noexcept {
#if FLT_EVAL_METHOD == 0
    if (integer > kMaxExactInteger) return false;
    if (exponent >= 0 && exponent <= kMaxExactPowerOfTen) {
        uint64_t scaled = integer;
        for (int64_t i = 0; i < exponent; ++i) {
            if (scaled > kMaxExactInteger / 10) return false;
            scaled *= 10;
        }
        result = static_cast<double>(scaled);
        return true;
    }
    if (exponent < 0 && exponent >= -kMaxExactPowerOfTen) {
        result = static_cast<double>(integer) / kExactPowersOfTen[-exponent];
        return true;
    }
#else
    (void)integer;
    (void)exponent;
    (void)result;
#endif
    return false;
}

}  // namespace

double DecimalToDouble(const DecimalNumber& number) noexcept {
    // 1. Zeros only: zero with the number's sign.
    int count = number.count;
    int64_t exponent = number.exponent;
    while (count > 0 && number.digits[count - 1] == 0) {
        --count;
        ++exponent;
    }
    if (count == 0) return Signed(0.0, number.negative);

    // 2. At most 24 digits count; the 25th rounds the 24th half up.
    char digits[kMaxKeptDigits + 1];
    for (int i = 0; i < count; ++i) digits[i] = number.digits[i];
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

    // 4. Short numbers: one exact IEEE operation.
    uint64_t integer = 0;
    int small = count < 19 ? count : 19;
    for (int i = 0; i < small; ++i) integer = integer * 10 + static_cast<uint64_t>(digits[i]);
    double quick;
    if (count == small && TryExactOperation(integer, exponent, quick)) {
        return Signed(quick, number.negative);
    }

    // 5. Otherwise exactly: digits * 10^exponent = a / b * 2^exponent.
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
