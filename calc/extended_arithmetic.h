// Multiplication and division as the floating-point unit does them with a
// 64-bit significand: the exact result is rounded to 64 bits, then stored as
// a double; both roundings to nearest, ties to even. Done in integers, so the
// result is the same on every compiler and processor.
#pragma once

namespace veskora::detail {

double MultiplyExtended(float a, double b) noexcept;
double DivideExtended(float a, double b) noexcept;

}  // namespace veskora::detail
