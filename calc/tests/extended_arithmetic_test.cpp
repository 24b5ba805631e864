// The circumference and the quotient against the floating-point unit
// itself, where the compiler's long double is the x87 80-bit format.
#include <gtest/gtest.h>

#include <bit>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <random>

#include "calc/extended_arithmetic.h"

namespace veskora::detail {
namespace {

constexpr double kPulleyConstant = 3.1415926;

#if LDBL_MANT_DIG == 64
// volatile keeps each operation a real x87 instruction on 80-bit values.
double X87Multiply(float a, double b) {
    volatile long double product = static_cast<long double>(a) * static_cast<long double>(b);
    return static_cast<double>(product);
}
double X87Divide(float a, double b) {
    volatile long double quotient = static_cast<long double>(a) / static_cast<long double>(b);
    return static_cast<double>(quotient);
}
bool X87HasExtendedPrecision() {
    volatile long double one = 1.0L;
    volatile long double tiny = LDBL_EPSILON;
    return one + tiny != one && static_cast<double>(one + tiny) == 1.0;
}
#endif

uint64_t Bits(double value) {
    return std::bit_cast<uint64_t>(value);
}

TEST(ExtendedArithmetic, MatchesTheFloatingPointUnitOnDiametersAndPulseCounts) {
#if LDBL_MANT_DIG == 64
    ASSERT_TRUE(X87HasExtendedPrecision()) << "the x87 unit is not set to 64-bit precision";
    std::mt19937_64 random(20261211);
    std::uniform_int_distribution<uint32_t> finiteSingles(0, 0x7F7FFFFF);
    std::uniform_int_distribution<int> pulseCounts(1, 1 << 22);
    int circumferencesThatDifferFromDouble = 0;
    int quotientsThatDifferFromDouble = 0;
    auto check = [&](float diameter, float pulses) {
        double circumference = MultiplyExtended(diameter, kPulleyConstant);
        ASSERT_EQ(Bits(circumference), Bits(X87Multiply(diameter, kPulleyConstant)))
            << "diameter " << std::bit_cast<uint32_t>(diameter);
        double result = DivideExtended(pulses, circumference);
        ASSERT_EQ(Bits(result), Bits(X87Divide(pulses, circumference)))
            << "pulses " << std::bit_cast<uint32_t>(pulses) << " over " << Bits(circumference);
        // The inputs where a plain double computation differs are the ones
        // that show the two roundings.
        volatile double plainProduct = static_cast<double>(diameter) * kPulleyConstant;
        volatile double plainQuotient = static_cast<double>(pulses) / circumference;
        if (plainProduct != circumference) ++circumferencesThatDifferFromDouble;
        if (plainQuotient != result) ++quotientsThatDifferFromDouble;
    };
    // Diameters as they are typed: hundredths of a millimetre up to 1000.
    for (int hundredths = 1; hundredths <= 100000; ++hundredths) {
        check(static_cast<float>(hundredths) / 100.0f, static_cast<float>(pulseCounts(random)));
    }
    // And any finite single for either input, of either sign.
    for (int i = 0; i < 200000; ++i) {
        float diameter = std::bit_cast<float>(finiteSingles(random) | (i & 1 ? 0x80000000u : 0));
        float pulses = std::bit_cast<float>(finiteSingles(random) | (i & 2 ? 0x80000000u : 0));
        check(diameter, pulses);
    }
    EXPECT_GT(circumferencesThatDifferFromDouble, 0);
    EXPECT_GT(quotientsThatDifferFromDouble, 0);
#else
    GTEST_SKIP() << "long double is not the x87 extended format here";
#endif
}

// The special operands, which the sweep above does not reach: IEEE 754
// with every exception masked, and the indefinite NaN for invalid operations.
TEST(ExtendedArithmetic, SpecialOperandsFollowIeee) {
    constexpr uint64_t kIndefinite = 0xFFF8000000000000;
    const double inf = INFINITY;
    EXPECT_EQ(Bits(MultiplyExtended(0.0f, kPulleyConstant)), Bits(0.0));
    EXPECT_EQ(Bits(MultiplyExtended(-0.0f, kPulleyConstant)), Bits(-0.0));
    EXPECT_EQ(Bits(MultiplyExtended(INFINITY, kPulleyConstant)), Bits(inf));
    EXPECT_EQ(Bits(MultiplyExtended(-INFINITY, kPulleyConstant)), Bits(-inf));
    EXPECT_EQ(Bits(MultiplyExtended(INFINITY, 0.0)), kIndefinite);
    EXPECT_EQ(Bits(DivideExtended(1.0f, 0.0)), Bits(inf));
    EXPECT_EQ(Bits(DivideExtended(-1.0f, 0.0)), Bits(-inf));
    EXPECT_EQ(Bits(DivideExtended(1.0f, -0.0)), Bits(-inf));
    EXPECT_EQ(Bits(DivideExtended(0.0f, 0.0)), kIndefinite);
    EXPECT_EQ(Bits(DivideExtended(-0.0f, 0.0)), kIndefinite);
    EXPECT_EQ(Bits(DivideExtended(INFINITY, inf)), kIndefinite);
    EXPECT_EQ(Bits(DivideExtended(-0.0f, 5.0)), Bits(-0.0));
    EXPECT_EQ(Bits(DivideExtended(1.0f, inf)), Bits(0.0));
    EXPECT_EQ(Bits(DivideExtended(-1.0f, inf)), Bits(-0.0));
    EXPECT_EQ(Bits(DivideExtended(INFINITY, -5.0)), Bits(-inf));
    // Results beyond the doubles: overflow to infinity, underflow to zero.
    EXPECT_EQ(Bits(DivideExtended(FLT_MAX, 0x1p-1074)), Bits(inf));
    EXPECT_EQ(Bits(DivideExtended(0x1p-149f, 0x1p1000)), Bits(0.0));
    EXPECT_EQ(Bits(DivideExtended(0x1p-149f, 0x1p925)), Bits(0x1p-1074));
}

}  // namespace
}  // namespace veskora::detail
