// Writing doubles as text: 17 digits half up, then 13 half up on the 14th,
// then the layout.
#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <string>

#include "calc/calc.h"

namespace veskora {
namespace {

struct Case {
    int line;
    double value;
    const char* text;
};

double FromBits(uint64_t bits) {
    return std::bit_cast<double>(bits);
}

void ExpectTexts(const Case* begin, const Case* end) {
    for (const Case* c = begin; c != end; ++c) {
        EXPECT_EQ(DoubleToText(c->value), c->text)
            << "row at line " << c->line << ": " << std::bit_cast<uint64_t>(c->value);
    }
}

TEST(DoubleToText, PlainNotationForFirstDigitExponentsFromMinus4To12) {
    const Case cases[] = {
        {__LINE__, 194.01745774541533, "194.0174577454"},  // 12800 / (21 * 3.1415926)
        {__LINE__, -194.01745774541533, "-194.0174577454"},
        {__LINE__, 0.1, "0.1"},
        {__LINE__, 0.5, "0.5"},
        {__LINE__, 3, "3"},
        {__LINE__, 100, "100"},
        {__LINE__, 65.9734446, "65.9734446"},
        {__LINE__, 1e12, "1000000000000"},             // no point
        {__LINE__, 1234567890123.4, "1234567890123"},  // the double 1234567890123.39990234375
        {__LINE__, 0.0001, "0.0001"},
        {__LINE__, 0.000123, "0.000123"},
        {__LINE__, 0.000099999999999995, "0.0001"},  // rounds up into the plain range
        {__LINE__, 0.0001234567890123, "0.0001234567890123"},
        {__LINE__, -0.0001234567890123, "-0.0001234567890123"},  // the longest plain text
        {__LINE__, 999999999999.9, "999999999999.9"},
        {__LINE__, 16777216, "16777216"},
    };
    ExpectTexts(std::begin(cases), std::end(cases));
}

TEST(DoubleToText, ExponentNotationWithThreeDigits) {
    const Case cases[] = {
        {__LINE__, 1e13, "1e+013"},
        {__LINE__, 123456789012345, "1.234567890123e+014"},
        {__LINE__, 1234567890123456789.0, "1.234567890123e+018"},
        {__LINE__, 0.00009999999999999, "9.999999999999e-005"},
        {__LINE__, 0.00001, "1e-005"},
        {__LINE__, -0.00000025, "-2.5e-007"},
        {__LINE__, 1e100, "1e+100"},
        {__LINE__, 1e-100, "1e-100"},
        {__LINE__, FromBits(0x7FEFFFFFFFFFFFFF), "1.797693134862e+308"},
        {__LINE__, -1.234567890123e308, "-1.234567890123e+308"},  // the longest text
        {__LINE__, FromBits(0x0000000000000001), "4.940656458412e-324"},
        {__LINE__, FromBits(0x000FFFFFFFFFFFFF), "2.225073858507e-308"},
        {__LINE__, FromBits(0x0010000000000000), "2.225073858507e-308"},
    };
    ExpectTexts(std::begin(cases), std::end(cases));
}

TEST(DoubleToText, RoundsHalfUpOnTheFourteenthDigitAfterSeventeen) {
    const Case cases[] = {
        // A 14th digit of 5 rounds away from zero, also when nothing follows.
        {__LINE__, 1234567890122.5, "1234567890123"},
        {__LINE__, 0x1p-20, "9.536743164063e-007"},  // 9.5367431640625e-7 exactly
        // Carries that change the form.
        {__LINE__, 9999999999999.5, "1e+013"},
        {__LINE__, 99999999999999.5, "1e+014"},
        {__LINE__, 0.99999999999995, "1"},
        // Double rounding: digits 14-17 of 4999... become 5000 first.
        {__LINE__, 12.651009889485, "12.65100988949"},  // 12.65100988948499960...
        {__LINE__, 2.0469720192595e-282, "2.04697201926e-282"},
    };
    ExpectTexts(std::begin(cases), std::end(cases));
}

TEST(DoubleToText, SpecialValues) {
    const Case cases[] = {
        {__LINE__, 0.0, "0"},
        {__LINE__, -0.0, "0"},  // never "-0"
        {__LINE__, FromBits(0x7FF0000000000000), "1.#INF"},
        {__LINE__, FromBits(0xFFF0000000000000), "-1.#INF"},
        {__LINE__, FromBits(0xFFF8000000000000), "-1.#IND"},  // the NaN of 0 / 0
        {__LINE__, FromBits(0x7FF8000000000000), "1.#QNAN"},
        {__LINE__, FromBits(0xFFF8000000000001), "-1.#QNAN"},
        {__LINE__, FromBits(0x7FF0000000000001), "1.#QNAN"},  // signalling: read as quiet
        {__LINE__, FromBits(0x7FFFFFFFFFFFFFFF), "1.#QNAN"},
        {__LINE__, FromBits(0xFFF4000000000000), "-1.#QNAN"},  // signalling, another payload
    };
    ExpectTexts(std::begin(cases), std::end(cases));
}

}  // namespace
}  // namespace veskora
