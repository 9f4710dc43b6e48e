// Reading value items and aliases from documents, checked through the
// project the reader returns.
#include "DataTestSupport.h"

namespace tavlo {
namespace {

using namespace testsupport;

using mcu::PlatformColor;
using mcu::PlatformColorSpace;

// The only top-level node, or null when the item was left out.
MerrinColorProjectItemPtr readOne(const std::string& item) {
  auto project = readItems(item);
  EXPECT_LE(project->items().size(), 1u) << item;
  return project->items().empty() ? nullptr : project->items().front();
}

std::string colorItem(const std::string& inner) {
  return "<colorItem><name>C</name>" + inner + "</colorItem>";
}
std::string variants(const std::string& inner) {
  return "<variants>" + inner + "</variants>";
}
std::string rgba(const std::string& text, const std::string& type = "") {
  return "<variant" + (type.empty() ? "" : " type=\"" + type + "\"") + "><rgba>" + text + "</rgba></variant>";
}
// A colour item in sRGB with the given variants; `more` goes before them.
std::string srgbItem(const std::string& variantList, const std::string& more = "") {
  return colorItem(more + "<profile>sRGB</profile><color>" + variants(variantList) + "</color>");
}
// A number, boolean or string item: <kindItem>more<kind><variants>...</variants></kind></kindItem>.
std::string valueItem(const std::string& kind, const std::string& variantList, const std::string& more = "") {
  return "<" + kind + "Item>" + more + "<" + kind + ">" + variants(variantList) + "</" + kind + "></" + kind +
         "Item>";
}

// A shadow item with the given profile element and shadow details.
std::string shadowItem(const std::string& profile, const std::string& details) {
  return "<shadowItem>" + profile + "<shadow><variants><variant><shadowDetails>" + details +
         "</shadowDetails></variant></variants></shadow></shadowItem>";
}

// The rules the lint table in LintTests already drops an item by are not repeated here.
TEST(ValueReading, ItemIsLeftOutWhenItsLightValueCannotBeRead) {
  const std::pair<const char*, std::string> unreadable[] = {
      {"three numbers", srgbItem(rgba("1 0 0"))},
      {"not a number", srgbItem(rgba("1 0 x 1"))},
      {"light typed \"light\"", srgbItem(rgba("1 0 0 1", "light"))},
      {"number without value", valueItem("number", "<variant/>")},
      {"boolean True", valueItem("boolean", "<variant><value>True</value></variant>")},
      {"string without light", valueItem("string", "<variant type=\"dark\"/>")},
      {"no string", "<stringItem><name>S</name></stringItem>"},
      {"shadow without profile", shadowItem("", "<colorRgba>0 0 0 1</colorRgba>")},
      {"shadow colour of three", shadowItem("<profile>sRGB</profile>", "<colorRgba>0 0 1</colorRgba>")},
      {"no item element", "<colorAlias><name>A</name></colorAlias>"},
  };
  // Left out without a trace: no empty node takes its place.
  for (const auto& [what, element] : unreadable) EXPECT_TRUE(readItems(element)->items().empty()) << what;
  EXPECT_NE(readOne(srgbItem(rgba("1 0 0 1"))), nullptr);
  EXPECT_NE(readOne(valueItem("number", "<variant><value>2.5</value></variant>")), nullptr);
}

TEST(ValueReading, ColoursAreTakenInTheProfileSpaceUnchanged) {
  struct Case {
    std::string profile, rgba;
    PlatformColor expected;
    mcu::ColorSpace space;
  };
  const std::vector<Case> cases = {
      {"DisplayP3", "1 0 0 1", PlatformColor::colorWithDisplayP3Red(1, 0, 0, 1), mcu::ColorSpace::displayP3},
      {"sRGB", "0.5 0.25 0 1", PlatformColor::colorWithSRGBRed(0.5, 0.25, 0, 1), mcu::ColorSpace::sRGB},
      {"displayp3", "1 0 0 1", PlatformColor::colorWithSRGBRed(1, 0, 0, 1), mcu::ColorSpace::sRGB},
      {"extendedSRGB", "1.2 -0.1 0 1",
       PlatformColor::colorWithColorSpace(PlatformColorSpace::extendedSRGB(), {1.2, -0.1, 0, 1}),
       mcu::ColorSpace::sRGBExtended},
      {"sRGB", "  1  0 1e-1 1 ", PlatformColor::colorWithSRGBRed(1, 0, 0.1, 1), mcu::ColorSpace::sRGB},
  };
  for (const auto& c : cases) {
    auto node = readOne(
        colorItem("<profile>" + c.profile + "</profile><color>" + variants(rgba(c.rgba)) + "</color>"));
    ASSERT_TRUE(node && node->color()) << c.profile << " " << c.rgba;
    EXPECT_EQ(node->color()->color()->lightVariant(), c.expected) << c.profile;
    EXPECT_EQ(node->color()->colorSpace(), c.space) << c.profile;
  }
}

TEST(ValueReading, VariantsAreFoundByTheirExactTypeAttribute) {
  auto node = readOne(colorItem("<profile>sRGB</profile><color><name>Step</name>" +
                                variants(rgba("0 0 1 1", "dark") + rgba("1 0 0 1") + rgba("0 1 0 1", "Dark") +
                                         rgba("0 0 0 1", "highContrast") + rgba("bad", "darkHighContrast")) +
                                "</color>"));
  ASSERT_TRUE(node);
  const auto& color = *node->color()->color();
  EXPECT_EQ(color.lightVariant(), PlatformColor::colorWithSRGBRed(1, 0, 0, 1));
  EXPECT_EQ(color.darkVariant(), PlatformColor::colorWithSRGBRed(0, 0, 1, 1));
  EXPECT_EQ(color.lightVariantHighContrast(), PlatformColor::colorWithSRGBRed(0, 0, 0, 1));
  EXPECT_FALSE(color.darkVariantHighContrast());  // unreadable: absent, the item stays
  EXPECT_EQ(color.name(), "Step");
  EXPECT_EQ(color.uuid().size(), 36u);  // identifiers of values are never read
}

TEST(ValueReading, AppearanceAndAutoContrastByKind) {
  struct Case {
    std::string appearance, autoContrast;
    AppearanceType type;
    double colorAmount, numberAmount;
  };
  const std::vector<Case> cases = {
      {"<appearance>lightanddark</appearance>", "", AppearanceType::lightAndDark, 0.5, 0},
      {"<appearance>lightAndDark</appearance>", "", AppearanceType::none, 0.5, 0},
      {"<appearance>highContrastAuto</appearance>", "<autoContrast>0.8</autoContrast>",
       AppearanceType::highContrastAuto, 0.8, 0},
      {"", "<autoContrast>abc</autoContrast>", AppearanceType::none, 0.5, 0},
      {"<appearance>lightDarkHighContrast</appearance>", "<autoContrast>-1e-1</autoContrast>",
       AppearanceType::lightDarkHighContrast, -0.1, 0},
  };
  for (const auto& c : cases) {
    const std::string more = c.appearance + c.autoContrast;
    auto colorNode = readOne(srgbItem(rgba("1 0 0 1"), more));
    auto shadowNode = readOne(shadowItem(more + "<profile>sRGB</profile>", "<colorRgba>0 0 0 1</colorRgba>"));
    auto numberNode = readOne(valueItem("number", "<variant><value>1</value></variant>", more));
    auto booleanNode = readOne(valueItem("boolean", "<variant><value>true</value></variant>", more));
    auto stringNode = readOne(valueItem("string", "<variant/>", more));
    auto aliasNode = readOne("<numberAlias>" + c.appearance + c.autoContrast + "</numberAlias>");
    ASSERT_TRUE(colorNode && shadowNode && numberNode && booleanNode && stringNode && aliasNode);
    EXPECT_EQ(colorNode->color()->appearanceType(), c.type) << c.appearance;
    EXPECT_EQ(numberNode->number()->appearanceType(), c.type) << c.appearance;
    EXPECT_EQ(aliasNode->numberAlias()->appearanceType(), c.type) << c.appearance;
    EXPECT_DOUBLE_EQ(colorNode->color()->autoContrastAmount(), c.colorAmount) << c.autoContrast;
    EXPECT_DOUBLE_EQ(shadowNode->shadow()->autoContrastAmount(), c.colorAmount) << c.autoContrast;
    EXPECT_DOUBLE_EQ(aliasNode->numberAlias()->autoContrastAmount(), c.colorAmount) << c.autoContrast;
    EXPECT_DOUBLE_EQ(numberNode->number()->autoContrastAmount(), c.numberAmount) << c.autoContrast;
    EXPECT_DOUBLE_EQ(booleanNode->boolean()->autoContrastAmount(), c.numberAmount) << c.autoContrast;
    EXPECT_DOUBLE_EQ(stringNode->string()->autoContrastAmount(), c.numberAmount) << c.autoContrast;
  }
}

TEST(ValueReading, NumberBooleanAndStringVariants) {
  auto number = readOne(valueItem("number",
                                  "<variant><value>1</value></variant><variant type=\"dark\"><value>x</value>"
                                  "</variant><variant type=\"highContrast\"><value>-3e2</value></variant>",
                                  "<min>abc</min><steps>4</steps>"));
  ASSERT_TRUE(number);
  EXPECT_EQ(number->number()->minValue(), 0.0);  // present but unreadable
  EXPECT_EQ(number->number()->maxValue(), std::nullopt);
  EXPECT_EQ(number->number()->steps(), 4);
  EXPECT_EQ(number->number()->value()->darkVariant(), std::nullopt);
  EXPECT_EQ(number->number()->value()->lightVariantHighContrast(), -300.0);

  auto boolean =
      readOne(valueItem("boolean",
                        "<variant><value>false</value></variant><variant type=\"dark\"><value>true"
                        "</value></variant><variant type=\"darkHighContrast\"><value>1</value></variant>"));
  ASSERT_TRUE(boolean);
  EXPECT_FALSE(boolean->boolean()->value()->lightVariant());
  EXPECT_EQ(boolean->boolean()->value()->darkVariant(), true);
  EXPECT_EQ(boolean->boolean()->value()->darkVariantHighContrast(), std::nullopt);

  auto string = readOne(valueItem(
      "string",
      "<variant/><variant type=\"dark\"/><variant type=\"highContrast\"><value> spaced </value></variant>"));
  ASSERT_TRUE(string);
  EXPECT_EQ(string->string()->value()->lightVariant(), "");
  EXPECT_EQ(string->string()->value()->darkVariant(), std::nullopt);
  EXPECT_EQ(string->string()->value()->lightVariantHighContrast(), " spaced ");
}

TEST(ValueReading, ShadowDetailsFallBackPerField) {
  auto node = readOne(shadowItem("<profile>DisplayP3</profile>",
                                 "<x>1.5</x><y>oops</y><spread>-2</spread><colorRgba>0 0 0 0.5</colorRgba>"));
  ASSERT_TRUE(node);
  const auto& light = *node->shadow()->shadow()->lightVariant();
  EXPECT_EQ(light, ShadowDetails(1.5, 0, 0, -2, PlatformColor::colorWithDisplayP3Red(0, 0, 0, 0.5)));
  EXPECT_EQ(node->shadow()->colorSpace(), mcu::ColorSpace::displayP3);
}

// The two alias families read the same codes differently.
TEST(ValueReading, AliasTypeCodes) {
  struct Case {
    std::string children;
    AliasSetType setType;
    ItemAliasType itemType;
  };
  const std::vector<Case> cases = {
      {"<type>1</type><referencedItemId>R</referencedItemId>", AliasSetType::item("R"),
       ItemAliasType::notSet()},
      {"<type>2</type><referencedItemId>R</referencedItemId>", AliasSetType::set("R"),
       ItemAliasType::item("R")},
      {"<type>3</type><referencedItemId>R</referencedItemId><subIndex>7</subIndex>",
       AliasSetType::setItem("R", 7), ItemAliasType::notSet()},
      {"<type>3</type><referencedItemId>R</referencedItemId><subIndex>2.0</subIndex>",
       AliasSetType::setItem("R", 0), ItemAliasType::notSet()},
      {"<type>4</type><referencedItemId>R</referencedItemId>", AliasSetType::notSet(),
       ItemAliasType::notSet()},
      {"<type>2</type>", AliasSetType::set(""), ItemAliasType::item("")},
      {"<type> 2</type><referencedItemId>R</referencedItemId>", AliasSetType::notSet(),
       ItemAliasType::notSet()},
  };
  for (const auto& c : cases) {
    auto colorAlias = readOne("<alias>" + c.children + "</alias>");
    auto shadowAlias = readOne("<shadowAlias>" + c.children + "</shadowAlias>");
    auto stringAlias = readOne("<stringAlias>" + c.children + "</stringAlias>");
    ASSERT_TRUE(colorAlias && shadowAlias && stringAlias) << c.children;  // aliases are never left out
    EXPECT_EQ(colorAlias->colorAlias()->aliasType(), c.setType) << c.children;
    EXPECT_EQ(shadowAlias->shadowAlias()->aliasType(), c.setType) << c.children;
    EXPECT_EQ(stringAlias->stringAlias()->aliasType(), c.itemType) << c.children;
  }
}

TEST(ValueReading, AliasReferencesOfEachAppearanceAndTheirResolution) {
  auto project = readItems(
      "<alias><id>A</id><name>Alias</name><appearance>lightDarkHighContrast</appearance>"
      "<type>1</type><referencedItemId>RED</referencedItemId>"
      "<typeDark>1</typeDark><referencedItemIdDark>MISSING</referencedItemIdDark>"
      "<typeLightHighContrast>3</typeLightHighContrast>"
      "<referencedItemIdLightHighContrast>RED</referencedItemIdLightHighContrast>"
      "<subIndexLightHighContrast>2</subIndexLightHighContrast></alias>"
      "<booleanAlias><typeDarkHighContrast>2</typeDarkHighContrast>"
      "<referencedItemIdDarkHighContrast>BOOL</referencedItemIdDarkHighContrast></booleanAlias>"
      "<group><name>G</name>" +
      srgbItem(rgba("1 0 0 1"), "<id>RED</id>") +
      valueItem("boolean", "<variant><value>true</value></variant>", "<id>BOOL</id>") + "</group>");
  ASSERT_EQ(project->items().size(), 3u);
  const auto& alias = *project->items()[0]->colorAlias();
  EXPECT_EQ(project->items()[0]->uuid(), "A");
  EXPECT_EQ(alias.darkAliasType(), AliasSetType::item("MISSING"));
  EXPECT_EQ(alias.highContrastAliasType(), AliasSetType::setItem("RED", 2));
  EXPECT_EQ(alias.darkHighContrastAliasType(), AliasSetType::notSet());
  // Resolved after the whole tree is read, also against nodes further down.
  ASSERT_TRUE(alias.referencedProjectItem());
  EXPECT_EQ(alias.referencedProjectItem()->uuid(), "RED");
  EXPECT_FALSE(alias.referencedProjectItemDark());  // dangling
  EXPECT_EQ(alias.referencedSetIndexHighContrast(), 2);
  const auto themed = alias.asThemedColor();
  EXPECT_EQ(themed->lightVariant(), PlatformColor::colorWithSRGBRed(1, 0, 0, 1));
  EXPECT_FALSE(themed->darkVariant());
  // An index into a colour (not a ramp) still gives the colour.
  EXPECT_EQ(themed->lightVariantHighContrast(), PlatformColor::colorWithSRGBRed(1, 0, 0, 1));

  const auto& booleanAlias = *project->items()[1]->booleanAlias();
  EXPECT_EQ(booleanAlias.darkHighContrastAliasType(), ItemAliasType::item("BOOL"));
  EXPECT_EQ(booleanAlias.asThemedBoolean()->darkVariantHighContrast(), true);
  EXPECT_FALSE(booleanAlias.asThemedBoolean()->lightVariant());
}

}  // namespace
}  // namespace tavlo
