#include "ColorTestSupport.h"
#include "MerrinColorUtils/Clipboard.h"
#include "MerrinColorUtils/ColorConverter.h"
#include "MerrinColorUtils/ColorFormat.h"

namespace mcu {
namespace {

using namespace testing;
using F = ColorFormat;
using S = ColorSpace;

ColorConverterOptions places(std::int64_t roundedTo, std::optional<std::string> prefix = std::nullopt,
                             std::optional<std::string> suffix = std::nullopt, bool forceClip = false) {
  return {roundedTo, std::move(prefix), std::move(suffix), forceClip};
}

struct WriteCase {
  PlatformColor color;
  ColorFormat format;
  ColorSpace space;
  std::optional<std::string> expected;
  bool clipped = false;
  ColorConverterOptions options = places(4);
};

TEST(ColorConverterWrite, EveryNotationWritesItsTemplate) {
  const PlatformColor orange = srgb(1, 0.5, 0), halfOrange = srgb(1, 0.5, 0, 0.5);
  const PlatformColor wide = extended(1.1, 0.5, 0), p3Red = p3(1, 0, 0);
  const WriteCase cases[] = {
      // 0.5 × 255 = 127.5 rounds away from zero to 0x80.
      {orange, F::hexRGB, S::sRGB, "0xFF8000"},
      {orange, F::htmlRGB, S::sRGB, "#FF8000"},
      {halfOrange, F::htmlRGB, S::sRGB, "#FF800080"},
      {halfOrange, F::hexARGB, S::sRGB, "0x80FF8000"},
      // P3 hex is prefixed, never clipped; a wide colour is.
      {p3Red, F::hexRGB, S::displayP3, "p3: 0xFF0000", false, places(4, "p3: ", "!")},
      {wide, F::hexRGB, S::sRGBExtended, "0xFF8000 (clipped)", true, places(4, "p3: ", " (clipped)")},
      // An sRGB colour never clips, so out-of-range components are held to a byte.
      {srgb(-0.2, 2, 0.5), F::hexRGB, S::sRGB, "0x00FF80"},
      {orange, F::cssRGB, S::sRGB, "rgb(255, 128, 0)", false, places(3)},
      {halfOrange, F::cssRGB, S::sRGB, "rgb(255, 128, 0 / 0.5)", false, places(3)},
      {wide, F::cssRGB, S::sRGBExtended, "rgb(255, 128, 0) !", true, places(3, std::nullopt, " !")},
      // P3 stays color() unless forced into rgb().
      {p3Red, F::cssRGB, S::displayP3, "color(display-p3 1 0 0)", false, places(3, std::nullopt, "!")},
      {p3Red, F::cssRGB, S::displayP3, "rgb(255, 0, 0)!", true, places(3, std::nullopt, "!", true)},
      {wide, F::cssColor, S::sRGBExtended, "color(srgb 1.1 0.5 0)", false, places(3, std::nullopt, "!")},
      {wide, F::cssColor, S::sRGB, "color(srgb 1 0.5 0)!", true, places(3, std::nullopt, "!")},
      {p3(0.25, 0.5, 1, 0.75), F::cssColor, S::displayP3, "color(display-p3 0.25 0.5 1 / 0.75)", false,
       places(3)},
      {orange, F::floatRGBA, S::sRGB, "1 0.5 0 1", false, places(2)},
      {srgb(0.25, 0.35, 0.45, 1), F::floatRGBA, S::sRGB, "0.3 0.4 0.5 1", false, places(1)},  // half away
      {orange, F::floatHSVA, S::sRGB, "0.0833 1 1 1"},
      {orange, F::cssHSL, S::sRGB, "hsl(30 100% 50%)"},
      {p3(1, 1, 1), F::cssHSL, S::displayP3, "p3: hsl(0 0% 100%)", false, places(4, "p3: ")},
      {srgb(0, 0, 0, 0.25), F::cssOKLAB, S::sRGB, "oklab(0% 0 0 / 0.25)"},
      {srgb(1, 0, 0), F::cssOKLCH, S::sRGB, "oklch(62.8% 0.2577 29.2)"},
      // The places apply to chroma only, not to L and h.
      {srgb(1, 0, 0, 0.5), F::cssOKLCH, S::oklch, "oklch(62.8% 0.26 29.2 / 0.5)", false, places(2)},
      {orange, F::swiftUIColorRGBA, S::sRGB, "UIColor(red: 1, green: 0.5, blue: 0, alpha: 1)"},
      {p3Red, F::swiftUIColorRGBA, S::displayP3, "UIColor(displayP3Red: 1, green: 0, blue: 0, alpha: 1)"},
      {orange, F::swiftUIColorHSBA, S::sRGB, "UIColor(hue: 0.0833, saturation: 1, brightness: 1, alpha: 1)"},
      {wide, F::swiftNSColorRGBA, S::sRGBExtended, "NSColor(red: 1.1, green: 0.5, blue: 0, alpha: 1)"},
      {orange, F::swiftNSColorHSBA, S::sRGBExtended,
       "NSColor(colorSpace: .extendedSRGB, hue: 0.0833, saturation: 1, brightness: 1, alpha: 1)"},
      {p3Red, F::swiftNSColorHSBA, S::displayP3,
       "NSColor(colorSpace: .displayP3, hue: 0, saturation: 1, brightness: 1, alpha: 1)"},
      {p3Red, F::swiftNSColorRGBA, S::oklab, std::nullopt},
      {halfOrange, F::swiftColorRGBA, S::sRGB, "Color(red: 1, green: 0.5, blue: 0, opacity: 0.5)"},
      {p3Red, F::swiftColorRGBA, S::displayP3, "Color(.displayP3, red: 1, green: 0, blue: 0, opacity: 1)"},
      {orange, F::swiftColorHSBA, S::sRGB, "Color(hue: 0.0833, saturation: 1, brightness: 1, opacity: 1)"},
  };
  for (const WriteCase& c : cases) {
    SCOPED_TRACE(std::string(caseName(c.format)) + ": " + c.expected.value_or("(absent)"));
    ColorConverterResult result = ColorConverter::convertColorToString(c.color, c.format, c.space, c.options);
    EXPECT_EQ(result.colorString, c.expected);
    EXPECT_EQ(result.clipped, c.clipped);
  }
}

// What each notation loses: hex keeps bytes, hsl() whole percentages, oklch()
// tenths of a percent and of a degree, the HSB forms four places of hue.
double toleranceOf(ColorFormat format) {
  switch (format) {
    case ColorFormat::htmlRGB:
    case ColorFormat::hexRGB:
    case ColorFormat::hexARGB:
    case ColorFormat::hexRGBA:
    case ColorFormat::cssRGB:
      return 0.5 / 255.0 + 1e-9;
    case ColorFormat::cssHSL:
      return 0.02;
    case ColorFormat::floatHSVA:
    case ColorFormat::swiftUIColorHSBA:
    case ColorFormat::swiftNSColorHSBA:
    case ColorFormat::swiftColorHSBA:
      return 0.0005;  // a hue step of 0.0001 turns moves a component up to 6 × 0.0001 × brightness
    case ColorFormat::cssOKLAB:
    case ColorFormat::cssOKLCH:
      return 0.004;
    default:
      return 0.0001;
  }
}

TEST(ColorConverterRoundTrip, EveryNotationReadsBackWhatItWrites) {
  const ColorConverterOptions options = places(4, "p3: ");
  for (ColorFormat format : allColorFormats()) {
    for (ColorSpace space : supportedColorSpaces(format)) {
      // OKLab and OKLCH colours travel as Display P3 colours.
      PlatformColorSpace platformSpace = toNSColorSpace(space);
      std::vector<PlatformColor> colors{
          PlatformColor::colorWithColorSpace(platformSpace, {0.8, 0.4, 0.2, 1.0}),
          PlatformColor::colorWithColorSpace(platformSpace, {0.1, 0.6, 0.9, 1.0})};
      if (format != ColorFormat::hexRGB) {
        colors.push_back(PlatformColor::colorWithColorSpace(platformSpace, {0.3, 0.7, 0.5, 0.6}));
      }
      if (space == ColorSpace::sRGBExtended) {
        colors.push_back(extended(1.1, 0.4, -0.05, 1.0));
      }
      for (const PlatformColor& color : colors) {
        auto written = ColorConverter::convertColorToString(color, format, space, options).colorString;
        SCOPED_TRACE(std::string(caseName(format)) + " in " + std::string(caseName(space)) + ": " +
                     written.value_or("(absent)"));
        ASSERT_TRUE(written.has_value());
        auto parsed = parseColor(format, *written, space);
        ASSERT_TRUE(parsed.has_value());
        expectNear(*parsed, color, toleranceOf(format));

        ConvertedColor converted = ColorConverter::convertStringToColor(*written, format, space, false);
        EXPECT_EQ(converted.detectedFormat, format);
        EXPECT_EQ(converted.color, parsed);
      }
    }
  }
}

struct ReadCase {
  const char* text;
  ColorFormat requested;
  ColorSpace space;
  std::optional<ColorFormat> detected;
  PlatformColor expected;
};

TEST(ColorConverterRead, ToleratesWhatPeoplePaste) {
  const PlatformColor orange = srgb(1, 128 / 255.0, 0);
  const ReadCase cases[] = {
      {"  #f80  ", F::htmlRGB, S::sRGB, F::htmlRGB, srgb(1, 0x88 / 255.0, 0)},
      {"#F808", F::htmlRGB, S::sRGB, F::htmlRGB, srgb(1, 0x88 / 255.0, 0, 0x88 / 255.0)},
      {"#c", F::htmlRGB, S::sRGB, F::htmlRGB, srgb(0.8, 0.8, 0.8)},
      {"--brand-orange: #FF8000;", F::htmlRGB, S::sRGB, F::htmlRGB, orange},
      {"--brand: rgb(255, 128, 0);", F::floatRGBA, S::sRGB, F::cssRGB, orange},
      {"rgba(255,128,0,0.5)", F::cssRGB, S::sRGB, F::cssRGB, srgb(1, 128 / 255.0, 0, 0.5)},
      {"rgb(100% 50% 0% / 50%)", F::cssRGB, S::sRGB, F::cssRGB, srgb(1, 0.5, 0, 0.5)},
      // Asked for hex, found rgb(): the colour still comes back.
      {"0xff8000", F::floatRGBA, S::sRGB, F::hexRGB, orange},
      {"1, 0.5, 0", F::floatRGBA, S::sRGB, F::floatRGBA, srgb(1, 0.5, 0)},
      {"1 .5 0 5e-1", F::floatRGBA, S::sRGB, F::floatRGBA, srgb(1, 0.5, 0, 0.5)},
      {"NSColor(red:1,green:0.5,blue:0,alpha:1)", F::floatRGBA, S::sRGB, F::swiftNSColorRGBA,
       srgb(1, 0.5, 0)},
      {"Color(red: 1, green: 0.5, blue: 0)", F::floatRGBA, S::sRGB, F::swiftColorRGBA, srgb(1, 0.5, 0)},
      {"Color(.extendedSRGB, red: 1.5, green: 0.5, blue: 0, opacity: 1)", F::swiftColorRGBA, S::sRGB,
       F::swiftColorRGBA, extended(1.5, 0.5, 0)},
      {"hsla(30deg, 100%, 50%, 0.5)", F::cssHSL, S::sRGB, F::cssHSL, srgb(1, 0.5, 0, 0.5)},
      // Out-of-range values are clamped for the space they are read in.
      {"rgb(300, -20, 0)", F::cssRGB, S::sRGB, F::cssRGB, srgb(1, 0, 0)},
      {"3 -0.5 0", F::floatRGBA, S::sRGBExtended, F::floatRGBA, extended(2, -0.5, 0)},
      {"color(srgb 1.2 0 0)", F::cssColor, S::sRGBExtended, F::cssColor, extended(1.2, 0, 0)},
      // A p3 marker or a P3 notation makes the colour Display P3.
      {"p3: 0xFF8000", F::hexRGB, S::sRGB, F::hexRGB, p3(1, 128 / 255.0, 0)},
      {"color(display-p3 1 0 0)", F::floatRGBA, S::sRGB, F::cssRGB, p3(1, 0, 0)},
      {"NSColor(displayP3Red: 1, green: 0, blue: 0, alpha: 1)", F::floatRGBA, S::sRGB, F::swiftNSColorRGBA,
       p3(1, 0, 0)},
  };
  for (const ReadCase& c : cases) {
    SCOPED_TRACE(c.text);
    ConvertedColor converted = ColorConverter::convertStringToColor(c.text, c.requested, c.space, false);
    EXPECT_EQ(converted.detectedFormat, c.detected);
    ASSERT_TRUE(converted.color.has_value());
    EXPECT_EQ(converted.color->colorSpace(), c.expected.colorSpace());
    expectNear(*converted.color, c.expected, 1e-9);
  }
}

TEST(ColorConverterRead, OKLabAndOKLCHTextsComeThroughLinearSRGB) {
  auto red = parseColor(ColorFormat::cssOKLCH, "oklch(62.8% 0.2577 29.23)", ColorSpace::sRGB);
  ASSERT_TRUE(red.has_value());
  expectNear(*red, srgb(1, 0, 0), 0.002);
  auto white = parseColor(ColorFormat::cssOKLAB, "oklab(1 0 0)", ColorSpace::oklab);
  ASSERT_TRUE(white.has_value());
  EXPECT_EQ(white->colorSpace(), PlatformColorSpace::displayP3());
  expectNear(*white, p3(1, 1, 1), 1e-4);
}

TEST(ColorConverterRead, RejectsWhatNoNotationWrites) {
  for (const char* text :
       {"   ", "#FF800", "0xGG0000", "rgb(255, 128)", "rgb(255, 128, 0", "rgb(1, 2, 3) x", "nan nan nan",
        "inf 0 0", "1e999 0 0", "1 2", "1 2 3 4 5", "NSColor(red: 1, green: 0.5)",
        "Color(red: 1, green: 0.5, blue: 0, tint: 1)", "NSColor(red: 1, red: 1, green: 1, blue: 1)",
        "color(rec2020 1 0 0)", "hsl(10% 1 1)", "--: #FFF", "p3"}) {
    SCOPED_TRACE(text);
    ConvertedColor converted =
        ColorConverter::convertStringToColor(text, ColorFormat::floatRGBA, ColorSpace::sRGB, false);
    EXPECT_FALSE(converted.color.has_value()) << *converted.color;
    EXPECT_FALSE(converted.detectedFormat.has_value());
    EXPECT_EQ(converted.detectedColorSpace, ColorSpace::sRGB);
  }
}

TEST(ColorConverterRead, ColorSpaceFollowsTheTextWhenAllowed) {
  struct Case {
    const char* text;
    ColorSpace requested;
    ColorSpace detected;
  } cases[] = {
      {"color(display-p3 1 0 0)", ColorSpace::sRGB, ColorSpace::displayP3},
      {"P3: 1 0 0 1", ColorSpace::sRGBExtended, ColorSpace::displayP3},
      {"#FF0000", ColorSpace::displayP3, ColorSpace::sRGB},
      {"#FF0000", ColorSpace::sRGBExtended, ColorSpace::sRGBExtended},
      {"not a colour", ColorSpace::displayP3, ColorSpace::sRGB},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(ColorConverter::convertStringToColor(c.text, ColorFormat::htmlRGB, c.requested, true)
                  .detectedColorSpace,
              c.detected);
  }
}

TEST(ColorFormatTable, OrderAndSupport) {
  for (ColorFormat left_out : {ColorFormat::cssColor, ColorFormat::cssOKLAB, ColorFormat::cssOKLCH}) {
    EXPECT_EQ(std::count(orderedFormats().begin(), orderedFormats().end(), left_out), 0);
  }
  EXPECT_EQ(supportedFormats(ColorSpace::oklch), std::vector<ColorFormat>{ColorFormat::cssOKLCH});
}

TEST(Clipboard, CopiesTheClipboardNotation) {
  auto clipboard = std::make_shared<InMemoryClipboard>();
  setGeneralClipboard(clipboard);
  EXPECT_EQ(copyToClipboard(p3(1, 0.5, 0), ColorFormat::floatRGBA), "p3: 1 0.5 0 1");
  EXPECT_EQ(clipboard->string(), "p3: 1 0.5 0 1");
  EXPECT_EQ(copyToClipboard(srgb(0.123456, 0, 0), ColorFormat::cssColor), "color(srgb 0.1235 0 0)");
  // A colour outside the working spaces copies nothing.
  EXPECT_EQ(copyToClipboard(linear(1, 0, 0), ColorFormat::hexRGB), std::nullopt);
  EXPECT_EQ(clipboard->string(), "color(srgb 0.1235 0 0)");
  setGeneralClipboard(nullptr);
}

}  // namespace
}  // namespace mcu
