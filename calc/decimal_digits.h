// The first 17 significant decimal digits of a double, rounded half up on
// the 18th digit alone.
#pragma once

#include <cstdint>

namespace veskora::detail {

inline constexpr int kDecimalDigits = 17;

// magnitude is approximately 0.D * 10^exponent, where D is the 17 digits of
// significand (10^16 <= significand < 10^17), trailing zeros included.
struct DecimalForm {
    uint64_t significand;
    int exponent;
};

// For a finite nonzero double; its sign is ignored.
DecimalForm DecimalDigits(double magnitude) noexcept;

}  // namespace veskora::detail
