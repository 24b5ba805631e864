// Reading numbers from text: the grammar, the rounding rules and the
// narrowing, with expected values written as bit patterns.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <string>

#include "calc/calc.h"

namespace veskora {
namespace {

constexpr uint32_t kPlusZero = 0x00000000;
constexpr uint32_t kMinusZero = 0x80000000;
constexpr uint32_t kPlusInfinity = 0x7F800000;

struct SingleCase {
    int line;
    std::string text;
    uint32_t bits;
};

uint32_t SingleBits(float value) {
    return std::bit_cast<uint32_t>(value);
}
uint64_t DoubleBits(double value) {
    return std::bit_cast<uint64_t>(value);
}

void ExpectSingles(const SingleCase* begin, const SingleCase* end) {
    for (const SingleCase* c = begin; c != end; ++c) {
        EXPECT_EQ(SingleBits(TextToSingle(c->text)), c->bits)
            << "row at line " << c->line << ": \"" << c->text << "\"";
    }
}

TEST(TextToSingle, ReadsTheNumberAtTheStartAndIgnoresTheRest) {
    const SingleCase cases[] = {
        {__LINE__, "12800", 0x46480000},  // the window's defaults
        {__LINE__, "21", 0x41A80000},
        {__LINE__, " 21", 0x41A80000},
        {__LINE__, "\t21", 0x41A80000},
        {__LINE__, "\n\v\f\r 21", 0x41A80000},
        {__LINE__, "21mm", 0x41A80000},
        {__LINE__, "1,5", 0x3F800000},  // a comma is no decimal point
        {__LINE__, "1 2", 0x3F800000},
        {__LINE__, "1-2", 0x3F800000},
        {__LINE__, "1+2", 0x3F800000},
        {__LINE__, "1.5.3", 0x3FC00000},
        {__LINE__, "5.", 0x40A00000},
        {__LINE__, ".5", 0x3F000000},
        {__LINE__, "+.5e1", 0x40A00000},
        {__LINE__, "-5", 0xC0A00000},
        {__LINE__, "0x10", kPlusZero},  // reads the 0, stops at the x
        {__LINE__, "007", 0x40E00000},
        {__LINE__,
         "1\x80"
         "5",
         0x3F800000},  // a byte of 0x80 or above ends the number
    };
    ExpectSingles(std::begin(cases), std::end(cases));
}

TEST(TextToSingle, TextsWithoutANumberReadAsPlusZero) {
    const SingleCase cases[] = {
        {__LINE__, "", kPlusZero},
        {__LINE__, "abc", kPlusZero},
        {__LINE__, "-", kPlusZero},
        {__LINE__, ".", kPlusZero},
        {__LINE__, "-.", kPlusZero},
        {__LINE__, "- 5", kPlusZero},
        {__LINE__, "+-5", kPlusZero},
        {__LINE__, "inf", kPlusZero},
        {__LINE__, "nan", kPlusZero},
        {__LINE__, "   ", kPlusZero},
        {__LINE__, "e5", kPlusZero},
        {__LINE__, ".e5", kPlusZero},
        {__LINE__, "-e5", kPlusZero},
        {__LINE__,
         std::string("\0"
                     "5",
                     2),
         kPlusZero},
    };
    ExpectSingles(std::begin(cases), std::end(cases));
}

TEST(TextToSingle, ZerosKeepTheirSign) {
    const SingleCase cases[] = {
        {__LINE__, "-0", kMinusZero},     {__LINE__, "-0.0", kMinusZero},
        {__LINE__, "-0e5", kMinusZero},   {__LINE__, "-000.000e-99", kMinusZero},
        {__LINE__, "0e99999", kPlusZero}, {__LINE__, "+0", kPlusZero},
    };
    ExpectSingles(std::begin(cases), std::end(cases));
}

TEST(TextToSingle, ExponentLettersAndIncompleteExponents) {
    const SingleCase cases[] = {
        {__LINE__, "1e3", 0x447A0000},   {__LINE__, "1E3", 0x447A0000},
        {__LINE__, "1d3", 0x447A0000},   {__LINE__, "1D3", 0x447A0000},
        {__LINE__, "1e+3", 0x447A0000},  {__LINE__, "1e-3", 0x3A83126F},
        {__LINE__, "1e", 0x3F800000},    {__LINE__, "1e+", 0x3F800000},
        {__LINE__, "1e-", 0x3F800000},   {__LINE__, "1e 3", 0x3F800000},
        {__LINE__, "1e2.5", 0x42C80000}, {__LINE__, "1x3", 0x3F800000},
        {__LINE__, "5.e1", 0x42480000},  {__LINE__, "1e0003", 0x447A0000},
    };
    ExpectSingles(std::begin(cases), std::end(cases));
}

TEST(TextToSingle, FoldsFullWidthFormsBeforeReading) {
    const SingleCase cases[] = {
        {__LINE__, "\xA3\xB1\xA3\xB2\xA3\xB8\xA3\xB0\xA3\xB0", 0x46480000},  // 12800
        {__LINE__, "\xA3\xAD\xA3\xB5", 0xC0A00000},                          // -5
        {__LINE__, "\xA3\xAB\xA3\xB5", 0x40A00000},                          // +5
        {__LINE__,
         "\xA3\xAE"
         "5",
         0x3F000000},  // .5
        {__LINE__,
         "\xA1\xA1"
         "21",
         0x41A80000},  // ideographic space
        {__LINE__,
         "1\xA3\xE5"
         "3",
         0x447A0000},  // full-width e
        {__LINE__,
         "1\xA3\xC4"
         "3",
         0x447A0000},                      // full-width D
        {__LINE__, "12\xA3", 0x41400000},  // a lone first byte at the end
        {__LINE__,
         "12\xB0\xA1"
         "3",
         0x41400000},  // a Chinese character ends the number
        {__LINE__, "\xA3\xB1\xA3\xAE\xA3\xB5\xA3\xA5", 0x3FC00000},  // 1.5 then a full-width %
    };
    ExpectSingles(std::begin(cases), std::end(cases));
}

TEST(TextToSingle, NarrowsToTheNearestSingleTiesToEven) {
    const SingleCase cases[] = {
        {__LINE__, "0.1", 0x3DCCCCCD},
        {__LINE__, "16777217", 0x4B800000},                        // halfway: to the even 16777216
        {__LINE__, "16777219", 0x4B800002},                        // halfway: to the even 16777220
        {__LINE__, "16777217.000000000000000000001", 0x4B800000},  // digits past the 25th ignored
        {__LINE__, "3.4028235e38", 0x7F7FFFFF},
        {__LINE__, "3.4028236e38", kPlusInfinity},
        {__LINE__, "1e39", kPlusInfinity},
        {__LINE__, "-1e39", 0xFF800000},
        {__LINE__, "1e-45", 0x00000001},
        {__LINE__, "7.1e-46", 0x00000001},
        {__LINE__, "7e-46", kPlusZero},
        {__LINE__, "-7e-46", kMinusZero},
        {__LINE__, "1.1754943508e-38", 0x00800000},  // the smallest normal single
        {__LINE__, "1e5200", kPlusInfinity},
        {__LINE__, "1e5201", kPlusInfinity},
        {__LINE__, "1e99999", kPlusInfinity},
        {__LINE__, "1e-99999", kPlusZero},
        {__LINE__, "-1e-99999", kMinusZero},
    };
    ExpectSingles(std::begin(cases), std::end(cases));
}

struct DoubleCase {
    int line;
    std::string text;
    uint64_t bits;
};

TEST(TextToDouble, BringsTheDecimalValueToTheNearestDoubleHalvesTowardZero) {
    const DoubleCase cases[] = {
        {__LINE__, "0.1", 0x3FB999999999999A},
        {__LINE__, "3.1415926", 0x400921FB4D12D84A},         // the pulley constant
        {__LINE__, "9007199254740993", 0x4340000000000000},  // halfway: toward zero
        {__LINE__, "9007199254740995", 0x4340000000000001},  // halfway: toward zero, not to even
        {__LINE__, "-9007199254740995", 0xC340000000000001},
        {__LINE__, "9007199254740995.00000001", 0x4340000000000002},    // just above halfway
        {__LINE__, "9007199254740995.0000000001", 0x4340000000000001},  // the 1 is a 26th digit
        {__LINE__, "4503599627370496.5", 0x4330000000000000},           // halfway below 2^53
        {__LINE__, "4503599627370497.5", 0x4330000000000001},
        {__LINE__, "1.7976931348623157e308", 0x7FEFFFFFFFFFFFFF},
        {__LINE__, "1.7976931348623158e308", 0x7FEFFFFFFFFFFFFF},
        {__LINE__, "1.7976931348623159e308", 0x7FF0000000000000},
        {__LINE__, "4.9406564584124654e-324", 0x0000000000000001},
        {__LINE__, "2.4703282292062328e-324", 0x0000000000000001},  // above half the smallest
        {__LINE__, "2.4703282292062327e-324", 0x0000000000000000},  // below it
        {__LINE__, "2.2250738585072014e-308", 0x0010000000000000},
        {__LINE__, "2.2250738585072011e-308", 0x000FFFFFFFFFFFFF},
        {__LINE__, "1e23", 0x44B52D02C7E14AF6},
        {__LINE__, "8.98846567431158e307", 0x7FE0000000000000},
    };
    for (const DoubleCase& c : cases) {
        EXPECT_EQ(DoubleBits(TextToDouble(c.text)), c.bits)
            << "row at line " << c.line << ": \"" << c.text << "\"";
    }
}

TEST(TextToDouble, DoesNotFold) {
    EXPECT_EQ(DoubleBits(TextToDouble("\xA3\xB1\xA3\xB2\xA3\xB8\xA3\xB0\xA3\xB0")), 0u);
    EXPECT_EQ(DoubleBits(TextToDouble("\xA1\xA1"
                                      "21")),
              0u);
}

// At most 24 significant digits count, the 25th rounding the 24th; every
// digit before the point still counts for the magnitude.
TEST(TextToDouble, KeepsTwentyFourDigitsRoundedOnTheTwentyFifth) {
    const std::string twentyFour = "123456789012345678901234";
    EXPECT_EQ(TextToDouble(twentyFour + "4"), 1234567890123456789012340.0);
    EXPECT_EQ(TextToDouble(twentyFour + "5"), 1234567890123456789012350.0);
    EXPECT_EQ(TextToDouble(twentyFour + "49999"), TextToDouble(twentyFour + "00000"));
    EXPECT_EQ(TextToDouble(twentyFour + "5e-25"), 0.123456789012345678901235);
    // A carry through every digit: 24 nines and a 5 are 10^24.
    EXPECT_EQ(TextToDouble(std::string(24, '9') + "5"), 1e25);
    // Thirty digits without a point: the last six count as zeros.
    EXPECT_EQ(TextToDouble("123456789012345678901234999999"), 1.23456789012345678901235e29);
    // Leading zeros, before and after the point, are not significant.
    EXPECT_EQ(TextToDouble("000000000000000000000000000001.5"), 1.5);
    EXPECT_EQ(TextToDouble("0." + std::string(40, '0') + "15"), 1.5e-41);
}

TEST(TextToDouble, CapsTheExponentAt5201) {
    // A mantissa of thousands of zeros after the point times 10^99999 is
    // finite, because the exponent counts only up to 5201.
    EXPECT_EQ(TextToDouble("0." + std::string(5199, '0') + "1e99999"), 10.0);
    EXPECT_EQ(TextToDouble("0." + std::string(5199, '0') + "1e5201"), 10.0);
    EXPECT_EQ(TextToDouble("0." + std::string(5199, '0') + "1e5200"), 1.0);
    // And the other way round: thousands of digits before the point.
    EXPECT_EQ(TextToDouble("1" + std::string(5300, '0') + "e-99999"), 1e99);
    // Beyond 10^5200 the last kept digit makes the value infinite or zero
    // whatever the mantissa's other digits say.
    EXPECT_EQ(DoubleBits(TextToDouble("0.000001e5207")), 0x7FF0000000000000u);
    EXPECT_EQ(DoubleBits(TextToDouble("-1e-5201")), 0x8000000000000000u);
}

TEST(TextToDouble, ReadsVeryLongTextsInOnePass) {
    std::string longText(1 << 20, ' ');
    longText += "21";
    EXPECT_EQ(TextToDouble(longText), 21.0);
    std::string digits(1 << 20, '7');
    EXPECT_EQ(TextToDouble(digits), INFINITY);
    EXPECT_EQ(TextToDouble("0." + digits), 0.777777777777777777777778);
}

}  // namespace
}  // namespace veskora
