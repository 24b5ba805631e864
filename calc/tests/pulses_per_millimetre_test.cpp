// The result the window shows for two typed texts.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "calc/calc.h"

namespace veskora {
namespace {

struct Case {
    int line;
    std::string pulses;
    std::string diameter;
    std::optional<std::string> result;
};

TEST(CalculatePulsesPerMillimetre, GivesTheTextOfPulsesOverCircumference) {
    const Case cases[] = {
        {__LINE__, "12800", "21", "194.0174577454"},  // the window's defaults
        {__LINE__, "-12800", "21", "-194.0174577454"},
        {__LINE__, "10000", "20", "159.1549458068"},
        {__LINE__, "1", "1", "0.3183098916136"},
        // Narrowing to single is part of the result.
        {__LINE__, "16777217", "1", "5340353.806537"},  // used as 16777216
        {__LINE__, "12800", "0.1", "40743.66551941"},   // the single nearest 0.1
        // Full-width digits read like ordinary ones.
        {__LINE__, "\xA3\xB1\xA3\xB2\xA3\xB8\xA3\xB0\xA3\xB0", "\xA3\xB2\xA3\xB1",
         "194.0174577454"},
        {__LINE__, "12800", "21mm", "194.0174577454"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CalculatePulsesPerMillimetre(c.pulses, c.diameter), c.result)
            << "row at line " << c.line;
    }
}

TEST(CalculatePulsesPerMillimetre, ZerosAndInfinitiesAreResultsToo) {
    const Case cases[] = {
        {__LINE__, "12800", "0", "1.#INF"},
        {__LINE__, "-12800", "0", "-1.#INF"},
        {__LINE__, "12800", "-0", "-1.#INF"},  // -0 gives the opposite sign
        {__LINE__, "-12800", "-0", "1.#INF"},
        {__LINE__, "0", "0", "-1.#IND"},        // the NaN of 0 / 0
        {__LINE__, "1e39", "1e39", "-1.#IND"},  // and of inf / inf
        {__LINE__, "12800", "1e+040", "0"},     // the diameter becomes +inf
        {__LINE__, "1e39", "21", "1.#INF"},
        {__LINE__, "0", "21", "0"},
        {__LINE__, "-0", "21", "0"},
        {__LINE__, "12800", " ", "1.#INF"},  // a space is not empty, and reads as 0
        {__LINE__, " ", "21", "0"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CalculatePulsesPerMillimetre(c.pulses, c.diameter), c.result)
            << "row at line " << c.line;
    }
}

TEST(CalculatePulsesPerMillimetre, AnEmptyTextIsMissingInput) {
    EXPECT_EQ(CalculatePulsesPerMillimetre("", "21"), std::nullopt);
    EXPECT_EQ(CalculatePulsesPerMillimetre("", ""), std::nullopt);
    EXPECT_EQ(CalculatePulsesPerMillimetre("12800", ""), std::nullopt);
    EXPECT_EQ(CalculatePulsesPerMillimetre(std::string_view(), "21"), std::nullopt);
}

}  // namespace
}  // namespace veskora
