// The calculation against the exact reference: every case of the generated
// files in calc/tests/data (made by calc/tests/reference/generate_vectors.py),
// compared bit for bit, texts byte for byte.
#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "calc/calc.h"
#include "calc/tests/data_file.h"

namespace veskora {
namespace {

using test::CheckEveryCase;
using test::Escaped;
using test::Hex;
using test::ParseHex;
using test::Shown;
using test::Unescape;

const std::string kDataDir = VESKORA_TEST_DATA_DIR;
const std::string kMalformed = "malformed case";

std::string Mismatch(const std::string& input, const std::string& expected,
                     const std::string& got) {
    return "input " + Shown(input) + ": expected " + expected + ", got " + got;
}

TEST(ReferenceVectors, TextToDouble) {
    CheckEveryCase(kDataDir, "text_to_double.txt", 2,
                   [](const std::vector<std::string>& f) -> std::optional<std::string> {
                       const std::optional<std::string> text = Unescape(f[0]);
                       const std::optional<uint64_t> expected = ParseHex(f[1]);
                       if (!text || !expected) return kMalformed;
                       const uint64_t got = std::bit_cast<uint64_t>(TextToDouble(*text));
                       if (got == *expected) return std::nullopt;
                       return Mismatch(f[0], Hex(*expected, 16), Hex(got, 16));
                   });
}

TEST(ReferenceVectors, TextToSingle) {
    CheckEveryCase(kDataDir, "text_to_single.txt", 2,
                   [](const std::vector<std::string>& f) -> std::optional<std::string> {
                       const std::optional<std::string> text = Unescape(f[0]);
                       const std::optional<uint64_t> expected = ParseHex(f[1]);
                       if (!text || !expected) return kMalformed;
                       const uint32_t got = std::bit_cast<uint32_t>(TextToSingle(*text));
                       if (got == *expected) return std::nullopt;
                       return Mismatch(f[0], Hex(*expected, 8), Hex(got, 8));
                   });
}

TEST(ReferenceVectors, DoubleToText) {
    CheckEveryCase(kDataDir, "double_to_text.txt", 2,
                   [](const std::vector<std::string>& f) -> std::optional<std::string> {
                       const std::optional<uint64_t> bits = ParseHex(f[0]);
                       if (!bits) return kMalformed;
                       const std::string got = DoubleToText(std::bit_cast<double>(*bits));
                       if (got == f[1]) return std::nullopt;
                       return Mismatch(f[0], f[1], got);
                   });
}

TEST(ReferenceVectors, CalculatePulsesPerMillimetre) {
    CheckEveryCase(kDataDir, "pulses_per_millimetre.txt", 3,
                   [](const std::vector<std::string>& f) -> std::optional<std::string> {
                       const std::optional<std::string> pulses = Unescape(f[0]);
                       const std::optional<std::string> diameter = Unescape(f[1]);
                       if (!pulses || !diameter) return kMalformed;
                       const std::optional<std::string> got =
                           CalculatePulsesPerMillimetre(*pulses, *diameter);
                       const std::string shown = got ? *got : "missing";
                       if (shown == f[2]) return std::nullopt;
                       return Mismatch(f[0] + " / " + f[1], f[2], shown);
                   });
}

TEST(ReferenceVectors, FoldFullWidth) {
    CheckEveryCase(kDataDir, "fold_full_width.txt", 2,
                   [](const std::vector<std::string>& f) -> std::optional<std::string> {
                       const std::optional<std::string> text = Unescape(f[0]);
                       const std::optional<std::string> expected = Unescape(f[1]);
                       if (!text || !expected) return kMalformed;
                       const std::string got = FoldFullWidth(*text);
                       if (got == *expected) return std::nullopt;
                       return Mismatch(f[0], f[1], Escaped(got));
                   });
}

}  // namespace
}  // namespace veskora
