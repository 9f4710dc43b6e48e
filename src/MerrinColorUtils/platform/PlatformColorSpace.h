#pragma once

#include <string_view>

namespace mcu {

// The colour model of a space decides which components a colour in it has.
enum class ColorSpaceModel { rgb, grey, cmyk };

// Every named space the toolkit knows. Only sRGB, Display P3, their extended
// variants and extended linear sRGB are worked in; the others exist so that
// colours arriving in them can be recognised and still converted sensibly.
enum class PlatformColorSpaceName {
  sRGB,
  extendedSRGB,
  displayP3,
  extendedDisplayP3,
  extendedLinearSRGB,
  adobeRGB1998,
  deviceRGB,
  genericRGB,
  deviceGray,
  genericGray,
  genericGamma22Gray,
  extendedGenericGamma22Gray,
  deviceCMYK,
  genericCMYK,
};

// A short English name of the space, for messages and test output.
std::string_view displayName(PlatformColorSpaceName name);

// A named colour space. Two spaces are equal exactly when they are the same
// named space. Cheap to copy.
class PlatformColorSpace {
 public:
  // sRGB is the space of every default-made colour.
  constexpr PlatformColorSpace() = default;
  constexpr explicit PlatformColorSpace(PlatformColorSpaceName name) : name_(name) {}

  static constexpr PlatformColorSpace sRGB() { return PlatformColorSpace(PlatformColorSpaceName::sRGB); }
  static constexpr PlatformColorSpace extendedSRGB() {
    return PlatformColorSpace(PlatformColorSpaceName::extendedSRGB);
  }
  static constexpr PlatformColorSpace displayP3() {
    return PlatformColorSpace(PlatformColorSpaceName::displayP3);
  }
  static constexpr PlatformColorSpace extendedDisplayP3() {
    return PlatformColorSpace(PlatformColorSpaceName::extendedDisplayP3);
  }
  // The linear working space of the OKLab maths: sRGB primaries, no transfer curve.
  static constexpr PlatformColorSpace extendedLinearSRGB() {
    return PlatformColorSpace(PlatformColorSpaceName::extendedLinearSRGB);
  }
  static constexpr PlatformColorSpace adobeRGB1998() {
    return PlatformColorSpace(PlatformColorSpaceName::adobeRGB1998);
  }
  static constexpr PlatformColorSpace deviceRGB() {
    return PlatformColorSpace(PlatformColorSpaceName::deviceRGB);
  }
  static constexpr PlatformColorSpace genericRGB() {
    return PlatformColorSpace(PlatformColorSpaceName::genericRGB);
  }
  static constexpr PlatformColorSpace deviceGray() {
    return PlatformColorSpace(PlatformColorSpaceName::deviceGray);
  }
  static constexpr PlatformColorSpace genericGray() {
    return PlatformColorSpace(PlatformColorSpaceName::genericGray);
  }
  static constexpr PlatformColorSpace genericGamma22Gray() {
    return PlatformColorSpace(PlatformColorSpaceName::genericGamma22Gray);
  }
  static constexpr PlatformColorSpace extendedGenericGamma22Gray() {
    return PlatformColorSpace(PlatformColorSpaceName::extendedGenericGamma22Gray);
  }
  static constexpr PlatformColorSpace deviceCMYK() {
    return PlatformColorSpace(PlatformColorSpaceName::deviceCMYK);
  }
  static constexpr PlatformColorSpace genericCMYK() {
    return PlatformColorSpace(PlatformColorSpaceName::genericCMYK);
  }

  constexpr PlatformColorSpaceName name() const { return name_; }
  ColorSpaceModel colorSpaceModel() const;
  // Colour components without alpha: 3 for RGB, 1 for grey, 4 for CMYK.
  int numberOfColorComponents() const;
  // Extended spaces keep components below 0 and above 1 when colours are
  // converted into them; the others clip to 0..1.
  bool isExtended() const;
  std::string_view displayName() const { return mcu::displayName(name_); }

  friend constexpr bool operator==(PlatformColorSpace, PlatformColorSpace) = default;

 private:
  PlatformColorSpaceName name_ = PlatformColorSpaceName::sRGB;
};

}  // namespace mcu
