// A second, deliberately plain reading of number texts that the fuzzer holds
// the library's against: the folding by its table, the number by its rules,
// and the rounding to double left to the C library's exact strtod.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace veskora::fuzz {

// The full-width folding of a text that holds no zero byte.
std::string ReferenceFoldFullWidth(std::string_view text);

// The number at the start of a text, as the decimal digits that count.
struct ReferenceNumber {
    bool negative = false;
    std::string digits;          // kept significant digits, no trailing zeros; empty for zero
    long long exponent = 0;      // power of ten of the last kept digit
    long long digitsInText = 0;  // significant digits written, before any were dropped
};

ReferenceNumber ReferenceReadNumber(std::string_view text);

// The number brought to the nearest double, exact halves toward zero.
double ReferenceToDouble(const ReferenceNumber& number);

// The nearest single, ties to even, for a number short enough that reading it
// in one step and reading it through a double must agree; nothing otherwise.
std::optional<float> ReferenceShortNumberToSingle(const ReferenceNumber& number);

}  // namespace veskora::fuzz
