#include "calc/binary_rounding.h"

#include <bit>
#include <cstdint>

namespace veskora::detail {
namespace {

constexpr int kSignificandBits = 53;
constexpr int kMinExponent = -1022;  // of the leading bit of a normal double
constexpr int kMaxExponent = 1023;
constexpr int kExponentBias = 1023;
constexpr int kSubnormalLsb = -1074;  // weight of the last bit of a subnormal
constexpr uint64_t kHiddenBit = uint64_t{1} << 52;

double Assemble(uint64_t significand, int lsbExponent, bool negative) noexcept {
    uint64_t sign = negative ? uint64_t{1} << 63 : 0;
    if (significand == uint64_t{1} << kSignificandBits) {
        significand >>= 1;
        ++lsbExponent;
    }
    if (significand == 0) return std::bit_cast<double>(sign);
    if (significand < kHiddenBit) return std::bit_cast<double>(sign | significand);
    int topExponent = lsbExponent + kSignificandBits - 1;
    if (topExponent > kMaxExponent) return std::bit_cast<double>(sign | 0x7FF0000000000000);
    uint64_t biased = static_cast<uint64_t>(topExponent + kExponentBias);
    return std::bit_cast<double>(sign | biased << 52 | (significand - kHiddenBit));
}

}  // namespace

double RoundToDouble(const QuotientBits& q, int exponent, bool negative, TieRule tie) noexcept {
    // 1. The weight of the last bit of q, and of its leading bit.
    int lsb = exponent - q.shift;
    int top = lsb + 63;
    // 2. How many bits the double keeps: 53, or fewer on the subnormal grid.
    int keep = top >= kMinExponent ? kSignificandBits : top - kSubnormalLsb + 1;
    if (keep < 0) return Assemble(0, kSubnormalLsb, negative);
    int dropped = 64 - keep;
    // 3. Compare what is dropped with half a unit of the last kept bit.
    uint64_t kept = dropped == 64 ? 0 : q.bits >> dropped;
    uint64_t rest = dropped == 64 ? q.bits : q.bits & ((uint64_t{1} << dropped) - 1);
    uint64_t half = uint64_t{1} << (dropped - 1);
    bool above = rest > half || (rest == half && !q.restIsZero);
    bool exactHalf = rest == half && q.restIsZero;
    // 4. Round: above half up; an exact half toward zero or to even.
    if (above || (exactHalf && tie == TieRule::kToEven && (kept & 1) != 0)) ++kept;
    return Assemble(kept, lsb + dropped, negative);
}

QuotientBits RoundToExtended(const QuotientBits& q) noexcept {
    QuotientBits result = q;
    bool up = q.restVersusHalf > 0 || (q.restVersusHalf == 0 && (q.bits & 1) != 0);
    if (up && ++result.bits == 0) {
        result.bits = uint64_t{1} << 63;
        --result.shift;
    }
    result.restVersusHalf = -1;
    result.restIsZero = true;
    return result;
}

}  // namespace veskora::detail
