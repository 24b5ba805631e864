#include "calc/fuzz/reference_formatting.h"

#include <bit>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace veskora::fuzz {
namespace {

// Every finite double has at most 767 significant decimal digits, so this
// many after the point print its exact expansion, with nothing rounded.
constexpr int kExactPlaces = 766;
constexpr uint64_t kTen13 = 10'000'000'000'000;
constexpr uint64_t kTen17 = 100'000'000'000'000'000;

std::string SpecialText(uint64_t bits) {
    constexpr uint64_t kSign = uint64_t{1} << 63;
    constexpr uint64_t kQuiet = uint64_t{1} << 51;
    constexpr uint64_t kFraction = (uint64_t{1} << 52) - 1;
    std::string sign = (bits & kSign) != 0 ? "-" : "";
    if ((bits & kFraction) == 0) return sign + "1.#INF";
    if ((bits | kQuiet) == 0xFFF8000000000000) return "-1.#IND";
    return sign + "1.#QNAN";
}

std::string WithoutTrailingZeros(std::string digits) {
    while (!digits.empty() && digits.back() == '0') digits.pop_back();
    return digits;
}

// The 13 digits g (10^12 <= g < 10^13) of the number g1.g2...g13 x 10^(k - 1).
std::string Layout(uint64_t g, int k) {
    std::string digits = std::to_string(g);
    int q = k - 1;
    if (q < -4 || q >= 13) {
        std::string text(1, digits[0]);
        std::string rest = WithoutTrailingZeros(digits.substr(1));
        if (!rest.empty()) text += "." + rest;
        text += q < 0 ? "e-" : "e+";
        int magnitude = std::abs(q);
        text += static_cast<char>('0' + magnitude / 100);
        text += static_cast<char>('0' + magnitude / 10 % 10);
        text += static_cast<char>('0' + magnitude % 10);
        return text;
    }
    if (k >= 1) {
        auto integerDigits = static_cast<size_t>(k);
        std::string rest = WithoutTrailingZeros(digits.substr(integerDigits));
        return digits.substr(0, integerDigits) + (rest.empty() ? "" : "." + rest);
    }
    return "0." + std::string(static_cast<size_t>(-k), '0') + WithoutTrailingZeros(digits);
}

}  // namespace

std::string ReferenceDoubleToText(double value) {
    auto bits = std::bit_cast<uint64_t>(value);
    if (((bits >> 52) & 0x7FF) == 0x7FF) return SpecialText(bits);
    if (value == 0) return "0";

    // The exact expansion d.ddd...e+X of the magnitude; m is about 0.D x 10^k.
    char expansion[kExactPlaces + 16];
    std::snprintf(expansion, sizeof expansion, "%.*e", kExactPlaces, value < 0 ? -value : value);
    std::string exact(1, expansion[0]);
    const char* p = expansion + 2;
    for (; *p != 'e'; ++p) exact += *p;
    int k = std::atoi(p + 1) + 1;

    // 17 digits, half up on the 18th alone.
    uint64_t d = std::strtoull(exact.substr(0, 17).c_str(), nullptr, 10);
    if (exact[17] >= '5') ++d;
    if (d == kTen17) {
        d /= 10;
        ++k;
    }
    // 13 digits, half up on the 14th alone.
    uint64_t g = d / 10'000;
    if (d / 1'000 % 10 >= 5) ++g;
    if (g == kTen13) {
        g /= 10;
        ++k;
    }
    return (value < 0 ? "-" : "") + Layout(g, k);
}

}  // namespace veskora::fuzz
