#include "MerrinColorUtils/ColorConverter.h"

#include "MerrinColorUtils/ColorOperations.h"
#include "MerrinColorUtils/Numeric.h"
#include "MerrinColorUtils/RawValues.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace mcu {

std::string ColorConverterOptions::addPrefixIfNeeded(std::string text, ColorSpace colorSpace) const {
  if (colorSpace == ColorSpace::displayP3 && p3Prefix) return *p3Prefix + text;
  return text;
}

std::string ColorConverterOptions::addClipSuffix(std::string text) const {
  if (suffixWhenClipped) text += *suffixWhenClipped;
  return text;
}

namespace {

// Builds one colour text. Numbers are written like printf's "%g" (six
// significant digits, trailing zeros dropped) but always with "." as the
// decimal point, whatever the locale, and a tiny negative value rounded to
// zero is written "0", not "-0".
class Text {
 public:
  Text() { text_.reserve(64); }

  Text& operator<<(std::string_view piece) {
    text_.append(piece);
    return *this;
  }
  Text& operator<<(char c) {
    text_.push_back(c);
    return *this;
  }
  Text& g(double value) {
    if (value == 0.0) value = 0.0;
    char buffer[32];
    auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 6);
    text_.append(buffer, ec == std::errc() ? end : buffer);
    return *this;
  }
  // printf's "%u" of a number already rounded to a whole value.
  Text& u(double value) {
    char buffer[24];
    unsigned long whole = value > 0.0 ? static_cast<unsigned long>(std::min(value, 4294967295.0)) : 0;
    auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, whole);
    text_.append(buffer, ec == std::errc() ? end : buffer);
    return *this;
  }
  // printf's "%02X" of a component byte.
  Text& hex(int byte) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    text_.push_back(kDigits[(byte >> 4) & 0xF]);
    text_.push_back(kDigits[byte & 0xF]);
    return *this;
  }

  std::string take() { return std::move(text_); }

 private:
  std::string text_;
};

// Far beyond what any caller asks for, and small enough that 10^places stays finite.
int decimalPlaces(std::int64_t roundedTo) {
  return static_cast<int>(std::clamp<std::int64_t>(roundedTo, -20, 20));
}

// round(v × 255) held to one byte; NaN becomes 0.
int hexByte(double component) {
  double scaled = std::round(component * 255.0);
  if (std::isnan(scaled)) return 0;
  return static_cast<int>(std::clamp(scaled, 0.0, 255.0));
}

struct Rgba {
  double red, green, blue, alpha;
};

Rgba rgbaOf(const PlatformColor& color) {
  return {color.redComponent(), color.greenComponent(), color.blueComponent(), color.alphaComponent()};
}

Rgba hsbaOf(const PlatformColor& color) {
  return {color.hueComponent(), color.saturationComponent(), color.brightnessComponent(),
          color.alphaComponent()};
}

// A clipped colour is written in sRGB; when even that conversion fails it is
// written as it is.
PlatformColor clippedIntoSRGB(const PlatformColor& color) {
  return toSRGBColorSpace(color).value_or(color);
}

ColorConverterResult hexText(const PlatformColor& color, ColorFormat format, ColorSpace colorSpace,
                             const ColorConverterOptions& options) {
  PlatformColor source = color;
  bool clipped = false;
  // Display P3 values are written as P3 bytes behind the prefix and never clipped.
  if (colorSpace != ColorSpace::displayP3 && wouldClipInSRGB(color)) {
    source = clippedIntoSRGB(color);
    clipped = true;
  }
  Rgba c = rgbaOf(source);
  int r = hexByte(c.red), g = hexByte(c.green), b = hexByte(c.blue), a = hexByte(c.alpha);
  Text text;
  switch (format) {
    case ColorFormat::htmlRGB:
      text << '#';
      text.hex(r).hex(g).hex(b);
      if (c.alpha < 1.0) text.hex(a);
      break;
    case ColorFormat::hexARGB:
      text << "0x";
      text.hex(a).hex(r).hex(g).hex(b);
      break;
    case ColorFormat::hexRGBA:
      text << "0x";
      text.hex(r).hex(g).hex(b).hex(a);
      break;
    default:
      text << "0x";
      text.hex(r).hex(g).hex(b);
      break;
  }
  std::string result = options.addPrefixIfNeeded(text.take(), colorSpace);
  if (clipped) result = options.addClipSuffix(std::move(result));
  return {std::move(result), clipped};
}

