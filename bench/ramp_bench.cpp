// Ramp generation: a 32-step OKLCH three-value colour ramp with automatic
// high contrast in all four variants, against a 32-step two-value linear
// sRGB ramp with only its light variant, measured in the same run. Each
// iteration is one full regeneration (new entries with new identifiers).
#include <benchmark/benchmark.h>

#include <memory>

#include "MerrinColorUtils/platform/PlatformColor.h"
#include "TavloData/ColorHelper.h"
#include "TavloData/MerrinColorSet.h"

namespace {

using mcu::PlatformColor;
using tavlo::AppearanceType;
using tavlo::ColorNamingScheme;
using tavlo::CurveType;
using tavlo::InterpolationMethod;
using tavlo::MerrinColorSet;

constexpr std::int64_t kSteps = 32;

void regenerate(benchmark::State& state, MerrinColorSet& set) {
  for (auto _ : state) {
    set.regenerateColorsIfNeeded();
    benchmark::DoNotOptimize(set.colors().data());
  }
  state.counters["entries"] = static_cast<double>(set.colors().size());
  state.counters["ramps/s"] =
      benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}

// Baseline: the cheapest ramp there is.
void BM_TwoValueLinearSRGBLightOnly(benchmark::State& state) {
  MerrinColorSet set(PlatformColor::colorWithSRGBRed(0.05, 0.1, 0.2, 1),
                     PlatformColor::colorWithSRGBRed(0.95, 0.9, 0.8, 1), kSteps, InterpolationMethod::linear,
                     CurveType::linear, ColorNamingScheme::largeNumeric, AppearanceType::none);
  regenerate(state, set);
}
BENCHMARK(BM_TwoValueLinearSRGBLightOnly)->Unit(benchmark::kMicrosecond);

void BM_ThreeValueOKLCHAutoContrastFourVariants(benchmark::State& state) {
  MerrinColorSet set(PlatformColor::colorWithDisplayP3Red(0.95, 0.95, 1.0, 1),
                     PlatformColor::colorWithDisplayP3Red(0.2, 0.45, 0.95, 1),
                     PlatformColor::colorWithDisplayP3Red(0.05, 0.05, 0.2, 1), kSteps,
                     mcu::ColorSpace::displayP3, InterpolationMethod::oklch, CurveType::hermite3,
                     ColorNamingScheme::largeNumeric, AppearanceType::none);
  // Gives every anchor a dark variant, so all four lists are generated.
  set.setAppearanceType(AppearanceType::lightDarkHighContrastAuto);
  regenerate(state, set);
}
BENCHMARK(BM_ThreeValueOKLCHAutoContrastFourVariants)->Unit(benchmark::kMicrosecond);

// The interpolation alone, to show what the set adds around it.
void BM_OKLCHInterpolationOnly(benchmark::State& state) {
  const auto start = PlatformColor::colorWithDisplayP3Red(0.95, 0.95, 1.0, 1);
  const auto middle = PlatformColor::colorWithDisplayP3Red(0.2, 0.45, 0.95, 1);
  const auto end = PlatformColor::colorWithDisplayP3Red(0.05, 0.05, 0.2, 1);
  for (auto _ : state) {
    auto colors = tavlo::ColorHelper::interpolateColors(start, middle, end, InterpolationMethod::oklch,
                                                        kSteps, 16, CurveType::hermite3, 1.0);
    benchmark::DoNotOptimize(colors.data());
  }
}
BENCHMARK(BM_OKLCHInterpolationOnly)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
