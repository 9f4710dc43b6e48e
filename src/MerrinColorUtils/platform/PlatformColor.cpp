#include "MerrinColorUtils/platform/PlatformColor.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <ostream>

namespace mcu {

namespace {

using Vec3 = std::array<double, 3>;
using Mat3 = std::array<Vec3, 3>;

constexpr Vec3 multiply(const Mat3& m, const Vec3& v) {
  return {m[0][0] * v[0] + m[0][1] * v[1] + m[0][2] * v[2], m[1][0] * v[0] + m[1][1] * v[1] + m[1][2] * v[2],
          m[2][0] * v[0] + m[2][1] * v[1] + m[2][2] * v[2]};
}

constexpr Mat3 multiply(const Mat3& a, const Mat3& b) {
  Mat3 r{};
  for (int i = 0; i < 3; ++i) {
    for (int j = 0; j < 3; ++j) r[i][j] = a[i][0] * b[0][j] + a[i][1] * b[1][j] + a[i][2] * b[2][j];
  }
  return r;
}

// Inverse by the adjugate; the matrices here are well conditioned.
constexpr Mat3 inverse(const Mat3& m) {
  const double c00 = m[1][1] * m[2][2] - m[1][2] * m[2][1];
  const double c01 = m[1][2] * m[2][0] - m[1][0] * m[2][2];
  const double c02 = m[1][0] * m[2][1] - m[1][1] * m[2][0];
  const double det = m[0][0] * c00 + m[0][1] * c01 + m[0][2] * c02;
  return {{{c00 / det, (m[0][2] * m[2][1] - m[0][1] * m[2][2]) / det,
            (m[0][1] * m[1][2] - m[0][2] * m[1][1]) / det},
           {c01 / det, (m[0][0] * m[2][2] - m[0][2] * m[2][0]) / det,
            (m[0][2] * m[1][0] - m[0][0] * m[1][2]) / det},
           {c02 / det, (m[0][1] * m[2][0] - m[0][0] * m[2][1]) / det,
            (m[0][0] * m[1][1] - m[0][1] * m[1][0]) / det}}};
}

struct Chromaticity {
  double x;
  double y;
};

constexpr Vec3 xyzOf(Chromaticity c) {
  return {c.x / c.y, 1.0, (1.0 - c.x - c.y) / c.y};
}

// The RGB → XYZ matrix of a space from its primaries and white point: the
// columns are the primaries' XYZ, each scaled so that RGB (1, 1, 1) lands on
// the white point with Y = 1.
constexpr Mat3 rgbToXYZ(Chromaticity r, Chromaticity g, Chromaticity b, Chromaticity white) {
  const Vec3 xr = xyzOf(r), xg = xyzOf(g), xb = xyzOf(b);
  const Mat3 primaries{{{xr[0], xg[0], xb[0]}, {xr[1], xg[1], xb[1]}, {xr[2], xg[2], xb[2]}}};
  const Vec3 scale = multiply(inverse(primaries), xyzOf(white));
  Mat3 m{};
  for (int i = 0; i < 3; ++i) {
    for (int j = 0; j < 3; ++j) m[i][j] = primaries[i][j] * scale[j];
  }
  return m;
}

// Every RGB space here shares the D65 white point, so converting between
// them needs no chromatic adaptation.
constexpr Chromaticity kD65{0.3127, 0.3290};
constexpr Mat3 kSRGBToXYZ = rgbToXYZ({0.64, 0.33}, {0.30, 0.60}, {0.15, 0.06}, kD65);
constexpr Mat3 kDisplayP3ToXYZ = rgbToXYZ({0.680, 0.320}, {0.265, 0.690}, {0.150, 0.060}, kD65);
constexpr Mat3 kAdobeRGBToXYZ = rgbToXYZ({0.64, 0.33}, {0.21, 0.71}, {0.15, 0.06}, kD65);
constexpr Mat3 kXYZToSRGB = inverse(kSRGBToXYZ);
constexpr Mat3 kDisplayP3ToSRGB = multiply(kXYZToSRGB, kDisplayP3ToXYZ);
constexpr Mat3 kSRGBToDisplayP3 = multiply(inverse(kDisplayP3ToXYZ), kSRGBToXYZ);
constexpr Mat3 kAdobeRGBToSRGB = multiply(kXYZToSRGB, kAdobeRGBToXYZ);
constexpr Mat3 kSRGBToAdobeRGB = multiply(inverse(kAdobeRGBToXYZ), kSRGBToXYZ);
// Relative luminance of linear sRGB: the Y row.
constexpr Vec3 kSRGBLuminance = kSRGBToXYZ[1];

// The sRGB transfer curve (also Display P3's). Negative values mirror the
// curve so that extended-range components keep their sign.
double decodeSRGB(double v) {
  const double a = std::fabs(v);
  const double linear = a <= 0.04045 ? a / 12.92 : std::pow((a + 0.055) / 1.055, 2.4);
  return std::copysign(linear, v);
}

double encodeSRGB(double v) {
  const double a = std::fabs(v);
  const double encoded = a <= 0.0031308 ? a * 12.92 : 1.055 * std::pow(a, 1.0 / 2.4) - 0.055;
  return std::copysign(encoded, v);
}

// Pure power curves, mirrored the same way.
double decodeGamma(double v, double gamma) {
  return std::copysign(std::pow(std::fabs(v), gamma), v);
}
double encodeGamma(double v, double gamma) {
  return std::copysign(std::pow(std::fabs(v), 1.0 / gamma), v);
}

constexpr double kAdobeRGBGamma = 563.0 / 256.0;
constexpr double kGreyGamma = 2.2;

enum class Encoding { srgbCurve, linear, adobe };

struct RGBSpaceMath {
  Encoding encoding;
  const Mat3* toSRGB;    // null for the sRGB primaries
  const Mat3* fromSRGB;  // null for the sRGB primaries
};

// Device and generic RGB have no profile of their own here: they are sRGB.
RGBSpaceMath rgbMath(PlatformColorSpaceName name) {
  switch (name) {
    case PlatformColorSpaceName::displayP3:
    case PlatformColorSpaceName::extendedDisplayP3:
      return {Encoding::srgbCurve, &kDisplayP3ToSRGB, &kSRGBToDisplayP3};
    case PlatformColorSpaceName::extendedLinearSRGB:
      return {Encoding::linear, nullptr, nullptr};
    case PlatformColorSpaceName::adobeRGB1998:
      return {Encoding::adobe, &kAdobeRGBToSRGB, &kSRGBToAdobeRGB};
    default:
      return {Encoding::srgbCurve, nullptr, nullptr};
  }
}

double decode(Encoding e, double v) {
  switch (e) {
    case Encoding::srgbCurve:
      return decodeSRGB(v);
    case Encoding::adobe:
      return decodeGamma(v, kAdobeRGBGamma);
    case Encoding::linear:
      break;
  }
  return v;
}

double encode(Encoding e, double v) {
  switch (e) {
    case Encoding::srgbCurve:
      return encodeSRGB(v);
    case Encoding::adobe:
      return encodeGamma(v, kAdobeRGBGamma);
    case Encoding::linear:
      break;
  }
  return v;
}

// Printer's colours have no profile here: the naive complement in sRGB.
Vec3 cmykToSRGB(double c, double m, double y, double k) {
  return {(1.0 - c) * (1.0 - k), (1.0 - m) * (1.0 - k), (1.0 - y) * (1.0 - k)};
}

std::array<double, 4> sRGBToCMYK(const Vec3& rgb) {
  const double k = 1.0 - std::max({rgb[0], rgb[1], rgb[2]});
  if (k >= 1.0) return {0.0, 0.0, 0.0, 1.0};
  return {(1.0 - rgb[0] - k) / (1.0 - k), (1.0 - rgb[1] - k) / (1.0 - k), (1.0 - rgb[2] - k) / (1.0 - k), k};
}

double clip(double v) {
  return std::clamp(v, 0.0, 1.0);
}

Vec3 toLinearSRGB(const PlatformColorSpace& space, std::span<const double> c) {
  switch (space.colorSpaceModel()) {
    case ColorSpaceModel::grey: {
      const double y = decodeGamma(c[0], kGreyGamma);
      return {y, y, y};
    }
    case ColorSpaceModel::cmyk: {
      const Vec3 rgb = cmykToSRGB(c[0], c[1], c[2], c[3]);
      return {decodeSRGB(rgb[0]), decodeSRGB(rgb[1]), decodeSRGB(rgb[2])};
    }
    case ColorSpaceModel::rgb:
      break;
  }
  const RGBSpaceMath math = rgbMath(space.name());
  const Vec3 linear{decode(math.encoding, c[0]), decode(math.encoding, c[1]), decode(math.encoding, c[2])};
  return math.toSRGB ? multiply(*math.toSRGB, linear) : linear;
}

// Components (without alpha) of linear sRGB in `space`, clipped to 0..1
// unless the space is extended.
std::array<double, 4> fromLinearSRGB(const PlatformColorSpace& space, const Vec3& linear) {
  const bool keepRange = space.isExtended();
  auto finish = [keepRange](double v) { return keepRange ? v : clip(v); };
  switch (space.colorSpaceModel()) {
    case ColorSpaceModel::grey: {
      const double y =
          kSRGBLuminance[0] * linear[0] + kSRGBLuminance[1] * linear[1] + kSRGBLuminance[2] * linear[2];
      return {finish(encodeGamma(y, kGreyGamma)), 0.0, 0.0, 0.0};
    }
    case ColorSpaceModel::cmyk:
      return sRGBToCMYK(
          {clip(encodeSRGB(linear[0])), clip(encodeSRGB(linear[1])), clip(encodeSRGB(linear[2]))});
    case ColorSpaceModel::rgb:
      break;
  }
  const RGBSpaceMath math = rgbMath(space.name());
  const Vec3 own = math.fromSRGB ? multiply(*math.fromSRGB, linear) : linear;
  return {finish(encode(math.encoding, own[0])), finish(encode(math.encoding, own[1])),
          finish(encode(math.encoding, own[2])), 0.0};
}

Vec3 hsbToRGB(double hue, double saturation, double brightness) {
  double h = hue - std::floor(hue);
  if (!(h < 1.0)) h = 0.0;  // 1.0 and NaN fold onto red
  const double h6 = h * 6.0;
  const double sector = std::floor(h6);
  const double f = h6 - sector;
  const double v = brightness;
  const double p = v * (1.0 - saturation);
  const double q = v * (1.0 - saturation * f);
  const double t = v * (1.0 - saturation * (1.0 - f));
  switch (static_cast<int>(sector)) {
    case 0:
      return {v, t, p};
    case 1:
      return {q, v, p};
    case 2:
      return {p, v, t};
    case 3:
      return {p, q, v};
    case 4:
      return {t, p, v};
    default:
      return {v, p, q};
  }
}

void appendNumber(std::string& out, double v) {
  char buffer[32];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, v);
  out.append(buffer, result.ptr);
}

}  // namespace

