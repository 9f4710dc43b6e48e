#include "MerrinColorUtils/ColorFormat.h"

#include "MerrinColorUtils/Localized.h"
#include "MerrinColorUtils/Numeric.h"
#include "MerrinColorUtils/RawValues.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace mcu {

namespace {

constexpr unsigned spaceBit(ColorSpace space) {
  return 1u << static_cast<unsigned>(space);
}
constexpr unsigned kS = spaceBit(ColorSpace::sRGB);
constexpr unsigned kE = spaceBit(ColorSpace::sRGBExtended);
constexpr unsigned kP = spaceBit(ColorSpace::displayP3);
constexpr unsigned kLab = spaceBit(ColorSpace::oklab);
constexpr unsigned kLch = spaceBit(ColorSpace::oklch);

struct FormatRow {
  ColorFormat format;
  std::string_view caseName;
  std::string_view title;
  unsigned spaces;
};

// One row per format, in raw order.
constexpr std::array<FormatRow, 17> kFormats{{
    {ColorFormat::floatRGBA, "floatRGBA", "Float RGBA", kS | kE | kP},
    {ColorFormat::floatHSVA, "floatHSVA", "Float HSVA", kS | kP},
    {ColorFormat::htmlRGB, "htmlRGB", "CSS Hex RGB", kS | kP},
    {ColorFormat::cssRGB, "cssRGB", "CSS rgb()", kS},
    {ColorFormat::cssColor, "cssColor", "CSS color()", kS | kP},
    {ColorFormat::cssHSL, "cssHSL", "CSS hsl()", kS},
    {ColorFormat::cssOKLAB, "cssOKLAB", "CSS oklab()", kE | kP | kLab},
    {ColorFormat::cssOKLCH, "cssOKLCH", "CSS oklch()", kE | kP | kLch},
    {ColorFormat::hexRGB, "hexRGB", "Hex RGB", kS | kP},
    {ColorFormat::hexARGB, "hexARGB", "Hex ARGB", kS | kP},
    {ColorFormat::hexRGBA, "hexRGBA", "Hex RGBA", kS | kP},
    {ColorFormat::swiftUIColorRGBA, "swiftUIColorRGBA", "Swift UIColor RGBA", kS | kE | kP},
    {ColorFormat::swiftUIColorHSBA, "swiftUIColorHSBA", "Swift UIColor HSBA", kS},
    {ColorFormat::swiftNSColorRGBA, "swiftNSColorRGBA", "Swift NSColor RGBA", kS | kE | kP},
    {ColorFormat::swiftNSColorHSBA, "swiftNSColorHSBA", "Swift NSColor HSBA", kS | kE | kP},
    {ColorFormat::swiftColorRGBA, "swiftColorRGBA", "SwiftUI Color RGBA", kS | kE | kP},
    {ColorFormat::swiftColorHSBA, "swiftColorHSBA", "SwiftUI Color HSBA", kS},
}};

const FormatRow& row(ColorFormat format) {
  return kFormats[static_cast<std::size_t>(format)];
}

// ---------------------------------------------------------------------------
// Scanning

bool isSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v';
}
bool isDigit(char c) {
  return c >= '0' && c <= '9';
}
bool isIdentifierStart(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_';
}
bool isIdentifierChar(char c) {
  return isIdentifierStart(c) || isDigit(c);
}
char asciiLower(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (asciiLower(a[i]) != asciiLower(b[i])) return false;
  }
  return true;
}

std::string_view trimmed(std::string_view text) {
  while (!text.empty() && isSpace(text.front())) text.remove_prefix(1);
  while (!text.empty() && isSpace(text.back())) text.remove_suffix(1);
  return text;
}

// A forward-only reader over one notation. Every token reader skips the white
// space in front of it, so the notations tolerate spaces anywhere between tokens.
class Scanner {
 public:
  explicit Scanner(std::string_view text) : text_(text) {}

