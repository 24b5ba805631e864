// DoubleToText next to std::to_chars (general, 13 digits) and
// snprintf("%.13g"). All three make a std::string, so that each pays for the
// same result; texts beyond 15 characters take a heap block in every one.
#include <cfloat>
#include <charconv>
#include <cstdio>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include "calc/calc.h"

namespace {

// Pulse counts, diameters and the results of the formula.
const std::vector<double> kTypicalValues = {
    12800,          51200,          21,         12.73, 0.1, 194.01745774541533, 0.3183098916136,
    40743.66551941, 159.1549458068, 65.9734446,
};

// The ends of the range, subnormals, long exact expansions.
const std::vector<double> kExtremeValues = {
    1e-300,
    DBL_MAX,
    DBL_MIN,
    2.2250738585072009e-308,  // the largest subnormal
    4.9406564584124654e-324,  // the smallest subnormal
    1e300,
    1234567890123456789.0,
    9.5367431640625e-07,  // 2^-20
    12.651009889485,
    -0.00000025,
};

std::string WriteWithVeskora(double value) {
    return veskora::DoubleToText(value);
}
std::string WriteWithToChars(double value) {
    char text[32];
    auto end = std::to_chars(text, text + sizeof text, value, std::chars_format::general, 13).ptr;
    return std::string(text, end);
}
std::string WriteWithSnprintf(double value) {
    char text[32];
    int length = std::snprintf(text, sizeof text, "%.13g", value);
    return std::string(text, static_cast<size_t>(length));
}

void WriteValues(benchmark::State& state, const std::vector<double>& values,
                 std::string (*write)(double)) {
    for (auto _ : state) {
        for (double value : values) {
            std::string text = write(value);
            benchmark::DoNotOptimize(text.data());
        }
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(values.size()));
}

}  // namespace

BENCHMARK_CAPTURE(WriteValues, typical_veskora, kTypicalValues, WriteWithVeskora);
BENCHMARK_CAPTURE(WriteValues, typical_to_chars, kTypicalValues, WriteWithToChars);
BENCHMARK_CAPTURE(WriteValues, typical_snprintf, kTypicalValues, WriteWithSnprintf);
BENCHMARK_CAPTURE(WriteValues, extreme_veskora, kExtremeValues, WriteWithVeskora);
BENCHMARK_CAPTURE(WriteValues, extreme_to_chars, kExtremeValues, WriteWithToChars);
BENCHMARK_CAPTURE(WriteValues, extreme_snprintf, kExtremeValues, WriteWithSnprintf);
