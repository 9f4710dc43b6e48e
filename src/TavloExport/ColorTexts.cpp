#include "TavloExport/ColorTexts.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>

#include "MerrinColorUtils/ColorConverter.h"
#include "MerrinColorUtils/Numeric.h"
#include "TavloData/MerrinColorItem.h"

namespace tavlo::exports {

namespace {

// Components this close to the edge of sRGB print the same at four places,
// so a Display P3 colour that round-trips through sRGB with noise is not
// reported as wide.
constexpr double kGamutTolerance = 1e-5;

mcu::ColorConverterOptions exportOptions() {
  mcu::ColorConverterOptions options;
  options.roundedTo = 4;
  return options;
}

std::string convert(const mcu::PlatformColor& color, mcu::ColorFormat format, mcu::ColorSpace space) {
  return mcu::ColorConverter::convertColorToString(color, format, space, exportOptions())
      .colorString.value_or(std::string());
}

}  // namespace

mcu::ColorFormat colorFormatFor(BuildExportFormat format) {
  switch (format) {
    case BuildExportFormat::cssHex:
      return mcu::ColorFormat::htmlRGB;
    case BuildExportFormat::cssRGBA:
      return mcu::ColorFormat::cssRGB;
    case BuildExportFormat::cssColor:
      return mcu::ColorFormat::cssColor;
    case BuildExportFormat::cssOKLCH:
      return mcu::ColorFormat::cssOKLCH;
  }
  return mcu::ColorFormat::htmlRGB;
}

bool inUnitRange(const mcu::PlatformColor& color) {
  for (double component : {color.redComponent(), color.greenComponent(), color.blueComponent()})
    if (!(component >= -kGamutTolerance && component <= 1 + kGamutTolerance)) return false;
  return true;
}

SRGBFit fitIntoSRGB(const mcu::PlatformColor& color) {
  const auto& space = color.colorSpace();
  if (space == mcu::PlatformColorSpace::sRGB()) return {false, color};
  // sRGB is extended sRGB clipped, so one conversion answers both.
  const mcu::PlatformColor extended =
      space == mcu::PlatformColorSpace::extendedSRGB()
          ? color
          : *color.colorUsingColorSpace(mcu::PlatformColorSpace::extendedSRGB());
  auto clip = [](double c) { return std::clamp(c, 0.0, 1.0); };
  return {!inUnitRange(extended),
          mcu::PlatformColor::colorWithSRGBRed(clip(extended.redComponent()), clip(extended.greenComponent()),
                                               clip(extended.blueComponent()), color.alphaComponent())};
}

bool isOutsideSRGB(const mcu::PlatformColor& color) {
  return fitIntoSRGB(color).outside;
}

mcu::PlatformColor clippedSRGB(const mcu::PlatformColor& color) {
  return fitIntoSRGB(color).clipped;
}

std::string cssExactColor(const mcu::PlatformColor& color) {
  mcu::ColorSpace space = workingColorSpaceFor(color.colorSpace());
  return convert(color, mcu::ColorFormat::cssColor, space);
}

CssColorText cssColorText(const mcu::PlatformColor& color, BuildExportFormat format, bool exact) {
  const mcu::ColorFormat notation = colorFormatFor(format);
  if (format == BuildExportFormat::cssColor) return {cssExactColor(color), false};
  if (format == BuildExportFormat::cssOKLCH)
    return {convert(color, notation, workingColorSpaceFor(color.colorSpace())), false};
  // Hex and rgb() are sRGB notations: anything else is written in sRGB,
  // clipped when it has to be.
  const SRGBFit fit = fitIntoSRGB(color);
  if (fit.outside && exact) return {cssExactColor(color), true};
  CssColorText result{convert(fit.clipped, notation, mcu::ColorSpace::sRGB), fit.outside};
  // "rgb(R, G, B / A)" mixes the comma and the slash forms, which style-sheet
  // parsers refuse; the comma form with alpha is rgba().
  if (const auto slash = result.text.find(" / ");
      slash != std::string::npos && result.text.starts_with("rgb("))
    result.text = "rgba(" + result.text.substr(4, slash - 4) + ", " + result.text.substr(slash + 3);
  return result;
}

namespace {

// The shortest text of K / 10^4 for |K| < 10^15, as std::to_chars writes the
// double nearest to it: a decimal of at most fifteen digits is the only one
// of its length that reads back as that double, so the digits of K, less
// their trailing zeros, are the shortest; to_chars then takes the shorter
// of the plain and the exponent form, the plain one on a tie. Files write
// tens of thousands of numbers, and this is several times cheaper than
// finding the shortest digits of an arbitrary double.
std::string tenThousandthsText(long long k) {
  if (k == 0) return "0";
  const bool negative = k < 0;
  unsigned long long magnitude = negative ? 0ULL - static_cast<unsigned long long>(k) : k;
  char digits[20];
  int length = 0;
  for (unsigned long long rest = magnitude; rest > 0; rest /= 10) digits[length++] = '0' + rest % 10;
  std::reverse(digits, digits + length);
  int significant = length;
  while (digits[significant - 1] == '0') --significant;
  constexpr int kPlaces = 4;
  const int whole = length - kPlaces;  // digits before the point, when positive
  const int plainLength =
      whole > 0 ? whole + (significant > whole ? 1 + significant - whole : 0) : 2 - whole + significant;
  // The exponent lies between -4 and 14: always two digits.
  const int scientificLength = significant + (significant > 1 ? 1 : 0) + 4;

  char text[48];
  char* at = text;
  if (negative) *at++ = '-';
  if (scientificLength < plainLength) {
    *at++ = digits[0];
    if (significant > 1) {
      *at++ = '.';
      at = std::copy(digits + 1, digits + significant, at);
    }
    const int exponent = length - 1 - kPlaces;
    *at++ = 'e';
    *at++ = exponent < 0 ? '-' : '+';
    *at++ = static_cast<char>('0' + std::abs(exponent) / 10);
    *at++ = static_cast<char>('0' + std::abs(exponent) % 10);
  } else if (whole > 0) {
    at = std::copy(digits, digits + whole, at);
    if (significant > whole) {
      *at++ = '.';
      at = std::copy(digits + whole, digits + significant, at);
    }
  } else {
    *at++ = '0';
    *at++ = '.';
    at = std::fill_n(at, -whole, '0');
    at = std::copy(digits, digits + significant, at);
  }
  return std::string(text, at);
}

}  // namespace

std::string numberText(double value) {
  if (!std::isfinite(value)) return "0";
  const double scaled = std::round(value * 1e4);
  if (std::fabs(scaled) < 1e15) return tenThousandthsText(static_cast<long long>(scaled));
  value = mcu::roundTo(value, 4);
  char buffer[64];
  const auto written = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, written.ptr);
}

}  // namespace tavlo::exports
