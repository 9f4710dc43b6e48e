// What the colour benchmarks share: a million random sRGB colours, the same
// in every run, and the "per_colour" counter their results are compared by.
#pragma once

#include <benchmark/benchmark.h>

#include <cstddef>
#include <cstdint>
#include <random>
#include <vector>

#include "MerrinColorUtils/platform/PlatformColor.h"

namespace colourbench {

inline constexpr std::size_t kColours = 1'000'000;

// `seed` fixes the colours. Every `translucentEvery`-th colour gets a random
// alpha; 0 keeps them all opaque.
inline std::vector<mcu::PlatformColor> randomSRGBColours(std::uint64_t seed, std::size_t translucentEvery) {
  std::mt19937_64 engine(seed);
  std::uniform_real_distribution<double> unit(0.0, 1.0);
  std::vector<mcu::PlatformColor> colours;
  colours.reserve(kColours);
  for (std::size_t i = 0; i < kColours; ++i) {
    const double alpha = translucentEvery != 0 && i % translucentEvery == 0 ? unit(engine) : 1.0;
    colours.push_back(mcu::PlatformColor::colorWithSRGBRed(unit(engine), unit(engine), unit(engine), alpha));
  }
  return colours;
}

// Call after the timing loop of a benchmark that handles kColours colours
// per iteration.
inline void reportPerColour(benchmark::State& state) {
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * kColours));
  // Seconds per colour, shown with an SI prefix (e.g. "85n" = 85 ns).
  state.counters["per_colour"] = benchmark::Counter(
      kColours, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

}  // namespace colourbench
