#include "calc/fuzz/reference_reading.h"

#include <cmath>
#include <cstdlib>

namespace veskora::fuzz {
namespace {

constexpr long long kExponentCap = 5201;  // an exponent run stops counting past 5200
constexpr long long kLargestPower = 5200;
constexpr size_t kKeptDigits = 24;

// Strtod rounds ties to even; subtracting one unit this far below the last
// kept digit turns that into ties toward zero. A decimal of at most 25 digits
// lies at least 10^-400 (relative) from any midpoint between doubles that it
// does not hit exactly, so the nudge moves no other case.
constexpr int kNudgeDigits = 800;

bool IsSpace(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Adds one to a string of decimal digits; 999 becomes 1000.
void Increment(std::string& digits) {
    for (size_t i = digits.size(); i-- > 0;) {
        if (digits[i] != '9') {
            ++digits[i];
            return;
        }
        digits[i] = '0';
    }
    digits.insert(digits.begin(), '1');
}

double Signed(bool negative, double magnitude) {
    return negative ? -magnitude : magnitude;
}

}  // namespace

std::string ReferenceFoldFullWidth(std::string_view text) {
    std::string folded;
    for (size_t i = 0; i < text.size(); ++i) {
        auto first = static_cast<unsigned char>(text[i]);
        if (first < 0x80) {
            folded += text[i];
            continue;
        }
        if (i + 1 == text.size()) break;  // a lead byte with no second byte
        auto second = static_cast<unsigned char>(text[++i]);
        if (first == 0xA1 && second == 0xA1) {
            folded += ' ';
        } else if (first == 0xA1 && second == 0xAB) {
            folded += '~';
        } else if (first == 0xA1 && (second == 0xEE || second == 0xEF)) {
            folded += '*';
        } else if (first == 0xA3 && second >= 0xA1 && second <= 0xFE) {
            folded += static_cast<char>(second - 0x80);
        } else {
            folded += static_cast<char>(first);
            folded += static_cast<char>(second);
        }
    }
    return folded;
}

ReferenceNumber ReferenceReadNumber(std::string_view text) {
    size_t i = 0;
    auto at = [&text](size_t j) { return j < text.size() ? text[j] : '\0'; };
    while (IsSpace(at(i))) ++i;
    bool negative = false;
    if (at(i) == '+' || at(i) == '-') negative = at(i++) == '-';

    std::string written;  // every mantissa digit, the point left out
    long long fractionDigits = 0;
    for (bool point = false;; ++i) {
        if (IsDigit(at(i))) {
            written += at(i);
            if (point) ++fractionDigits;
        } else if (at(i) == '.' && !point) {
            point = true;
        } else {
            break;
        }
    }
    if (written.empty()) return {};  // no number: +0, also after a minus

    long long exponent = 0;
    if (at(i) == 'e' || at(i) == 'E' || at(i) == 'd' || at(i) == 'D') {
        size_t j = i + 1;
        bool negativeExponent = false;
        if (at(j) == '+' || at(j) == '-') negativeExponent = at(j++) == '-';
        for (; IsDigit(at(j)) && exponent < kExponentCap; ++j) {
            exponent = exponent * 10 + (at(j) - '0');
            if (exponent > kLargestPower) exponent = kExponentCap;
        }
        if (negativeExponent) exponent = -exponent;
    }

    ReferenceNumber number;
    number.negative = negative;
    size_t first = written.find_first_not_of('0');
    if (first == std::string::npos) return number;  // zeros only: zero with the sign
    number.digits = written.substr(first);
    number.digitsInText = static_cast<long long>(number.digits.size());
    number.exponent = exponent - fractionDigits;
    if (number.digits.size() > kKeptDigits) {
        bool up = number.digits[kKeptDigits] >= '5';
        number.exponent += static_cast<long long>(number.digits.size() - kKeptDigits);
        number.digits.resize(kKeptDigits);
        if (up) Increment(number.digits);
    }
    while (number.digits.back() == '0') {
        number.digits.pop_back();
        ++number.exponent;
    }
    return number;
}

double ReferenceToDouble(const ReferenceNumber& number) {
    if (number.digits.empty()) return Signed(number.negative, 0.0);
    if (number.exponent > kLargestPower) return Signed(number.negative, HUGE_VAL);
    if (number.exponent < -kLargestPower) return Signed(number.negative, 0.0);
    // digits * 10^exponent minus 10^(exponent - kNudgeDigits); the last kept
    // digit is never 0, so taking one off it borrows nothing.
    std::string nudged = number.digits;
    --nudged.back();
    nudged.append(kNudgeDigits, '9');
    nudged += 'e';
    nudged += std::to_string(number.exponent - kNudgeDigits);
    return Signed(number.negative, std::strtod(nudged.c_str(), nullptr));
}

std::optional<float> ReferenceShortNumberToSingle(const ReferenceNumber& number) {
    // Digits D times 10^E with D of at most nine digits and E from -8 to 9.
    constexpr long long kMaxDigits = 9, kLowestPower = -8, kHighestPower = 9;
    if (number.digitsInText > static_cast<long long>(kKeptDigits)) return std::nullopt;
    if (number.digits.empty()) return number.negative ? -0.0f : 0.0f;
    auto digitCount = static_cast<long long>(number.digits.size());
    long long shift = number.exponent > kHighestPower ? number.exponent - kHighestPower : 0;
    if (digitCount + shift > kMaxDigits || number.exponent - shift < kLowestPower) {
        return std::nullopt;
    }
    std::string text = number.digits + "e" + std::to_string(number.exponent);
    float magnitude = std::strtof(text.c_str(), nullptr);
    return number.negative ? -magnitude : magnitude;
}

}  // namespace veskora::fuzz