  bool atEnd() {
    skipSpaces();
    return pos_ == text_.size();
  }
  bool peek(char c) {
    skipSpaces();
    return pos_ < text_.size() && text_[pos_] == c;
  }
  bool consume(char c) {
    if (!peek(c)) return false;
    ++pos_;
    return true;
  }
  // A word that must not run on into a longer identifier.
  bool consumeWord(std::string_view word, bool ignoreCase) {
    skipSpaces();
    std::string_view rest = text_.substr(pos_);
    if (rest.size() < word.size()) return false;
    std::string_view head = rest.substr(0, word.size());
    if (ignoreCase ? !equalsIgnoringCase(head, word) : head != word) return false;
    if (rest.size() > word.size() && isIdentifierChar(rest[word.size()])) return false;
    pos_ += word.size();
    return true;
  }
  // Text that must follow the previous token without white space, like a unit.
  bool consumeAttached(std::string_view text) {
    if (!equalsIgnoringCase(text_.substr(pos_, text.size()), text)) return false;
    pos_ += text.size();
    return true;
  }
  std::string_view identifier() {
    skipSpaces();
    std::size_t start = pos_;
    if (pos_ < text_.size() && isIdentifierStart(text_[pos_])) {
      while (pos_ < text_.size() && (isIdentifierChar(text_[pos_]) || text_[pos_] == '-')) ++pos_;
    }
    return text_.substr(start, pos_ - start);
  }
  // A decimal number: optional sign, digits with an optional fraction, an
  // optional exponent. No infinities, no NaN, no hexadecimal floats.
  std::optional<double> number() {
    skipSpaces();
    std::size_t start = pos_;
    std::size_t i = pos_;
    if (i < text_.size() && (text_[i] == '+' || text_[i] == '-')) ++i;
    std::size_t digits = 0;
    while (i < text_.size() && isDigit(text_[i])) ++i, ++digits;
    if (i < text_.size() && text_[i] == '.') {
      ++i;
      while (i < text_.size() && isDigit(text_[i])) ++i, ++digits;
    }
    if (digits == 0) return std::nullopt;
    if (i < text_.size() && (text_[i] == 'e' || text_[i] == 'E')) {
      std::size_t j = i + 1;
      if (j < text_.size() && (text_[j] == '+' || text_[j] == '-')) ++j;
      if (j < text_.size() && isDigit(text_[j])) {
        while (j < text_.size() && isDigit(text_[j])) ++j;
        i = j;
      }
    }
    // from_chars takes no leading '+'.
    std::size_t from = text_[start] == '+' ? start + 1 : start;
    double value = 0;
    auto [end, ec] = std::from_chars(text_.data() + from, text_.data() + i, value);
    if (ec != std::errc() || end != text_.data() + i || !std::isfinite(value)) return std::nullopt;
    pos_ = i;
    return value;
  }

 private:
  void skipSpaces() {
    while (pos_ < text_.size() && isSpace(text_[pos_])) ++pos_;
  }

  std::string_view text_;
  std::size_t pos_ = 0;
};

// ---------------------------------------------------------------------------
// What surrounds a notation

struct PreparedText {
  std::string_view body;
  bool markedP3 = false;
};

// Strips what people paste around a value: a "p3:" marker (as written in front
// of Display P3 values), a CSS custom property declaration ("--brand: #F80;")
// and the closing semicolon.
PreparedText prepare(std::string_view text) {
  PreparedText prepared;
  text = trimmed(text);
  auto stripP3Marker = [&] {
    if (text.size() >= 2 && equalsIgnoringCase(text.substr(0, 2), "p3")) {
      std::string_view rest = trimmed(text.substr(2));
      if (!rest.empty() && rest.front() == ':') {
        prepared.markedP3 = true;
        text = trimmed(rest.substr(1));
      }
    }
  };
  stripP3Marker();
  if (text.starts_with("--")) {
    std::size_t i = 2;
    while (i < text.size() &&
           (isIdentifierChar(text[i]) || text[i] == '-' || static_cast<unsigned char>(text[i]) >= 0x80)) {
      ++i;
    }
    std::string_view rest = trimmed(text.substr(i));
    if (i > 2 && !rest.empty() && rest.front() == ':') text = trimmed(rest.substr(1));
  }
  stripP3Marker();
  if (!text.empty() && text.back() == ';') text = trimmed(text.substr(0, text.size() - 1));
  prepared.body = text;
  return prepared;
}

// ---------------------------------------------------------------------------
// Making the colour

// The space the numbers of an RGB or HSB notation are read in: the one the
// text names, else the requested one; an OKLab or OKLCH request reads plain
// RGB texts as sRGB, as CSS does.
ColorSpace rgbSpace(std::optional<ColorSpace> named, ColorSpace requested) {
  if (named) return *named;
  return isRGB(requested) ? requested : ColorSpace::sRGB;
}

double clampAlpha(double alpha) {
  return clamp(alpha, ColorSpace::sRGB);
}

