#include "MerrinColorUtils/RawValues.h"

#include <cmath>
#include <numbers>

#include "MerrinColorUtils/platform/PlatformColor.h"

namespace mcu {

namespace {

using std::numbers::pi;

struct Triple {
  double x;
  double y;
  double z;
};

// Signed cube root through pow, so that extended-range (negative) linear
// components map to negative cone responses instead of NaN.
double signedCubeRoot(double x) {
  return x >= 0.0 ? std::pow(x, 1.0 / 3.0) : -std::pow(-x, 1.0 / 3.0);
}

// OKLab from linear sRGB with the published OKLab matrices: linear sRGB to
// cone responses (l, m, s), their cube roots, then to (L, a, b).
Triple oklabFromLinearSRGB(double r, double g, double b) {
  const double l = 0.4122214708 * r + 0.5363325363 * g + 0.0514459929 * b;
  const double m = 0.2119034982 * r + 0.6806995451 * g + 0.1073969566 * b;
  const double s = 0.0883024619 * r + 0.2817188376 * g + 0.6299787005 * b;
  const double l1 = signedCubeRoot(l);
  const double m1 = signedCubeRoot(m);
  const double s1 = signedCubeRoot(s);
  return {0.2104542553 * l1 + 0.7936177850 * m1 - 0.0040720468 * s1,
          1.9779984951 * l1 - 2.4285922050 * m1 + 0.4505937099 * s1,
          0.0259040371 * l1 + 0.7827717662 * m1 - 0.8086757660 * s1};
}

// The inverse: (L, a, b) to cube-rooted cone responses, cubed, to linear sRGB.
Triple linearSRGBFromOKLab(double L, double a, double b) {
  const double l1 = L + 0.3963377774 * a + 0.2158037573 * b;
  const double m1 = L - 0.1055613458 * a - 0.0638541728 * b;
  const double s1 = L - 0.0894841775 * a - 1.2914855480 * b;
  const double l = l1 * l1 * l1;
  const double m = m1 * m1 * m1;
  const double s = s1 * s1 * s1;
  return {4.0767416621 * l - 3.3077115913 * m + 0.2309699292 * s,
          -1.2684380046 * l + 2.6097574011 * m - 0.3413193965 * s,
          -0.0041960863 * l - 0.7034186147 * m + 1.7076147010 * s};
}

// NaN counts as 0 so that a broken fraction picks the start, not garbage.
double clampFraction(double t) {
  if (!(t > 0.0)) return 0.0;
  return t > 1.0 ? 1.0 : t;
}

double lerp(double from, double to, double t) {
  return from + (to - from) * t;
}

constexpr double kGreyChroma = 1e-5;

}  // namespace

// ---- RawRGBValues

RawRGBValues::RawRGBValues(const PlatformColor& color)
    : red(color.redComponent()),
      green(color.greenComponent()),
      blue(color.blueComponent()),
      alpha(color.alphaComponent()) {}

RawRGBValues RawRGBValues::oklabToLinearsRGB() const {
  const Triple rgb = linearSRGBFromOKLab(red, green, blue);
  return {rgb.x, rgb.y, rgb.z, alpha};
}

RawRGBValues RawRGBValues::oklabToOKLCH() const {
  const double chroma = std::sqrt(green * green + blue * blue);
  double hue = std::fmod(std::trunc(std::atan2(blue, green) * 180.0 / pi), 360.0);
  if (hue < 0.0) hue += 360.0;
  // + 0.0 turns the -0 of small negative angles into 0.
  return {red, chroma, hue + 0.0, alpha};
}

RawRGBValues RawRGBValues::oklchToOKLAB() const {
  const double h = std::isnan(blue) ? 0.0 : blue * pi / 180.0;
  return {red, green * std::cos(h), green * std::sin(h), alpha};
}

RawRGBValues RawRGBValues::lerpColor(const RawRGBValues& other, double fraction) const {
  const double t = clampFraction(fraction);
  if (t == 0.0) return *this;
  if (t == 1.0) return other;
  return {lerp(red, other.red, t), lerp(green, other.green, t), lerp(blue, other.blue, t),
          lerp(alpha, other.alpha, t)};
}

// ---- RawLABValues

RawLABValues RawLABValues::fromLinearSRGB(double r, double g, double b, double alpha) {
  const Triple lab = oklabFromLinearSRGB(r, g, b);
  return {lab.x, lab.y, lab.z, alpha};
}

RawRGBValues RawLABValues::toLinearSRGB() const {
  const Triple rgb = linearSRGBFromOKLab(l, a, b);
  return {rgb.x, rgb.y, rgb.z, alpha};
}

double RawLABValues::hueInDegrees() const {
  const double degrees = std::atan2(b, a) * 180.0 / pi;
  return degrees < 0.0 ? degrees + 360.0 : degrees;
}

void RawLABValues::updateFromHue(double h) {
  a = std::cos(2.0 * pi * h);
  b = std::sin(2.0 * pi * h);
}

// ---- RawLCHValues

RawLCHValues RawLCHValues::withHueDegrees(double lightness, double chroma, double hueDegrees, double alpha) {
  return {lightness, chroma, hueDegrees * pi / 180.0, alpha};
}

RawLCHValues RawLCHValues::linearsRGBToOKLCH(double r, double g, double b, double alpha) {
  const Triple lab = oklabFromLinearSRGB(r, g, b);
  return {lab.x, std::sqrt(lab.y * lab.y + lab.z * lab.z), std::atan2(lab.z, lab.y), alpha};
}

RawRGBValues RawLCHValues::toLinearSRGB() const {
  const Triple rgb = linearSRGBFromOKLab(lightness, chroma * std::cos(hue), chroma * std::sin(hue));
  return {rgb.x, rgb.y, rgb.z, alpha};
}

double RawLCHValues::hueInDegrees() const {
  const double degrees = hue * 180.0 / pi;
  return degrees < 0.0 ? degrees + 360.0 : degrees;
}

RawLCHValues RawLCHValues::lerpColor(const RawLCHValues& other, double fraction) const {
  const double t = clampFraction(fraction);
  if (t == 0.0) return *this;
  if (t == 1.0) return other;
  // A grey has no meaningful hue: borrow the other end's so the ramp does not
  // swing through unrelated hues on its way out of (or into) grey.
  const double h0 = chroma <= kGreyChroma ? other.hue : hue;
  const double h1 = (other.chroma <= kGreyChroma && chroma > kGreyChroma) ? hue : other.hue;
  double d = h1 - h0;
  if (d > pi) {
    d -= 2.0 * pi;
  } else if (d < -pi) {
    d += 2.0 * pi;
  }
  return {lerp(lightness, other.lightness, t), lerp(chroma, other.chroma, t), h0 + t * d,
          lerp(alpha, other.alpha, t)};
}

}  // namespace mcu
