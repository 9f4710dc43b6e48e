// The rules of evaluation, one table each: what a test requires, when a
// value passes, how colours are measured, and which pairs and appearances a
// test group produces.
#include <cmath>
#include <limits>

#include "ContrastTestSupport.h"
#include "TavloData/DataTestSupport.h"

namespace {

using namespace contrasttest;
using tavlo::testsupport::readItems;

TEST(ContrastRequirement, ThresholdsAndTextSizes) {
  using W = TestFontWeight;
  using T = TestThresholdType;
  constexpr auto wcag = TestTaskType::wcagContrastTest;
  constexpr auto apca = TestTaskType::apcaContrastTest;
  struct Case {
    TestTaskType type;
    std::optional<T> thresholdType;
    std::optional<std::int64_t> threshold, size;
    std::optional<W> weight;
    double required;
  } cases[] = {
      {wcag, {}, {}, {}, {}, 4.5},
      {wcag, T::luminosity, 7, {}, {}, 7},
      {wcag, {}, 21, {}, {}, 21},
      {wcag, {}, 22, {}, {}, 2.2},  // above 21: tenths
      {wcag, {}, 45, {}, {}, 4.5},
      {apca, {}, {}, {}, {}, 60},
      {apca, T::luminosity, 75, {}, {}, 75},
      {apca, {}, 90, {}, {}, 90},  // never tenths for APCA
      // Text size: the threshold is not read.
      {wcag, T::textSize, 45, {}, {}, 4.5},
      {wcag, T::textSize, {}, 23, W::sixHundred, 4.5},
      {wcag, T::textSize, {}, 24, {}, 3},
      {wcag, T::textSize, {}, 18, W::sevenHundred, 4.5},
      {wcag, T::textSize, {}, 19, W::sevenHundred, 3},
      {apca, T::textSize, 10, {}, {}, 90},  // 16 px at 400
      {apca, T::textSize, {}, 16, W::sevenHundred, 60},
      {apca, T::textSize, {}, 15, W::sevenHundred, 75},
      {apca, T::textSize, {}, 14, W::sevenHundred, 75},
      {apca, T::textSize, {}, 13, W::sevenHundred, 90},
      {apca, T::textSize, {}, 18, {}, 75},
      {apca, T::textSize, {}, 24, W::twoHundred, 60},
      {apca, T::textSize, {}, 24, W::sevenHundred, 45},
      {apca, T::textSize, {}, 36, {}, 45},
  };
  for (const Case& c : cases) {
    TestTask test("id", "t", c.type);
    test.setThresholdType(c.thresholdType);
    test.setThreshold(c.threshold);
    test.setMinFontSize(c.size);
    test.setMinFontWeight(c.weight);
    SCOPED_TRACE(::testing::Message() << rawValue(c.type) << " threshold " << c.threshold.value_or(-1)
                                      << " size " << c.size.value_or(-1));
    EXPECT_EQ(requirementFor(test).required, c.required);
    EXPECT_EQ(requirementFor(test).method, c.type);
  }
}

TEST(ContrastRequirement, ValuesPassAtTheRequirementAndNeverByRounding) {
  const ContrastRequirement wcag{TestTaskType::wcagContrastTest, 4.5};
  const ContrastRequirement apca{TestTaskType::apcaContrastTest, 60};
  struct Case {
    ContrastRequirement requirement;
    double value;
    bool pass;
  } cases[] = {
      {wcag, 4.5, true},     {wcag, 4.499, false},   {wcag, std::nextafter(4.5, 0.0), false},
      {wcag, 21, true},      {apca, 60, true},       {apca, -60, true},
      {apca, 59.999, false}, {apca, -59.999, false}, {apca, std::numeric_limits<double>::quiet_NaN(), false},
  };
  for (const Case& c : cases) EXPECT_EQ(meetsRequirement(c.requirement, c.value), c.pass) << c.value;
}

TEST(ContrastMeasure, ColoursAreMeasuredAsWhatTheyAre) {
  const auto p3Red = mcu::PlatformColor::colorWithDisplayP3Red(1, 0, 0, 1);
  const MeasuredColor measured = measuredColor(p3Red);
  // Outside sRGB: the measure keeps what clipping would lose.
  EXPECT_GT(measured.red, 1.0);
  EXPECT_LT(measured.green, 0.0);
  EXPECT_NE(wcagLuminance(measured), wcagLuminance(measuredColor(srgb(1, 0, 0))));

  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  struct Case {
    mcu::PlatformColor color;
    double wcag;
  } cases[] = {
      {srgb(nan, nan, nan, nan), 0},  // not a number reads as 0, alpha as 1
      {srgb(inf, 0, 0), 0},
      {srgb(-1, -1, -1), 0},  // no visible colour is darker than black
      {srgb(1e300, 1e300, 1e300), kMaxLuminance},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.color.description());
    const MeasuredColor m = measuredColor(c.color);
    EXPECT_EQ(wcagLuminance(m), c.wcag);
    EXPECT_TRUE(std::isfinite(apcaLuminance(m)));
    EXPECT_TRUE(std::isfinite(apcaContrast(apcaLuminance(m), 0)));
    EXPECT_TRUE(std::isfinite(wcagContrastRatio(wcagLuminance(m), 0)));
  }
}

