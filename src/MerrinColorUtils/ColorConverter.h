// Colour to text and text to colour in the notations of ColorFormat.
#pragma once

#include "MerrinColorUtils/ColorFormat.h"
#include "MerrinColorUtils/ColorSpace.h"
#include "MerrinColorUtils/platform/PlatformColor.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace mcu {

struct ColorConverterOptions {
  // Decimal places of floating-point output (half away from zero).
  std::int64_t roundedTo = 4;
  // Put in front of Display P3 output, so a P3 value is never mistaken for sRGB.
  std::optional<std::string> p3Prefix;
  // Appended when the colour had to be clipped into sRGB to be written.
  std::optional<std::string> suffixWhenClipped;
  // For cssRGB: always write rgb() and clip into sRGB.
  bool forceClip = false;

  std::string addPrefixIfNeeded(std::string text, ColorSpace colorSpace) const;
  std::string addClipSuffix(std::string text) const;
};

struct ColorConverterResult {
  std::optional<std::string> colorString;
  bool clipped = false;
};

struct ConvertedColor {
  std::optional<PlatformColor> color;
  std::optional<ColorFormat> detectedFormat;
  std::optional<ColorSpace> detectedColorSpace;
};

namespace ColorConverter {

// Writes `color` in `format`. `colorSpace` is the space the text should
// express (callers take it from the colour's own space); apart from cssOKLAB,
// cssOKLCH and clipping, the colour's components are written as they are.
ColorConverterResult convertColorToString(const PlatformColor& color, ColorFormat format,
                                          ColorSpace colorSpace, const ColorConverterOptions& options);

// Reads `string` in `format`, and failing that in every other format of
// orderedFormats(); the one that reads it is the detected format. With
// `convertColorSpaceIfNeeded`, a text that mentions "p3" is read as Display P3
// and a Display P3 request for any other text becomes sRGB.
ConvertedColor convertStringToColor(std::string_view string, ColorFormat format, ColorSpace colorSpace,
                                    bool convertColorSpaceIfNeeded);

}  // namespace ColorConverter

}  // namespace mcu
