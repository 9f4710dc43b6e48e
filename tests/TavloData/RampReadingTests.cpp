#include "DataTestSupport.h"

namespace tavlo {
namespace {

using namespace testsupport;

using mcu::PlatformColor;
using mcu::PlatformColorSpace;

std::string colorMember(const std::string& name, const std::string& rgba) {
  return "<color><name>" + name + "</name><variants><variant><rgba>" + rgba +
         "</rgba></variant></variants></color>";
}

// A colour ramp element; each child can be replaced or, with an empty text,
// left out.
std::string colorSetElement(std::map<std::string, std::string> overrides = {}) {
  std::map<std::string, std::string> children{
      {"id", "<id>RAMP</id>"},
      {"name", "<name>Brand</name>"},
      {"profile", "<profile>DisplayP3</profile>"},
      {"steps", "<steps>9</steps>"},
      {"interpolation", "<interpolation>3</interpolation>"},
      {"curve", "<curve>4</curve>"},
      {"curveAmount", "<curveAmount>0.25</curveAmount>"},
      {"type", "<type>2</type>"},
      {"middle", "<middle>0.4</middle>"},
      {"naming", "<naming>4</naming>"},
      {"appearance", "<appearance>lightanddark</appearance>"},
      {"autoContrast", ""},
      {"colors", "<colors>" + colorMember("10", "1 0 0 1") + colorMember("20", "0 1 0 1") +
                     colorMember("bad", "0 0 1") + colorMember("30", "0.2 0.2 0.2 1") + "</colors>"},
  };
  for (auto& [key, value] : overrides) children[key] = value;
  std::string text = "<colorSet>";
  for (auto& [key, value] : children) text += value;
  return text + "</colorSet>";
}

ParsedItem<MerrinColorSet> readColorSet(const std::string& text) {
  auto element = xmltree::XML::fromData(text);
  EXPECT_TRUE(element) << text;
  return parseColorSet(*element, false);
}

TEST(RampReadingColorSet, ReadsEveryParameterAndKeepsMembers) {
  auto parsed = readColorSet(colorSetElement());
  ASSERT_TRUE(parsed.item);
  EXPECT_EQ(parsed.name, "Brand");
  EXPECT_EQ(parsed.id, "RAMP");
  const MerrinColorSet& set = *parsed.item;
  EXPECT_EQ(set.interpolationMethod(), InterpolationMethod::oklch);
  EXPECT_EQ(set.curveType(), CurveType::hermite5);
  EXPECT_EQ(set.curveAmount(), 0.25);
  EXPECT_EQ(set.type(), SetType::threeItems);
  EXPECT_EQ(set.middleLocation(), 0.4);
  EXPECT_EQ(set.namingScheme(), ColorNamingScheme::mediumNumeric);
  EXPECT_EQ(set.colorSpace(), mcu::ColorSpace::displayP3);
  EXPECT_EQ(set.appearanceType(), AppearanceType::lightAndDark);
  EXPECT_EQ(set.autoContrastAmount(), 0.5);
  // The unreadable member is dropped and `steps` counts what was read; the
  // members are kept exactly, not regenerated into a ramp.
  EXPECT_EQ(set.steps(), 3);
  ASSERT_EQ(set.colors().size(), 3u);
  EXPECT_EQ(set.colors()[0]->name(), "10");
  EXPECT_EQ(set.colors()[1]->lightVariant(), PlatformColor::colorWithDisplayP3Red(0, 1, 0, 1));
  EXPECT_EQ(set.colors()[2]->name(), "30");
  EXPECT_FALSE(set.ignoreColorspaceChange());
  // Asked for fresh identifiers, or given none, the ramp gets a new one.
  EXPECT_EQ(parseColorSet(*xmltree::XML::fromData(colorSetElement()), true).id.size(), 36u);
  EXPECT_EQ(readColorSet(colorSetElement({{"id", ""}})).id.size(), 36u);
}

TEST(RampReadingColorSet, RequiredChildrenAndDefaults) {
  struct Case {
    const char* label;
    std::map<std::string, std::string> overrides;
    bool kept;
  };
  const Case cases[] = {
      {"middle missing", {{"middle", ""}}, false},
      {"type with a fraction", {{"type", "<type>1.0</type>"}}, false},
      {"naming 5", {{"naming", "<naming>5</naming>"}}, false},
      {"interpolation 0", {{"interpolation", "<interpolation>0</interpolation>"}}, false},
      {"curve 0 is linear", {{"curve", "<curve>0</curve>"}}, true},
      {"no curve", {{"curve", ""}}, true},
      {"steps are not needed", {{"steps", ""}}, true},
      {"signed code", {{"type", "<type>+1</type>"}}, true},
  };
  for (const auto& c : cases) {
    auto parsed = readColorSet(colorSetElement(c.overrides));
    EXPECT_EQ(static_cast<bool>(parsed.item), c.kept) << c.label;
    EXPECT_EQ(parsed.name.has_value(), c.kept) << c.label;
    if (parsed.item && c.overrides.count("curve")) {
      EXPECT_EQ(parsed.item->curveType(), CurveType::linear) << c.label;
    }
  }

  struct AmountCase {
    std::string element;
    double expected;
  };
  const AmountCase amounts[] = {
      {"", 1.0}, {"<curveAmount>abc</curveAmount>", 1.0}, {"<curveAmount>1.5e0</curveAmount>", 1.5}};
  for (const auto& a : amounts)
    EXPECT_EQ(readColorSet(colorSetElement({{"curveAmount", a.element}})).item->curveAmount(), a.expected)
        << a.element;

  auto sRGB = readColorSet(colorSetElement({{"profile", "<profile>AdobeRGB</profile>"}}));
  EXPECT_EQ(sRGB.item->colorSpace(), mcu::ColorSpace::sRGB);
  EXPECT_EQ(sRGB.item->colors()[0]->lightVariant().colorSpace(), PlatformColorSpace::sRGB());

  auto empty = readColorSet(colorSetElement({{"colors", "<colors/>"}}));
  ASSERT_TRUE(empty.item);
  EXPECT_TRUE(empty.item->colors().empty());
  EXPECT_EQ(empty.item->steps(), 0);

  auto automatic = readColorSet(colorSetElement({{"appearance", "<appearance>highContrastAuto</appearance>"},
                                                 {"autoContrast", "<autoContrast>0.8</autoContrast>"}}));
  EXPECT_EQ(automatic.item->appearanceType(), AppearanceType::highContrastAuto);
  EXPECT_EQ(automatic.item->autoContrastAmount(), 0.8);
  // Reading derives nothing: the members have no high-contrast variant.
  EXPECT_FALSE(automatic.item->colors()[0]->lightVariantHighContrast());
}

const char* kDocument = R"(<?xml version="1.0" encoding="UTF-8"?>
<tavlo><project><colorItems>
  <colorSet><id>GREYS</id><name>Greys</name><profile>sRGB</profile><interpolation>1</interpolation>
    <type>1</type><middle>0.5</middle><naming>2</naming>
    <colors>
      <color><name>100</name><variants><variant><rgba>0.1 0.1 0.1 1</rgba></variant></variants></color>
      <color><name>200</name><variants><variant><rgba>0.3 0.3 0.3 1</rgba></variant></variants></color>
      <color><name>300</name><variants><variant><rgba>0.5 0.5 0.5 1</rgba></variant></variants></color>
      <color><name>400</name><variants><variant><rgba>0.7 0.7 0.7 1</rgba></variant></variants></color>
      <color><name>500</name><variants><variant><rgba>0.9 0.9 0.9 1</rgba></variant></variants></color>
    </colors></colorSet>
  <colorSet><id>TINTS</id><name>Tints</name><profile>sRGB</profile><interpolation>1</interpolation>
    <type>3</type><middle>0.5</middle><naming>3</naming>
    <colors>
      <color><name>a</name><variants><variant><rgba>1 0 0 1</rgba></variant></variants></color>
      <color><name>b</name><variants><variant><rgba>0 1 0 1</rgba></variant></variants></color>
      <color><name>c</name><variants><variant><rgba>0 0 1 1</rgba></variant></variants></color>
    </colors></colorSet>
  <alias><id>WHOLE</id><name>Whole</name><type>2</type><referencedItemId>GREYS</referencedItemId>
    <appearance>lightanddark</appearance><typeDark>2</typeDark><referencedItemIdDark>TINTS</referencedItemIdDark></alias>
  <alias><id>STEP</id><name>Step</name><type>3</type><referencedItemId>GREYS</referencedItemId><subIndex>3</subIndex></alias>
  <alias><id>FAR</id><name>Far</name><type>3</type><referencedItemId>GREYS</referencedItemId><subIndex>7</subIndex></alias>
  <shadowSet><id>LIFT</id><name>Lift</name><profile>sRGB</profile><interpolation>2</interpolation>
    <type>1</type><middle>0.5</middle><naming>1</naming>
    <shadows>
      <shadow><variants><variant><shadowDetails><y>1</y><blur>2</blur><colorRgba>0 0 0 0.2</colorRgba></shadowDetails></variant></variants></shadow>
      <shadow><variants><variant><shadowDetails><y>4</y><blur>8</blur><colorRgba>0 0 0 0.3</colorRgba></shadowDetails></variant></variants></shadow>
      <shadow><variants><variant><shadowDetails><y>8</y><blur>16</blur></shadowDetails></variant></variants></shadow>
    </shadows></shadowSet>
  <shadowAlias><id>SHADOW</id><name>Shadow</name><type>2</type><referencedItemId>LIFT</referencedItemId></shadowAlias>
</colorItems></project></tavlo>)";

TEST(RampReadingDocument, AliasesResolveIntoRamps) {
  auto project = MerrinColorFileReader().parse(kDocument);
  ASSERT_EQ(project->items().size(), 7u);

  auto greys = project->firstItem("GREYS")->colorSet();
  ASSERT_TRUE(greys);
  EXPECT_EQ(greys->steps(), 5);

  auto whole = project->firstItem("WHOLE")->colorAlias();
  ASSERT_TRUE(whole);
  EXPECT_EQ(whole->lightColorSet(), greys);
  EXPECT_EQ(whole->darkColorSet(), project->firstItem("TINTS")->colorSet());
  EXPECT_TRUE(whole->isColorSetAlias());
  EXPECT_EQ(whole->colorSetStepCount(), 3);  // the smaller of the two ramps
  auto steps = whole->asThemedSetColors();
  ASSERT_EQ(steps.size(), 3u);
  EXPECT_EQ(steps[1]->name(), "200");
  EXPECT_EQ(steps[1]->lightVariant(), PlatformColor::colorWithSRGBRed(0.3, 0.3, 0.3, 1));
  EXPECT_EQ(steps[1]->darkVariant(), PlatformColor::colorWithSRGBRed(0, 1, 0, 1));
  // As a single colour a whole-ramp alias shows the ramp's middle step.
  EXPECT_EQ(whole->asThemedColor()->lightVariant(), PlatformColor::colorWithSRGBRed(0.5, 0.5, 0.5, 1));

  auto step = project->firstItem("STEP")->colorAlias();
  EXPECT_FALSE(step->isColorSetAlias());
  EXPECT_EQ(step->colorSetStepCount(), 0);
  EXPECT_TRUE(step->asThemedSetColors().empty());
  EXPECT_EQ(step->asThemedColor()->lightVariant(), PlatformColor::colorWithSRGBRed(0.7, 0.7, 0.7, 1));
  // A step beyond the ramp falls back to its first step.
  EXPECT_EQ(project->firstItem("FAR")->colorAlias()->asThemedColor()->lightVariant(),
            PlatformColor::colorWithSRGBRed(0.1, 0.1, 0.1, 1));

  auto lift = project->firstItem("LIFT")->shadowSet();
  ASSERT_TRUE(lift);
  ASSERT_EQ(lift->shadows().size(), 2u);  // the shadow without a colour is dropped
  auto shadowAlias = project->firstItem("SHADOW")->shadowAlias();
  EXPECT_TRUE(shadowAlias->isShadowSetAlias());
  EXPECT_EQ(shadowAlias->shdadowSetStepCount(), 2);
  // With two steps the middle index clamps to 0; the alias shares the ramp's object.
  EXPECT_EQ(shadowAlias->asThemedShadow()->lightVariant(), lift->shadows()[0]->lightVariant());
}

TEST(RampReadingDocument, ShadowSetNeedsItsOwnContainer) {
  auto element = xmltree::XML::fromData(
      "<shadowSet><profile>sRGB</profile><interpolation>1</interpolation><type>1</type><middle>0.5</middle>"
      "<naming>1</naming><colors/></shadowSet>");
  EXPECT_FALSE(parseShadowSet(*element, false).item);
}

}  // namespace
}  // namespace tavlo
