// Contrast evaluation: 1,000 foregrounds on 1,000 backgrounds in four
// appearances, 4 million measurements per iteration, against a baseline in
// the same run: the same 4 million WCAG ratios from luminances computed
// beforehand into plain arrays. Read "per_measurement".
#include <benchmark/benchmark.h>

#include <cstdint>
#include <memory>
#include <random>
#include <vector>

#include "TavloContrast/ContrastEvaluation.h"

namespace {

using namespace tavlo;
using namespace tavlo::contrast;

constexpr std::size_t kSide = 1000;
constexpr std::size_t kMeasurements = kSide * kSide * 4;

// Foregrounds with all four variants (every fourth one translucent), so every
// pair is measured in every appearance; opaque backgrounds with light only.
const std::vector<ContrastMember>& members() {
  static const std::vector<ContrastMember> list = [] {
    std::mt19937_64 engine(20261206);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    auto color = [&](double alpha) {
      return mcu::PlatformColor::colorWithSRGBRed(unit(engine), unit(engine), unit(engine), alpha);
    };
    std::vector<ContrastMember> out;
    for (std::size_t i = 0; i < kSide; ++i) {
      const double alpha = i % 4 == 0 ? 0.5 + 0.5 * unit(engine) : 1.0;
      out.push_back(
          {"f", TestPosition::foreground,
           std::make_shared<ThemeableColor>("", "", color(alpha), color(alpha), color(alpha), color(alpha))});
    }
    for (std::size_t i = 0; i < kSide; ++i)
      out.push_back({"b", TestPosition::background, std::make_shared<ThemeableColor>("", "", color(1.0))});
    return out;
  }();
  return list;
}

void reportPerMeasurement(benchmark::State& state) {
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * kMeasurements));
  state.counters["per_measurement"] = benchmark::Counter(
      kMeasurements, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

// Baseline: ratios of luminances already in arrays.
void BM_BareWcagRatioBaseline(benchmark::State& state) {
  std::vector<double> fg(kSide * 4), bg(kSide * 4);
  for (std::size_t i = 0; i < kSide * 4; ++i) {
    const auto& m = members();
    fg[i] = wcagLuminance(measuredColor(m[i / 4].color->lightVariant()));
    bg[i] = wcagLuminance(measuredColor(m[kSide + i / 4].color->lightVariant()));
  }
  for (auto _ : state) {
    std::size_t passing = 0;
    for (std::size_t f = 0; f < kSide; ++f)
      for (std::size_t b = 0; b < kSide; ++b)
        for (std::size_t a = 0; a < 4; ++a) passing += wcagContrastRatio(fg[f * 4 + a], bg[b * 4 + a]) >= 4.5;
    benchmark::DoNotOptimize(passing);
  }
  reportPerMeasurement(state);
}

// Preparing the members and measuring every pair, counting passes.
template <TestTaskType method>
void BM_Evaluate(benchmark::State& state) {
  const ContrastRequirement requirement{method, method == TestTaskType::wcagContrastTest ? 4.5 : 60};
  for (auto _ : state) {
    const PreparedMembers prepared(members());
    std::size_t passing = 0;
    std::size_t count = 0;
    prepared.forEachMeasurement(method, [&](std::uint32_t, std::uint32_t, ColorSource, double value) {
      passing += meetsRequirement(requirement, value);
      ++count;
    });
    if (count != kMeasurements) state.SkipWithError("wrong number of measurements");
    benchmark::DoNotOptimize(passing);
  }
  reportPerMeasurement(state);
}

// As the command does it: every result kept.
void BM_EvaluateKeepingResults(benchmark::State& state) {
  const ContrastRequirement requirement{TestTaskType::apcaContrastTest, 60};
  std::vector<ContrastResult> results;
  results.reserve(kMeasurements);
  for (auto _ : state) {
    results.clear();
    const PreparedMembers prepared(members());
    prepared.forEachMeasurement(requirement.method,
                                [&](std::uint32_t f, std::uint32_t b, ColorSource a, double value) {
                                  results.push_back({f, b, a, value, meetsRequirement(requirement, value)});
                                });
    benchmark::DoNotOptimize(results.data());
  }
  reportPerMeasurement(state);
}

BENCHMARK(BM_BareWcagRatioBaseline)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Evaluate<TestTaskType::wcagContrastTest>)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Evaluate<TestTaskType::apcaContrastTest>)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EvaluateKeepingResults)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
