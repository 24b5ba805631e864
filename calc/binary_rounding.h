// Bringing an exact binary value to double precision.
#pragma once

#include "calc/big_integer.h"

namespace veskora::detail {

enum class TieRule {
    kTowardZero,  // the reading of decimal text
    kToEven,      // IEEE 754 arithmetic
};

// The double nearest to (q.bits + rest) * 2^(exponent - q.shift), with the
// sign given, subnormal below 2^-1022 and infinite when it does not fit.
double RoundToDouble(const QuotientBits& q, int exponent, bool negative, TieRule tie) noexcept;

// The same value with its significand rounded to 64 bits, ties to even, as
// the floating-point unit holds an intermediate result. The rest is then 0.
QuotientBits RoundToExtended(const QuotientBits& q) noexcept;

}  // namespace veskora::detail