PlatformColor::PlatformColor() {
  components_[3] = 1.0;
}

PlatformColor PlatformColor::colorWithColorSpace(const PlatformColorSpace& space,
                                                 std::span<const double> components) {
  PlatformColor color;
  color.space_ = space;
  color.count_ = static_cast<std::size_t>(space.numberOfColorComponents()) + 1;
  color.components_.fill(0.0);
  const std::size_t given = std::min(components.size(), color.count_);
  std::copy_n(components.begin(), given, color.components_.begin());
  if (given < color.count_) color.components_[color.count_ - 1] = 1.0;
  return color;
}

PlatformColor PlatformColor::colorWithColorSpace(const PlatformColorSpace& space,
                                                 std::initializer_list<double> components) {
  return colorWithColorSpace(space, std::span<const double>(components.begin(), components.size()));
}

PlatformColor PlatformColor::colorWithSRGBRed(double red, double green, double blue, double alpha) {
  return colorWithColorSpace(PlatformColorSpace::sRGB(), {red, green, blue, alpha});
}

PlatformColor PlatformColor::colorWithDisplayP3Red(double red, double green, double blue, double alpha) {
  return colorWithColorSpace(PlatformColorSpace::displayP3(), {red, green, blue, alpha});
}

PlatformColor PlatformColor::colorWithRed(double red, double green, double blue, double alpha) {
  return colorWithSRGBRed(red, green, blue, alpha);
}

