#pragma once

#include <optional>

#include "MerrinColorUtils/ColorSpace.h"
#include "MerrinColorUtils/RawValues.h"
#include "MerrinColorUtils/platform/PlatformColor.h"

namespace mcu {

// A colour kept in exactly one working space: RGB components for the three
// RGB spaces, an OKLab record for oklab, an OKLCH record for oklch. Readers
// pick the record by colorSpace(); a colour made with a record that does not
// match its space has no usable record (alpha 0, equal to nothing).
class MCUColor {
 public:
  // Opaque sRGB white.
  MCUColor();
  static MCUColor sRGBWhite();
  static MCUColor sRGBBlack();

  MCUColor(const RawRGBValues& rgbValues, ColorSpace colorSpace);
  explicit MCUColor(const RawLABValues& labValues);
  explicit MCUColor(const RawLCHValues& lchValues);
  // The platform colour expressed in desiredColorSpace (RGB components in the
  // matching platform space, or OKLab/OKLCH of its extended linear sRGB).
  MCUColor(const PlatformColor& nsColor, ColorSpace desiredColorSpace);

  ColorSpace colorSpace() const { return colorSpace_; }
  const std::optional<RawRGBValues>& rgbValues() const { return rgbValues_; }
  const std::optional<RawLABValues>& labValues() const { return labValues_; }
  const std::optional<RawLCHValues>& lchValues() const { return lchValues_; }

  // RGB spaces give a colour in their platform space; OKLab and OKLCH give a
  // Display P3 colour (clipped to its gamut). A colour without its record
  // gives sRGB clear.
  PlatformColor asNSColor() const;

  double alpha() const;
  // In turns, 0..1.
  double hue() const;
  double saturation() const;
  double brightness() const;

  MCUColor withAlpha(double alpha) const;
  // h in turns. OKLab colours get unit chroma at that hue.
  MCUColor withHue(double h) const;
  // The colour in `target`; itself when already there; absent when the
  // platform conversion fails.
  std::optional<MCUColor> usingColorSpace(ColorSpace target) const;

  // Same space, matching record present in both, all four values exactly equal.
  friend bool operator==(const MCUColor& lhs, const MCUColor& rhs);
  // Same space, both records present, each value differing by less than precision.
  bool isEffectivelyEqual(const MCUColor& other, double precision) const;

 private:
  ColorSpace colorSpace_ = ColorSpace::sRGB;
  std::optional<RawRGBValues> rgbValues_;
  std::optional<RawLABValues> labValues_;
  std::optional<RawLCHValues> lchValues_;

  // The record matching colorSpace_ as four values, absent when missing.
  std::optional<std::array<double, 4>> matchingRecord() const;
};

}  // namespace mcu
