// Writing colours as oklch() text: the cost per colour of the whole conversion
// (platform conversion to linear sRGB, OKLCH, rounding, text), against the bare
// cost of printing four numbers with std::to_chars in the same run.
#include "MerrinColorUtils/ColorConverter.h"
#include "MerrinColorUtils/ColorOperations.h"

#include <benchmark/benchmark.h>

#include <charconv>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr std::size_t kColours = 1'000'000;

const std::vector<mcu::PlatformColor>& colours() {
  static const std::vector<mcu::PlatformColor> all = [] {
    std::mt19937_64 engine(20240601);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    std::vector<mcu::PlatformColor> made;
    made.reserve(kColours);
    for (std::size_t i = 0; i < kColours; ++i) {
      double alpha = i % 4 == 0 ? unit(engine) : 1.0;
      made.push_back(mcu::PlatformColor::colorWithSRGBRed(unit(engine), unit(engine), unit(engine), alpha));
    }
    return made;
  }();
  return all;
}

void perColour(benchmark::State& state) {
  state.counters["per_colour"] =
      benchmark::Counter(static_cast<double>(state.iterations() * kColours),
                         benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

// Baseline: the four stored components printed with to_chars into a string of
// the same shape, no conversion and no rounding.
void BM_PlainComponentsToChars(benchmark::State& state) {
  const auto& all = colours();
  for (auto _ : state) {
    for (const mcu::PlatformColor& colour : all) {
      std::string text;
      text.reserve(64);
      text += "oklch(";
      char buffer[32];
      for (double v : colour.components()) {
        auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, v, std::chars_format::general, 6);
        text.append(buffer, end);
        text += ' ';
      }
      text += ')';
      benchmark::DoNotOptimize(text.data());
    }
  }
  perColour(state);
}
BENCHMARK(BM_PlainComponentsToChars)->Unit(benchmark::kMillisecond);

// The colour maths alone: conversion to extended linear sRGB and OKLCH.
void BM_OKLCHMathsOnly(benchmark::State& state) {
  const auto& all = colours();
  for (auto _ : state) {
    for (const mcu::PlatformColor& colour : all) {
      auto linear = colour.colorUsingColorSpace(mcu::PlatformColorSpace::extendedLinearSRGB());
      mcu::RawLCHValues lch = mcu::linearSRGBtoOKLCH(*linear);
      benchmark::DoNotOptimize(lch);
    }
  }
  perColour(state);
}
BENCHMARK(BM_OKLCHMathsOnly)->Unit(benchmark::kMillisecond);

void BM_FormatCssOKLCH(benchmark::State& state) {
  const auto& all = colours();
  mcu::ColorConverterOptions options;
  options.roundedTo = 4;
  options.p3Prefix = "p3: ";
  for (auto _ : state) {
    for (const mcu::PlatformColor& colour : all) {
      auto result = mcu::ColorConverter::convertColorToString(colour, mcu::ColorFormat::cssOKLCH,
                                                              mcu::ColorSpace::sRGB, options);
      benchmark::DoNotOptimize(result.colorString->data());
    }
  }
  perColour(state);
}
BENCHMARK(BM_FormatCssOKLCH)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
