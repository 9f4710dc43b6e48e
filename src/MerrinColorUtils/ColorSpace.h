#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "MerrinColorUtils/platform/PlatformColorSpace.h"

namespace mcu {

// The working colour spaces. Raw values 0..4 are stored in documents.
enum class ColorSpace { sRGB = 0, sRGBExtended = 1, displayP3 = 2, oklab = 3, oklch = 4 };

int rawValue(ColorSpace space);
std::optional<ColorSpace> colorSpaceFromRaw(int raw);
// From the case name ("sRGB", "sRGBExtended", "displayP3", "oklab", "oklch"),
// as the command line names spaces; exact and case-sensitive.
std::optional<ColorSpace> colorSpaceFromRaw(std::string_view caseName);
std::string_view caseName(ColorSpace space);
// The localised name ("sRGB", "sRGB Extended", "Display P3", "OKLAB", "OKLCH").
std::string displayName(ColorSpace space);
std::string localizedName(ColorSpace space);

// All five spaces in raw-value order.
const std::array<ColorSpace, 5>& allColorSpaces();
const std::array<ColorSpace, 5>& conversionSpaces();
// The spaces a colour can be edited in: sRGB, extended sRGB, Display P3.
const std::array<ColorSpace, 3>& defaultAppSpaces();

// sRGB, sRGBExtended and displayP3.
bool isRGB(ColorSpace space);
// The platform space a colour in this working space is drawn in; OKLab and
// OKLCH colours leave the working spaces as Display P3.
PlatformColorSpace toNSColorSpace(ColorSpace space);
// "srgb" and "display-p3"; absent for the others.
std::optional<std::string_view> toCSSColorSpace(ColorSpace space);
// Same rule as clamp(value, space).
double clampIfRequired(ColorSpace space, double rgbaValue);

// "srgb" → sRGB, "display-p3" → displayP3 (exact, case-sensitive); else absent.
std::optional<ColorSpace> colorSpaceFromCSSColorSpace(std::string_view css);
// sRGB, extended sRGB or Display P3 when the platform space is that one.
std::optional<ColorSpace> colorSpaceFromNSColorSpace(const PlatformColorSpace& space);
ColorSpace colorSpaceFromNSColorSpace(const PlatformColorSpace& space, ColorSpace defaultWhenNoMatch);

}  // namespace mcu
