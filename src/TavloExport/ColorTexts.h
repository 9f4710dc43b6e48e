// Colour texts for exported files: the task's notation through the colour
// converter at four decimal places, and what to do with colours that sRGB
// cannot hold.
#pragma once

#include <optional>
#include <string>

#include "MerrinColorUtils/ColorFormat.h"
#include "MerrinColorUtils/platform/PlatformColor.h"
#include "TavloData/BuildGroup.h"

namespace tavlo::exports {

// The converter notation of a task format: cssHex -> htmlRGB, cssRGBA -> cssRGB ...
mcu::ColorFormat colorFormatFor(BuildExportFormat format);

// A colour seen from sRGB, from one conversion: whether it lies outside
// sRGB (a Display P3 colour beyond the sRGB gamut, or extended-sRGB
// components below 0 or above 1) and the colour in sRGB, clipped to 0...1.
struct SRGBFit {
  bool outside = false;
  mcu::PlatformColor clipped;
};
SRGBFit fitIntoSRGB(const mcu::PlatformColor& color);

// Whether the components of an RGB colour lie in 0...1, give or take what
// four decimal places cannot show.
bool inUnitRange(const mcu::PlatformColor& color);

bool isOutsideSRGB(const mcu::PlatformColor& color);

struct CssColorText {
  // The text in the task's notation. Notations that only hold sRGB (hex,
  // rgb()) get the colour converted into sRGB and clipped, unless the exact
  // text is asked for: then the exact colour as color(display-p3 ...) or
  // color(srgb ...) with its components unclipped.
  std::string text;
  // Whether the notation had to clip the colour.
  bool clipped = false;
};
// A colour for CSS, SCSS and LESS. The exact text is made only when asked
// for: most files never write it.
CssColorText cssColorText(const mcu::PlatformColor& color, BuildExportFormat format, bool exact = false);

// The exact colour as color(srgb ...) or color(display-p3 ...), four places.
std::string cssExactColor(const mcu::PlatformColor& color);

// The colour in sRGB, clipped to 0...1 (the colour itself when it is sRGB).
mcu::PlatformColor clippedSRGB(const mcu::PlatformColor& color);

// A number as the files write it: up to four decimal places, shortest form, "." always.
std::string numberText(double value);

}  // namespace tavlo::exports
