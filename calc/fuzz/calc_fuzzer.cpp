// libFuzzer target over the whole calculation. Every input is used three ways:
//   - as a text for FoldFullWidth, TextToDouble and TextToSingle;
//   - its first 8 bytes, when it has them, as the bit pattern of a double for
//     DoubleToText, which also formats every number the texts read as;
//   - split at its first zero byte into the pulse count and the diameter (the
//     whole input as both when it holds none) for CalculatePulsesPerMillimetre.
// A broken rule prints which one, the bytes concerned and the values, then
// aborts, so that libFuzzer keeps the input.
#include <bit>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "calc/calc.h"
#include "calc/fuzz/reference_formatting.h"
#include "calc/fuzz/reference_reading.h"

#ifdef NDEBUG
#error "the fuzzer runs the calculation with its assertions"
#endif

namespace veskora::fuzz {
namespace {

constexpr size_t kLongestText = 20;
// 3.1415926, the constant the circumference is reckoned with.
constexpr double kPulleyConstant = std::bit_cast<double>(uint64_t{0x400921FB4D12D84A});

std::string Describe(double value) {
    char text[96];
    std::snprintf(text, sizeof text, "0x%016llx (%a, %.17g)",
                  static_cast<unsigned long long>(std::bit_cast<uint64_t>(value)), value, value);
    return text;
}
std::string Describe(float value) {
    char text[96];
    std::snprintf(text, sizeof text, "0x%08x (%a, %.9g)", std::bit_cast<uint32_t>(value),
                  static_cast<double>(value), static_cast<double>(value));
    return text;
}
std::string Quoted(std::string_view text) {
    return "\"" + std::string(text) + "\"";
}

[[noreturn]] void Fail(const char* rule, std::string_view bytes, const std::string& detail) {
    std::fprintf(stderr, "\nBROKEN: %s\nbytes (%zu):", rule, bytes.size());
    for (char c : bytes) std::fprintf(stderr, " %02X", static_cast<unsigned char>(c));
    std::fprintf(stderr, "\n%s\n", detail.c_str());
    std::abort();
}

bool IsAscii(std::string_view text) {
    for (char c : text) {
        if (static_cast<unsigned char>(c) >= 0x80) return false;
    }
    return true;
}

void CheckFolding(std::string_view text) {
    std::string folded = FoldFullWidth(text);
    if (folded.size() > text.size()) {
        Fail("FoldFullWidth is never longer than its input", text, "folded: " + Quoted(folded));
    }
    // What a zero byte inside a text means is the caller's business: a text
    // ends at its first one.
    if (text.find('\0') != std::string_view::npos) return;
    if (IsAscii(text) && folded != text) {
        Fail("FoldFullWidth leaves ASCII unchanged", text, "folded: " + Quoted(folded));
    }
    std::string expected = ReferenceFoldFullWidth(text);
    if (folded != expected) {
        Fail("FoldFullWidth folds by its table", text,
             "folded: " + Quoted(folded) + "\nexpected: " + Quoted(expected));
    }
}

void CheckReading(std::string_view text) {
    double value = TextToDouble(text);
    if (std::isnan(value)) Fail("TextToDouble never gives a NaN", text, Describe(value));
    // The library reads exactly, so the nearest double is the only answer.
    double expected = ReferenceToDouble(ReferenceReadNumber(text));
    if (std::bit_cast<uint64_t>(value) != std::bit_cast<uint64_t>(expected)) {
        Fail("TextToDouble gives the nearest double, exact halves toward zero", text,
             "read:     " + Describe(value) + "\nexpected: " + Describe(expected));
    }

    float single = TextToSingle(text);
    // clang narrows doubles beyond the largest single to infinity, by IEEE 754.
    float narrowed = static_cast<float>(TextToDouble(FoldFullWidth(text)));
    if (std::bit_cast<uint32_t>(single) != std::bit_cast<uint32_t>(narrowed)) {
        Fail("TextToSingle is the narrowed TextToDouble of the folded text", text,
             "single:   " + Describe(single) + "\nnarrowed: " + Describe(narrowed));
    }
    if (text.find('\0') != std::string_view::npos) return;
    auto shortSingle =
        ReferenceShortNumberToSingle(ReferenceReadNumber(ReferenceFoldFullWidth(text)));
    if (shortSingle && std::bit_cast<uint32_t>(single) != std::bit_cast<uint32_t>(*shortSingle)) {
        Fail("TextToSingle of a short number is its nearest single", text,
             "single:   " + Describe(single) + "\nexpected: " + Describe(*shortSingle));
    }
}

bool IsSpecialText(const std::string& text) {
    for (const char* special : {"1.#INF", "-1.#INF", "-1.#IND", "1.#QNAN", "-1.#QNAN"}) {
        if (text == special) return true;
    }
    return false;
}

void CheckFormatting(double value, std::string_view input) {
    std::string text = DoubleToText(value);
    std::string detail = "value: " + Describe(value) + "\ntext:  " + Quoted(text);
    if (text.empty() || text.size() > kLongestText) {
        Fail("DoubleToText gives 1 to 20 characters", input, detail);
    }
    if (std::isfinite(value)) {
        if (text.find_first_not_of("0123456789.-+e") != std::string::npos) {
            Fail("DoubleToText of a number uses digits . - + e only", input, detail);
        }
    } else if (!IsSpecialText(text)) {
        Fail("DoubleToText of an infinity or NaN is one of the marker texts", input, detail);
    }
    // The library computes the 17 digits exactly, so there is one answer.
    std::string expected = ReferenceDoubleToText(value);
    if (text != expected) {
        Fail("DoubleToText rounds twice and lays out as described", input,
             detail + "\nexpected: " + Quoted(expected));
    }
    // Reading a text back lands within half a unit in the 17th digit of the
    // 13-digit value, far from where its 14th digit could round differently;
    // only below the normal range is the spacing of doubles too coarse.
    if (std::isfinite(value) && (value == 0 || std::fabs(value) >= DBL_MIN)) {
        double reread = TextToDouble(text);
        std::string again = DoubleToText(reread);
        if (again != text) {
            Fail("a text read back gives the same text", input,
                 detail + "\nread back: " + Describe(reread) + "\nits text: " + Quoted(again));
        }
    }
}

// Both roundings of the calculation with the 64-bit significand of x87
// long double, the environment the program runs the formula in.
double ExpectedResult(float pulses, float diameter) {
    auto circumference = static_cast<double>(static_cast<long double>(diameter) *
                                             static_cast<long double>(kPulleyConstant));
    return static_cast<double>(static_cast<long double>(pulses) /
                               static_cast<long double>(circumference));
}

void CheckCalculation(std::string_view pulsesText, std::string_view diameterText,
                      std::string_view input) {
    auto outcome = CalculatePulsesPerMillimetre(pulsesText, diameterText);
    bool missing = pulsesText.empty() || diameterText.empty();
    if (missing != !outcome.has_value()) {
        Fail("the outcome is missing input exactly when a text is empty", input,
             "pulses: " + Quoted(pulsesText) + "\ndiameter: " + Quoted(diameterText) +
                 "\noutcome: " + (outcome ? Quoted(*outcome) : "missing input"));
    }
    if (missing) return;
    double expected = ExpectedResult(TextToSingle(pulsesText), TextToSingle(diameterText));
    CheckFormatting(expected, input);
    if (*outcome != DoubleToText(expected)) {
        Fail("the result is pulses / (diameter * 3.1415926) in 64-bit intermediates", input,
             "outcome: " + Quoted(*outcome) + "\nexpected: " + Describe(expected) + " " +
                 Quoted(DoubleToText(expected)));
    }
}

}  // namespace
}  // namespace veskora::fuzz

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace veskora::fuzz;
    std::string_view input(reinterpret_cast<const char*>(data), size);

    CheckFolding(input);
    CheckReading(input);
    CheckFormatting(veskora::TextToDouble(input), input);
    CheckFormatting(static_cast<double>(veskora::TextToSingle(input)), input);
    if (size >= sizeof(uint64_t)) {
        uint64_t bits;
        std::memcpy(&bits, data, sizeof bits);
        CheckFormatting(std::bit_cast<double>(bits), input);
    }

    size_t zero = input.find('\0');
    if (zero == std::string_view::npos) {
        CheckCalculation(input, input, input);
    } else {
        std::string_view diameter = input.substr(zero + 1);
        CheckCalculation(input.substr(0, zero), diameter.substr(0, diameter.find('\0')), input);
    }
    return 0;
}