// cssRGB and cssColor: rgb() with 0-255 values, or color(srgb|display-p3 ...)
// with 0-1 values. Wide colours are clipped into sRGB for rgb(), for the sRGB
// space and on request; otherwise color() keeps the extended values.
ColorConverterResult cssRGBText(const PlatformColor& color, ColorFormat format, ColorSpace colorSpace,
                                const ColorConverterOptions& options) {
  int places = decimalPlaces(options.roundedTo);
  bool rgbFunction =
      format == ColorFormat::cssRGB && (options.forceClip || colorSpace != ColorSpace::displayP3);
  bool clipped =
      wouldClipInSRGB(color) && (colorSpace == ColorSpace::sRGB || options.forceClip || rgbFunction);
  Rgba c = rgbaOf(clipped ? clippedIntoSRGB(color) : color);
  Text text;
  if (rgbFunction) {
    auto byte = [&](double v) { return roundTo(std::round(v * 255.0), places); };
    text << "rgb(";
    text.g(byte(c.red)) << ", ";
    text.g(byte(c.green)) << ", ";
    text.g(byte(c.blue));
  } else {
    text << (colorSpace == ColorSpace::displayP3 ? "color(display-p3 " : "color(srgb ");
    text.g(roundTo(c.red, places)) << ' ';
    text.g(roundTo(c.green, places)) << ' ';
    text.g(roundTo(c.blue, places));
  }
  if (c.alpha < 1.0) {
    text << " / ";
    text.g(roundTo(c.alpha, places));
  }
  text << ')';
  std::string result = text.take();
  if (clipped) result = options.addClipSuffix(std::move(result));
  return {std::move(result), clipped};
}

// hsl() from the colour's hue, with saturation and lightness derived from its
// HSB saturation and brightness, so that the text is a valid CSS colour.
ColorConverterResult cssHSLText(const PlatformColor& color, ColorSpace colorSpace,
                                const ColorConverterOptions& options) {
  Rgba hsb = hsbaOf(color);
  double lightness = hsb.blue * (1.0 - hsb.green / 2.0);
  double saturation = (lightness <= 0.0 || lightness >= 1.0)
                          ? 0.0
                          : (hsb.blue - lightness) / std::min(lightness, 1.0 - lightness);
  Text text;
  text << "hsl(";
  text.u(std::round(hsb.red * 360.0)) << ' ';
  text.u(std::round(saturation * 100.0)) << "% ";
  text.u(std::round(lightness * 100.0)) << '%';
  if (hsb.alpha < 1.0) {
    text << " / ";
    text.g(roundTo(hsb.alpha, decimalPlaces(options.roundedTo)));
  }
  text << ')';
  return {options.addPrefixIfNeeded(text.take(), colorSpace), false};
}

ColorConverterResult cssOKLabText(const PlatformColor& color, const ColorConverterOptions& options) {
  auto linear = color.colorUsingColorSpace(PlatformColorSpace::extendedLinearSRGB());
  if (!linear) return {};
  int places = decimalPlaces(options.roundedTo);
  RawLABValues lab = linearsRGBToOKLAB(*linear);
  double alpha = roundTo(lab.alpha, places);
  Text text;
  text << "oklab(";
  text.g(roundTo(lab.l, places) * 100.0) << "% ";
  text.g(roundTo(lab.a, places)) << ' ';
  text.g(roundTo(lab.b, places));
  if (alpha != 1.0) {
    text << " / ";
    text.g(alpha);
  }
  text << ')';
  return {text.take(), false};
}

// Lightness and hue to one decimal whatever roundedTo says: finer steps are
// invisible, and chroma is the only axis that needs the precision.
ColorConverterResult cssOKLCHText(const PlatformColor& color, const ColorConverterOptions& options) {
  auto linear = color.colorUsingColorSpace(PlatformColorSpace::extendedLinearSRGB());
  if (!linear) return {};
  int places = decimalPlaces(options.roundedTo);
  RawLCHValues lch = linearSRGBtoOKLCH(*linear);
  double alpha = roundTo(lch.alpha, places);
  Text text;
  text << "oklch(";
  text.g(std::round(lch.lightness * 100.0 * 10.0) / 10.0) << "% ";
  text.g(roundTo(lch.chroma, places)) << ' ';
  text.g(std::round(lch.hueInDegrees() * 10.0) / 10.0);
  if (alpha != 1.0) {
    text << " / ";
    text.g(alpha);
  }
  text << ')';
  return {text.take(), false};
}

// "Type(label: v, label: v, label: v, last: v)" with every value rounded.
std::string initialiserText(std::string_view head, const std::array<std::string_view, 4>& labels,
                            const Rgba& values, int places) {
  const std::array<double, 4> v{values.red, values.green, values.blue, values.alpha};
  Text text;
  text << head;
  for (std::size_t i = 0; i < 4; ++i) {
    if (i > 0) text << ", ";
    text << labels[i] << ": ";
    text.g(roundTo(v[i], places));
  }
  text << ')';
  return text.take();
}

}  // namespace

