#include "MerrinColorUtils/RandomColor.h"

#include "MerrinColorUtils/Localized.h"

#include <cmath>
#include <random>

namespace mcu {

namespace {

struct AlgorithmRow {
  RandomColorAlgorithm algorithm;
  std::string_view caseName;
  std::string_view title;
};

constexpr std::array<AlgorithmRow, 6> kAlgorithms{{
    {RandomColorAlgorithm::pastel, "pastel", "Pastels"},
    {RandomColorAlgorithm::primary, "primary", "Primaries"},
    {RandomColorAlgorithm::monochrome, "monochrome", "Monochrome"},
    {RandomColorAlgorithm::metal, "metal", "Metals"},
    {RandomColorAlgorithm::cool, "cool", "Cool"},
    {RandomColorAlgorithm::warm, "warm", "Warm"},
}};

const AlgorithmRow& row(RandomColorAlgorithm algorithm) {
  return kAlgorithms[static_cast<std::size_t>(algorithm)];
}

// a ... b at the draw u.
double range(double a, double b, double u) {
  return a + (b - a) * u;
}

}  // namespace

int rawValue(RandomColorAlgorithm algorithm) {
  return static_cast<int>(algorithm);
}

std::optional<RandomColorAlgorithm> randomColorAlgorithmFromRaw(int raw) {
  if (raw < 0 || raw >= static_cast<int>(kAlgorithms.size())) return std::nullopt;
  return kAlgorithms[static_cast<std::size_t>(raw)].algorithm;
}

std::optional<RandomColorAlgorithm> randomColorAlgorithmFromRaw(std::string_view caseName) {
  for (const AlgorithmRow& r : kAlgorithms) {
    if (r.caseName == caseName) return r.algorithm;
  }
  return std::nullopt;
}

std::string_view caseName(RandomColorAlgorithm algorithm) {
  return row(algorithm).caseName;
}
std::string_view displayName(RandomColorAlgorithm algorithm) {
  return row(algorithm).title;
}
// Translators: drop-down option for selecting the random color algorithm.
std::string description(RandomColorAlgorithm algorithm) {
  return localized(row(algorithm).title);
}

const std::array<RandomColorAlgorithm, 6>& allRandomColorAlgorithms() {
  static constexpr std::array<RandomColorAlgorithm, 6> all{
      RandomColorAlgorithm::pastel, RandomColorAlgorithm::primary, RandomColorAlgorithm::monochrome,
      RandomColorAlgorithm::metal,  RandomColorAlgorithm::cool,    RandomColorAlgorithm::warm,
  };
  return all;
}

double uniformClosedUnit() {
  // 2^53 + 1 equally likely steps from 0 to 1 inclusive: every step is a double.
  static thread_local std::mt19937_64 engine{std::random_device{}()};
  std::uniform_int_distribution<std::uint64_t> steps(0, std::uint64_t{1} << 53);
  return static_cast<double>(steps(engine)) * 0x1p-53;
}

RandomHSB randomHSB(RandomColorAlgorithm algorithm, const UniformDraw& draw) {
  switch (algorithm) {
    case RandomColorAlgorithm::pastel: {
      double hue = draw();
      return {hue, range(0.7, 0.85, draw()), 1.0};
    }
    case RandomColorAlgorithm::primary: {
      // Twelve hues; a draw of exactly 1 gives hue 1, the same as 0.
      double hue = std::trunc(12.0 * draw()) / 12.0;
      double saturation = range(0.95, 1.0, draw());
      return {hue, saturation, range(0.95, 1.0, draw())};
    }
    case RandomColorAlgorithm::monochrome:
      return {0.0, 0.0, draw()};
    case RandomColorAlgorithm::metal: {
      double hue = draw();
      double saturation = range(0.1, 0.2, draw());
      return {hue, saturation, range(0.05, 1.0, draw())};
    }
    case RandomColorAlgorithm::cool: {
      // One draw moves hue and saturation together.
      double v = draw();
      double hue = 0.45 + 0.2 * v + 0.1 * draw();
      double saturation = 0.8 + 0.1 * v + 0.1 * draw();
      return {hue, saturation, range(0.9, 1.0, draw())};
    }
    case RandomColorAlgorithm::warm: {
      double v = draw();
      return {-0.1 + 0.3 * v, 0.9 - 0.1 * v, range(0.9, 1.0, draw())};
    }
  }
  return {};
}

PlatformColor randomColor(const UniformDraw& draw) {
  double hue = draw();
  double saturation = 0.3 + 0.4 * draw();
  double brightness = 0.9 + 0.1 * draw();
  return PlatformColor::colorWithDeviceHue(hue, saturation, brightness, 1.0);
}

PlatformColor randomColor(RandomColorAlgorithm algorithm, const UniformDraw& draw) {
  RandomHSB hsb = randomHSB(algorithm, draw);
  // The triple is read in linear light, which keeps the pastels light.
  return PlatformColor::colorWithHue(PlatformColorSpace::extendedLinearSRGB(), hsb.hue, hsb.saturation,
                                     hsb.brightness, 1.0);
}

PlatformColor randomColor(RandomColorAlgorithm algorithm, const PlatformColorSpace& colorSpace,
                          const UniformDraw& draw) {
  PlatformColor color = randomColor(algorithm, draw);
  return color.colorUsingColorSpace(colorSpace).value_or(color);
}

}  // namespace mcu
