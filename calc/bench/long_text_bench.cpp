// The cost of folding and reading texts of 1 KB, 1 MB and 10 MB, in bytes per
// second: a rate that holds from size to size is a linear cost.
#include <cstdint>
#include <string>
#include <string_view>

#include <benchmark/benchmark.h>

#include "calc/calc.h"

namespace {

enum class LongText {
    kFullWidthDigits,       // 0xA3 0xB0 .. 0xA3 0xB9 over and over: one long mantissa
    kSpacesThenNumber,      // spaces, then 12800
    kWideSpacesThenNumber,  // ideographic spaces (0xA1 0xA1), then 12800
    kDigits,                // ASCII digits: one long mantissa
    kZerosAfterPoint,       // 0.000...0001
};

std::string MakeLongText(LongText kind, size_t size) {
    constexpr std::string_view kNumber = "12800";
    std::string text;
    text.reserve(size);
    switch (kind) {
        case LongText::kFullWidthDigits:
            for (size_t i = 0; text.size() + 2 <= size; ++i) {
                text += '\xA3';
                text += static_cast<char>(0xB0 + i % 10);
            }
            break;
        case LongText::kSpacesThenNumber:
            text.assign(size - kNumber.size(), ' ');
            text += kNumber;
            break;
        case LongText::kWideSpacesThenNumber:
            while (text.size() + 2 + kNumber.size() <= size) text += "\xA1\xA1";
            text += kNumber;
            break;
        case LongText::kDigits:
            for (size_t i = 0; text.size() < size; ++i) text += static_cast<char>('1' + i % 9);
            break;
        case LongText::kZerosAfterPoint:
            text = "0.";
            text.append(size - 3, '0');
            text += '1';
            break;
    }
    return text;
}

void Report(benchmark::State& state, const std::string& text) {
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(text.size()));
}

void FoldLongText(benchmark::State& state, LongText kind) {
    std::string text = MakeLongText(kind, static_cast<size_t>(state.range(0)));
    for (auto _ : state) {
        std::string folded = veskora::FoldFullWidth(text);
        benchmark::DoNotOptimize(folded.data());
        benchmark::ClobberMemory();
    }
    Report(state, text);
}

void ReadLongTextAsSingle(benchmark::State& state, LongText kind) {
    std::string text = MakeLongText(kind, static_cast<size_t>(state.range(0)));
    for (auto _ : state) {
        float value = veskora::TextToSingle(text);
        benchmark::DoNotOptimize(value);
    }
    Report(state, text);
}

void ReadLongTextAsDouble(benchmark::State& state, LongText kind) {
    std::string text = MakeLongText(kind, static_cast<size_t>(state.range(0)));
    for (auto _ : state) {
        double value = veskora::TextToDouble(text);
        benchmark::DoNotOptimize(value);
    }
    Report(state, text);
}

void Sizes(benchmark::internal::Benchmark* benchmark) {
    benchmark->Arg(1 << 10)->Arg(1 << 20)->Arg(10 << 20)->Unit(benchmark::kMicrosecond);
}

}  // namespace

BENCHMARK_CAPTURE(FoldLongText, full_width_digits, LongText::kFullWidthDigits)->Apply(Sizes);
BENCHMARK_CAPTURE(FoldLongText, spaces_then_number, LongText::kSpacesThenNumber)->Apply(Sizes);
BENCHMARK_CAPTURE(ReadLongTextAsSingle, full_width_digits, LongText::kFullWidthDigits)
    ->Apply(Sizes);
BENCHMARK_CAPTURE(ReadLongTextAsSingle, spaces_then_number, LongText::kSpacesThenNumber)
    ->Apply(Sizes);
BENCHMARK_CAPTURE(ReadLongTextAsSingle, wide_spaces_then_number, LongText::kWideSpacesThenNumber)
    ->Apply(Sizes);
BENCHMARK_CAPTURE(ReadLongTextAsDouble, spaces_then_number, LongText::kSpacesThenNumber)
    ->Apply(Sizes);
BENCHMARK_CAPTURE(ReadLongTextAsDouble, digits, LongText::kDigits)->Apply(Sizes);
BENCHMARK_CAPTURE(ReadLongTextAsDouble, zeros_after_point, LongText::kZerosAfterPoint)
    ->Apply(Sizes);
