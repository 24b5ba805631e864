// The double nearest to a decimal number, exact halves toward zero.
#pragma once

#include <array>
#include <cfloat>
#include <cstddef>
#include <cstdint>
#include <iterator>

namespace veskora::detail {

inline constexpr int kMaxKeptDigits = 24;

inline constexpr int kLeadingDigits = 19;  // as many as always fit in 64 bits

// A decimal number as the reading keeps it: count significant digits (at
// most kMaxKeptDigits + 1, the last deciding the rounding), of which the
// first kLeadingDigits form the number leading and the others stand in tail,
// one a byte; exponent is the power of ten of the last of them.
struct DecimalNumber {
    bool negative;
    int count;
    uint64_t leading;
    char tail[kMaxKeptDigits + 1 - kLeadingDigits];
    int64_t exponent;
};

// Every number, exactly, with big integers where it must.
double ExactDecimalToDouble(const DecimalNumber& number) noexcept;

inline constexpr double kExactPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                               1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                               1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
inline constexpr int kMaxExactPowerOfTen = 22;
inline constexpr uint64_t kMaxExactInteger = uint64_t{1} << 53;

inline constexpr uint64_t kPowersOfTen[] = {1,
                                            10,
                                            100,
                                            1000,
                                            10000,
                                            100000,
                                            1000000,
                                            10000000,
                                            100000000,
                                            1000000000,
                                            10000000000,
                                            100000000000,
                                            1000000000000,
                                            10000000000000,
                                            100000000000000,
                                            1000000000000000};

// The largest integer that times 10^e is still at most 2^53, for each e.
inline constexpr auto kExactProductLimits = [] {
    std::array<uint64_t, std::size(kPowersOfTen)> limits{};
    for (size_t e = 0; e < limits.size(); ++e) limits[e] = kMaxExactInteger / kPowersOfTen[e];
    return limits;
}();

// Exact whenever one IEEE operation on exact operands gives the result: the
// integer and the power of ten are exact doubles, and a quotient of them can
// never lie exactly halfway between two doubles, so no tie arises.
inline bool TryExactOperation(uint64_t integer, int64_t exponent, double& result) noexcept {
#if FLT_EVAL_METHOD == 0
    if (integer > kMaxExactInteger) return false;
    if (exponent >= 0 && exponent < static_cast<int64_t>(std::size(kPowersOfTen))) {
        if (integer > kExactProductLimits[static_cast<size_t>(exponent)]) return false;
        result = static_cast<double>(integer * kPowersOfTen[exponent]);
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

inline double DecimalToDouble(const DecimalNumber& number) noexcept {
    // 1. Short numbers: one exact IEEE operation.
    double quick;
    if (number.count > 0 && number.count <= kLeadingDigits &&
        TryExactOperation(number.leading, number.exponent, quick)) {
        return number.negative ? -quick : quick;
    }
    return ExactDecimalToDouble(number);
}

}  // namespace veskora::detail
