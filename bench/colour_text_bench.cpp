// Writing colours as oklch() text: the cost per colour of the whole conversion
// (platform conversion to linear sRGB, OKLCH, rounding, text), against the bare
// cost of printing four numbers with std::to_chars in the same run.
#include "ColourBenchInputs.h"
#include "MerrinColorUtils/ColorConverter.h"
#include "MerrinColorUtils/ColorOperations.h"

#include <benchmark/benchmark.h>

#include <charconv>
#include <string>
#include <vector>

namespace {

// Every fourth colour is translucent, so the alpha part of the text is paid for too.
const std::vector<mcu::PlatformColor>& colours() {
  static const std::vector<mcu::PlatformColor> all = colourbench::randomSRGBColours(20240601, 4);
  return all;
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
  colourbench::reportPerColour(state);
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
  colourbench::reportPerColour(state);
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
  colourbench::reportPerColour(state);
}
BENCHMARK(BM_FormatCssOKLCH)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
