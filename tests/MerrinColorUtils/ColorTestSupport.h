// Shared by the colour tests: short ways to make colours and compare them.
#pragma once

#include <gtest/gtest.h>

#include <numbers>

#include "MerrinColorUtils/platform/PlatformColor.h"

namespace mcu::testing {

inline PlatformColor srgb(double r, double g, double b, double a = 1.0) {
  return PlatformColor::colorWithSRGBRed(r, g, b, a);
}
inline PlatformColor p3(double r, double g, double b, double a = 1.0) {
  return PlatformColor::colorWithDisplayP3Red(r, g, b, a);
}
inline PlatformColor extended(double r, double g, double b, double a = 1.0) {
  return PlatformColor::colorWithColorSpace(PlatformColorSpace::extendedSRGB(), {r, g, b, a});
}
inline PlatformColor linear(double r, double g, double b, double a = 1.0) {
  return PlatformColor::colorWithColorSpace(PlatformColorSpace::extendedLinearSRGB(), {r, g, b, a});
}
inline double radians(double degrees) {
  return degrees * std::numbers::pi / 180.0;
}

// Every component within `tolerance` of the expected colour's, in its space.
inline void expectNear(const PlatformColor& actual, const PlatformColor& expected, double tolerance) {
  auto converted = actual.colorUsingColorSpace(expected.colorSpace());
  ASSERT_TRUE(converted.has_value()) << actual;
  auto a = converted->components();
  auto e = expected.components();
  ASSERT_EQ(a.size(), e.size());
  for (std::size_t i = 0; i < a.size(); ++i)
    EXPECT_NEAR(a[i], e[i], tolerance) << "component " << i << " of " << actual << " vs " << expected;
}

}  // namespace mcu::testing
