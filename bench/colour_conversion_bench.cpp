// sRGB → OKLCH → sRGB for a million colours, against a plain copy-and-scale of
// the same components in the same run. Read the result as the ratio of the
// "per_colour" counters.
#include <benchmark/benchmark.h>

#include <vector>

#include "ColourBenchInputs.h"
#include "MerrinColorUtils/ColorOperations.h"
#include "MerrinColorUtils/MCUColor.h"
#include "MerrinColorUtils/platform/PlatformColor.h"

namespace {

using colourbench::kColours;

const std::vector<mcu::PlatformColor>& inputColours() {
  static const std::vector<mcu::PlatformColor> colours = colourbench::randomSRGBColours(20240611, 0);
  return colours;
}

// Times `convert` over every input colour.
template <class Convert>
void convertEach(benchmark::State& state, Convert convert) {
  const auto& in = inputColours();
  std::vector<mcu::PlatformColor> out(kColours);
  for (auto _ : state) {
    for (std::size_t i = 0; i < kColours; ++i) out[i] = convert(in[i]);
    benchmark::DoNotOptimize(out.data());
    benchmark::ClobberMemory();
  }
  colourbench::reportPerColour(state);
}

// Baseline: read each colour's components, scale them and make a new colour.
void BM_CopyScaleBaseline(benchmark::State& state) {
  convertEach(state, [](const mcu::PlatformColor& c) {
    return mcu::PlatformColor::colorWithSRGBRed(c.redComponent() * 0.5, c.greenComponent() * 0.5,
                                                c.blueComponent() * 0.5, c.alphaComponent());
  });
}

// The working path: sRGB into extended linear sRGB, OKLCH, and back into sRGB.
void BM_SRGBToOKLCHAndBack(benchmark::State& state) {
  convertEach(state, [](const mcu::PlatformColor& c) {
    const mcu::PlatformColor linear = *c.colorUsingColorSpace(mcu::PlatformColorSpace::extendedLinearSRGB());
    const mcu::RawLCHValues lch = mcu::linearSRGBtoOKLCH(linear);
    const mcu::RawRGBValues back = lch.toLinearSRGB();
    return *mcu::PlatformColor::colorWithColorSpace(mcu::PlatformColorSpace::extendedLinearSRGB(),
                                                    {back.red, back.green, back.blue, back.alpha})
                .colorUsingColorSpace(mcu::PlatformColorSpace::sRGB());
  });
}

// The same through MCUColor, which leaves OKLCH by way of Display P3.
void BM_MCUColorOKLCHRoundTrip(benchmark::State& state) {
  convertEach(state, [](const mcu::PlatformColor& c) {
    const mcu::MCUColor lch(c, mcu::ColorSpace::oklch);
    return lch.usingColorSpace(mcu::ColorSpace::sRGB)->asNSColor();
  });
}

BENCHMARK(BM_CopyScaleBaseline)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SRGBToOKLCHAndBack)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MCUColorOKLCHRoundTrip)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