PlatformColor makeRGB(ColorSpace space, double red, double green, double blue, double alpha) {
  red = clamp(red, space);
  green = clamp(green, space);
  blue = clamp(blue, space);
  alpha = clampAlpha(alpha);
  switch (space) {
    case ColorSpace::displayP3:
      return PlatformColor::colorWithDisplayP3Red(red, green, blue, alpha);
    case ColorSpace::sRGBExtended:
      return PlatformColor::colorWithColorSpace(PlatformColorSpace::extendedSRGB(),
                                                {red, green, blue, alpha});
    default:
      return PlatformColor::colorWithSRGBRed(red, green, blue, alpha);
  }
}

double wrapTurns(double hue) {
  return (hue < 0.0 || hue > 1.0) ? hue - std::floor(hue) : hue;
}

PlatformColor makeHSB(ColorSpace space, double hue, double saturation, double brightness, double alpha) {
  return PlatformColor::colorWithHue(toNSColorSpace(space), wrapTurns(hue), clamp(saturation, space),
                                     clamp(brightness, space), clampAlpha(alpha));
}

// OKLab and OKLCH texts come in through extended linear sRGB and leave in the
// platform space of the named or requested working space (Display P3 for the
// OKLab and OKLCH spaces).
std::optional<PlatformColor> makeFromLinear(const RawRGBValues& linear, std::optional<ColorSpace> named,
                                            ColorSpace requested) {
  PlatformColor color =
      PlatformColor::colorWithColorSpace(PlatformColorSpace::extendedLinearSRGB(),
                                         {linear.red, linear.green, linear.blue, clampAlpha(linear.alpha)});
  return color.colorUsingColorSpace(toNSColorSpace(named.value_or(requested)));
}

// ---------------------------------------------------------------------------
// CSS functions

struct CssNumber {
  double value = 0;
  bool percent = false;
};

std::optional<CssNumber> cssNumber(Scanner& scanner) {
  auto value = scanner.number();
  if (!value) return std::nullopt;
  CssNumber number{*value, false};
  if (scanner.consumeAttached("%")) {
    number.percent = true;
  } else {
    scanner.consumeAttached("deg");
  }
  return number;
}

struct CssArguments {
  std::array<CssNumber, 3> channels;
  std::optional<CssNumber> alpha;
};

// After the opening parenthesis: three numbers separated by commas or spaces,
// then an optional alpha after "/" or a comma, then ")".
std::optional<CssArguments> cssArguments(Scanner& scanner) {
  CssArguments arguments;
  for (std::size_t i = 0; i < 3; ++i) {
    if (i > 0) scanner.consume(',');
    auto number = cssNumber(scanner);
    if (!number) return std::nullopt;
    arguments.channels[i] = *number;
  }
  if (scanner.consume('/') || scanner.consume(',')) {
    arguments.alpha = cssNumber(scanner);
    if (!arguments.alpha) return std::nullopt;
  }
  if (!scanner.consume(')') || !scanner.atEnd()) return std::nullopt;
  return arguments;
}

// "name(" or "namea(" (rgba, hsla), case-insensitive.
bool cssFunctionStart(Scanner& scanner, std::string_view name, bool allowAlphaSpelling) {
  if (!scanner.consumeWord(name, true)) {
    if (!allowAlphaSpelling || !scanner.consumeWord(std::string(name) + "a", true)) return false;
  }
  return scanner.consume('(');
}

double cssAlpha(const CssArguments& arguments) {
  if (!arguments.alpha) return 1.0;
  return arguments.alpha->percent ? arguments.alpha->value / 100.0 : arguments.alpha->value;
}

// Whole numbers 0-255, or percentages.
std::optional<PlatformColor> parseCssRGBFunction(std::string_view body, ColorSpace space) {
  Scanner scanner(body);
  if (!cssFunctionStart(scanner, "rgb", true)) return std::nullopt;
  auto arguments = cssArguments(scanner);
  if (!arguments) return std::nullopt;
  std::array<double, 3> rgb{};
  for (std::size_t i = 0; i < 3; ++i) {
    const CssNumber& n = arguments->channels[i];
    rgb[i] = n.percent ? n.value / 100.0 : n.value / 255.0;
  }
  return makeRGB(space, rgb[0], rgb[1], rgb[2], cssAlpha(*arguments));
}

