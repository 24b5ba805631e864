#include "ui/number_entry.h"

#include <gtest/gtest.h>

#include <string>

namespace veskora {
namespace {

struct NormalisationCase {
    int line;
    std::string text;
    std::string expected;
};

// What a number box shows after the focus has left it.
const NormalisationCase kNormalisationCases[] = {
    // Texts that read as zero leave the box empty.
    {__LINE__, "0", ""},
    {__LINE__, "-", ""},
    {__LINE__, ".", ""},
    {__LINE__, "0.0", ""},
    {__LINE__, "", ""},
    {__LINE__, "abc", ""},
    {__LINE__, "-0", ""},  // minus zero is written as 0 too
    {__LINE__, "--5", ""},
    {__LINE__, "-.", ""},
    {__LINE__, "0000", ""},
    // The number is written again in its shortest form.
    {__LINE__, "007", "7"},
    {__LINE__, ".5", "0.5"},
    {__LINE__, "1.50", "1.5"},
    {__LINE__, "5.", "5"},
    {__LINE__, "-.5", "-0.5"},
    {__LINE__, "-007.250", "-7.25"},
    // Reading stops at the first byte that does not continue the number.
    {__LINE__, "1-2", "1"},
    {__LINE__, "1..5", "1"},
    {__LINE__, "12.5.3", "12.5"},
    {__LINE__, "21mm", "21"},
    {__LINE__, " 21", "21"},  // pasted text may begin with white space
    {__LINE__, "1e3", "1000"},
    // Texts already tidy stay as they are.
    {__LINE__, "12800", "12800"},
    {__LINE__, "21", "21"},
    {__LINE__, "194.0174577454", "194.0174577454"},
    // More digits than the window shows.
    {__LINE__, "12345678901234", "1.234567890123e+013"},
    {__LINE__, "0.00001", "1e-005"},
    {__LINE__, "1e999", "1.#INF"},
    {__LINE__, "-1e999", "-1.#INF"},
    // Full-width digits are not folded here: they read as no number.
    {__LINE__, "\xA3\xB1\xA3\xB2", ""},
};

TEST(NumberBoxNormalisation, MatchesTable) {
    for (const NormalisationCase& row : kNormalisationCases) {
        EXPECT_EQ(NormaliseNumberText(row.text), row.expected) << "row at line " << row.line;
    }
}

struct CharacterCase {
    int line;
    char16_t unit;
    bool accepted;
};

const CharacterCase kCharacterCases[] = {
    // Control codes pass on as usual: Backspace, Ctrl+C, Ctrl+V, Ctrl+X, Ctrl+Z.
    {__LINE__, u'\b', true},
    {__LINE__, 0x03, true},
    {__LINE__, 0x16, true},
    {__LINE__, 0x18, true},
    {__LINE__, 0x1A, true},
    {__LINE__, 0x1F, true},
    // The characters of a number.
    {__LINE__, u'0', true},
    {__LINE__, u'5', true},
    {__LINE__, u'9', true},
    {__LINE__, u'-', true},
    {__LINE__, u'.', true},
    // Everything else is dropped.
    {__LINE__, u' ', false},
    {__LINE__, u'+', false},
    {__LINE__, u',', false},
    {__LINE__, u'e', false},
    {__LINE__, u'E', false},
    {__LINE__, u'a', false},
    {__LINE__, u'/', false},  // just below '0'
    {__LINE__, u':', false},  // just above '9'
    {__LINE__, 0x7F, false},
    {__LINE__, u'\u00B7', false},  // middle dot
    {__LINE__, u'\uFF10', false},  // full-width 0
    {__LINE__, u'\uFF0D', false},  // full-width minus
    {__LINE__, u'\uFF0E', false},  // full-width full stop
    {__LINE__, u'\u3000', false},  // ideographic space
    {__LINE__, u'\u3002', false},  // ideographic full stop
    {__LINE__, u'\u4E00', false},
    {__LINE__, 0xD835, false},  // the halves of a character beyond the BMP
    {__LINE__, 0xDFCE, false},
    {__LINE__, 0xFFFF, false},
};

TEST(NumberBoxTyping, AcceptsOnlyTheCharactersOfANumber) {
    for (const CharacterCase& row : kCharacterCases) {
        EXPECT_EQ(IsAcceptedNumberCharacter(row.unit), row.accepted) << "row at line " << row.line;
    }
}

struct CaretCase {
    int line;
    std::size_t selectionStart;
    std::size_t newLength;
    std::size_t caret;
};

const CaretCase kCaretCases[] = {
    {__LINE__, 0, 0, 0}, {__LINE__, 3, 0, 0},  // the box was emptied
    {__LINE__, 2, 1, 1},                       // '007' with the caret after '00' becomes '7'
    {__LINE__, 1, 3, 1}, {__LINE__, 3, 3, 3}, {__LINE__, 4, 3, 3},
};

TEST(NumberBoxNormalisation, CaretStaysWithinTheNewText) {
    for (const CaretCase& row : kCaretCases) {
        EXPECT_EQ(CaretAfterReplacement(row.selectionStart, row.newLength), row.caret)
            << "row at line " << row.line;
    }
}

}  // namespace
}  // namespace veskora
