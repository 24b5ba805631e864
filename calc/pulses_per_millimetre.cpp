#include <bit>
#include <cstdint>

#include "calc/calc.h"
#include "calc/extended_arithmetic.h"

namespace veskora {
namespace {

// 3.1415926, the eight digits of pi the pulley's circumference is reckoned
// with; every result depends on exactly this double.
constexpr double kPulleyConstant = std::bit_cast<double>(uint64_t{0x400921FB4D12D84A});

}  // namespace

std::optional<std::string> CalculatePulsesPerMillimetre(std::string_view pulsesText,
                                                        std::string_view diameterText) {
    // 1-2. Missing input; the diameter is not looked at without pulses.
    if (pulsesText.empty() || diameterText.empty()) return std::nullopt;
    // 3-4. The diameter first, narrowed to single, times the constant.
    float diameter = TextToSingle(diameterText);
    double circumference = detail::MultiplyExtended(diameter, kPulleyConstant);
    // 5-6. The pulse count, narrowed to single, over the circumference.
    float pulses = TextToSingle(pulsesText);
    double result = detail::DivideExtended(pulses, circumference);
    // 7. The text the window shows.
    return DoubleToText(result);
}

}  // namespace veskora