// color(srgb r g b [/ a]) and color(display-p3 r g b [/ a]).
std::optional<PlatformColor> parseCssColorFunction(std::string_view body, std::optional<ColorSpace> named,
                                                   ColorSpace requested) {
  Scanner scanner(body);
  if (!cssFunctionStart(scanner, "color", false)) return std::nullopt;
  std::string_view cssSpace = scanner.identifier();
  ColorSpace space;
  if (equalsIgnoringCase(cssSpace, "display-p3")) {
    space = ColorSpace::displayP3;
  } else if (equalsIgnoringCase(cssSpace, "srgb")) {
    // color(srgb ...) is also how extended sRGB values are written.
    space = requested == ColorSpace::sRGBExtended ? ColorSpace::sRGBExtended : ColorSpace::sRGB;
  } else {
    return std::nullopt;
  }
  if (named) space = *named;
  auto arguments = cssArguments(scanner);
  if (!arguments) return std::nullopt;
  std::array<double, 3> rgb{};
  for (std::size_t i = 0; i < 3; ++i) {
    const CssNumber& n = arguments->channels[i];
    rgb[i] = n.percent ? n.value / 100.0 : n.value;
  }
  return makeRGB(space, rgb[0], rgb[1], rgb[2], cssAlpha(*arguments));
}

// hsl(h s% l% [/ a]); saturation and lightness are percentages with or
// without the sign.
std::optional<PlatformColor> parseCssHSL(std::string_view body, ColorSpace space) {
  Scanner scanner(body);
  if (!cssFunctionStart(scanner, "hsl", true)) return std::nullopt;
  auto arguments = cssArguments(scanner);
  if (!arguments) return std::nullopt;
  if (arguments->channels[0].percent) return std::nullopt;
  double hue = arguments->channels[0].value / 360.0;
  double saturation = std::clamp(arguments->channels[1].value / 100.0, 0.0, 1.0);
  double lightness = std::clamp(arguments->channels[2].value / 100.0, 0.0, 1.0);
  // HSL to HSB: the same hue, brightness is the top of the range.
  double brightness = lightness + saturation * std::min(lightness, 1.0 - lightness);
  double hsbSaturation = brightness == 0.0 ? 0.0 : 2.0 * (1.0 - lightness / brightness);
  return makeHSB(space, hue, hsbSaturation, brightness, cssAlpha(*arguments));
}

// A percentage of the reference range CSS gives the OKLab and OKLCH axes.
double cssAxis(const CssNumber& n, double hundredPercent) {
  return n.percent ? n.value / 100.0 * hundredPercent : n.value;
}

std::optional<PlatformColor> parseCssOKLab(std::string_view body, std::optional<ColorSpace> named,
                                           ColorSpace requested) {
  Scanner scanner(body);
  if (!cssFunctionStart(scanner, "oklab", false)) return std::nullopt;
  auto arguments = cssArguments(scanner);
  if (!arguments) return std::nullopt;
  RawLABValues lab(cssAxis(arguments->channels[0], 1.0), cssAxis(arguments->channels[1], 0.4),
                   cssAxis(arguments->channels[2], 0.4), cssAlpha(*arguments));
  return makeFromLinear(lab.toLinearSRGB(), named, requested);
}

std::optional<PlatformColor> parseCssOKLCH(std::string_view body, std::optional<ColorSpace> named,
                                           ColorSpace requested) {
  Scanner scanner(body);
  if (!cssFunctionStart(scanner, "oklch", false)) return std::nullopt;
  auto arguments = cssArguments(scanner);
  if (!arguments || arguments->channels[2].percent) return std::nullopt;
  RawLCHValues lch =
      RawLCHValues::withHueDegrees(cssAxis(arguments->channels[0], 1.0), cssAxis(arguments->channels[1], 0.4),
                                   arguments->channels[2].value, cssAlpha(*arguments));
  return makeFromLinear(lch.toLinearSRGB(), named, requested);
}

// ---------------------------------------------------------------------------
// Initialiser texts of the platform colour APIs

struct InitialiserArguments {
  std::optional<ColorSpace> space;
  std::vector<std::pair<std::string_view, double>> labelled;
};

std::optional<ColorSpace> swiftSpace(std::string_view name) {
  if (name == "sRGB") return ColorSpace::sRGB;
  if (name == "extendedSRGB") return ColorSpace::sRGBExtended;
  if (name == "displayP3") return ColorSpace::displayP3;
  return std::nullopt;
}