TEST(ContrastMeasure, TranslucentColoursAreLaidOverThePageThenTheBackground) {
  const auto clear = srgb(0, 0, 0, 0);
  const auto halfBlack = srgb(0, 0, 0, 0.5);
  struct Case {
    mcu::PlatformColor text, background;
    ColorSource appearance;
    double ratio;
  } cases[] = {
      // A clear background shows the page: white in light, black in dark.
      {srgb(0, 0, 0), clear, ColorSource::light, 21},
      {srgb(1, 1, 1), clear, ColorSource::dark, 21},
      // A clear foreground shows the background it is on.
      {clear, srgb(0.2, 0.4, 0.6), ColorSource::light, 1},
      // Half black over white blends in encoded sRGB, as screens do: 0.5 grey.
      {halfBlack, srgb(1, 1, 1), ColorSource::light, wcagContrastRatio(1, wcagLuminance({0.5, 0.5, 0.5, 1}))},
      {srgb(1, 1, 1), halfBlack, ColorSource::light, wcagContrastRatio(1, wcagLuminance({0.5, 0.5, 0.5, 1}))},
      {srgb(1, 1, 1), halfBlack, ColorSource::dark, 21},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text.description() + " on " + c.background.description());
    const bool dark = c.appearance == ColorSource::dark;
    const auto text = member("t", TestPosition::foreground, dark ? srgb(1, 0, 0) : c.text,
                             dark ? std::optional(c.text) : std::nullopt);
    const auto back = member("b", TestPosition::background, c.background,
                             dark ? std::optional(c.background) : std::nullopt);
    EXPECT_NEAR(measurePair(TestTaskType::wcagContrastTest, text, back, c.appearance), c.ratio, 1e-12);
  }
}

// Members with their roles; every result as "fg/bg/appearance".
std::vector<std::string> measurements(const std::vector<ContrastMember>& members) {
  std::vector<std::string> out;
  PreparedMembers(members).forEachMeasurement(
      TestTaskType::wcagContrastTest, [&](std::uint32_t f, std::uint32_t b, ColorSource a, double) {
        out.push_back(members[f].name + "/" + members[b].name + "/" + std::string(caseName(a)));
      });
  return out;
}

TEST(ContrastPairs, RolesAndAppearancesDecideThePairs) {
  using P = TestPosition;
  using Strings = std::vector<std::string>;
  const auto grey = srgb(0.5, 0.5, 0.5);
  auto themed = [&](std::string name, P role, ColorSource source) {
    ContrastMember m = member(std::move(name), role, grey);
    std::const_pointer_cast<ThemeableColor>(m.color)->setVariant(source, srgb(0.1, 0.1, 0.1));
    return m;
  };
  struct Case {
    const char* what;
    std::vector<ContrastMember> members;
    Strings expected;
  } cases[] = {
      {"never a member with itself", {member("A", P::both, grey)}, {}},
      {"two foregrounds make no pair",
       {member("A", P::foreground, grey), member("B", P::foreground, grey)},
       {}},
      {"both plays either role",
       {member("A", P::both, grey), member("B", P::both, grey), member("C", P::background, grey)},
       {"A/B/light", "A/C/light", "B/A/light", "B/C/light"}},
      {"an appearance of its own on either side",
       {themed("F", P::foreground, ColorSource::darkHighContrast),
        themed("B", P::background, ColorSource::dark)},
       {"F/B/light", "F/B/dark", "F/B/darkHighContrast"}},
      {"high contrast only",
       {member("F", P::foreground, grey), themed("B", P::background, ColorSource::lightHighContrast)},
       {"F/B/light", "F/B/lightHighContrast"}},
  };
  for (const Case& c : cases) EXPECT_EQ(measurements(c.members), c.expected) << c.what;
}

TEST(ContrastPairs, AnAppearanceWithoutItsOwnVariantShowsTheLightOne) {
  // The background has a dark variant; the foreground has none, so in dark
  // it is measured with its light colour, over the dark background.
  const auto text = member("t", TestPosition::foreground, srgb(0, 0, 0));
  const auto back = member("b", TestPosition::background, srgb(1, 1, 1), srgb(0, 0, 0));
  EXPECT_EQ(measurePair(TestTaskType::wcagContrastTest, text, back, ColorSource::light), 21);
  EXPECT_EQ(measurePair(TestTaskType::wcagContrastTest, text, back, ColorSource::dark), 1);
}

}  // namespace
