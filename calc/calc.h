// The calculation of Veskora: reading numbers from text, writing them as text,
// and the pulses that move the belt by one millimetre.
//
// Texts are bytes in code page 936 (GBK). Nothing here shows anything, keeps
// state or fails: every text reads as some number and every number has a text.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace veskora {

// Folds the full-width forms that a Chinese input method types (digits, signs,
// point, letters, the ideographic space) to their ASCII bytes; every other
// byte pair is kept. The result is never longer than the input.
std::string FoldFullWidth(std::string_view text);

// The number at the start of the text, after leading white space, brought to
// the nearest double (exact halves toward zero); +0 when there is none.
double TextToDouble(std::string_view text) noexcept;

// FoldFullWidth, then TextToDouble, then the IEEE narrowing to single.
float TextToSingle(std::string_view text) noexcept;

// At most 13 significant digits, plain or with a three-digit exponent, and
// the texts "1.#INF", "-1.#IND", "1.#QNAN" and so on for the special values.
std::string DoubleToText(double value);

// pulses / (diameter * 3.1415926) as the text the window shows;
// std::nullopt when either text is empty (the missing-input outcome).
std::optional<std::string> CalculatePulsesPerMillimetre(std::string_view pulsesText,
                                                        std::string_view diameterText);

}  // namespace veskora