// TypeName(.space, label: number, ...) or TypeName(colorSpace: .space, label: number, ...).
std::optional<InitialiserArguments> initialiserArguments(std::string_view body, std::string_view typeName) {
  Scanner scanner(body);
  if (!scanner.consumeWord(typeName, false) || !scanner.consume('(')) return std::nullopt;
  InitialiserArguments arguments;
  for (bool first = true; !scanner.consume(')'); first = false) {
    if (!first && !scanner.consume(',')) return std::nullopt;
    std::string_view label;
    if (!scanner.peek('.')) {
      label = scanner.identifier();
      if (label.empty() || !scanner.consume(':')) return std::nullopt;
    }
    if (label.empty() || label == "colorSpace") {
      if (!scanner.consume('.') || arguments.space) return std::nullopt;
      arguments.space = swiftSpace(scanner.identifier());
      if (!arguments.space) return std::nullopt;
      continue;
    }
    auto value = scanner.number();
    if (!value) return std::nullopt;
    arguments.labelled.emplace_back(label, *value);
  }
  if (!scanner.atEnd()) return std::nullopt;
  return arguments;
}

// Fills `slots` from the labels; `labels[i]` lists the spellings of slot i.
// The last slot (alpha or opacity) may be missing and then reads as 1. Every
// label must be known and appear once.
bool fillSlots(const InitialiserArguments& arguments,
               const std::array<std::array<std::string_view, 2>, 4>& labels, std::array<double, 4>& slots,
               std::size_t& firstLabelSpelling) {
  std::array<bool, 4> seen{};
  slots[3] = 1.0;
  firstLabelSpelling = 0;
  for (const auto& [label, value] : arguments.labelled) {
    bool known = false;
    for (std::size_t slot = 0; slot < 4 && !known; ++slot) {
      for (std::size_t spelling = 0; spelling < 2; ++spelling) {
        if (!labels[slot][spelling].empty() && label == labels[slot][spelling]) {
          if (seen[slot]) return false;
          seen[slot] = true;
          slots[slot] = value;
          if (slot == 0) firstLabelSpelling = spelling;
          known = true;
          break;
        }
      }
    }
    if (!known) return false;
  }
  return seen[0] && seen[1] && seen[2];
}

std::optional<PlatformColor> parseInitialiserRGBA(std::string_view body, std::string_view typeName,
                                                  std::optional<ColorSpace> named, ColorSpace requested) {
  auto arguments = initialiserArguments(body, typeName);
  if (!arguments) return std::nullopt;
  static constexpr std::array<std::array<std::string_view, 2>, 4> kLabels{{
      {"red", "displayP3Red"},
      {"green", ""},
      {"blue", ""},
      {"alpha", "opacity"},
  }};
  std::array<double, 4> v{};
  std::size_t redSpelling = 0;
  if (!fillSlots(*arguments, kLabels, v, redSpelling)) return std::nullopt;
  if (redSpelling == 1) named = ColorSpace::displayP3;
  if (arguments->space) named = arguments->space;
  return makeRGB(rgbSpace(named, requested), v[0], v[1], v[2], v[3]);
}

std::optional<PlatformColor> parseInitialiserHSBA(std::string_view body, std::string_view typeName,
                                                  std::optional<ColorSpace> named, ColorSpace requested) {
  auto arguments = initialiserArguments(body, typeName);
  if (!arguments) return std::nullopt;
  static constexpr std::array<std::array<std::string_view, 2>, 4> kLabels{{
      {"hue", ""},
      {"saturation", ""},
      {"brightness", ""},
      {"alpha", "opacity"},
  }};
  std::array<double, 4> v{};
  std::size_t unused = 0;
  if (!fillSlots(*arguments, kLabels, v, unused)) return std::nullopt;
  if (arguments->space) named = arguments->space;
  return makeHSB(rgbSpace(named, requested), v[0], v[1], v[2], v[3]);
}

// ---------------------------------------------------------------------------
// Hexadecimal and bare decimal lists

enum class HexLayout { rgb, argb, rgba, html };

std::optional<int> hexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return std::nullopt;
}

// The components in the order the digits give them, two digits or one digit
// (doubled) each.
std::optional<std::array<double, 4>> hexComponents(std::string_view digits, std::size_t count) {
  std::array<double, 4> values{};
  std::size_t width = digits.size() / count;
  for (std::size_t i = 0; i < count; ++i) {
    std::string_view piece = digits.substr(i * width, width);
    auto value = width == 2 ? twoCharHexToFloat(piece) : oneCharHexToFloat(piece);
    if (!value) return std::nullopt;
    values[i] = *value;
  }
  return values;
}

