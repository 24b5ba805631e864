// Reading the decimal corpus (correctly rounded float16/32/64 bit patterns for
// 21,232 strings). The corpus rounds every digit with halves to even, where
// the reading keeps 24 significant digits and takes halves toward zero; the
// strings where that makes a difference are listed, with the exact reading,
// in calc/tests/data/corpus_differences.txt. The float32 column is the
// single reading only for short numbers, which read in one step.
#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "calc/calc.h"
#include "calc/tests/data_file.h"

namespace veskora {
namespace {

using test::DataFile;
using test::DataLine;
using test::Hex;
using test::ParseHex;
using test::ReadDataFile;
using test::Shown;
using test::Unescape;

constexpr const char* kCorpusFiles[] = {
    "freetype-2-7.txt",    "google-wuffs.txt",      "lemire-fast-float.txt",
    "more-test-cases.txt", "tencent-rapidjson.txt",
};
constexpr int kMaxReported = 30;

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Whether the whole text is a number D x 10^E with a whole number D of at most
// nine digits and -8 <= E <= 9 (the numbers whose single reading is the exact
// decimal rounded once).
bool IsShortNumber(std::string_view text) {
    size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    std::string digits;
    int fractionDigits = 0;
    for (; i < text.size() && IsDigit(text[i]); ++i) digits += text[i];
    if (i < text.size() && text[i] == '.') {
        for (++i; i < text.size() && IsDigit(text[i]); ++i, ++fractionDigits) digits += text[i];
    }
    if (digits.empty()) return false;
    long long exponent = 0;
    if (i < text.size() && std::string_view("eEdD").find(text[i]) != std::string_view::npos) {
        ++i;
        bool negative = false;
        if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
        if (i == text.size()) return false;
        for (; i < text.size() && IsDigit(text[i]); ++i) {
            if (exponent > 100000) return false;  // far outside the short range
            exponent = exponent * 10 + (text[i] - '0');
        }
        if (negative) exponent = -exponent;
    }
    if (i != text.size()) return false;
    const size_t first = digits.find_first_not_of('0');
    if (first == std::string::npos) return true;  // zero
    const size_t last = digits.find_last_not_of('0');
    const long long length = static_cast<long long>(last - first + 1);
    // D x 10^E with no trailing zeros in D; D may take up to `room` zeros
    // while E goes down by as many.
    const long long e =
        exponent - fractionDigits + static_cast<long long>(digits.size() - 1 - last);
    const long long room = 9 - length;
    return room >= 0 && std::max(0LL, e - 9) <= std::min(room, e + 8);
}

TEST(CorpusShortNumbers, Classification) {
    struct Case {
        int line;
        const char* text;
        bool isShort;
    };
    const Case cases[] = {
        {__LINE__, "0", true},
        {__LINE__, "-0.000", true},
        {__LINE__, "123456789", true},
        {__LINE__, "1234567890", true},    // 123456789 x 10^1
        {__LINE__, "1234567891", false},   // ten digits
        {__LINE__, "0.00000001", true},    // 1 x 10^-8
        {__LINE__, "0.000000001", false},  // 1 x 10^-9
        {__LINE__, "0.10000000", true},
        {__LINE__, "1e17", true},   // 100000000 x 10^9
        {__LINE__, "1e18", false},  // would need a ten-digit D
        {__LINE__, "12e16", true},
        {__LINE__, "12e17", false},
        {__LINE__, "1.5E-8", false},  // 15 x 10^-9
        {__LINE__, "2.5e-7", true},
        {__LINE__, "+7d2", true},
        {__LINE__, "1e", false},  // not all of it is a number
        {__LINE__, "1.5.3", false},
        {__LINE__, ".", false},
        {__LINE__, "1e-99999999999999999999", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(IsShortNumber(c.text), c.isShort) << "row at line " << c.line << ": " << c.text;
    }
}

std::map<std::string, uint64_t> ReadDifferences() {
    std::map<std::string, uint64_t> differences;
    const std::string path = std::string(VESKORA_TEST_DATA_DIR) + "/corpus_differences.txt";
    const DataFile file = ReadDataFile(path);
    EXPECT_TRUE(file.opened) << "cannot open " << path;
    EXPECT_FALSE(file.lines.empty()) << path << " holds no cases";
    for (const DataLine& line : file.lines) {
        const std::optional<std::string> text =
            line.fields.size() == 2 ? Unescape(line.fields[0]) : std::nullopt;
        const std::optional<uint64_t> bits =
            line.fields.size() == 2 ? ParseHex(line.fields[1]) : std::nullopt;
        if (!text || !bits) {
            ADD_FAILURE() << "corpus_differences.txt:" << line.number << ": malformed case";
            continue;
        }
        differences[*text] = *bits;
    }
    return differences;
}

TEST(Corpus, EveryStringReadsAsItsDoubleAndShortNumbersAsTheirSingle) {
    const std::map<std::string, uint64_t> differences = ReadDifferences();
    std::map<std::string, bool> differenceSeen;
    int failures = 0;
    int shortNumbers = 0;
    for (const char* name : kCorpusFiles) {
        const std::string path = std::string(VESKORA_CORPUS_DIR) + "/" + name;
        const DataFile file = ReadDataFile(path);
        ASSERT_TRUE(file.opened) << "cannot open " << path;
        ASSERT_FALSE(file.lines.empty()) << path << " holds no lines";
        for (const DataLine& line : file.lines) {
            const std::string where = std::string(name) + ":" + std::to_string(line.number);
            ASSERT_EQ(line.fields.size(), 4u) << where << ": malformed line";
            const std::optional<uint64_t> singleColumn = ParseHex(line.fields[1]);
            const std::optional<uint64_t> doubleColumn = ParseHex(line.fields[2]);
            ASSERT_TRUE(singleColumn && doubleColumn) << where << ": malformed line";
            const uint64_t single = singleColumn.value_or(0);
            uint64_t expected = doubleColumn.value_or(0);
            const std::string& text = line.fields[3];
            if (const auto it = differences.find(text); it != differences.end()) {
                expected = it->second;
                differenceSeen[text] = true;
            }
            const uint64_t got = std::bit_cast<uint64_t>(TextToDouble(text));
            if (got != expected) {
                ADD_FAILURE() << where << ": TextToDouble of " << Shown(text) << ": expected "
                              << Hex(expected, 16) << ", got " << Hex(got, 16);
                ++failures;
            }
            if (IsShortNumber(text)) {
                ++shortNumbers;
                const uint32_t gotSingle = std::bit_cast<uint32_t>(TextToSingle(text));
                if (gotSingle != single) {
                    ADD_FAILURE() << where << ": TextToSingle of " << Shown(text) << ": expected "
                                  << Hex(single, 8) << ", got " << Hex(gotSingle, 8);
                    ++failures;
                }
            }
            ASSERT_LT(failures, kMaxReported) << "stopped after " << kMaxReported << " failures";
        }
    }
    // The loop must have met the short numbers and every listed difference:
    // otherwise the corpus or the list is not the one the list was made from.
    EXPECT_GT(shortNumbers, 0);
    for (const auto& [text, bits] : differences) {
        EXPECT_TRUE(differenceSeen.count(text)) << "listed difference not in the corpus: " << text;
    }
}

}  // namespace
}  // namespace veskora
