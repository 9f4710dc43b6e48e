// Alias references: inflation, which reference stands for a variant, the
// clearing on appearance changes, and the values aliases present.
#include "DataTestSupport.h"

namespace tavlo {
namespace {

using namespace testsupport;

using mcu::PlatformColor;
using AT = AppearanceType;
using CS = ColorSource;

const PlatformColor clear = PlatformColor::sRGBClear();

MerrinColorProjectItemPtr colorNode(const std::string& uuid, const PlatformColor& light,
                                    std::optional<PlatformColor> dark = std::nullopt) {
  auto color = std::make_shared<ThemeableColor>("v-" + uuid, "", light, dark);
  return MerrinColorProjectItem::makeColorItem(
      uuid, std::make_shared<MerrinColorItem>(color, mcu::ColorSpace::sRGB, AT::none, 0.5), uuid);
}

// A ramp of `count` steps named "s0", "s1", ...; step i has light grey(i / 10).
MerrinColorProjectItemPtr rampNode(const std::string& uuid, int count) {
  std::vector<std::shared_ptr<ThemeableColor>> steps;
  for (int i = 0; i < count; ++i)
    steps.push_back(std::make_shared<ThemeableColor>("e" + std::to_string(i), "s" + std::to_string(i),
                                                     grey(i / 10.0), grey(1 - i / 10.0)));
  auto ramp = std::make_shared<MerrinColorSet>(steps, InterpolationMethod::linear, CurveType::linear, 1.0,
                                               0.5, 0.5, SetType::manual, ColorNamingScheme::manual,
                                               mcu::ColorSpace::sRGB, AT::lightAndDark);
  return MerrinColorProjectItem::makeColorSet(uuid, ramp, uuid);
}

std::string uuidOf(const MerrinColorProjectItemPtr& node) {
  return node ? node->uuid() : "-";
}

TEST(AliasReferences, ReferenceUsedForEachVariantByAppearanceType) {
  MerrinColorProject project;
  for (const char* uuid : {"L", "LH", "D", "DH"}) project.appendItem(colorNode(uuid, grey(0.5)));
  struct Case {
    AT type;
    bool withDark;
    std::vector<std::string> expected;  // light, light high contrast, dark, dark high contrast
  };
  const std::vector<Case> cases = {
      {AT::none, true, {"L", "L", "L", "D"}},
      {AT::none, false, {"L", "L", "L", "L"}},
      {AT::lightAndDark, true, {"L", "L", "D", "D"}},
      {AT::lightAndDark, false, {"L", "L", "-", "L"}},
      {AT::highContrast, true, {"L", "LH", "L", "DH"}},
      {AT::lightDarkHighContrast, true, {"L", "LH", "D", "DH"}},
      {AT::lightDarkHighContrastAuto, false, {"L", "LH", "-", "DH"}},
  };
  for (const auto& c : cases) {
    MerrinColorAlias alias(AliasSetType::item("L"),
                           c.withDark ? AliasSetType::item("D") : AliasSetType::notSet(),
                           AliasSetType::setItem("LH", 4), AliasSetType::item("DH"), c.type, 0.5);
    alias.inflate(project);
    std::vector<std::string> got;
    for (CS source : allColorSources) got.push_back(uuidOf(alias.referencedItemToUse(source)));
    EXPECT_EQ(got, c.expected) << rawValue(c.type) << (c.withDark ? " with dark" : "");
    // The index always comes with its node.
    EXPECT_EQ(alias.referenceIndexToUse(CS::lightHighContrast),
              c.expected[1] == "LH" ? std::optional<std::int64_t>(4) : std::nullopt);
  }
}

TEST(AliasReferences, AppearanceChangeClearsUnusedReferences) {
  MerrinColorProject project;
  for (const char* uuid : {"L", "LH", "D", "DH"}) project.appendItem(colorNode(uuid, grey(0.5)));
  // Which of light high contrast, dark, dark high contrast survive; light always does.
  const std::map<AT, std::string> kept = {
      {AT::none, "---"},
      {AT::lightAndDark, "-D-"},
      {AT::highContrast, "H--"},
      {AT::highContrastAuto, "---"},
      {AT::lightDarkHighContrast, "HDX"},
      {AT::lightDarkHighContrastAuto, "-D-"},
  };
  for (const auto& [type, expected] : kept) {
    MerrinColorAlias alias(AliasSetType::item("L"), AliasSetType::item("D"), AliasSetType::set("LH"),
                           AliasSetType::setItem("DH", 1), AT::lightDarkHighContrast, 0.5);
    alias.inflate(project);
    alias.setAppearanceType(type);
    const std::string got{alias.highContrastAliasType().isNotSet() ? '-' : 'H',
                          alias.darkAliasType().isNotSet() ? '-' : 'D',
                          alias.darkHighContrastAliasType().isNotSet() ? '-' : 'X'};
    EXPECT_EQ(got, expected) << rawValue(type);
    EXPECT_EQ(alias.aliasType(), AliasSetType::item("L"));
    // A cleared reference loses its node and index as well.
    if (got[2] == '-') {
      EXPECT_FALSE(alias.referencedProjectItemDarkHighContrast());
      EXPECT_FALSE(alias.referencedSetIndexDarkHighContrast());
    }
    // Going back restores nothing.
    alias.setAppearanceType(AT::lightDarkHighContrast);
    EXPECT_EQ(alias.darkAliasType().isNotSet(), got[1] == '-') << rawValue(type);
  }
}

TEST(AliasReferences, InflationFindsTheFirstNodeDepthFirst) {
  MerrinColorProject project;
  auto group = std::make_shared<MerrinColorGroup>();
  group->appendItem(colorNode("DUP", grey(0.1)));
  project.appendItem(MerrinColorProjectItem::makeGroup("G", group, "G"));
  project.appendItem(colorNode("DUP", grey(0.9)));
  auto alias = std::make_shared<MerrinColorAlias>(AliasSetType::item("DUP"), AliasSetType::item("G"),
                                                  AliasSetType::notSet(), AliasSetType::item("nowhere"),
                                                  AT::lightDarkHighContrast, 0.5);
  project.appendItem(MerrinColorProjectItem::makeAlias("A", alias, "A"));

  EXPECT_FALSE(alias->doAnyAliasesReference("DUP"));  // nothing before inflation
  project.inflateAllAliases();
  EXPECT_EQ(alias->referencedProjectItem(), group->items()[0]);
  EXPECT_EQ(ItemUuidIndex(project).firstItem("DUP"), project.firstItem("DUP"));
  EXPECT_TRUE(alias->doAnyAliasesReference("DUP"));
  EXPECT_TRUE(alias->doAnyAliasesReference("G"));
  EXPECT_FALSE(alias->doAnyAliasesReference("nowhere"));
  EXPECT_EQ(project.allAliases(*project.items()[0]).size(), 1u);

  // A reference to a group resolves the node but gives no colour.
  const auto themed = alias->asThemedColor();
  EXPECT_EQ(themed->lightVariant(), grey(0.1));
  EXPECT_FALSE(themed->darkVariant());
  EXPECT_FALSE(themed->darkVariantHighContrast());
}

TEST(AliasValues, FallbacksOfUnresolvedReferences) {
  MerrinColorProject project;
  project.appendItem(colorNode("C", grey(0.2)));
  auto otherAlias =
      std::make_shared<MerrinColorAlias>(AliasSetType::item("C"), AliasSetType::notSet(),
                                         AliasSetType::notSet(), AliasSetType::notSet(), AT::none, 0.5);
  project.appendItem(MerrinColorProjectItem::makeAlias("OTHER", otherAlias, "other"));
  project.appendItem(MerrinColorProjectItem::makeNumberItem(
      "N",
      std::make_shared<MerrinColorNumber>(std::make_shared<ThemeableNumber>(7, 8), std::nullopt, std::nullopt,
                                          std::nullopt, AT::lightAndDark),
      "N"));
  project.inflateAllAliases();

  struct Case {
    const char* what;
    AliasSetType light;
  };
  for (const Case& c : {Case{"not set", AliasSetType::notSet()}, Case{"dangling", AliasSetType::item("gone")},
                        Case{"through another alias", AliasSetType::item("OTHER")},
                        Case{"wrong kind", AliasSetType::item("N")}}) {
    MerrinColorAlias alias(c.light, AliasSetType::item("gone"), AliasSetType::notSet(),
                           AliasSetType::notSet(), AT::lightAndDark, 0.5);
    alias.inflate(project);
    const auto themed = alias.asThemedColor();
    EXPECT_EQ(themed->lightVariant(), clear) << c.what;
    EXPECT_FALSE(themed->darkVariant()) << c.what;
    EXPECT_EQ(themed->displayVariantFor(CS::dark), clear) << c.what;
    EXPECT_EQ(themed->name(), "");
  }

  MerrinColorShadowAlias shadowAlias(AliasSetType::item("C"), {}, {}, {}, AT::none, 0.5);
  shadowAlias.inflate(project);
  EXPECT_EQ(*shadowAlias.asThemedShadow()->lightVariant(), *ShadowDetails::noShadow());

  MerrinColorNumberAlias numberAlias(ItemAliasType::item("N"), ItemAliasType::item("N"),
                                     ItemAliasType::item("C"), ItemAliasType::notSet(),
                                     AT::lightDarkHighContrast, 0);
  numberAlias.inflate(project);
  const auto number = numberAlias.asThemedNumber();
  EXPECT_EQ(number->lightVariant(), 7);
  EXPECT_EQ(number->darkVariant(), 8.0);
  EXPECT_EQ(number->lightVariantHighContrast(), std::nullopt);  // a colour is no number

  MerrinColorStringAlias stringAlias;
  stringAlias.inflate(project);
  EXPECT_EQ(stringAlias.asThemedString()->lightVariant(), "");
  EXPECT_EQ(stringAlias.autoContrastAmount(), 0);
  EXPECT_EQ(MerrinColorAlias().autoContrastAmount(), 0.5);
}

TEST(AliasValues, VariantsComeFromTheirOwnReferenceWithLightFallback) {
  MerrinColorProject project;
  project.appendItem(colorNode("LIGHT", grey(0.1), grey(0.9)));
  project.appendItem(colorNode("PLAIN", grey(0.5)));
  // The stored references are used whatever the appearance type says.
  MerrinColorAlias alias(AliasSetType::item("LIGHT"), AliasSetType::item("LIGHT"),
                         AliasSetType::item("PLAIN"), AliasSetType::item("LIGHT"), AT::none, 0.5);
  alias.inflate(project);
  const auto themed = alias.asThemedColor();
  EXPECT_EQ(themed->lightVariant(), grey(0.1));
  EXPECT_EQ(themed->darkVariant(), grey(0.9));
  EXPECT_EQ(themed->lightVariantHighContrast(), grey(0.5));
  EXPECT_EQ(themed->darkVariantHighContrast(), grey(0.1));  // no dark high contrast: its light variant
  EXPECT_NE(themed->uuid(), alias.asThemedColor()->uuid());
}

// Step and whole-ramp resolution through documents is covered by the reader's
// tests; these are the cases a document does not reach.
TEST(AliasValues, RampReferences) {
  MerrinColorProject project;
  project.appendItem(rampNode("R9", 9));
  project.appendItem(rampNode("R5", 5));
  project.appendItem(rampNode("EMPTY", 0));

  MerrinColorAlias empty(AliasSetType::set("EMPTY"), {}, {}, {}, AT::none, 0.5);
  empty.inflate(project);
  EXPECT_EQ(empty.asThemedColor()->lightVariant(), clear);

  MerrinColorAlias whole(AliasSetType::set("R9"), AliasSetType::set("R5"), {}, {}, AT::lightAndDark, 0.5);
  whole.inflate(project);
  EXPECT_EQ(whole.lightColorSet(), project.items()[0]->colorSet());
  EXPECT_FALSE(whole.highContrastColorSet());
  EXPECT_EQ(whole.colorSetStepCount(), 5);
  const auto steps = whole.asThemedSetColors();
  ASSERT_EQ(steps.size(), 5u);
  EXPECT_EQ(steps[2]->lightVariant(), grey(0.2));
  EXPECT_EQ(steps[2]->darkVariant(), grey(0.8));  // the dark ramp's step 2, its dark variant
  EXPECT_FALSE(steps[2]->lightVariantHighContrast());
}

TEST(AliasValues, AssignPassesTheSpaceToLightAndDarkItems) {
  MerrinColorProject project;
  const PlatformColor red = PlatformColor::colorWithSRGBRed(1, 0, 0, 1);
  for (const char* uuid : {"L", "D", "H"}) project.appendItem(colorNode(uuid, red));
  MerrinColorAlias alias(AliasSetType::item("L"), AliasSetType::item("D"), AliasSetType::item("H"), {},
                         AT::lightDarkHighContrast, 0.5);
  alias.inflate(project);
  alias.assign(mcu::ColorSpace::displayP3);
  const PlatformColor p3Red = PlatformColor::colorWithDisplayP3Red(1, 0, 0, 1);
  EXPECT_EQ(project.firstItem("L")->color()->color()->lightVariant(), p3Red);
  EXPECT_EQ(project.firstItem("D")->color()->color()->lightVariant(), p3Red);
  EXPECT_EQ(project.firstItem("H")->color()->color()->lightVariant(), red);  // high contrast is not visited
}

}  // namespace
}  // namespace tavlo
