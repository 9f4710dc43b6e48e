#include "DataTestSupport.h"

namespace tavlo {
namespace {

using namespace testsupport;

using mcu::PlatformColor;
using mcu::PlatformColorSpace;

struct CurvePoint {
  CurveType curve;
  double amount;
  double t;
  double expected;
};

TEST(InterpolationCurves, AlterAtKnownPoints) {
  const CurvePoint points[] = {
      {CurveType::linear, 1.0, 0.3, 0.3},
      {CurveType::cosine, 1.0, 0.25, 0.5 - 0.5 * std::cos(std::numbers::pi / 4)},
      {CurveType::cosine, 0.5, 0.25, 0.25 + (0.5 - 0.5 * std::cos(std::numbers::pi / 4) - 0.25) * 0.5},
      {CurveType::cosine, 1.0, 0.5, 0.5},
      {CurveType::hermite3, 1.0, 0.25, 0.15625},
      {CurveType::hermite3, 0.0, 0.25, 0.25},  // amount 0 is the straight line
      {CurveType::hermite5, 1.0, 0.25, 0.103515625},
      {CurveType::hermite5, 0.0, 0.7, 0.7},
      {CurveType::lame, 2.0, 0.5, 1.0 - std::sqrt(0.75)},
      {CurveType::lame, 1.0, 0.4, 0.4},  // exponent 1 is the straight line
  };
  for (const auto& p : points) {
    SCOPED_TRACE(std::string(caseName(p.curve)) + " amount " + std::to_string(p.amount));
    EXPECT_NEAR(alter(p.curve, p.t, p.amount), p.expected, 1e-12);
    // Every curve keeps both ends where they are.
    EXPECT_NEAR(alter(p.curve, 0.0, p.amount), 0.0, 1e-12);
    EXPECT_NEAR(alter(p.curve, 1.0, p.amount), 1.0, 1e-12);
  }
}

// With the legacy method and sRGB greys the red component of each entry is
// exactly the mixed fraction, which makes the position rules visible.
struct PositionCase {
  const char* label;
  std::int64_t steps;
  std::int64_t middleIndex;
  bool threeAnchors;
  CurveType curve;
  std::vector<double> expected;
};

TEST(InterpolationPositions, FractionsAndAnchorsPerIndex) {
  const double q = alter(CurveType::hermite3, 0.25, 1.0);
  const double h = alter(CurveType::hermite3, 0.5, 1.0);
  const double tq = alter(CurveType::hermite3, 0.75, 1.0);
  // clang-format off
  const PositionCase cases[] = {
      {"two steps", 2, 0, false, CurveType::hermite3, {0.0, 1.0}},
      {"two anchors, five steps", 5, 0, false, CurveType::linear, {0.0, 0.25, 0.5, 0.75, 1.0}},
      {"three steps, middle at 1", 3, 1, true, CurveType::hermite3, {0.0, 0.4, 1.0}},
      {"nine steps, middle at 4", 9, 4, true, CurveType::hermite3,
       {0.0, 0.4 * q, 0.4 * h, 0.4 * tq, 0.4, 0.4 + 0.6 * q, 0.4 + 0.6 * h, 0.4 + 0.6 * tq, 1.0}},
      {"middle at 0: straight into the second half", 4, 0, true, CurveType::linear,
       {0.0, 0.4 + 0.6 / 3, 0.4 + 1.2 / 3, 1.0}},
      {"middle at the last index: the end is never reached", 4, 3, true, CurveType::linear,
       {0.0, 0.4 / 3, 0.8 / 3, 0.4}},
  };
  // clang-format on
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    auto colors = ColorHelper::interpolateColors(
        grey(0.0), c.threeAnchors ? std::optional(grey(0.4)) : std::nullopt, grey(1.0),
        InterpolationMethod::linearLegacy, c.steps, c.middleIndex, c.curve, 1.0);
    ASSERT_EQ(colors.size(), c.expected.size());
    for (std::size_t i = 0; i < colors.size(); ++i) {
      EXPECT_NEAR(colors[i].redComponent(), c.expected[i], 1e-12) << "index " << i;
      EXPECT_EQ(colors[i].colorSpace(), PlatformColorSpace::sRGB());
    }
  }
}

TEST(InterpolationMethods, AnchorsComeBackExactly) {
  const auto start = PlatformColor::colorWithDisplayP3Red(0.9, 0.2, 0.1, 1.0);
  const auto middle = PlatformColor::colorWithSRGBRed(0.3, 0.6, 0.2, 0.5);
  const auto end = PlatformColor::colorWithSRGBRed(0.1, 0.1, 0.8, 1.0);
  const auto linear = PlatformColorSpace::extendedLinearSRGB();
  for (auto method : allInterpolationMethods) {
    SCOPED_TRACE(std::string(caseName(method)));
    auto colors = ColorHelper::interpolateColors(start, middle, end, method, 7, 3, CurveType::cosine, 1.0);
    ASSERT_EQ(colors.size(), 7u);
    if (method == InterpolationMethod::linearLegacy) {
      EXPECT_EQ(colors[0], start);
      EXPECT_EQ(colors[3], middle);
      EXPECT_EQ(colors[6], end);
      continue;
    }
    EXPECT_EQ(colors[0], *start.colorUsingColorSpace(linear));
    EXPECT_EQ(colors[6], *end.colorUsingColorSpace(linear));
    // The linear method hands the middle anchor back as it was given.
    if (method == InterpolationMethod::linear)
      EXPECT_EQ(colors[3], middle);
    else
      EXPECT_EQ(colors[3], *middle.colorUsingColorSpace(linear));
    for (int i : {1, 2, 4, 5}) EXPECT_EQ(colors[static_cast<std::size_t>(i)].colorSpace(), linear);
  }
}

TEST(InterpolationMethods, LinearMixesInLinearLight) {
  auto colors = ColorHelper::interpolateColors(grey(0.0), std::nullopt, grey(1.0),
                                               InterpolationMethod::linear, 3, 0, CurveType::linear, 1.0);
  ASSERT_EQ(colors.size(), 3u);
  EXPECT_DOUBLE_EQ(colors[1].redComponent(), 0.5);  // half the light, not half the code value
  EXPECT_GT(colors[1].colorUsingColorSpace(PlatformColorSpace::sRGB())->redComponent(), 0.7);
}

double hueDegrees(const PlatformColor& linear) {
  double hue = mcu::linearSRGBtoOKLCH(linear).hueInDegrees();
  return std::fmod(hue, 360.0);
}

PlatformColor fromOKLCH(double lightness, double chroma, double hueDegrees) {
  auto rgb = mcu::RawLCHValues::withHueDegrees(lightness, chroma, hueDegrees, 1.0).toLinearSRGB();
  return PlatformColor::colorWithColorSpace(PlatformColorSpace::extendedLinearSRGB(),
                                            {rgb.red, rgb.green, rgb.blue, rgb.alpha});
}

// The hue rules (the short arc, a grey end taking the other's hue) belong to
// the OKLCH values and are checked there; here, that a ramp mixes through them.
TEST(InterpolationMethods, OKLCHTakesTheShortHueArc) {
  auto colors =
      ColorHelper::interpolateColors(fromOKLCH(0.7, 0.1, 350), std::nullopt, fromOKLCH(0.7, 0.1, 10),
                                     InterpolationMethod::oklch, 5, 0, CurveType::linear, 1.0);
  ASSERT_EQ(colors.size(), 5u);
  const double expected[] = {350, 355, 0, 5, 10};
  for (std::size_t i = 0; i < 5; ++i) {
    double difference = std::remainder(hueDegrees(colors[i]) - expected[i], 360.0);
    // The OKLab matrices are inverses to about eight digits.
    EXPECT_NEAR(difference, 0.0, 1e-3) << "index " << i;
  }
}

TEST(InterpolationMethods, OKLABMixesLabComponents) {
  const auto a = fromOKLCH(0.4, 0.1, 30);
  const auto b = fromOKLCH(0.8, 0.05, 200);
  auto colors = ColorHelper::interpolateColors(a, std::nullopt, b, InterpolationMethod::oklab, 3, 0,
                                               CurveType::linear, 1.0);
  ASSERT_EQ(colors.size(), 3u);
  auto labA = mcu::linearsRGBToOKLAB(a), labB = mcu::linearsRGBToOKLAB(b),
       mid = mcu::linearsRGBToOKLAB(colors[1]);
  EXPECT_NEAR(mid.l, (labA.l + labB.l) / 2, 1e-6);
  EXPECT_NEAR(mid.a, (labA.a + labB.a) / 2, 1e-6);
  EXPECT_NEAR(mid.b, (labA.b + labB.b) / 2, 1e-6);
}

TEST(InterpolationMethods, UnconvertibleColourGivesNoRamp) {
  const auto broken =
      PlatformColor::colorWithSRGBRed(std::numeric_limits<double>::quiet_NaN(), 0.0, 0.0, 1.0);
  for (auto method : {InterpolationMethod::linear, InterpolationMethod::oklch, InterpolationMethod::oklab}) {
    SCOPED_TRACE(std::string(caseName(method)));
    EXPECT_TRUE(
        ColorHelper::interpolateColors(broken, std::nullopt, grey(1), method, 5, 0, CurveType::linear, 1)
            .empty());
    EXPECT_TRUE(
        ColorHelper::interpolateColors(grey(0), broken, grey(1), method, 5, 2, CurveType::linear, 1).empty());
    auto shadow = std::make_shared<ShadowDetails>(0, 1, 2, 0, grey(0));
    auto brokenShadow = std::make_shared<ShadowDetails>(0, 4, 8, 0, broken);
    EXPECT_TRUE(
        ColorHelper::interpolateShadows(shadow, nullptr, brokenShadow, method, 5, 0, CurveType::linear, 1)
            .empty());
  }
}

TEST(InterpolationShadows, ValuesRoundToThreeDecimalsAndKeepAnchors) {
  auto start = std::make_shared<ShadowDetails>(0, 1, 0, 0, grey(0));
  auto end = std::make_shared<ShadowDetails>(-2, 2, 10, 1, grey(1));
  LinearInterpolator interpolator(4, 0);
  auto values = interpolator.interpolateShadowValues(start, end, CurveType::linear, 1.0);
  ASSERT_EQ(values.size(), 4u);
  EXPECT_EQ(values[0], start);  // the very objects
  EXPECT_EQ(values[3], end);
  EXPECT_EQ(values[1]->yOffset(), 1.333);
  EXPECT_EQ(values[2]->yOffset(), 1.667);
  EXPECT_EQ(values[1]->xOffset(), -0.667);  // half away from zero
  EXPECT_EQ(values[1]->blur(), 3.333);
  EXPECT_EQ(values[1]->color(), PlatformColor::sRGBClear());

  // The curve is not clamped for shadow values: the offsets follow it as is.
  auto eased = interpolator.interpolateShadowValues(start, end, CurveType::hermite3, 1.0);
  EXPECT_EQ(eased[1]->yOffset(), std::round((1.0 + alter(CurveType::hermite3, 1.0 / 3, 1.0)) * 1000) / 1000);
}

TEST(InterpolationShadows, WholeShadowsAreFreshCopies) {
  auto start = std::make_shared<ShadowDetails>(0, 0, 0, 0, grey(0));
  auto middle = std::make_shared<ShadowDetails>(0, 4, 8, 0, grey(0.5));
  auto end = std::make_shared<ShadowDetails>(0, 8, 16, 2, grey(1));
  auto shadows = ColorHelper::interpolateShadows(start, middle, end, InterpolationMethod::linearLegacy, 5, 2,
                                                 CurveType::linear, 1.0);
  ASSERT_EQ(shadows.size(), 5u);
  EXPECT_NE(shadows[0], start);
  EXPECT_EQ(*shadows[0], *start);
  EXPECT_EQ(*shadows[2], *middle);
  EXPECT_EQ(shadows[1]->yOffset(), 2.0);
  EXPECT_EQ(shadows[3]->blur(), 12.0);
  EXPECT_DOUBLE_EQ(shadows[3]->color().redComponent(), 0.75);
}

}  // namespace
}  // namespace tavlo
