#include "DataTestSupport.h"

namespace tavlo {
namespace {

using namespace testsupport;

using mcu::ColorSpace;
using mcu::PlatformColor;
using mcu::PlatformColorSpace;

const PlatformColor kRed = PlatformColor::colorWithDisplayP3Red(0.9, 0.1, 0.1, 1.0);
const PlatformColor kGreen = PlatformColor::colorWithDisplayP3Red(0.2, 0.8, 0.3, 1.0);
const PlatformColor kBlue = PlatformColor::colorWithDisplayP3Red(0.1, 0.2, 0.9, 1.0);

// OKLCH between red and blue leaves the Display P3 gamut on the way; linear
// mixing stays inside, so its entries are never clipped.
std::shared_ptr<MerrinColorSet> twoValueSet(std::int64_t steps,
                                            ColorNamingScheme naming = ColorNamingScheme::largeNumeric,
                                            AppearanceType appearance = AppearanceType::none,
                                            InterpolationMethod method = InterpolationMethod::oklch) {
  return std::make_shared<MerrinColorSet>(kRed, kBlue, steps, method, CurveType::linear, naming, appearance);
}

std::shared_ptr<MerrinColorSet> threeValueSet(std::int64_t steps) {
  return std::make_shared<MerrinColorSet>(kRed, kGreen, kBlue, steps, ColorSpace::displayP3,
                                          InterpolationMethod::oklch, CurveType::cosine,
                                          ColorNamingScheme::largeNumeric, AppearanceType::none);
}

void expectSameColor(const PlatformColor& actual, const PlatformColor& expected, double precision = 1e-9) {
  auto converted = actual.colorUsingColorSpace(expected.colorSpace());
  ASSERT_TRUE(converted);
  EXPECT_TRUE(mcu::isEffectivelyEqual(*converted, expected, precision))
      << converted->description() << " vs " << expected.description();
}

TEST(RampSetNaming, SchemesNameEveryEntry) {
  struct Case {
    ColorNamingScheme scheme;
    std::vector<std::string> expected;
  };
  const Case cases[] = {
      {ColorNamingScheme::smallNumeric, {"1", "2", "3", "4", "5"}},
      {ColorNamingScheme::mediumNumeric, {"10", "20", "30", "40", "50"}},
      {ColorNamingScheme::largeNumeric, {"100", "200", "300", "400", "500"}},
      {ColorNamingScheme::manual, {"Unnamed", "Unnamed", "Unnamed", "Unnamed", "Unnamed"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(caseName(c.scheme)));
    EXPECT_EQ(names(twoValueSet(5, c.scheme)->colors()), c.expected);
  }
  // Manual names survive regeneration; switching the scheme renames.
  auto set = twoValueSet(3, ColorNamingScheme::manual);
  set->colors()[1]->setName("Brand");
  set->setCurveType(CurveType::hermite3);
  EXPECT_EQ(names(set->colors()), (Names{"Unnamed", "Brand", "Unnamed"}));
  set->setNamingScheme(ColorNamingScheme::smallNumeric);
  EXPECT_EQ(names(set->colors()), (Names{"1", "2", "3"}));
}

TEST(RampSetGeneration, AnchorsAndWorkingSpace) {
  auto set = twoValueSet(5);
  ASSERT_EQ(set->colors().size(), 5u);
  EXPECT_EQ(set->colorSpace(), ColorSpace::displayP3);  // from the start colour
  expectSameColor(set->colors().front()->lightVariant(), kRed);
  expectSameColor(set->colors().back()->lightVariant(), kBlue);
  for (const auto& entry : set->colors())
    EXPECT_EQ(entry->lightVariant().colorSpace(), PlatformColorSpace::displayP3());
  // A start colour in a space a ramp does not work in makes a Display P3 ramp.
  auto fromLinear = std::make_shared<MerrinColorSet>(
      PlatformColor::colorWithColorSpace(PlatformColorSpace::extendedLinearSRGB(), {0.2, 0.2, 0.2, 1}), kBlue,
      3, InterpolationMethod::linear, CurveType::linear, ColorNamingScheme::smallNumeric,
      AppearanceType::none);
  EXPECT_EQ(fromLinear->colorSpace(), ColorSpace::displayP3);
}

TEST(RampSetGeneration, ChangingAnAnchorRebuildsWithFreshIdentifiers) {
  auto set = twoValueSet(5);
  auto before = uuids(set->colors());
  set->changeSetColor(0, kGreen, ColorSource::light);
  auto after = uuids(set->colors());
  ASSERT_EQ(after.size(), 5u);
  for (std::size_t i = 0; i < 5; ++i) EXPECT_NE(after[i], before[i]) << "index " << i;
  expectSameColor(set->colors()[0]->lightVariant(), kGreen);
  EXPECT_EQ(names(set->colors()), (Names{"100", "200", "300", "400", "500"}));
}

TEST(RampSetSteps, OnlyThreeToThirtyTwoAreAccepted) {
  struct Case {
    std::int64_t requested;
    std::int64_t expected;
  };
  const Case cases[] = {{2, 5}, {33, 5}, {5, 5}, {3, 3}, {32, 32}};
  for (const auto& c : cases) {
    auto set = twoValueSet(5);
    auto before = uuids(set->colors());
    set->changeSteps(c.requested);
    EXPECT_EQ(set->steps(), c.expected) << c.requested;
    EXPECT_EQ(set->colors().size(), static_cast<std::size_t>(c.expected)) << c.requested;
    if (c.expected == 5) {
      EXPECT_EQ(uuids(set->colors()), before) << "an ignored change leaves the entries alone";
    }
  }
}

TEST(RampSetMiddle, LocationPlacesTheMiddleAnchor) {
  struct Case {
    double location;
    std::int64_t steps;
    std::int64_t expected;
  };
  const Case cases[] = {{0.5, 9, 4}, {0.75, 9, 6}, {0.95, 9, 7}, {0.0, 9, 1},
                        {1.0, 9, 7}, {0.5, 3, 1},  {0.3, 10, 3}};
  for (const auto& c : cases) {
    auto set = threeValueSet(c.steps);
    set->changeMiddle(c.location);
    ASSERT_EQ(set->middleIndex(), c.expected) << c.location << " of " << c.steps;
    expectSameColor(set->colors()[c.expected]->lightVariant(), kGreen);
  }
  // The middle colour stays the anchor when the step count changes.
  auto set = threeValueSet(9);
  set->changeSteps(5);
  ASSERT_EQ(set->colors().size(), 5u);
  EXPECT_EQ(set->middleIndex(), 2);
  expectSameColor(set->middleColor()->lightVariant(), kGreen);
  expectSameColor(set->colors().back()->lightVariant(), kBlue);
}

TEST(RampSetType, SwitchingToThreeValuesTakesTheCentreEntry) {
  auto set = twoValueSet(9);
  set->setMiddleLocation(0.2);
  auto centre = set->colors()[4]->lightVariant();
  set->setType(SetType::threeItems);
  EXPECT_EQ(set->middleLocation(), 0.5);
  EXPECT_EQ(set->middleIndex(), 4);
  expectSameColor(set->colors()[4]->lightVariant(), centre);
}

TEST(RampSetEditing, EditablePositionsAndDerivedVariants) {
  struct Case {
    SetType type;
    AppearanceType appearance;
    std::vector<std::int64_t> editable;  // indices editable in light
    bool highContrastEditable;
  };
  const Case cases[] = {
      {SetType::twoItems, AppearanceType::none, {0, 6}, true},
      {SetType::threeItems, AppearanceType::lightDarkHighContrast, {0, 3, 6}, true},
      {SetType::manual, AppearanceType::highContrastAuto, {0, 1, 2, 3, 4, 5, 6}, false},
      {SetType::twoItems, AppearanceType::lightDarkHighContrastAuto, {0, 6}, false},
  };
  for (const auto& c : cases) {
    auto set = twoValueSet(7);
    set->setType(c.type);
    set->setAppearanceType(c.appearance);
    for (std::int64_t i = 0; i < 7; ++i) {
      bool expected = std::find(c.editable.begin(), c.editable.end(), i) != c.editable.end();
      EXPECT_EQ(set->isIndexEditable(i, ColorSource::light), expected) << i;
      EXPECT_EQ(set->isIndexEditable(i, ColorSource::dark), expected) << i;
      EXPECT_EQ(set->isIndexEditable(i, ColorSource::darkHighContrast), expected && c.highContrastEditable)
          << i;
    }
  }
}

TEST(RampSetContrast, AutomaticHighContrastFollowsTheLightEntries) {
  auto set = twoValueSet(5, ColorNamingScheme::largeNumeric, AppearanceType::highContrastAuto,
                         InterpolationMethod::linear);
  auto check = [&] {
    for (const auto& entry : set->colors()) {
      ASSERT_TRUE(entry->lightVariantHighContrast());
      EXPECT_FALSE(entry->darkVariant());
      expectSameColor(*entry->lightVariantHighContrast(),
                      mcu::increaseContrastLCH(entry->lightVariant(), 0.5), 1e-9);
    }
  };
  check();
  set->changeSetColor(4, kGreen, ColorSource::light);
  check();
  set->setAutoContrastAmount(0.9);
  expectSameColor(*set->colors()[2]->lightVariantHighContrast(),
                  mcu::increaseContrastLCH(set->colors()[2]->lightVariant(), 0.9));

  // With dark variants the dark high contrast follows the dark entries.
  set->setAppearanceType(AppearanceType::lightDarkHighContrastAuto);
  set->changeSetColor(0, kBlue, ColorSource::dark);
  for (const auto& entry : set->colors()) {
    ASSERT_TRUE(entry->darkVariant() && entry->darkVariantHighContrast());
    expectSameColor(*entry->darkVariantHighContrast(), mcu::increaseContrastLCH(*entry->darkVariant(), 0.9));
  }
  expectSameColor(*set->colors()[0]->darkVariant(), kBlue);
}

TEST(RampSetAppearance, VariantsFollowTheNewType) {
  auto set = twoValueSet(3);
  set->setAppearanceType(AppearanceType::lightAndDark);
  for (const auto& entry : set->colors()) {
    ASSERT_TRUE(entry->darkVariant());
    EXPECT_EQ(*entry->darkVariant(), entry->lightVariant());
    EXPECT_FALSE(entry->lightVariantHighContrast());
  }
  set->changeSetColor(0, kGreen, ColorSource::dark);
  set->setAppearanceType(AppearanceType::lightDarkHighContrast);
  // Missing variants are filled in; the edited dark anchor stays.
  expectSameColor(*set->colors()[0]->darkVariant(), kGreen);
  expectSameColor(*set->colors()[0]->darkVariantHighContrast(), kGreen);
  expectSameColor(*set->colors()[0]->lightVariantHighContrast(), kRed);
  set->setAppearanceType(AppearanceType::highContrast);
  for (const auto& entry : set->colors()) {
    EXPECT_FALSE(entry->darkVariant());
    EXPECT_FALSE(entry->darkVariantHighContrast());
    ASSERT_TRUE(entry->lightVariantHighContrast());
    EXPECT_EQ(*entry->lightVariantHighContrast(), entry->lightVariant());
  }
  set->setAppearanceType(AppearanceType::none);
  for (const auto& entry : set->colors()) EXPECT_FALSE(entry->lightVariantHighContrast());
}

TEST(RampSetColorSpace, ConvertsUnlessToldToIgnore) {
  auto set = twoValueSet(4);
  set->setColorSpace(ColorSpace::sRGB);
  for (const auto& entry : set->colors())
    EXPECT_EQ(entry->lightVariant().colorSpace(), PlatformColorSpace::sRGB());
  expectSameColor(set->colors().front()->lightVariant(),
                  *kRed.colorUsingColorSpace(PlatformColorSpace::sRGB()));

  auto kept = twoValueSet(4);
  const auto before = kept->colors();
  kept->setIgnoreColorspaceChange(true);
  kept->setColorSpace(ColorSpace::sRGB);
  EXPECT_EQ(kept->colorSpace(), ColorSpace::sRGB);
  EXPECT_EQ(kept->colors(), before);
  for (const auto& entry : kept->colors())
    EXPECT_EQ(entry->lightVariant().colorSpace(), PlatformColorSpace::displayP3());

  // Assigning takes the same components in the new space.
  auto assigned = twoValueSet(3);
  assigned->assign(ColorSpace::sRGB);
  EXPECT_EQ(assigned->colorSpace(), ColorSpace::sRGB);
  EXPECT_TRUE(mcu::isEffectivelyEqual(assigned->colors()[0]->lightVariant(),
                                      PlatformColor::colorWithSRGBRed(0.9, 0.1, 0.1, 1.0), 1e-12));
  EXPECT_FALSE(assigned->ignoreColorspaceChange());
}

TEST(RampSetManual, GrowsFromTheLastEntryAndShrinksFromTheEnd) {
  auto set = std::make_shared<MerrinColorSet>(std::vector<std::shared_ptr<ThemeableColor>>{},
                                              InterpolationMethod::linear, CurveType::linear, 1.0, 0.5, 0.5,
                                              SetType::manual, ColorNamingScheme::manual, ColorSpace::sRGB,
                                              AppearanceType::lightDarkHighContrast);
  EXPECT_EQ(set->steps(), 0);
  set->setSteps(2);
  set->regenerateColorsIfNeeded();
  ASSERT_EQ(set->colors().size(), 2u);
  for (const auto& entry : set->colors()) {
    EXPECT_EQ(entry->name(), "Unnamed");
    EXPECT_EQ(entry->lightVariant(), PlatformColor::sRGBWhite());
    EXPECT_EQ(entry->lightVariantHighContrast(), PlatformColor::sRGBWhite());
    EXPECT_EQ(entry->darkVariant(), PlatformColor::sRGBBlack());
    EXPECT_EQ(entry->darkVariantHighContrast(), PlatformColor::sRGBBlack());
  }
  EXPECT_NE(set->colors()[0]->uuid(), set->colors()[1]->uuid());

  set->changeSetColor(1, kBlue, ColorSource::light);
  set->setAppearanceType(AppearanceType::highContrastAuto);
  set->changeSteps(4);
  ASSERT_EQ(set->colors().size(), 4u);
  EXPECT_EQ(set->colors()[3]->lightVariant(), kBlue);
  expectSameColor(*set->colors()[3]->lightVariantHighContrast(), mcu::increaseContrastLCH(kBlue, 0.5));

  const std::string firstUuid = set->colors()[0]->uuid();
  set->changeSteps(3);
  ASSERT_EQ(set->colors().size(), 3u);
  EXPECT_EQ(set->colors()[0]->uuid(), firstUuid);
}

// --- shadow ramps ------------------------------------------------------------

ShadowDetailsRef shadow(double y, double blur, const PlatformColor& color) {
  return std::make_shared<ShadowDetails>(0.0, y, blur, 0.0, color);
}

TEST(RampShadowSet, GeneratesGeometryAndColours) {
  auto start = shadow(1, 2, kRed);
  MerrinColorShadowSet set(start, shadow(2, 8, kBlue), 4, ColorSpace::displayP3, InterpolationMethod::linear,
                           CurveType::linear, ColorNamingScheme::smallNumeric, AppearanceType::none);
  ASSERT_EQ(set.shadows().size(), 4u);
  EXPECT_NE(set.shadows()[0]->lightVariant(), start);  // anchors are copied
  EXPECT_EQ(set.shadows()[2]->lightVariant()->blur(), 6.0);
  expectSameColor(*set.color(0, ColorSource::light), kRed);

  set.changeSetY(3, 5.0, ColorSource::light);
  EXPECT_EQ(set.shadows()[3]->lightVariant()->yOffset(), 5.0);
  EXPECT_EQ(set.shadows()[2]->lightVariant()->yOffset(), 3.667);
  set.changeSetY(3, 9.0, ColorSource::dark);  // no dark variant: nothing to change
  EXPECT_EQ(set.shadows()[3]->lightVariant()->yOffset(), 5.0);
}

TEST(RampShadowSet, ManualGrowthStartsFromNoShadow) {
  MerrinColorShadowSet set({}, InterpolationMethod::linear, CurveType::linear, 1.0, 0.5, 0.5, SetType::manual,
                           ColorNamingScheme::smallNumeric, ColorSpace::sRGB, AppearanceType::lightAndDark);
  set.setSteps(2);
  set.regenerateShadowsIfNeeded();
  ASSERT_EQ(set.shadows().size(), 2u);
  EXPECT_EQ(*set.shadows()[1]->lightVariant(), *ShadowDetails::noShadow());
  EXPECT_EQ(**set.shadows()[1]->darkVariant(), *ShadowDetails::noShadow());
  // Entries never share their shadow objects.
  EXPECT_NE(set.shadows()[0]->lightVariant(), set.shadows()[1]->lightVariant());
}

}  // namespace
}  // namespace tavlo
