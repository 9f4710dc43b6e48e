#include "MerrinColorUtils/ColorSpace.h"

#include "MerrinColorUtils/Localized.h"

namespace mcu {

namespace {

struct ColorSpaceInfo {
  ColorSpace space;
  std::string_view caseName;
  std::string_view localizationKey;
  PlatformColorSpace platformSpace;
  std::optional<std::string_view> css;
  bool clamps;
  double lower;
  double upper;
};

// One row per working space, in raw-value order.
constexpr std::array<ColorSpaceInfo, 5> kColorSpaces{{
    {ColorSpace::sRGB, "sRGB", "sRGB", PlatformColorSpace::sRGB(), "srgb", true, 0.0, 1.0},
    {ColorSpace::sRGBExtended, "sRGBExtended", "sRGB Extended", PlatformColorSpace::extendedSRGB(),
     std::nullopt, true, -2.0, 2.0},
    {ColorSpace::displayP3, "displayP3", "Display P3", PlatformColorSpace::displayP3(), "display-p3", true,
     0.0, 1.0},
    {ColorSpace::oklab, "oklab", "OKLAB", PlatformColorSpace::displayP3(), std::nullopt, false, 0.0, 0.0},
    {ColorSpace::oklch, "oklch", "OKLCH", PlatformColorSpace::displayP3(), std::nullopt, false, 0.0, 0.0},
}};

constexpr bool tableInOrder() {
  for (std::size_t i = 0; i < kColorSpaces.size(); ++i) {
    if (static_cast<std::size_t>(kColorSpaces[i].space) != i) return false;
  }
  return true;
}
static_assert(tableInOrder(), "kColorSpaces must be in raw-value order");

const ColorSpaceInfo& info(ColorSpace space) {
  return kColorSpaces[static_cast<std::size_t>(space)];
}

}  // namespace

int rawValue(ColorSpace space) {
  return static_cast<int>(space);
}

std::optional<ColorSpace> colorSpaceFromRaw(int raw) {
  if (raw < 0 || raw >= static_cast<int>(kColorSpaces.size())) return std::nullopt;
  return kColorSpaces[static_cast<std::size_t>(raw)].space;
}

std::optional<ColorSpace> colorSpaceFromRaw(std::string_view name) {
  for (const auto& row : kColorSpaces) {
    if (row.caseName == name) return row.space;
  }
  return std::nullopt;
}

std::string_view caseName(ColorSpace space) {
  return info(space).caseName;
}

std::string displayName(ColorSpace space) {
  return localized(info(space).localizationKey);
}

std::string localizedName(ColorSpace space) {
  return displayName(space);
}

const std::array<ColorSpace, 5>& allColorSpaces() {
  static constexpr std::array<ColorSpace, 5> all{ColorSpace::sRGB, ColorSpace::sRGBExtended,
                                                 ColorSpace::displayP3, ColorSpace::oklab, ColorSpace::oklch};
  return all;
}

const std::array<ColorSpace, 5>& conversionSpaces() {
  return allColorSpaces();
}

const std::array<ColorSpace, 3>& defaultAppSpaces() {
  static constexpr std::array<ColorSpace, 3> app{ColorSpace::sRGB, ColorSpace::sRGBExtended,
                                                 ColorSpace::displayP3};
  return app;
}

bool isRGB(ColorSpace space) {
  return rawValue(space) < 3;
}

PlatformColorSpace toNSColorSpace(ColorSpace space) {
  return info(space).platformSpace;
}

std::optional<std::string_view> toCSSColorSpace(ColorSpace space) {
  return info(space).css;
}

double clampIfRequired(ColorSpace space, double rgbaValue) {
  const ColorSpaceInfo& row = info(space);
  if (!row.clamps) return rgbaValue;
  // Written so that NaN fails the first test and lands on the lower bound.
  if (!(rgbaValue >= row.lower)) return row.lower;
  if (rgbaValue > row.upper) return row.upper;
  return rgbaValue;
}

std::optional<ColorSpace> colorSpaceFromCSSColorSpace(std::string_view css) {
  if (css == "display-p3") return ColorSpace::displayP3;
  if (css == "srgb") return ColorSpace::sRGB;
  return std::nullopt;
}

std::optional<ColorSpace> colorSpaceFromNSColorSpace(const PlatformColorSpace& space) {
  if (space == PlatformColorSpace::sRGB()) return ColorSpace::sRGB;
  if (space == PlatformColorSpace::extendedSRGB()) return ColorSpace::sRGBExtended;
  if (space == PlatformColorSpace::displayP3()) return ColorSpace::displayP3;
  return std::nullopt;
}

ColorSpace colorSpaceFromNSColorSpace(const PlatformColorSpace& space, ColorSpace defaultWhenNoMatch) {
  return colorSpaceFromNSColorSpace(space).value_or(defaultWhenNoMatch);
}

}  // namespace mcu
