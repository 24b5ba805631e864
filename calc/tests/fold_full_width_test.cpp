// Folding the full-width forms of a Chinese input method to ASCII.
#include <gtest/gtest.h>

#include <string>

#include "calc/calc.h"

namespace veskora {
namespace {

TEST(FoldFullWidth, FoldsTheListedPairsAndKeepsEverythingElse) {
    struct Case {
        int line;
        std::string text;
        std::string folded;
    };
    const Case cases[] = {
        {__LINE__, "", ""},
        {__LINE__, "abc\x01\x7F", "abc\x01\x7F"},  // single bytes stay, control bytes too
        {__LINE__, "\xA1\xA1", " "},
        {__LINE__, "\xA1\xAB", "~"},
        {__LINE__, "\xA1\xEE\xA1\xEF", "**"},
        {__LINE__, "\xA3\xA1", "!"},
        {__LINE__, "\xA3\xA4", "$"},  // a rule on the bytes: the full-width yen sign
        {__LINE__, "\xA3\xFE", "~"},
        {__LINE__, "\xA3\xB0\xA3\xB9\xA3\xAB\xA3\xAD\xA3\xAE", "09+-."},
        {__LINE__, "\xA3\xC1\xA3\xDA\xA3\xE1\xA3\xFA", "AZaz"},
        {__LINE__, "\xA3\xA0", "\xA3\xA0"},  // just outside the range
        {__LINE__, "\xA3\xFF", "\xA3\xFF"},
        {__LINE__, "\xA1\xA2", "\xA1\xA2"},
        {__LINE__, "\xB0\xA1", "\xB0\xA1"},  // a Chinese character stays
        {__LINE__,
         "\xA3"
         "1",
         "\xA3"
         "1"},                            // the second byte is taken whatever it is
        {__LINE__, "\xA3\xA3\xB1", "#"},  // pairs are taken from the first byte on
        {__LINE__, "12\xA3", "12"},       // a lone first byte at the end is dropped
        {__LINE__, "\x80", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FoldFullWidth(c.text), c.folded) << "row at line " << c.line;
    }
}

}  // namespace
}  // namespace veskora
