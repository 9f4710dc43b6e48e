#pragma once

#include <array>

namespace mcu {

class PlatformColor;

// Four components of one colour. Usually red, green, blue and alpha; the
// OKLab/OKLCH getters below read and write (L, a, b) or (L, C, hue in degrees)
// in the red, green and blue slots.
struct RawRGBValues {
  double red = 0.0;
  double green = 0.0;
  double blue = 0.0;
  double alpha = 1.0;

  RawRGBValues() = default;
  RawRGBValues(double red, double green, double blue, double alpha)
      : red(red), green(green), blue(blue), alpha(alpha) {}
  // The colour's red, green, blue and alpha components as they are; no conversion.
  explicit RawRGBValues(const PlatformColor& color);

  std::array<double, 4> components() const { return {red, green, blue, alpha}; }

  // Reads (L, a, b) and gives linear sRGB; no clamping.
  RawRGBValues oklabToLinearsRGB() const;
  // Reads (L, a, b) and gives (L, C, hue) with the hue a whole number of
  // degrees in 0..359 (the angle is truncated toward zero).
  RawRGBValues oklabToOKLCH() const;
  // Reads (L, C, hue in degrees; NaN hue counts as 0) and gives (L, a, b).
  RawRGBValues oklchToOKLAB() const;

  // Component-wise interpolation; the fraction is clamped to 0..1.
  RawRGBValues lerpColor(const RawRGBValues& other, double fraction) const;

  friend bool operator==(const RawRGBValues&, const RawRGBValues&) = default;
};

struct RawLABValues {
  double l = 0.0;
  double a = 0.0;
  double b = 0.0;
  double alpha = 1.0;

  RawLABValues() = default;
  RawLABValues(double l, double a, double b, double alpha) : l(l), a(a), b(b), alpha(alpha) {}

  // OKLab of linear sRGB components (any real values); alpha passed through.
  static RawLABValues fromLinearSRGB(double r, double g, double b, double alpha);

  RawRGBValues toLinearSRGB() const;
  // atan2(b, a) in degrees, in 0..360.
  double hueInDegrees() const;
  // Sets a unit-chroma (a, b) at hue h (in turns); l and alpha stay.
  void updateFromHue(double h);

  friend bool operator==(const RawLABValues&, const RawLABValues&) = default;
};

struct RawLCHValues {
  double lightness = 0.0;
  double chroma = 0.0;
  double hue = 0.0;  // radians
  double alpha = 1.0;

  RawLCHValues() = default;
  RawLCHValues(double lightness, double chroma, double hueRadians, double alpha)
      : lightness(lightness), chroma(chroma), hue(hueRadians), alpha(alpha) {}
  static RawLCHValues withHueRadians(double lightness, double chroma, double hueRadians, double alpha) {
    return {lightness, chroma, hueRadians, alpha};
  }
  static RawLCHValues withHueDegrees(double lightness, double chroma, double hueDegrees, double alpha);

  // OKLCH of linear sRGB components; the hue is atan2(b, a) in (-π, π].
  static RawLCHValues linearsRGBToOKLCH(double r, double g, double b, double alpha);

  RawRGBValues toLinearSRGB() const;
  // The hue in degrees, raised by 360 when negative.
  double hueInDegrees() const;

  // Lightness, chroma and alpha move linearly; the hue takes the short way
  // round and follows the chromatic end when the other end is grey
  // (chroma ≤ 1e-5). The fraction is clamped to 0..1. The resulting hue is
  // not renormalised.
  RawLCHValues lerpColor(const RawLCHValues& other, double fraction) const;

  friend bool operator==(const RawLCHValues&, const RawLCHValues&) = default;
};

}  // namespace mcu