// hexRGB, hexARGB and hexRGBA take an optional "0x"; htmlRGB an optional "#".
// Each accepts its full length and the short form with one digit per component;
// htmlRGB also takes a single digit as a grey.
std::optional<PlatformColor> parseHex(std::string_view body, HexLayout layout,
                                      std::optional<ColorSpace> named, ColorSpace requested) {
  if (layout == HexLayout::html) {
    if (body.starts_with('#')) body.remove_prefix(1);
  } else if (body.size() >= 2 && body[0] == '0' && (body[1] == 'x' || body[1] == 'X')) {
    body.remove_prefix(2);
  }
  ColorSpace space = rgbSpace(named, requested);
  std::size_t n = body.size();
  if (layout == HexLayout::html && n == 1) {
    auto grey = oneCharGrayHexToFloat(body);
    if (!grey) return std::nullopt;
    return makeRGB(space, *grey, *grey, *grey, 1.0);
  }
  bool withAlpha = false;
  switch (layout) {
    case HexLayout::rgb:
      if (n != 6 && n != 3) return std::nullopt;
      withAlpha = false;
      break;
    case HexLayout::argb:
    case HexLayout::rgba:
      if (n != 8 && n != 4) return std::nullopt;
      withAlpha = true;
      break;
    case HexLayout::html:
      if (n != 6 && n != 3 && n != 8 && n != 4) return std::nullopt;
      withAlpha = n == 8 || n == 4;
      break;
  }
  auto v = hexComponents(body, withAlpha ? 4 : 3);
  if (!v) return std::nullopt;
  if (!withAlpha) return makeRGB(space, (*v)[0], (*v)[1], (*v)[2], 1.0);
  if (layout == HexLayout::argb) return makeRGB(space, (*v)[1], (*v)[2], (*v)[3], (*v)[0]);
  return makeRGB(space, (*v)[0], (*v)[1], (*v)[2], (*v)[3]);
}

// Three or four numbers separated by commas or spaces; alpha defaults to 1.
std::optional<std::array<double, 4>> decimalList(std::string_view body) {
  Scanner scanner(body);
  std::array<double, 4> values{0, 0, 0, 1};
  std::size_t count = 0;
  while (!scanner.atEnd()) {
    if (count > 0) scanner.consume(',');
    auto value = scanner.number();
    if (!value || count == 4) return std::nullopt;
    values[count++] = *value;
  }
  if (count < 3) return std::nullopt;
  return values;
}

}  // namespace

int rawValue(ColorFormat format) {
  return static_cast<int>(format);
}

std::optional<ColorFormat> colorFormatFromRaw(int raw) {
  if (raw < 0 || raw >= static_cast<int>(kFormats.size())) return std::nullopt;
  return kFormats[static_cast<std::size_t>(raw)].format;
}

std::optional<ColorFormat> colorFormatFromRaw(std::string_view caseName) {
  for (const FormatRow& r : kFormats) {
    if (r.caseName == caseName) return r.format;
  }
  return std::nullopt;
}

std::string_view caseName(ColorFormat format) {
  return row(format).caseName;
}
std::string_view displayName(ColorFormat format) {
  return row(format).title;
}
std::string localizedName(ColorFormat format) {
  return localized(row(format).title);
}

const std::array<ColorFormat, 17>& allColorFormats() {
  static const std::array<ColorFormat, 17> all = [] {
    std::array<ColorFormat, 17> formats{};
    for (std::size_t i = 0; i < kFormats.size(); ++i) formats[i] = kFormats[i].format;
    return formats;
  }();
  return all;
}

const std::array<ColorFormat, 14>& orderedFormats() {
  static constexpr std::array<ColorFormat, 14> ordered{
      ColorFormat::swiftNSColorRGBA, ColorFormat::swiftNSColorHSBA, ColorFormat::swiftUIColorRGBA,
      ColorFormat::swiftUIColorHSBA, ColorFormat::swiftColorRGBA,   ColorFormat::swiftColorHSBA,
      ColorFormat::cssRGB,           ColorFormat::cssHSL,           ColorFormat::hexRGBA,
      ColorFormat::hexARGB,          ColorFormat::hexRGB,           ColorFormat::htmlRGB,
      ColorFormat::floatRGBA,        ColorFormat::floatHSVA,
  };
  return ordered;
}

