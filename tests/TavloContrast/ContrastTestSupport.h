// What the contrast tests share: members made from colours, and measuring
// one pair the way a test group does.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "TavloContrast/ContrastEvaluation.h"
#include "TavloData/ThemeableColor.h"

namespace contrasttest {

using namespace tavlo;
using namespace tavlo::contrast;

inline mcu::PlatformColor srgb(double r, double g, double b, double a = 1) {
  return mcu::PlatformColor::colorWithSRGBRed(r, g, b, a);
}

inline mcu::PlatformColor hex(const std::string& rgb) {
  auto channel = [&](std::size_t i) {
    return std::stoi(rgb.substr(i, 1) + rgb.substr(i, 1), nullptr, 16) / 255.0;
  };
  return srgb(channel(0), channel(1), channel(2));
}

inline ContrastMember member(std::string name, TestPosition role, const mcu::PlatformColor& light,
                             std::optional<mcu::PlatformColor> dark = std::nullopt) {
  return {std::move(name), role, std::make_shared<ThemeableColor>("", "", light, dark)};
}

// The value of `foreground` on `background` in `appearance` (light, or dark
// when the foreground has a dark variant).
inline double measurePair(TestTaskType method, const ContrastMember& foreground,
                          const ContrastMember& background, ColorSource appearance = ColorSource::light) {
  std::optional<double> found;
  PreparedMembers({foreground, background})
      .forEachMeasurement(method, [&](std::uint32_t, std::uint32_t, ColorSource a, double value) {
        if (a == appearance) found = value;
      });
  EXPECT_TRUE(found) << "no result for the appearance";
  return found.value_or(0);
}

}  // namespace contrasttest
