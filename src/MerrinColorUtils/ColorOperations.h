#pragma once

#include <array>
#include <optional>

#include "MerrinColorUtils/RawValues.h"
#include "MerrinColorUtils/platform/PlatformColor.h"

// Operations on platform colours that the colour maths, the ramps and the
// preview tiles share.
namespace mcu {

// Adobe RGB (1998), device RGB, Display P3, extended sRGB, generic RGB or sRGB.
bool isInRGBColorSpace(const PlatformColor& color);
// Device grey, extended generic gamma 2.2 grey, generic gamma 2.2 grey, generic grey.
bool isInWhiteColorSpace(const PlatformColor& color);
// Device CMYK or generic CMYK.
bool isInCMYKColorSpace(const PlatformColor& color);

std::optional<PlatformColor> toSRGBColorSpace(const PlatformColor& color);
std::optional<PlatformColor> toExtendedSRGBColorSpace(const PlatformColor& color);

// Component lists read in the colour's own space (RGB for the first three,
// CMYK for the last).
std::array<double, 4> rgbaComponentValues(const PlatformColor& color);
std::array<double, 4> argbComponentValues(const PlatformColor& color);
std::array<double, 4> hsbComponentValues(const PlatformColor& color);
std::array<double, 5> cmykComponentValues(const PlatformColor& color);

// A colour in the same space with one of hue, saturation or brightness replaced.
PlatformColor withHue(const PlatformColor& color, double hue);
PlatformColor withSaturation(const PlatformColor& color, double saturation);
PlatformColor withBrightness(const PlatformColor& color, double brightness);

// OKLab / OKLCH of the colour's red, green and blue read as linear sRGB.
// Nothing is converted here: convert to extended linear sRGB first.
RawLABValues linearsRGBToOKLAB(const PlatformColor& color);
RawLCHValues linearSRGBtoOKLCH(const PlatformColor& color);

// Every Display P3 colour, and sRGB / extended sRGB colours with a component
// outside 0..1.
bool isWideColor(const PlatformColor& color);
// Whether showing the colour in sRGB would lose anything.
bool wouldClipInSRGB(const PlatformColor& color);
// 0.2126 R + 0.7152 G + 0.0722 B of the gamma-encoded components (sRGB for
// colours outside the RGB spaces); 0 when the colour cannot be converted.
double luminance(const PlatformColor& color);

// Pushes each RGB component away from 0.5 (values above 0.5 towards 1.15,
// the rest towards -0.15); unclamped.
PlatformColor increaseContrast(const PlatformColor& color, double amount);
// The same on OKLCH lightness, returned in the colour's own space.
PlatformColor increaseContrastLCH(const PlatformColor& color, double amount);

// Component-wise interpolation in the receiver's space. With
// convertColorSpaceIfNeeded, colours outside the RGB spaces are first
// converted to extended sRGB. Absent when a conversion fails.
std::optional<PlatformColor> lerpColor(const PlatformColor& color, const PlatformColor& other,
                                       double fraction, bool convertColorSpaceIfNeeded);
// The colour laid over an opaque view of `background`.
PlatformColor compositedColor(const PlatformColor& color, const PlatformColor& background);
// Both in the same RGB space and every RGBA component closer than precision.
bool isEffectivelyEqual(const PlatformColor& color, const PlatformColor& other, double precision);

}  // namespace mcu