PlatformColor PlatformColor::colorWithWhite(const PlatformColorSpace& greySpace, double white, double alpha) {
  if (greySpace.colorSpaceModel() == ColorSpaceModel::grey)
    return colorWithColorSpace(greySpace, {white, alpha});
  const PlatformColor grey =
      colorWithColorSpace(PlatformColorSpace::extendedGenericGamma22Gray(), {white, alpha});
  return *grey.colorUsingColorSpace(greySpace);
}

PlatformColor PlatformColor::colorWithHue(const PlatformColorSpace& space, double hue, double saturation,
                                          double brightness, double alpha) {
  const Vec3 rgb = hsbToRGB(hue, saturation, brightness);
  if (space.colorSpaceModel() == ColorSpaceModel::rgb) {
    return colorWithColorSpace(space, {rgb[0], rgb[1], rgb[2], alpha});
  }
  return *colorWithSRGBRed(rgb[0], rgb[1], rgb[2], alpha).colorUsingColorSpace(space);
}

PlatformColor PlatformColor::colorWithDeviceHue(double hue, double saturation, double brightness,
                                                double alpha) {
  return colorWithHue(PlatformColorSpace::deviceRGB(), hue, saturation, brightness, alpha);
}

PlatformColor PlatformColor::sRGBWhite() {
  return colorWithSRGBRed(1.0, 1.0, 1.0, 1.0);
}
PlatformColor PlatformColor::sRGBBlack() {
  return colorWithSRGBRed(0.0, 0.0, 0.0, 1.0);
}
PlatformColor PlatformColor::sRGBClear() {
  return colorWithSRGBRed(0.0, 0.0, 0.0, 0.0);
}

