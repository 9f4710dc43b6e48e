// sRGB → OKLCH → sRGB for a million colours, against a plain copy-and-scale of
// the same components in the same run. Read the result as the ratio of the
// "per_colour" counters.
#include <benchmark/benchmark.h>

#include <random>
#include <vector>

#include "MerrinColorUtils/ColorOperations.h"
#include "MerrinColorUtils/MCUColor.h"
#include "MerrinColorUtils/platform/PlatformColor.h"

namespace {

constexpr std::size_t kColours = 1'000'000;

const std::vector<mcu::PlatformColor>& inputColours() {
  static const std::vector<mcu::PlatformColor> colours = [] {
    std::mt19937_64 rng(20240611);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    std::vector<mcu::PlatformColor> out;
    out.reserve(kColours);
    for (std::size_t i = 0; i < kColours; ++i) {
      out.push_back(mcu::PlatformColor::colorWithSRGBRed(unit(rng), unit(rng), unit(rng), 1.0));
    }
    return out;
  }();
  return colours;
}

void reportPerColour(benchmark::State& state) {
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * kColours));
  // Seconds per colour, shown with an SI prefix (e.g. "85n" = 85 ns).
  state.counters["per_colour"] = benchmark::Counter(
      kColours, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

// Baseline: read each colour's components, scale them and make a new colour.
void BM_CopyScaleBaseline(benchmark::State& state) {
  const auto& in = inputColours();
  std::vector<mcu::PlatformColor> out(kColours);
  for (auto _ : state) {
    for (std::size_t i = 0; i < kColours; ++i) {
      const mcu::PlatformColor& c = in[i];
      out[i] = mcu::PlatformColor::colorWithSRGBRed(c.redComponent() * 0.5, c.greenComponent() * 0.5,
                                                    c.blueComponent() * 0.5, c.alphaComponent());
    }
    benchmark::DoNotOptimize(out.data());
    benchmark::ClobberMemory();
  }
  reportPerColour(state);
}

// The working path: sRGB into extended linear sRGB, OKLCH, and back into sRGB.
void BM_SRGBToOKLCHAndBack(benchmark::State& state) {
  const auto& in = inputColours();
  std::vector<mcu::PlatformColor> out(kColours);
  for (auto _ : state) {
    for (std::size_t i = 0; i < kColours; ++i) {
      const mcu::PlatformColor linear =
          *in[i].colorUsingColorSpace(mcu::PlatformColorSpace::extendedLinearSRGB());
      const mcu::RawLCHValues lch = mcu::linearSRGBtoOKLCH(linear);
      const mcu::RawRGBValues back = lch.toLinearSRGB();
      out[i] = *mcu::PlatformColor::colorWithColorSpace(mcu::PlatformColorSpace::extendedLinearSRGB(),
                                                        {back.red, back.green, back.blue, back.alpha})
                    .colorUsingColorSpace(mcu::PlatformColorSpace::sRGB());
    }
    benchmark::DoNotOptimize(out.data());
    benchmark::ClobberMemory();
  }
  reportPerColour(state);
}

// The same through MCUColor, which leaves OKLCH by way of Display P3.
void BM_MCUColorOKLCHRoundTrip(benchmark::State& state) {
  const auto& in = inputColours();
  std::vector<mcu::PlatformColor> out(kColours);
  for (auto _ : state) {
    for (std::size_t i = 0; i < kColours; ++i) {
      const mcu::MCUColor lch(in[i], mcu::ColorSpace::oklch);
      out[i] = lch.usingColorSpace(mcu::ColorSpace::sRGB)->asNSColor();
    }
    benchmark::DoNotOptimize(out.data());
    benchmark::ClobberMemory();
  }
  reportPerColour(state);
}

BENCHMARK(BM_CopyScaleBaseline)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SRGBToOKLCHAndBack)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MCUColorOKLCHRoundTrip)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
