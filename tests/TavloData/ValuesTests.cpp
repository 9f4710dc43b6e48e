// Themeable values, appearance types and the value items' bookkeeping.
#include "DataTestSupport.h"

namespace tavlo {
namespace {

using namespace testsupport;

using mcu::PlatformColor;
using AT = AppearanceType;

const PlatformColor red = PlatformColor::colorWithSRGBRed(1, 0, 0, 1);
const PlatformColor green = PlatformColor::colorWithSRGBRed(0, 1, 0, 1);
const PlatformColor blue = PlatformColor::colorWithSRGBRed(0, 0, 1, 1);
const PlatformColor grey = PlatformColor::colorWithSRGBRed(0.5, 0.5, 0.5, 1);

TEST(AppearanceTypes, ChangingOneHalfKeepsTheOther) {
  for (AT type : allAppearanceTypes) {
    EXPECT_EQ(fromDisplayable(asDisplayableAppearance(type), asDisplayableContrast(type)), type);
    EXPECT_EQ(supportsDark(type), asDisplayableAppearance(type) == DisplayableAppearance::lightAndDark);
  }
  MerrinColorNumber number(std::make_shared<ThemeableNumber>(1), {}, {}, {}, AT::highContrastAuto);
  number.changeAppearance(DisplayableAppearance::lightAndDark);
  EXPECT_EQ(number.appearanceType(), AT::lightDarkHighContrastAuto);
  number.changeContrast(DisplayableContrast::highContrast);
  EXPECT_EQ(number.appearanceType(), AT::lightDarkHighContrast);
  number.changeAppearance(DisplayableAppearance::none);
  EXPECT_EQ(number.appearanceType(), AT::highContrast);
}

TEST(ThemeableValues, DisplayFallsBackToLightNeverToDark) {
  ThemeableColor color("U", "N", red, blue);
  EXPECT_EQ(color.displayVariantFor(ColorSource::dark), blue);
  EXPECT_EQ(color.displayVariantFor(ColorSource::darkHighContrast), red);
  EXPECT_EQ(color.displayVariantFor(ColorSource::lightHighContrast), red);
  EXPECT_EQ(color.variantFor(ColorSource::light), red);
  EXPECT_EQ(color.variantFor(ColorSource::darkHighContrast), std::nullopt);
}

struct AppearanceChangeCase {
  AT from, to;
  // Expected variants after the change: 'L' light, 'D' the old dark, '-' absent, 'H' old high contrast.
  const char* expected;  // light high contrast, dark, dark high contrast
};

// Variants are filled as: light red, light high contrast green, dark blue,
// dark high contrast grey, but only those the starting type has.
ThemeableColor startingColor(AT from) {
  ThemeableColor color("U", "", red);
  if (supportsDark(from)) color.setDarkVariant(blue);
  if (supportsHighContrast(from)) color.setLightVariantHighContrast(green);
  if (supportsDark(from) && supportsHighContrast(from)) color.setDarkVariantHighContrast(grey);
  return color;
}

TEST(ValueItems, AppearanceChangeFillsAndClearsVariants) {
  const std::vector<AppearanceChangeCase> cases = {
      {AT::lightDarkHighContrast, AT::none, "---"},
      {AT::none, AT::lightDarkHighContrast, "LLL"},
      {AT::none, AT::lightAndDark, "-L-"},
      {AT::lightDarkHighContrast, AT::lightAndDark, "-D-"},
      {AT::lightAndDark, AT::highContrast, "L--"},
      {AT::lightAndDark, AT::lightDarkHighContrast, "LDD"},
      {AT::highContrast, AT::lightDarkHighContrast, "HLL"},
  };
  auto symbol = [](const std::optional<PlatformColor>& color) {
    if (!color) return '-';
    if (*color == red) return 'L';
    if (*color == blue) return 'D';
    if (*color == green) return 'H';
    return '?';
  };
  for (const auto& c : cases) {
    auto color = std::make_shared<ThemeableColor>(startingColor(c.from));
    MerrinColorItem item(color, mcu::ColorSpace::sRGB, c.from, 0.5);
    item.setAppearanceType(c.to);
    const std::string got{symbol(color->lightVariantHighContrast()), symbol(color->darkVariant()),
                          symbol(color->darkVariantHighContrast())};
    EXPECT_EQ(got, c.expected) << rawValue(c.from) << " -> " << rawValue(c.to);
    EXPECT_EQ(color->lightVariant(), red);
  }
}

TEST(ValueItems, AutomaticHighContrastOfColours) {
  auto color = std::make_shared<ThemeableColor>("U", "", grey, blue);
  MerrinColorItem item(color, mcu::ColorSpace::sRGB, AT::lightAndDark, 0.3);
  item.setAppearanceType(AT::highContrastAuto);
  EXPECT_EQ(color->lightVariantHighContrast(), mcu::increaseContrastLCH(grey, 0.3));
  EXPECT_EQ(color->darkVariant(), blue);  // dark variants are not touched
  EXPECT_FALSE(color->darkVariantHighContrast());

  item.setAutoContrastAmount(0.6);
  EXPECT_EQ(color->lightVariantHighContrast(), mcu::increaseContrastLCH(grey, 0.6));

  auto lightOnly = std::make_shared<ThemeableColor>("V", "", grey);
  MerrinColorItem both(lightOnly, mcu::ColorSpace::sRGB, AT::none, 0.4);
  both.setAppearanceType(AT::lightDarkHighContrastAuto);
  EXPECT_EQ(lightOnly->darkVariant(), grey);
  EXPECT_EQ(lightOnly->darkVariantHighContrast(), mcu::increaseContrastLCH(grey, 0.4));
  both.changeColor(red, ColorSource::dark);
  EXPECT_EQ(lightOnly->darkVariantHighContrast(), mcu::increaseContrastLCH(red, 0.4));
  // A hand-made high-contrast colour is overwritten by the next derivation.
  both.changeColor(green, ColorSource::lightHighContrast);
  both.changeColor(blue, ColorSource::light);
  EXPECT_EQ(lightOnly->lightVariantHighContrast(), mcu::increaseContrastLCH(blue, 0.4));
}

TEST(ValueItems, NumbersStringsAndBooleansHaveNoAutomaticContrast) {
  auto value = std::make_shared<ThemeableNumber>(3);
  MerrinColorNumber number(value, {}, {}, {}, AT::none);
  number.setAppearanceType(AT::highContrastAuto);
  EXPECT_FALSE(value->lightVariantHighContrast());
  number.setAppearanceType(AT::lightAndDark);
  EXPECT_EQ(value->darkVariant(), 3.0);
  number.changeValue(std::nullopt, ColorSource::dark);
  EXPECT_FALSE(value->darkVariant());
  number.changeValue(std::nullopt, ColorSource::light);
  EXPECT_EQ(value->lightVariant(), 0.0);

  auto text = std::make_shared<ThemeableString>("x", "y");
  MerrinColorString string(text, AT::lightAndDark);
  string.changeValue(std::nullopt, ColorSource::light);
  EXPECT_EQ(text->lightVariant(), "");
  EXPECT_EQ(text->darkVariant(), "y");
}

TEST(ValueItems, ShadowVariantsAreClonedAndOnlyExistingOnesChange) {
  auto light = std::make_shared<ShadowDetails>(1, 2, 3, 4, grey);
  auto shadow = std::make_shared<ThemeableShadow>("S", "", light);
  MerrinColorShadow item(shadow, mcu::ColorSpace::sRGB, AT::none, 0.5);

  item.changeBlur(9, ColorSource::dark);
  EXPECT_FALSE(shadow->darkVariant());

  item.setAppearanceType(AT::highContrastAuto);  // no light high contrast to derive into
  EXPECT_FALSE(shadow->lightVariantHighContrast());

  item.setAppearanceType(AT::lightDarkHighContrast);
  ASSERT_TRUE(shadow->darkVariant() && shadow->darkVariantHighContrast());
  EXPECT_NE(shadow->darkVariant()->get(), light.get());
  EXPECT_NE(shadow->darkVariantHighContrast()->get(), shadow->darkVariant()->get());
  EXPECT_EQ(**shadow->darkVariant(), *light);
  item.changeBlur(9, ColorSource::dark);
  EXPECT_EQ((*shadow->darkVariant())->blur(), 9);
  EXPECT_EQ(light->blur(), 3);

  item.setAppearanceType(AT::lightDarkHighContrastAuto);
  const auto& lightHighContrast = **shadow->lightVariantHighContrast();
  EXPECT_EQ(lightHighContrast.color(), mcu::increaseContrastLCH(grey, 0.5));
  EXPECT_EQ(lightHighContrast.xOffset(), 1);  // geometry stays
  item.changeColor(red, ColorSource::dark);
  EXPECT_EQ((*shadow->darkVariantHighContrast())->color(), mcu::increaseContrastLCH(red, 0.5));
}

TEST(ValueItems, ColorSpaceConvertsWhileAssignReinterprets) {
  auto converted = std::make_shared<ThemeableColor>("A", "", red, red, green);
  MerrinColorItem convertedItem(converted, mcu::ColorSpace::sRGB, AT::lightDarkHighContrast, 0.5);
  convertedItem.setColorSpace(mcu::ColorSpace::displayP3);
  const PlatformColor p3 = *red.colorUsingColorSpace(mcu::PlatformColorSpace::displayP3());
  EXPECT_EQ(converted->lightVariant(), p3);
  EXPECT_NE(converted->lightVariant().redComponent(), 1.0);
  EXPECT_EQ(converted->lightVariantHighContrast()->colorSpace(), mcu::PlatformColorSpace::displayP3());

  auto assigned = std::make_shared<ThemeableColor>("B", "", red, blue, green);
  MerrinColorItem assignedItem(assigned, mcu::ColorSpace::sRGB, AT::lightDarkHighContrast, 0.5);
  assignedItem.assign(mcu::ColorSpace::displayP3);
  EXPECT_EQ(assigned->lightVariant(), PlatformColor::colorWithDisplayP3Red(1, 0, 0, 1));
  EXPECT_EQ(assigned->darkVariant(), PlatformColor::colorWithDisplayP3Red(0, 0, 1, 1));
  EXPECT_EQ(assigned->lightVariantHighContrast(), green);  // high contrast is not reinterpreted
  EXPECT_EQ(assignedItem.colorSpace(), mcu::ColorSpace::displayP3);
  EXPECT_FALSE(assignedItem.ignoreColorspaceChange());

  assignedItem.assign(mcu::ColorSpace::sRGB, mcu::ColorSpace::displayP3);
  EXPECT_EQ(assigned->lightVariant(), p3);

  // The same space again, or a space while changes are ignored, converts nothing.
  assignedItem.setColorSpace(mcu::ColorSpace::displayP3);
  EXPECT_EQ(assigned->lightVariant(), p3);
  assignedItem.setIgnoreColorspaceChange(true);
  assignedItem.setColorSpace(mcu::ColorSpace::sRGB);
  EXPECT_EQ(assigned->lightVariant(), p3);

  // A shadow converts its colour and keeps its geometry.
  auto light = std::make_shared<ShadowDetails>(1, 2, 3, 4, red);
  MerrinColorShadow shadow(std::make_shared<ThemeableShadow>("S", "", light), mcu::ColorSpace::sRGB, AT::none,
                           0.5);
  shadow.setColorSpace(mcu::ColorSpace::displayP3);
  EXPECT_EQ(light->color(), p3);
  EXPECT_EQ(light->blur(), 3);
}

TEST(ValueItems, ColourFromPlatformColoursPicksTheWorkingSpace) {
  using mcu::PlatformColorSpace;
  struct Case {
    PlatformColor light;
    mcu::ColorSpace space;
    PlatformColorSpace stored;
  };
  const std::vector<Case> cases = {
      {red, mcu::ColorSpace::sRGB, PlatformColorSpace::sRGB()},
      {PlatformColor::colorWithDisplayP3Red(1, 0, 0, 1), mcu::ColorSpace::displayP3,
       PlatformColorSpace::displayP3()},
      {PlatformColor::colorWithColorSpace(PlatformColorSpace::extendedSRGB(), {2, 0, 0, 1}),
       mcu::ColorSpace::sRGBExtended, PlatformColorSpace::extendedSRGB()},
      {PlatformColor::colorWithWhite(PlatformColorSpace::genericGamma22Gray(), 0.5, 1),
       mcu::ColorSpace::displayP3, PlatformColorSpace::sRGB()},
      {PlatformColor::colorWithColorSpace(PlatformColorSpace::adobeRGB1998(), {1, 0, 0, 1}),
       mcu::ColorSpace::displayP3, PlatformColorSpace::displayP3()},
  };
  for (const auto& c : cases) {
    MerrinColorItem item(c.light, red, AT::lightAndDark, 0.5);
    EXPECT_EQ(item.colorSpace(), c.space) << c.light;
    EXPECT_EQ(item.color()->lightVariant().colorSpace(), c.stored) << c.light;
    EXPECT_EQ(item.color()->darkVariant(), red);
  }
}

TEST(SharedNumberFormatter, ShadowSummaries) {
  struct Case {
    const char* locale;
    ShadowDetails shadow;
    std::string expected;
  };
  const std::vector<Case> cases = {
      {"en_US", ShadowDetails(), "X: 0, Y: 8, Blur: 8, Spread: 0"},
      {"en_US", ShadowDetails(1.23456, 1234.5, 0.00005, -2, grey),
       "X: 1.2346, Y: 1234.5, Blur: 0, Spread: -2"},
      {"en_US", ShadowDetails(0.00015, 0.00025, 12345678, 0, grey),
       "X: 0.0002, Y: 0.0002, Blur: 12345678, Spread: 0"},
      {"de_DE", ShadowDetails(1.5, 1000, 0, 0, grey), "X: 1,5, Y: 1000, Blur: 0, Spread: 0"},
      // Beyond 100 integer digits the formatter yields nothing, rather than the last 100 digits.
      {"en_US", ShadowDetails(-1.5e300, 1e100, 0, 0, grey), "X: -1.5e+300, Y: 1e+100, Blur: 0, Spread: 0"},
  };
  for (const auto& c : cases) {
    SharedNumberFormatter::setLocale(c.locale);
    EXPECT_EQ(c.shadow.stringValuesSummary(), c.expected) << c.locale;
  }
  SharedNumberFormatter::setLocale("");
}

TEST(ContrastChange, ReachesColourAndShadowKindsBeneathAGroup) {
  auto group = std::make_shared<MerrinColorGroup>();
  auto inner = std::make_shared<MerrinColorGroup>();
  auto color = std::make_shared<MerrinColorItem>(std::make_shared<ThemeableColor>("c", "", red),
                                                 mcu::ColorSpace::sRGB, AT::lightAndDark, 0.5);
  auto alias = std::make_shared<MerrinColorAlias>();
  auto number = std::make_shared<MerrinColorNumber>(std::make_shared<ThemeableNumber>(1), std::nullopt,
                                                    std::nullopt, std::nullopt, AT::none);
  inner->appendItem(MerrinColorProjectItem::makeColorItem("C", color, "C"));
  group->appendItem(MerrinColorProjectItem::makeGroup("G2", inner, "G2"));
  group->appendItem(MerrinColorProjectItem::makeAlias("A", alias, "A"));
  group->appendItem(MerrinColorProjectItem::makeNumberItem("N", number, "N"));
  auto root = MerrinColorProjectItem::makeGroup("G", group, "G");

  changeContrastForItemAndAllSubItems(*root, DisplayableContrast::highContrast);
  EXPECT_EQ(color->appearanceType(), AT::lightDarkHighContrast);
  EXPECT_EQ(alias->appearanceType(), AT::highContrast);
  EXPECT_EQ(number->appearanceType(), AT::none);
}

}  // namespace
}  // namespace tavlo
