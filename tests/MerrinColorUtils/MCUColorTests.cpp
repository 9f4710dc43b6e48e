#include <cmath>
#include <limits>

#include "ColorTestSupport.h"
#include "MerrinColorUtils/ColorOperations.h"
#include "MerrinColorUtils/MCUColor.h"

namespace mcu {
namespace {

using namespace testing;
using std::numbers::pi;

TEST(RawValues, OKLabToOKLCHGivesWholeDegrees) {
  struct Case {
    double angleDegrees;
    double expectedHue;
  };
  const Case cases[] = {{-90.7, 270}, {-0.5, 0}, {179.9, 179}, {45.99, 45}, {0, 0}, {-179.5, 181}};
  for (const auto& c : cases) {
    const RawRGBValues lab(0.5, 0.2 * std::cos(radians(c.angleDegrees)),
                           0.2 * std::sin(radians(c.angleDegrees)), 0.75);
    const RawRGBValues lch = lab.oklabToOKLCH();
    EXPECT_EQ(lch.blue, c.expectedHue) << c.angleDegrees;
    EXPECT_FALSE(std::signbit(lch.blue)) << c.angleDegrees;
    EXPECT_NEAR(lch.green, 0.2, 1e-15);
    EXPECT_EQ(lch.red, 0.5);
    EXPECT_EQ(lch.alpha, 0.75);
  }
  const RawRGBValues back = RawRGBValues(0.5, 0.2, 90, 1).oklchToOKLAB();
  EXPECT_NEAR(back.green, 0, 1e-15);
  EXPECT_NEAR(back.blue, 0.2, 1e-15);
  const RawRGBValues nanHue =
      RawRGBValues(0.5, 0.2, std::numeric_limits<double>::quiet_NaN(), 1).oklchToOKLAB();
  EXPECT_EQ(nanHue.green, 0.2);
  EXPECT_EQ(nanHue.blue, 0.0);
}

TEST(RawValues, LCHInterpolationTakesTheShortWayAndIgnoresGreyHues) {
  struct Case {
    RawLCHValues from, to;
    double fraction;
    double expectedHue;
  };
  const RawLCHValues red(0.6, 0.2, radians(30), 1);
  const RawLCHValues grey(0.5, 0.0, radians(250), 1);
  const Case cases[] = {
      {{0.5, 0.1, radians(350), 1}, {0.5, 0.1, radians(10), 1}, 0.5, radians(360)},
      {{0.5, 0.1, radians(10), 1}, {0.5, 0.1, radians(350), 1}, 0.25, radians(5)},
      {{0.5, 0.1, radians(-170), 1}, {0.5, 0.1, radians(170), 1}, 0.5, radians(-180)},
      {grey, red, 0.5, radians(30)},
      {red, grey, 0.5, radians(30)},
      {grey, red, 0.01, radians(30)},
      // A grey read from RGB keeps a trace of chroma (about 4e-8): still a grey.
      {{0.5, 4e-8, radians(250), 1}, red, 0.5, radians(30)},
      {red, {0.5, 0.1, radians(90), 1}, -3, radians(30)},  // fractions clamp
  };
  for (const auto& c : cases) {
    EXPECT_NEAR(c.from.lerpColor(c.to, c.fraction).hue, c.expectedHue, 1e-12) << c.fraction;
  }
  const RawLCHValues mid = grey.lerpColor(red, 0.5);
  EXPECT_NEAR(mid.lightness, 0.55, 1e-15);
  EXPECT_NEAR(mid.chroma, 0.1, 1e-15);
  EXPECT_EQ(red.lerpColor(grey, 7.0), grey);
}

TEST(MCUColor, ConstructorsKeepExactlyOneRecord) {
  const MCUColor lab(RawLABValues(0.5, 0.1, -0.1, 0.5));
  EXPECT_EQ(lab.colorSpace(), ColorSpace::oklab);
  EXPECT_FALSE(lab.rgbValues());
  EXPECT_FALSE(lab.lchValues());

  const MCUColor inP3(srgb(1, 0, 0, 0.5), ColorSpace::displayP3);
  ASSERT_TRUE(inP3.rgbValues());
  EXPECT_NEAR(inP3.rgbValues()->red, 0.91748755732516574, 1e-12);
  EXPECT_EQ(inP3.alpha(), 0.5);
  EXPECT_EQ(inP3.asNSColor().colorSpace(), PlatformColorSpace::displayP3());
}

TEST(MCUColor, EqualityAndAMismatchedRecordEqualToNothing) {
  const MCUColor broken(RawRGBValues(1, 0, 0, 1), ColorSpace::oklab);
  EXPECT_EQ(broken.alpha(), 0);
  EXPECT_EQ(broken.hue(), 0);
  EXPECT_FALSE(broken == broken);
  EXPECT_FALSE(broken.isEffectivelyEqual(broken, 1));
  EXPECT_EQ(broken.asNSColor(), PlatformColor::sRGBClear());

  const MCUColor a(RawRGBValues(0.5, 0.5, 0.5, 1), ColorSpace::sRGB);
  const MCUColor b(RawRGBValues(0.5, 0.5, 0.5 + 1e-9, 1), ColorSpace::sRGB);
  EXPECT_FALSE(a == b);
  EXPECT_TRUE(a.isEffectivelyEqual(b, 1e-6));
  EXPECT_FALSE(a.isEffectivelyEqual(b, 1e-9 / 2));
  EXPECT_FALSE(a.isEffectivelyEqual(a, 0));  // strictly below the precision
  EXPECT_FALSE(a.isEffectivelyEqual(MCUColor(RawRGBValues(0.5, 0.5, 0.5, 1), ColorSpace::sRGBExtended), 1));
}

TEST(MCUColor, HueInEverySpace) {
  EXPECT_NEAR(MCUColor(RawRGBValues(0, 1, 0, 1), ColorSpace::sRGB).hue(), 1.0 / 3, 1e-12);
  EXPECT_NEAR(MCUColor(RawLABValues(0.5, 0, -0.1, 1)).hue(), 0.75, 1e-12);
  EXPECT_NEAR(MCUColor(RawLCHValues(0.5, 0.1, -pi / 2, 1)).hue(), 0.75, 1e-12);
}

TEST(MCUColor, WithAlphaAndWithHue) {
  const MCUColor lch(RawLCHValues(0.6, 0.1, 1.0, 1));
  EXPECT_EQ(lch.withAlpha(0.25), MCUColor(RawLCHValues(0.6, 0.1, 1.0, 0.25)));
  const MCUColor rotated = lch.withAlpha(0.25).withHue(0.5);
  EXPECT_EQ(rotated.lchValues()->chroma, 0.1);
  EXPECT_NEAR(rotated.lchValues()->hue, pi, 1e-15);
  EXPECT_EQ(rotated.alpha(), 0.25);

  const MCUColor lab = MCUColor(RawLABValues(0.6, 0.01, 0.0, 0.5)).withHue(0.25);
  EXPECT_NEAR(lab.labValues()->a, 0, 1e-15);
  EXPECT_NEAR(lab.labValues()->b, 1, 1e-15);
  EXPECT_EQ(lab.alpha(), 0.5);

  const MCUColor red(RawRGBValues(1, 0, 0, 0.5), ColorSpace::displayP3);
  const MCUColor green = red.withHue(1.0 / 3);
  EXPECT_EQ(green.colorSpace(), ColorSpace::displayP3);
  EXPECT_TRUE(green.isEffectivelyEqual(MCUColor(RawRGBValues(0, 1, 0, 0.5), ColorSpace::displayP3), 1e-12));
}

TEST(MCUColor, UsingColorSpace) {
  const MCUColor start(RawRGBValues(0.2, 0.4, 0.6, 0.8), ColorSpace::sRGB);
  EXPECT_EQ(start.usingColorSpace(ColorSpace::sRGB), start);
  for (ColorSpace target : allColorSpaces()) {
    const auto converted = start.usingColorSpace(target);
    ASSERT_TRUE(converted) << caseName(target);
    EXPECT_EQ(converted->colorSpace(), target);
    EXPECT_EQ(converted->alpha(), 0.8);
    const auto back = converted->usingColorSpace(ColorSpace::sRGB);
    ASSERT_TRUE(back);
    // The published OKLab matrices are rounded to ten places, so the round
    // trip through them is good to about 1e-7.
    EXPECT_TRUE(back->isEffectivelyEqual(start, 1e-6)) << caseName(target);
  }
  // OKLab and OKLCH leave through Display P3: a colour outside P3 is clipped.
  const MCUColor outside(RawLCHValues(0.9, 0.5, radians(140), 1));
  const PlatformColor clipped = outside.asNSColor();
  EXPECT_EQ(clipped.colorSpace(), PlatformColorSpace::displayP3());
  for (double v : rgbaComponentValues(clipped)) {
    EXPECT_GE(v, 0);
    EXPECT_LE(v, 1);
  }
}

TEST(ColorOperations, WideColourAndClipping) {
  struct Case {
    PlatformColor color;
    bool wide;
    bool clips;
  };
  const Case cases[] = {
      {srgb(0.5, 0.5, 0.5, 1), false, false},
      {srgb(1.2, 0.5, 0.5, 1), true, false},  // sRGB itself never clips
      {extended(0.5, 0.5, -0.01, 1), true, true},
      {extended(1, 0, 1, 1), false, false},
      {p3(0.5, 0.5, 0.5, 1), true, false},
      {p3(1, 0, 0, 1), true, true},
      {PlatformColor::colorWithColorSpace(PlatformColorSpace::adobeRGB1998(), {0, 1, 0, 1}), false, false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(isWideColor(c.color), c.wide) << c.color;
    EXPECT_EQ(wouldClipInSRGB(c.color), c.clips) << c.color;
  }
}

TEST(ColorOperations, LuminanceReadsEncodedComponents) {
  EXPECT_DOUBLE_EQ(luminance(PlatformColor::sRGBWhite()), 0.2126 + 0.7152 + 0.0722);
  EXPECT_DOUBLE_EQ(luminance(p3(0, 1, 0, 1)), 0.7152);
  EXPECT_DOUBLE_EQ(luminance(srgb(0.5, 0, 0, 0)), 0.1063);
  // Grey colours are read through sRGB.
  const PlatformColor grey = PlatformColor::colorWithWhite(PlatformColorSpace::deviceGray(), 1, 1);
  EXPECT_NEAR(luminance(grey), 1.0, 1e-12);
}

TEST(ColorOperations, IncreaseContrast) {
  struct Case {
    double in, amount, out;
  };
  const Case cases[] = {
      {0.5, 1, -0.15}, {0.51, 1, 1.15}, {0.2, 0, 0.2}, {0.8, 0.5, 0.975}, {0.2, 0.5, 0.025}};
  for (const auto& c : cases) {
    const PlatformColor result = increaseContrast(p3(c.in, c.in, c.in, 0.4), c.amount);
    EXPECT_EQ(result.colorSpace(), PlatformColorSpace::displayP3());
    for (double v : {result.redComponent(), result.greenComponent(), result.blueComponent()}) {
      EXPECT_NEAR(v, c.out, 1e-15) << c.in << " " << c.amount;
    }
    EXPECT_EQ(result.alphaComponent(), 0.4);
  }
}

TEST(ColorOperations, IncreaseContrastLCHMovesOnlyLightness) {
  const PlatformColor color = srgb(0.3, 0.5, 0.7, 0.6);
  const PlatformColor result = increaseContrastLCH(color, 0.2);
  EXPECT_EQ(result.colorSpace(), PlatformColorSpace::sRGB());
  EXPECT_EQ(result.alphaComponent(), 0.6);
  const MCUColor before(color, ColorSpace::oklch), after(result, ColorSpace::oklch);
  const double L = before.lchValues()->lightness;
  // Reading the result back goes through the OKLab matrices once more.
  EXPECT_NEAR(after.lchValues()->lightness, 0.8 * L + (L > 0.5 ? 1.15 : -0.15) * 0.2, 1e-6);
  EXPECT_NEAR(after.lchValues()->chroma, before.lchValues()->chroma, 1e-6);
  EXPECT_NEAR(after.lchValues()->hue, before.lchValues()->hue, 1e-6);
  EXPECT_TRUE(isEffectivelyEqual(increaseContrastLCH(color, 0), color, 1e-6));
  // A wide colour keeps its range on the way back into extended sRGB.
  const PlatformColor wide = extended(1.2, -0.1, 0.3, 1);
  EXPECT_GT(increaseContrastLCH(wide, 0.1).redComponent(), 1.0);
}

TEST(ColorOperations, LerpAndComposite) {
  const PlatformColor a = p3(0, 0.2, 1, 1);
  const PlatformColor b = srgb(1, 0.6, 0, 0);
  const auto mid = lerpColor(a, b, 0.25, false);
  ASSERT_TRUE(mid);
  // No reconciliation of spaces: components mix as stored, in the receiver's space.
  EXPECT_TRUE(isEffectivelyEqual(*mid, p3(0.25, 0.3, 0.75, 0.75), 1e-15)) << *mid;
  EXPECT_EQ(lerpColor(a, b, -1, false), a);
  EXPECT_EQ(lerpColor(a, b, 9, false)->redComponent(), 1.0);

  // A grey end is converted to extended sRGB first when asked to.
  const PlatformColor grey = PlatformColor::colorWithWhite(PlatformColorSpace::genericGamma22Gray(), 0.5, 1);
  const auto towardsGrey = lerpColor(PlatformColor::sRGBBlack(), grey, 1, true);
  ASSERT_TRUE(towardsGrey);
  EXPECT_NEAR(towardsGrey->redComponent(),
              grey.colorUsingColorSpace(PlatformColorSpace::sRGB())->redComponent(), 1e-15);

  const PlatformColor opaque = srgb(0.3, 0.2, 0.1, 1);
  EXPECT_EQ(compositedColor(opaque, PlatformColor::sRGBWhite()), opaque);
  const PlatformColor background = srgb(0.1, 0.7, 0.9, 0.8);
  const PlatformColor clear = compositedColor(srgb(0.3, 0.2, 0.1, 0), background);
  EXPECT_TRUE(isEffectivelyEqual(clear, background, 1e-15)) << clear;
  const PlatformColor half = compositedColor(srgb(1, 1, 1, 0.5), PlatformColor::sRGBBlack());
  EXPECT_TRUE(isEffectivelyEqual(half, srgb(0.5, 0.5, 0.5, 1), 1e-15)) << half;
}

TEST(ColorOperations, ComponentListsAndHSBEdits) {
  const PlatformColor color = srgb(0.2, 0.4, 0.8, 0.5);
  const auto hsb = hsbComponentValues(color);
  EXPECT_NEAR(hsb[0], 220.0 / 360, 1e-12);
  EXPECT_NEAR(hsb[1], 0.75, 1e-12);
  EXPECT_NEAR(hsb[2], 0.8, 1e-12);
  EXPECT_EQ(hsb[3], 0.5);

  const PlatformColor darker = withBrightness(color, 0.4);
  EXPECT_TRUE(isEffectivelyEqual(darker, srgb(0.1, 0.2, 0.4, 0.5), 1e-12)) << darker;
  const PlatformColor greyer = withSaturation(color, 0);
  EXPECT_TRUE(isEffectivelyEqual(greyer, srgb(0.8, 0.8, 0.8, 0.5), 1e-12)) << greyer;
  EXPECT_NEAR(withHue(color, 0.1).hueComponent(), 0.1, 1e-12);
}

TEST(ColorOperations, EffectiveEqualityNeedsOneRGBSpace) {
  const PlatformColor a = srgb(0.5, 0.5, 0.5, 1);
  EXPECT_FALSE(isEffectivelyEqual(a, a, 0));
  EXPECT_TRUE(isEffectivelyEqual(a, srgb(0.5, 0.5, 0.5 + 1e-7, 1), 1e-6));
  EXPECT_FALSE(isEffectivelyEqual(a, p3(0.5, 0.5, 0.5, 1), 1));
  EXPECT_FALSE(isEffectivelyEqual(linear(0.5, 0.5, 0.5), linear(0.5, 0.5, 0.5), 1));
}

}  // namespace
}  // namespace mcu
