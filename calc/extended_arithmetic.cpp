#include "calc/extended_arithmetic.h"

#include <bit>
#include <cstdint>

#include "calc/big_integer.h"
#include "calc/binary_rounding.h"

namespace veskora::detail {
namespace {

constexpr uint64_t kSignBit = uint64_t{1} << 63;
constexpr uint64_t kIndefinite = 0xFFF8000000000000;  // what 0/0 and inf/inf give

enum class Kind { kZero, kFinite, kInfinite, kNaN };

// A value as f * 2^e with its sign.
struct Unpacked {
    Kind kind;
    bool negative;
    uint64_t f;
    int e;
};

Unpacked Unpack(double value) noexcept {
    uint64_t bits = std::bit_cast<uint64_t>(value);
    Unpacked u{Kind::kFinite, (bits & kSignBit) != 0, bits & 0x000FFFFFFFFFFFFF, -1074};
    int biased = static_cast<int>((bits >> 52) & 0x7FF);
    if (biased == 0x7FF) {
        u.kind = u.f == 0 ? Kind::kInfinite : Kind::kNaN;
    } else if (biased != 0) {
        u.f |= uint64_t{1} << 52;
        u.e = biased - 1075;
    } else if (u.f == 0) {
        u.kind = Kind::kZero;
    }
    return u;
}

double Special(uint64_t bits) noexcept {
    return std::bit_cast<double>(bits);
}
double Zero(bool negative) noexcept {
    return Special(negative ? kSignBit : 0);
}
double Infinity(bool negative) noexcept {
    return Special((negative ? kSignBit : 0) | 0x7FF0000000000000);
}

double RoundTwice(const QuotientBits& exact, int exponent, bool negative) noexcept {
    return RoundToDouble(RoundToExtended(exact), exponent, negative, TieRule::kToEven);
}

}  // namespace

// The readings never give a NaN; should one come, the result is the
// indefinite NaN, as for the invalid operations.
double MultiplyExtended(float a, double b) noexcept {
    Unpacked x = Unpack(a);  // widening a single is exact
    Unpacked y = Unpack(b);
    bool negative = x.negative != y.negative;
    if (x.kind == Kind::kNaN || y.kind == Kind::kNaN) return Special(kIndefinite);
    if (x.kind == Kind::kInfinite || y.kind == Kind::kInfinite) {
        if (x.kind == Kind::kZero || y.kind == Kind::kZero) return Special(kIndefinite);
        return Infinity(negative);
    }
    if (x.kind == Kind::kZero || y.kind == Kind::kZero) return Zero(negative);
    // A single's significand has at most 24 bits: the product is exact.
    int zeros = std::countr_zero(x.f);
    BigInteger product = MakeBigInteger(y.f);
    MultiplySmall(product, static_cast<uint32_t>(x.f >> zeros));
    QuotientBits exact = LeadingQuotientBits(product, MakeBigInteger(1));
    return RoundTwice(exact, x.e + zeros + y.e, negative);
}

double DivideExtended(float a, double b) noexcept {
    Unpacked x = Unpack(a);
    Unpacked y = Unpack(b);
    bool negative = x.negative != y.negative;
    if (x.kind == Kind::kNaN || y.kind == Kind::kNaN) return Special(kIndefinite);
    if (x.kind == y.kind && (x.kind == Kind::kZero || x.kind == Kind::kInfinite)) {
        return Special(kIndefinite);
    }
    if (x.kind == Kind::kInfinite || y.kind == Kind::kZero) return Infinity(negative);
    if (x.kind == Kind::kZero || y.kind == Kind::kInfinite) return Zero(negative);
    QuotientBits exact = LeadingQuotientBits(MakeBigInteger(x.f), MakeBigInteger(y.f));
    return RoundTwice(exact, x.e - y.e, negative);
}

}  // namespace veskora::detail