std::vector<ColorSpace> supportedColorSpaces(ColorFormat format) {
  std::vector<ColorSpace> spaces;
  for (ColorSpace space : allColorSpaces()) {
    if (isSupported(format, space)) spaces.push_back(space);
  }
  return spaces;
}

bool isSupported(ColorFormat format, ColorSpace colorSpace) {
  return (row(format).spaces & spaceBit(colorSpace)) != 0;
}

std::vector<ColorFormat> supportedFormats(ColorSpace colorSpace) {
  std::vector<ColorFormat> formats;
  for (const FormatRow& r : kFormats) {
    if (r.spaces & spaceBit(colorSpace)) formats.push_back(r.format);
  }
  return formats;
}

std::optional<PlatformColor> parseColor(ColorFormat format, std::string_view colorString,
                                        ColorSpace colorSpace) {
  PreparedText text = prepare(colorString);
  std::optional<ColorSpace> named;
  if (text.markedP3) named = ColorSpace::displayP3;
  std::string_view body = text.body;
  switch (format) {
    case ColorFormat::floatRGBA: {
      auto v = decimalList(body);
      if (!v) return std::nullopt;
      return makeRGB(rgbSpace(named, colorSpace), (*v)[0], (*v)[1], (*v)[2], (*v)[3]);
    }
    case ColorFormat::floatHSVA: {
      auto v = decimalList(body);
      if (!v) return std::nullopt;
      return makeHSB(rgbSpace(named, colorSpace), (*v)[0], (*v)[1], (*v)[2], (*v)[3]);
    }
    case ColorFormat::htmlRGB:
      return parseHex(body, HexLayout::html, named, colorSpace);
    case ColorFormat::hexRGB:
      return parseHex(body, HexLayout::rgb, named, colorSpace);
    case ColorFormat::hexARGB:
      return parseHex(body, HexLayout::argb, named, colorSpace);
    case ColorFormat::hexRGBA:
      return parseHex(body, HexLayout::rgba, named, colorSpace);
    case ColorFormat::cssRGB:
      // Written as color(display-p3 ...) for Display P3 colours unless clipped.
      if (auto color = parseCssRGBFunction(body, rgbSpace(named, colorSpace))) return color;
      return parseCssColorFunction(body, named, colorSpace);
    case ColorFormat::cssColor:
      return parseCssColorFunction(body, named, colorSpace);
    case ColorFormat::cssHSL:
      return parseCssHSL(body, rgbSpace(named, colorSpace));
    case ColorFormat::cssOKLAB:
      return parseCssOKLab(body, named, colorSpace);
    case ColorFormat::cssOKLCH:
      return parseCssOKLCH(body, named, colorSpace);
    case ColorFormat::swiftUIColorRGBA:
      return parseInitialiserRGBA(body, "UIColor", named, colorSpace);
    case ColorFormat::swiftUIColorHSBA:
      return parseInitialiserHSBA(body, "UIColor", named, colorSpace);
    case ColorFormat::swiftNSColorRGBA:
      return parseInitialiserRGBA(body, "NSColor", named, colorSpace);
    case ColorFormat::swiftNSColorHSBA:
      return parseInitialiserHSBA(body, "NSColor", named, colorSpace);
    case ColorFormat::swiftColorRGBA:
      return parseInitialiserRGBA(body, "Color", named, colorSpace);
    case ColorFormat::swiftColorHSBA:
      return parseInitialiserHSBA(body, "Color", named, colorSpace);
  }
  return std::nullopt;
}

std::optional<double> twoCharHexToFloat(std::string_view text) {
  if (text.size() != 2) return std::nullopt;
  auto high = hexDigit(text[0]);
  auto low = hexDigit(text[1]);
  if (!high || !low) return std::nullopt;
  return (*high * 16 + *low) / 255.0;
}

std::optional<double> oneCharHexToFloat(std::string_view text) {
  if (text.size() != 1) return std::nullopt;
  auto digit = hexDigit(text[0]);
  if (!digit) return std::nullopt;
  return (*digit * 17) / 255.0;
}

std::optional<double> oneCharGrayHexToFloat(std::string_view text) {
  if (text.size() != 1) return std::nullopt;
  auto digit = hexDigit(text[0]);
  if (!digit) return std::nullopt;
  return *digit / 15.0;
}

}  // namespace mcu
