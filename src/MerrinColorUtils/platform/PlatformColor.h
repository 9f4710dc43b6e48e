#pragma once

#include <array>
#include <cstddef>
#include <initializer_list>
#include <iosfwd>
#include <optional>
#include <span>
#include <string>

#include "MerrinColorUtils/platform/PlatformColorSpace.h"

namespace mcu {

// An immutable colour: a named colour space plus 64-bit components (red,
// green, blue and alpha in RGB spaces; white and alpha in grey spaces; cyan,
// magenta, yellow, black and alpha in CMYK spaces).
//
// Making a colour never clamps: extended-range components are stored and read
// back unchanged. Only a conversion into a space that is not extended clips.
class PlatformColor {
 public:
  static constexpr std::size_t maxComponents = 5;

  // Opaque black in sRGB.
  PlatformColor();

  // A colour in `space` from its components in that space's order, alpha last.
  // Missing colour components read as 0 and a missing alpha as 1; extra
  // values are ignored.
  static PlatformColor colorWithColorSpace(const PlatformColorSpace& space,
                                           std::span<const double> components);
  static PlatformColor colorWithColorSpace(const PlatformColorSpace& space,
                                           std::initializer_list<double> components);

  static PlatformColor colorWithSRGBRed(double red, double green, double blue, double alpha);
  static PlatformColor colorWithDisplayP3Red(double red, double green, double blue, double alpha);
  // The default RGB space is sRGB.
  static PlatformColor colorWithRed(double red, double green, double blue, double alpha);
  static PlatformColor colorWithWhite(const PlatformColorSpace& greySpace, double white, double alpha);

  // A colour from hue, saturation and brightness (each 0..1, hue in turns)
  // interpreted in `space`; non-RGB spaces receive the sRGB colour of those
  // values, converted.
  static PlatformColor colorWithHue(const PlatformColorSpace& space, double hue, double saturation,
                                    double brightness, double alpha);
  // Device RGB is treated as sRGB.
  static PlatformColor colorWithDeviceHue(double hue, double saturation, double brightness, double alpha);

  // Fixed colours, made in sRGB.
  static PlatformColor sRGBWhite();
  static PlatformColor sRGBBlack();
  static PlatformColor sRGBClear();

  // The same colour in `space`, through extended linear sRGB. Returns the
  // colour unchanged when it is already in `space`. Absent when the colour
  // cannot be expressed there.
  std::optional<PlatformColor> colorUsingColorSpace(const PlatformColorSpace& space) const;

  PlatformColor colorWithAlphaComponent(double alpha) const;

  const PlatformColorSpace& colorSpace() const { return space_; }
  // All components in the space's order, alpha last.
  std::span<const double> components() const { return {components_.data(), count_}; }
  std::size_t numberOfComponents() const { return count_; }

  // Components in the colour's own space. Reading an RGB component of a grey
  // colour gives its white; reading a component of another model gives the
  // value of the sRGB (or naive CMYK) equivalent.
  double redComponent() const;
  double greenComponent() const;
  double blueComponent() const;
  double alphaComponent() const { return components_[count_ - 1]; }
  double whiteComponent() const;
  double cyanComponent() const;
  double magentaComponent() const;
  double yellowComponent() const;
  double blackComponent() const;
  // Hue (in turns, 0..1), saturation and brightness of the RGB components in
  // the colour's own space.
  double hueComponent() const;
  double saturationComponent() const;
  double brightnessComponent() const;

  // Same space and exactly equal components.
  friend bool operator==(const PlatformColor&, const PlatformColor&) = default;

  // For messages and test output, e.g. "Display P3 (1, 0, 0, 1)".
  std::string description() const;

 private:
  PlatformColorSpace space_;
  std::array<double, maxComponents> components_{};
  std::size_t count_ = 4;

  std::array<double, 3> rgbInOwnModel() const;
};

std::ostream& operator<<(std::ostream& out, const PlatformColor& color);

}  // namespace mcu