std::optional<PlatformColor> PlatformColor::colorUsingColorSpace(const PlatformColorSpace& space) const {
  if (space == space_) return *this;
  const Vec3 linear = toLinearSRGB(space_, components());
  const std::array<double, 4> converted = fromLinearSRGB(space, linear);
  PlatformColor result;
  result.space_ = space;
  result.count_ = static_cast<std::size_t>(space.numberOfColorComponents()) + 1;
  result.components_.fill(0.0);
  std::copy_n(converted.begin(), result.count_ - 1, result.components_.begin());
  result.components_[result.count_ - 1] = alphaComponent();
  return result;
}

PlatformColor PlatformColor::colorWithAlphaComponent(double alpha) const {
  PlatformColor result = *this;
  result.components_[count_ - 1] = alpha;
  return result;
}

std::array<double, 3> PlatformColor::rgbInOwnModel() const {
  switch (space_.colorSpaceModel()) {
    case ColorSpaceModel::grey:
      return {components_[0], components_[0], components_[0]};
    case ColorSpaceModel::cmyk:
      return cmykToSRGB(components_[0], components_[1], components_[2], components_[3]);
    case ColorSpaceModel::rgb:
      break;
  }
  return {components_[0], components_[1], components_[2]};
}

double PlatformColor::redComponent() const {
  return rgbInOwnModel()[0];
}
double PlatformColor::greenComponent() const {
  return rgbInOwnModel()[1];
}
double PlatformColor::blueComponent() const {
  return rgbInOwnModel()[2];
}

double PlatformColor::whiteComponent() const {
  if (space_.colorSpaceModel() == ColorSpaceModel::grey) return components_[0];
  return colorUsingColorSpace(PlatformColorSpace::extendedGenericGamma22Gray())->components_[0];
}

double PlatformColor::cyanComponent() const {
  if (space_.colorSpaceModel() == ColorSpaceModel::cmyk) return components_[0];
  return sRGBToCMYK(rgbInOwnModel())[0];
}

double PlatformColor::magentaComponent() const {
  if (space_.colorSpaceModel() == ColorSpaceModel::cmyk) return components_[1];
  return sRGBToCMYK(rgbInOwnModel())[1];
}

double PlatformColor::yellowComponent() const {
  if (space_.colorSpaceModel() == ColorSpaceModel::cmyk) return components_[2];
  return sRGBToCMYK(rgbInOwnModel())[2];
}

double PlatformColor::blackComponent() const {
  if (space_.colorSpaceModel() == ColorSpaceModel::cmyk) return components_[3];
  return sRGBToCMYK(rgbInOwnModel())[3];
}

double PlatformColor::hueComponent() const {
  const auto [r, g, b] = rgbInOwnModel();
  const double max = std::max({r, g, b});
  const double delta = max - std::min({r, g, b});
  if (!(delta > 0.0)) return 0.0;
  double sixths;
  if (max == r) {
    sixths = (g - b) / delta;
    if (sixths < 0.0) sixths += 6.0;
  } else if (max == g) {
    sixths = (b - r) / delta + 2.0;
  } else {
    sixths = (r - g) / delta + 4.0;
  }
  const double hue = sixths / 6.0;
  return hue >= 1.0 ? hue - 1.0 : hue;
}

double PlatformColor::saturationComponent() const {
  const auto [r, g, b] = rgbInOwnModel();
  const double max = std::max({r, g, b});
  if (!(max > 0.0)) return 0.0;
  return (max - std::min({r, g, b})) / max;
}

double PlatformColor::brightnessComponent() const {
  const auto [r, g, b] = rgbInOwnModel();
  return std::max({r, g, b});
}

std::string PlatformColor::description() const {
  std::string out(space_.displayName());
  out += " (";
  for (std::size_t i = 0; i < count_; ++i) {
    if (i) out += ", ";
    appendNumber(out, components_[i]);
  }
  out += ')';
  return out;
}

std::ostream& operator<<(std::ostream& out, const PlatformColor& color) {
  return out << color.description();
}

}  // namespace mcu
