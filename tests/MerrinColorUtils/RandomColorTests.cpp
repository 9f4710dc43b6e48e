#include "MerrinColorUtils/Numeric.h"
#include "MerrinColorUtils/RandomColor.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace mcu {
namespace {

// Hands out the given draws in order, then repeats the last one.
UniformDraw draws(std::vector<double> values) {
  auto index = std::make_shared<std::size_t>(0);
  return [values = std::move(values), index] {
    double value = values[std::min(*index, values.size() - 1)];
    ++*index;
    return value;
  };
}

struct RangeCase {
  RandomColorAlgorithm algorithm;
  std::vector<double> draws;
  RandomHSB expected;
};

TEST(RandomColor, AlgorithmsMapDrawsOntoTheirRanges) {
  using A = RandomColorAlgorithm;
  const RangeCase cases[] = {
      {A::pastel, {0}, {0, 0.7, 1}},
      {A::pastel, {1}, {1, 0.85, 1}},
      {A::primary, {0.5, 0, 1}, {0.5, 0.95, 1}},
      // A draw of exactly 1 is the twelfth of twelve hues.
      {A::primary, {1}, {1, 1, 1}},
      {A::primary, {0.99}, {11.0 / 12.0, 0.9995, 0.9995}},
      {A::monochrome, {0.3}, {0, 0, 0.3}},
      {A::metal, {0.25, 0, 1}, {0.25, 0.1, 1}},
      {A::metal, {1, 1, 0}, {1, 0.2, 0.05}},
      // Cool and warm take one draw for hue and saturation together.
      {A::cool, {0, 0, 0}, {0.45, 0.8, 0.9}},
      {A::cool, {1, 0, 1}, {0.65, 1, 1}},
      {A::cool, {0.5, 1, 0}, {0.65, 0.85, 0.9}},
      {A::warm, {0, 0}, {-0.1, 0.9, 0.9}},
      {A::warm, {1, 1}, {0.2, 0.8, 1}},
  };
  for (const RangeCase& c : cases) {
    SCOPED_TRACE(std::string(caseName(c.algorithm)) + " draws from " + std::to_string(c.draws.front()));
    RandomHSB hsb = randomHSB(c.algorithm, draws(c.draws));
    EXPECT_NEAR(hsb.hue, c.expected.hue, 1e-12);
    EXPECT_NEAR(hsb.saturation, c.expected.saturation, 1e-12);
    EXPECT_NEAR(hsb.brightness, c.expected.brightness, 1e-12);
  }
}

TEST(RandomColor, SystemDrawsStayInTheirRanges) {
  for (int i = 0; i < 2000; ++i) {
    double u = uniformClosedUnit();
    ASSERT_GE(u, 0.0);
    ASSERT_LE(u, 1.0);
    RandomHSB primary = randomHSB(RandomColorAlgorithm::primary);
    EXPECT_TRUE(isInteger(primary.hue * 12.0)) << primary.hue;
    RandomHSB mono = randomHSB(RandomColorAlgorithm::monochrome);
    EXPECT_EQ(mono.hue, 0.0);
    EXPECT_EQ(mono.saturation, 0.0);
  }
}

TEST(RandomColor, ColoursAreMadeInLinearLightAndConverted) {
  PlatformColor grey = randomColor(RandomColorAlgorithm::monochrome, draws({0.5}));
  EXPECT_EQ(grey,
            PlatformColor::colorWithColorSpace(PlatformColorSpace::extendedLinearSRGB(), {0.5, 0.5, 0.5, 1}));

  // Linear 0.5 is sRGB 0.735...: the triple was read in linear light.
  PlatformColor inSRGB =
      randomColor(RandomColorAlgorithm::monochrome, PlatformColorSpace::sRGB(), draws({0.5}));
  EXPECT_EQ(inSRGB.colorSpace(), PlatformColorSpace::sRGB());
  EXPECT_NEAR(inSRGB.redComponent(), 0.7354, 1e-4);
  EXPECT_EQ(inSRGB.redComponent(), inSRGB.blueComponent());

  PlatformColor any = randomColor(draws({0.5, 0, 1}));
  EXPECT_NEAR(any.hueComponent(), 0.5, 1e-9);
  EXPECT_NEAR(any.saturationComponent(), 0.3, 1e-9);
  EXPECT_NEAR(any.brightnessComponent(), 1.0, 1e-9);
}

}  // namespace
}  // namespace mcu