namespace ColorConverter {

ColorConverterResult convertColorToString(const PlatformColor& color, ColorFormat format,
                                          ColorSpace colorSpace, const ColorConverterOptions& options) {
  const int places = decimalPlaces(options.roundedTo);
  const bool p3 = colorSpace == ColorSpace::displayP3;
  const bool okSpace = colorSpace == ColorSpace::oklab || colorSpace == ColorSpace::oklch;
  static constexpr std::array<std::string_view, 4> kRGBA{"red", "green", "blue", "alpha"};
  static constexpr std::array<std::string_view, 4> kHSBA{"hue", "saturation", "brightness", "alpha"};
  static constexpr std::array<std::string_view, 4> kRGBO{"red", "green", "blue", "opacity"};
  static constexpr std::array<std::string_view, 4> kHSBO{"hue", "saturation", "brightness", "opacity"};

  switch (format) {
    case ColorFormat::floatRGBA:
    case ColorFormat::floatHSVA: {
      Rgba c = format == ColorFormat::floatRGBA ? rgbaOf(color) : hsbaOf(color);
      Text text;
      text.g(roundTo(c.red, places)) << ' ';
      text.g(roundTo(c.green, places)) << ' ';
      text.g(roundTo(c.blue, places)) << ' ';
      text.g(roundTo(c.alpha, places));
      return {options.addPrefixIfNeeded(text.take(), colorSpace), false};
    }
    case ColorFormat::htmlRGB:
    case ColorFormat::hexRGB:
    case ColorFormat::hexARGB:
    case ColorFormat::hexRGBA:
      return hexText(color, format, colorSpace, options);
    case ColorFormat::cssRGB:
    case ColorFormat::cssColor:
      return cssRGBText(color, format, colorSpace, options);
    case ColorFormat::cssHSL:
      return cssHSLText(color, colorSpace, options);
    case ColorFormat::cssOKLAB:
      return cssOKLabText(color, options);
    case ColorFormat::cssOKLCH:
      return cssOKLCHText(color, options);
    case ColorFormat::swiftUIColorRGBA: {
      std::array<std::string_view, 4> labels = kRGBA;
      if (p3) labels[0] = "displayP3Red";
      return {initialiserText("UIColor(", labels, rgbaOf(color), places), false};
    }
    case ColorFormat::swiftUIColorHSBA:
      return {initialiserText("UIColor(", kHSBA, hsbaOf(color), places), false};
    case ColorFormat::swiftNSColorRGBA: {
      if (okSpace) return {};
      std::array<std::string_view, 4> labels = kRGBA;
      if (p3) labels[0] = "displayP3Red";
      return {initialiserText("NSColor(", labels, rgbaOf(color), places), false};
    }
    case ColorFormat::swiftNSColorHSBA: {
      if (okSpace) return {};
      std::string_view head = colorSpace == ColorSpace::sRGBExtended ? "NSColor(colorSpace: .extendedSRGB, "
                              : p3                                   ? "NSColor(colorSpace: .displayP3, "
                                                                     : "NSColor(";
      return {initialiserText(head, kHSBA, hsbaOf(color), places), false};
    }
    case ColorFormat::swiftColorRGBA:
      return {initialiserText(p3 ? "Color(.displayP3, " : "Color(", kRGBO, rgbaOf(color), places), false};
    case ColorFormat::swiftColorHSBA:
      return {initialiserText("Color(", kHSBO, hsbaOf(color), places), false};
  }
  return {};
}

ConvertedColor convertStringToColor(std::string_view string, ColorFormat format, ColorSpace colorSpace,
                                    bool convertColorSpaceIfNeeded) {
  if (convertColorSpaceIfNeeded) {
    bool mentionsP3 = false;
    for (std::size_t i = 0; i + 1 < string.size() && !mentionsP3; ++i) {
      mentionsP3 = (string[i] == 'p' || string[i] == 'P') && string[i + 1] == '3';
    }
    if (mentionsP3) {
      colorSpace = ColorSpace::displayP3;
    } else if (colorSpace == ColorSpace::displayP3) {
      colorSpace = ColorSpace::sRGB;
    }
  }
  ConvertedColor converted;
  converted.detectedColorSpace = colorSpace;
  if (auto color = parseColor(format, string, colorSpace)) {
    converted.color = std::move(color);
    converted.detectedFormat = format;
    return converted;
  }
  for (ColorFormat candidate : orderedFormats()) {
    if (candidate == format) continue;
    if (auto color = parseColor(candidate, string, colorSpace)) {
      converted.color = std::move(color);
      converted.detectedFormat = candidate;
      return converted;
    }
  }
  return converted;
}

}  // namespace ColorConverter

}  // namespace mcu
