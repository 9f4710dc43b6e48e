#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "MerrinColorUtils/ColorSpace.h"
#include "MerrinColorUtils/Numeric.h"

namespace mcu {
namespace {

TEST(ColorSpace, OnlyRGBSpacesClampAndTheOthersLeaveAsDisplayP3) {
  for (ColorSpace space : allColorSpaces()) {
    EXPECT_EQ(isRGB(space), rawValue(space) < 3);
    if (!isRGB(space)) {
      EXPECT_EQ(toNSColorSpace(space), PlatformColorSpace::displayP3());
    }
  }
  EXPECT_EQ(toCSSColorSpace(ColorSpace::sRGBExtended), std::nullopt);
}

TEST(ColorSpace, FromCSSAndPlatformSpaces) {
  EXPECT_EQ(colorSpaceFromCSSColorSpace("srgb"), ColorSpace::sRGB);
  EXPECT_EQ(colorSpaceFromCSSColorSpace("display-p3"), ColorSpace::displayP3);
  EXPECT_EQ(colorSpaceFromCSSColorSpace("Display-P3"), std::nullopt);
  EXPECT_EQ(colorSpaceFromCSSColorSpace("srgb-linear"), std::nullopt);

  EXPECT_EQ(colorSpaceFromNSColorSpace(PlatformColorSpace::sRGB()), ColorSpace::sRGB);
  EXPECT_EQ(colorSpaceFromNSColorSpace(PlatformColorSpace::extendedSRGB()), ColorSpace::sRGBExtended);
  EXPECT_EQ(colorSpaceFromNSColorSpace(PlatformColorSpace::displayP3()), ColorSpace::displayP3);
  EXPECT_EQ(colorSpaceFromNSColorSpace(PlatformColorSpace::extendedDisplayP3()), std::nullopt);
  EXPECT_EQ(colorSpaceFromNSColorSpace(PlatformColorSpace::deviceRGB(), ColorSpace::oklch),
            ColorSpace::oklch);
}

TEST(ColorSpace, ClampRanges) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  struct Case {
    ColorSpace space;
    double in;
    double out;
  };
  const Case cases[] = {
      {ColorSpace::sRGB, 1.5, 1},           {ColorSpace::sRGB, -0.1, 0},
      {ColorSpace::sRGB, 0.3, 0.3},         {ColorSpace::sRGB, nan, 0},
      {ColorSpace::displayP3, 1.01, 1},     {ColorSpace::displayP3, nan, 0},
      {ColorSpace::sRGBExtended, 2.5, 2},   {ColorSpace::sRGBExtended, -3, -2},
      {ColorSpace::sRGBExtended, 1.5, 1.5}, {ColorSpace::sRGBExtended, nan, -2},
      {ColorSpace::oklch, 2.5, 2.5},        {ColorSpace::oklab, -7, -7},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(clamp(c.in, c.space), c.out) << caseName(c.space) << " " << c.in;
    EXPECT_EQ(clampIfRequired(c.space, c.in), c.out);
  }
  EXPECT_TRUE(std::isnan(clamp(nan, ColorSpace::oklab)));
}

TEST(Numeric, RoundingIsHalfAwayFromZero) {
  struct Case {
    double value;
    int places;
    double expected;
  };
  const Case cases[] = {
      {0.5, 0, 1},      {-0.5, 0, -1},      {2.5, 0, 3},           {0.125, 2, 0.13}, {-0.125, 2, -0.13},
      {0.124, 2, 0.12}, {1234.5, -1, 1230}, {0.123456, 4, 0.1235}, {1, 3, 1},
  };
  for (const auto& c : cases)
    EXPECT_DOUBLE_EQ(roundTo(c.value, c.places), c.expected) << c.value << " " << c.places;

  EXPECT_DOUBLE_EQ(rounded(0.3, 4), 0.25);
  EXPECT_DOUBLE_EQ(rounded(0.375, 4), 0.5);
  EXPECT_DOUBLE_EQ(mix(2, 4, 0.25), 2.5);
  EXPECT_DOUBLE_EQ(mix(2, 4, 1.5), 5);  // the amount is not clamped
  EXPECT_TRUE(isInteger(3.0));
  EXPECT_TRUE(isInteger(-2.0));
  EXPECT_FALSE(isInteger(2.5));
}

}  // namespace
}  // namespace mcu
