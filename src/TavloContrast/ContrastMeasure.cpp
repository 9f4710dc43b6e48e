#include "TavloContrast/ContrastMeasure.h"

#include <algorithm>
#include <cmath>

#include "MerrinColorUtils/platform/PlatformColorSpace.h"

namespace tavlo::contrast {

namespace {

double finiteOrZero(double v) {
  return std::isfinite(v) ? v : 0.0;
}

// NaN fails the first test and becomes 0; +infinity is capped.
double keptLuminance(double y) {
  return y >= 0.0 ? std::min(y, kMaxLuminance) : 0.0;
}

// The sRGB transfer curve, encoded to linear, on |v| with the sign kept.
// WCAG 2 states the knee as 0.03928, a rounding of the curve's own 0.04045;
// no 8-bit value lies between the two.
double linearFromEncoded(double v) {
  const double a = std::abs(v);
  const double linear = a <= 0.04045 ? a / 12.92 : std::pow((a + 0.055) / 1.055, 2.4);
  return std::copysign(linear, v);
}

double signedPower(double v, double exponent) {
  return std::copysign(std::pow(std::abs(v), exponent), v);
}

// APCA-W3 0.0.98G-4g constants.
constexpr double kBlackThreshold = 0.022;
constexpr double kBlackClamp = 1.414;
constexpr double kNormalBackground = 0.56;  // dark text on a light background
constexpr double kNormalText = 0.57;
constexpr double kReverseBackground = 0.65;  // light text on a dark background
constexpr double kReverseText = 0.62;
constexpr double kScale = 1.14;
constexpr double kOffset = 0.027;
constexpr double kLowClip = 0.1;
constexpr double kDeltaYMin = 0.0005;

// Lifts near-black luminances along a soft curve, as the flare of a real
// screen does.
double softClamped(double y) {
  return y > kBlackThreshold ? y : y + std::pow(kBlackThreshold - y, kBlackClamp);
}

}  // namespace

MeasuredColor measuredColor(const mcu::PlatformColor& color) {
  // sRGB components are extended sRGB components as they are.
  const bool isSRGB = color.colorSpace() == mcu::PlatformColorSpace::sRGB();
  const auto extended =
      isSRGB ? std::nullopt : color.colorUsingColorSpace(mcu::PlatformColorSpace::extendedSRGB());
  const mcu::PlatformColor& c = extended ? *extended : color;
  const double alpha = c.alphaComponent();
  return {finiteOrZero(c.redComponent()), finiteOrZero(c.greenComponent()), finiteOrZero(c.blueComponent()),
          std::isnan(alpha) ? 1.0 : std::clamp(alpha, 0.0, 1.0)};
}

MeasuredColor composite(const MeasuredColor& top, const MeasuredColor& below) {
  const double a = top.alpha;
  return {top.red * a + below.red * (1 - a), top.green * a + below.green * (1 - a),
          top.blue * a + below.blue * (1 - a), below.alpha};
}

double wcagLuminance(const MeasuredColor& c) {
  return keptLuminance(0.2126 * linearFromEncoded(c.red) + 0.7152 * linearFromEncoded(c.green) +
                       0.0722 * linearFromEncoded(c.blue));
}

double wcagContrastRatio(double luminanceA, double luminanceB) {
  return (std::max(luminanceA, luminanceB) + 0.05) / (std::min(luminanceA, luminanceB) + 0.05);
}

double apcaLuminance(const MeasuredColor& c) {
  return keptLuminance(0.2126729 * signedPower(c.red, 2.4) + 0.7151522 * signedPower(c.green, 2.4) +
                       0.0721750 * signedPower(c.blue, 2.4));
}

ApcaTerms apcaTerms(double luminance) {
  const double y = softClamped(luminance);
  return {y, std::pow(y, kNormalBackground), std::pow(y, kNormalText), std::pow(y, kReverseBackground),
          std::pow(y, kReverseText)};
}

double apcaContrast(const ApcaTerms& text, const ApcaTerms& background) {
  if (std::abs(background.clamped - text.clamped) < kDeltaYMin) return 0.0;
  if (background.clamped > text.clamped) {
    const double sapc = (background.asNormalBackground - text.asNormalText) * kScale;
    return sapc < kLowClip ? 0.0 : (sapc - kOffset) * 100.0;
  }
  const double sapc = (background.asReverseBackground - text.asReverseText) * kScale;
  return sapc > -kLowClip ? 0.0 : (sapc + kOffset) * 100.0;
}

double apcaContrast(double textLuminance, double backgroundLuminance) {
  return apcaContrast(apcaTerms(textLuminance), apcaTerms(backgroundLuminance));
}

}  // namespace tavlo::contrast
