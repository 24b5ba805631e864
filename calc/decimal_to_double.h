// The double nearest to a decimal number, exact halves toward zero.
#pragma once

#include <cstdint>

namespace veskora::detail {

inline constexpr int kMaxKeptDigits = 24;

// A decimal number as the reading keeps it: digits[0..count) are its
// significant digits (at most kMaxKeptDigits + 1, the last deciding the
// rounding), and exponent is the power of ten of the last of them.
struct DecimalNumber {
    bool negative;
    int count;
    char digits[kMaxKeptDigits + 1];
    int64_t exponent;
};

double DecimalToDouble(const DecimalNumber& number) noexcept;

}  // namespace veskora::detail
