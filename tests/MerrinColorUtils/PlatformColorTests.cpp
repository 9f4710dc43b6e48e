#include <cmath>
#include <vector>

#include "ColorTestSupport.h"
#include "MerrinColorUtils/ColorOperations.h"

namespace mcu {
namespace {

using namespace testing;

TEST(PlatformColor, MakingNeverClamps) {
  const PlatformColor color = srgb(1.25, -0.5, 3.0, 2.0);
  EXPECT_EQ(rgbaComponentValues(color), (std::array<double, 4>{1.25, -0.5, 3.0, 2.0}));
  EXPECT_EQ(color.colorSpace(), PlatformColorSpace::sRGB());
  EXPECT_EQ(color.colorUsingColorSpace(PlatformColorSpace::sRGB()), color);  // its own space changes nothing
  EXPECT_EQ(PlatformColor::colorWithRed(0.1, 0.2, 0.3, 1).colorSpace(), PlatformColorSpace::sRGB());
  EXPECT_EQ(p3(0.1, 0.2, 0.3, 1).colorSpace(), PlatformColorSpace::displayP3());
}

TEST(PlatformColor, ComponentCountFollowsTheModel) {
  // Too few components: colour parts read 0, alpha 1.
  const PlatformColor grey =
      PlatformColor::colorWithColorSpace(PlatformColorSpace::genericGamma22Gray(), {0.4});
  EXPECT_EQ(grey.numberOfComponents(), 2u);
  EXPECT_EQ(grey.whiteComponent(), 0.4);
  EXPECT_EQ(grey.alphaComponent(), 1.0);
  EXPECT_EQ(grey.redComponent(), 0.4);

  const PlatformColor cmyk =
      PlatformColor::colorWithColorSpace(PlatformColorSpace::deviceCMYK(), {0.1, 0.2, 0.3, 0.4, 0.5});
  EXPECT_EQ(cmykComponentValues(cmyk), (std::array<double, 5>{0.1, 0.2, 0.3, 0.4, 0.5}));
}

TEST(PlatformColor, ClipsOnlyIntoNonExtendedSpaces) {
  const PlatformColor wide = extended(1.5, -0.25, 0.5, 1);
  const auto clipped = wide.colorUsingColorSpace(PlatformColorSpace::sRGB());
  ASSERT_TRUE(clipped);
  EXPECT_TRUE(isEffectivelyEqual(*clipped, srgb(1, 0, 0.5, 1), 1e-12)) << *clipped;

  // Out to extended Display P3 and back to extended sRGB keeps every value.
  const auto wideP3 = wide.colorUsingColorSpace(PlatformColorSpace::extendedDisplayP3());
  ASSERT_TRUE(wideP3);
  const auto back = wideP3->colorUsingColorSpace(PlatformColorSpace::extendedSRGB());
  ASSERT_TRUE(back);
  EXPECT_TRUE(isEffectivelyEqual(*back, wide, 1e-12)) << *back;
}

TEST(PlatformColor, GreyAndCMYKConvertThroughTheWorkingSpace) {
  // Grey spaces are gamma 2.2 with a D65 white, so grey lands on r = g = b.
  const auto grey = PlatformColor::colorWithWhite(PlatformColorSpace::genericGamma22Gray(), 0.5, 1)
                        .colorUsingColorSpace(PlatformColorSpace::extendedLinearSRGB());
  ASSERT_TRUE(grey);
  for (double v : {grey->redComponent(), grey->greenComponent(), grey->blueComponent()})
    EXPECT_NEAR(v, std::pow(0.5, 2.2), 1e-12);

  const auto backToGrey = grey->colorUsingColorSpace(PlatformColorSpace::deviceGray());
  ASSERT_TRUE(backToGrey);
  EXPECT_NEAR(backToGrey->whiteComponent(), 0.5, 1e-12);

  const auto cmyk = srgb(1, 0.5, 0, 1).colorUsingColorSpace(PlatformColorSpace::genericCMYK());
  ASSERT_TRUE(cmyk);
  EXPECT_NEAR(cmyk->cyanComponent(), 0, 1e-12);
  EXPECT_NEAR(cmyk->magentaComponent(), 0.5, 1e-12);
  EXPECT_NEAR(cmyk->yellowComponent(), 1, 1e-12);
  EXPECT_NEAR(cmyk->blackComponent(), 0, 1e-12);
  const auto rgb = cmyk->colorUsingColorSpace(PlatformColorSpace::sRGB());
  EXPECT_NEAR(rgb->greenComponent(), 0.5, 1e-12);
}

TEST(PlatformColor, HueSaturationBrightness) {
  struct Case {
    double r, g, b;
    double h, s, v;
  };
  const Case cases[] = {
      {1, 0, 0, 0, 1, 1},
      {0, 1, 0, 1.0 / 3, 1, 1},
      {0, 0, 1, 2.0 / 3, 1, 1},
      {1, 0, 0.5, 11.0 / 12, 1, 1},
      {0.5, 0.5, 0.5, 0, 0, 0.5},
      {0, 0, 0, 0, 0, 0},
      {0.5, 0.25, 0, 1.0 / 12, 1, 0.5},
  };
  for (const auto& c : cases) {
    const PlatformColor color = p3(c.r, c.g, c.b, 0.5);
    EXPECT_NEAR(color.hueComponent(), c.h, 1e-12) << color;
    EXPECT_NEAR(color.saturationComponent(), c.s, 1e-12) << color;
    EXPECT_NEAR(color.brightnessComponent(), c.v, 1e-12) << color;

    // And back: building from those components in the same space.
    const PlatformColor rebuilt =
        PlatformColor::colorWithHue(PlatformColorSpace::displayP3(), c.h, c.s, c.v, 0.5);
    EXPECT_TRUE(isEffectivelyEqual(rebuilt, color, 1e-12)) << rebuilt << " vs " << color;
  }
  // Hue 1 is the same turn as hue 0.
  EXPECT_EQ(PlatformColor::colorWithDeviceHue(1.0, 1, 1, 1), PlatformColor::colorWithDeviceHue(0.0, 1, 1, 1));
  EXPECT_EQ(PlatformColor::colorWithDeviceHue(0.5, 1, 1, 1).colorSpace(), PlatformColorSpace::deviceRGB());
}

TEST(PlatformColor, SpaceFamiliesAreRecognised) {
  struct Case {
    PlatformColorSpace space;
    bool rgb, white, cmyk;
  };
  const Case cases[] = {
      {PlatformColorSpace::sRGB(), true, false, false},
      {PlatformColorSpace::displayP3(), true, false, false},
      {PlatformColorSpace::adobeRGB1998(), true, false, false},
      {PlatformColorSpace::deviceRGB(), true, false, false},
      // The linear working space is not one the colour helpers treat as RGB.
      {PlatformColorSpace::extendedLinearSRGB(), false, false, false},
      {PlatformColorSpace::deviceGray(), false, true, false},
      {PlatformColorSpace::genericGamma22Gray(), false, true, false},
      {PlatformColorSpace::deviceCMYK(), false, false, true},
  };
  for (const auto& c : cases) {
    const PlatformColor color = PlatformColor::colorWithColorSpace(c.space, std::vector<double>{});
    EXPECT_EQ(isInRGBColorSpace(color), c.rgb) << c.space.displayName();
    EXPECT_EQ(isInWhiteColorSpace(color), c.white) << c.space.displayName();
    EXPECT_EQ(isInCMYKColorSpace(color), c.cmyk) << c.space.displayName();
  }
}

TEST(PlatformColor, AdobeRGBUsesItsOwnPrimaries) {
  // Adobe RGB green lies outside sRGB; its white is sRGB's white.
  const PlatformColor green =
      PlatformColor::colorWithColorSpace(PlatformColorSpace::adobeRGB1998(), {0, 1, 0, 1});
  EXPECT_LT(green.colorUsingColorSpace(PlatformColorSpace::extendedSRGB())->redComponent(), 0.0);
  const auto white = PlatformColor::colorWithColorSpace(PlatformColorSpace::adobeRGB1998(), {1, 1, 1, 1})
                         .colorUsingColorSpace(PlatformColorSpace::sRGB());
  EXPECT_TRUE(isEffectivelyEqual(*white, PlatformColor::sRGBWhite(), 1e-12)) << *white;
}

}  // namespace
}  // namespace mcu
