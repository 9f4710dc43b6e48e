// The document's colour-space words ("profile"): the three spaces a document
// can name.
#pragma once

#include <optional>
#include <string_view>

#include "MerrinColorUtils/ColorSpace.h"
#include "MerrinColorUtils/platform/PlatformColorSpace.h"

namespace tavlo {

enum class MerrinColorSpace { rgb, displayP3, sRGBExtended };

// "sRGB", "DisplayP3", "extendedSRGB".
std::string_view rawValue(MerrinColorSpace space);
// Exactly the three raw values.
std::optional<MerrinColorSpace> merrinColorSpaceFromRaw(std::string_view raw);

// "DisplayP3" and "extendedSRGB" name their spaces; every other text, and
// absent, is sRGB.
MerrinColorSpace merrinColorSpaceFromString(std::optional<std::string_view> text);
// "display-p3" is Display P3; anything else sRGB.
MerrinColorSpace merrinColorSpaceFromCSSColorSpace(std::string_view css);
// OKLab and OKLCH are written as Display P3.
MerrinColorSpace merrinColorSpaceFrom(mcu::ColorSpace space);
MerrinColorSpace merrinColorSpaceFrom(const mcu::PlatformColorSpace& space);

mcu::ColorSpace asColorSpace(MerrinColorSpace space);
mcu::PlatformColorSpace asNSColorSpace(MerrinColorSpace space);

}  // namespace tavlo
