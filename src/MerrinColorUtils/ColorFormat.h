// The seventeen text notations a colour can be written in and read back from:
// code for three platform colour APIs, CSS functions, hexadecimal and bare
// decimal lists.
#pragma once

#include "MerrinColorUtils/ColorSpace.h"
#include "MerrinColorUtils/platform/PlatformColor.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace mcu {

enum class ColorFormat {
  floatRGBA,
  floatHSVA,
  htmlRGB,
  cssRGB,
  cssColor,
  cssHSL,
  cssOKLAB,
  cssOKLCH,
  hexRGB,
  hexARGB,
  hexRGBA,
  swiftUIColorRGBA,
  swiftUIColorHSBA,
  swiftNSColorRGBA,
  swiftNSColorHSBA,
  swiftColorRGBA,
  swiftColorHSBA,
};

// Integer raw values 0-16 in declaration order.
int rawValue(ColorFormat format);
std::optional<ColorFormat> colorFormatFromRaw(int raw);
// From the case name ("floatRGBA", "cssOKLCH"), as the command line names
// formats; exact and case-sensitive.
std::optional<ColorFormat> colorFormatFromRaw(std::string_view caseName);
std::string_view caseName(ColorFormat format);

// The English menu title ("Float RGBA", "CSS oklch()").
std::string_view displayName(ColorFormat format);
// The menu title looked up as a localisation key.
std::string localizedName(ColorFormat format);

// Every format in raw order.
const std::array<ColorFormat, 17>& allColorFormats();

// The order used when guessing the notation of a text and for menus; it leaves
// out cssColor, cssOKLAB and cssOKLCH.
const std::array<ColorFormat, 14>& orderedFormats();

std::vector<ColorSpace> supportedColorSpaces(ColorFormat format);
bool isSupported(ColorFormat format, ColorSpace colorSpace);
// The formats an editor offers for a colour space, in raw order.
std::vector<ColorFormat> supportedFormats(ColorSpace colorSpace);

// Reads one notation. Components are clamped for `colorSpace`; a text that
// names its own space (color(display-p3 ...), displayP3Red:, .extendedSRGB,
// a leading "p3:") is read in that space instead. Texts in the OKLab and OKLCH
// notations are made through linear sRGB and expressed in the platform space of
// `colorSpace`. Absent when the text is not in this notation.
std::optional<PlatformColor> parseColor(ColorFormat format, std::string_view colorString,
                                        ColorSpace colorSpace);

// Hexadecimal digits to a component in 0...1; absent for anything that is not
// exactly that many hexadecimal digits.
std::optional<double> twoCharHexToFloat(std::string_view text);      // "80" -> 128/255
std::optional<double> oneCharHexToFloat(std::string_view text);      // "a" -> 0xAA/255
std::optional<double> oneCharGrayHexToFloat(std::string_view text);  // "f" -> 15/15

}  // namespace mcu
