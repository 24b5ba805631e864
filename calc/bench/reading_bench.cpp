// TextToDouble next to std::from_chars and strtod, on the numbers the window
// sees and on long and extreme ones.
#include <charconv>
#include <cstdlib>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include "calc/calc.h"

namespace {

// Pulse counts, pulley diameters and results as they are typed or shown.
const std::vector<std::string> kTypicalTexts = {
    "12800",          "51200",           "10000",          "21", "12.73", "0.1", "20",
    "194.0174577454", "0.3183098916136", "40743.66551941",
};

// Long mantissas, the ends of the double range, halfway cases, overflow.
const std::vector<std::string> kExtremeTexts = {
    "1234567890123456789012345678",
    "0.1234567890123456789012345",
    "16777217.000000000000000000001",
    "9007199254740993",
    "1e-300",
    "1.7976931348623157e308",
    "2.2250738585072009e-308",
    "4.9406564584124654e-324",
    "2.4703282292062328e-324",
    "1e5000",
};

double ReadWithVeskora(const std::string& text) {
    return veskora::TextToDouble(text);
}
double ReadWithFromChars(const std::string& text) {
    double value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}
double ReadWithStrtod(const std::string& text) {
    return std::strtod(text.c_str(), nullptr);
}

void ReadTexts(benchmark::State& state, const std::vector<std::string>& texts,
               double (*read)(const std::string&)) {
    for (auto _ : state) {
        for (const std::string& text : texts) {
            double value = read(text);
            benchmark::DoNotOptimize(value);
        }
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(texts.size()));
}

}  // namespace

BENCHMARK_CAPTURE(ReadTexts, typical_veskora, kTypicalTexts, ReadWithVeskora);
BENCHMARK_CAPTURE(ReadTexts, typical_from_chars, kTypicalTexts, ReadWithFromChars);
BENCHMARK_CAPTURE(ReadTexts, typical_strtod, kTypicalTexts, ReadWithStrtod);
BENCHMARK_CAPTURE(ReadTexts, extreme_veskora, kExtremeTexts, ReadWithVeskora);
BENCHMARK_CAPTURE(ReadTexts, extreme_from_chars, kExtremeTexts, ReadWithFromChars);
BENCHMARK_CAPTURE(ReadTexts, extreme_strtod, kExtremeTexts, ReadWithStrtod);
