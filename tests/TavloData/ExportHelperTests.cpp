// Items as clipboard text, exported names under a task, and the namespace
// prefixes and value getters the exporters rely on.
#include "DataTestSupport.h"

namespace tavlo {
namespace {

using namespace testsupport;

using AT = AppearanceType;
using Item = MerrinColorProjectItem;
using mcu::ColorFormat;

class Export : public ::testing::Test {
 protected:
  void SetUp() override { SharedNumberFormatter::setLocale("en_US"); }
  void TearDown() override { SharedNumberFormatter::setLocale(""); }
};

MerrinColorProjectItemPtr booleanNode(std::string name, bool value) {
  return Item::makeBooleanItem(
      name, std::make_shared<MerrinColorBoolean>(std::make_shared<ThemeableBoolean>(value), AT::none), name);
}

MerrinColorProjectItemPtr numberNode(std::string name, double light, std::optional<double> dark,
                                     std::optional<double> lightHighContrast = std::nullopt) {
  auto value = std::make_shared<ThemeableNumber>(light, dark, lightHighContrast);
  return Item::makeNumberItem(
      name, std::make_shared<MerrinColorNumber>(value, std::nullopt, std::nullopt, std::nullopt, AT::none),
      name);
}

TEST_F(Export, LinesLabelEachVariant) {
  struct Case {
    std::optional<std::string_view> name;
    VariantTexts texts;
    std::string expected;
  };
  const std::vector<Case> cases = {
      {std::nullopt, {"4", {}, {}, {}}, "4"},
      {"Size", {"4", {}, {}, {}}, "Size: 4"},
      {"Size",
       {"4", "6", "5", "7"},
       "Size (light): 4\nSize (dark): 6\nSize (light high contrast): 5\nSize (dark high contrast): 7"},
      {std::nullopt, {"4", {}, {}, "7"}, "(light): 4\n(dark high contrast): 7"},
      {"", {"4", {}, {}, {}}, ": 4"},
  };
  for (const auto& c : cases) EXPECT_EQ(ExportHelper::exportLines(c.name, c.texts), c.expected);
}

TEST_F(Export, NodesAreNamedUnlessAlone) {
  EXPECT_EQ(ExportHelper::exportString({booleanNode("A", true)}, ColorFormat::hexRGB), "true");
  EXPECT_EQ(
      ExportHelper::exportString({booleanNode("A", true), booleanNode("B", false)}, ColorFormat::hexRGB),
      "A: true\nB: false");
  // A group contributes nothing, not even an empty line.
  auto group = Item::makeGroup("G", std::make_shared<MerrinColorGroup>(), "G");
  EXPECT_EQ(
      ExportHelper::exportString({group, numberNode("Size", 4, 6), group, numberNode("Gap", 4.56789, {}, 5)},
                                 ColorFormat::hexRGB),
      "Size (light): 4\nSize (dark): 6\nGap (light): 4.5679\nGap (high contrast): 5");
  EXPECT_EQ(ExportHelper::exportString({group}, ColorFormat::hexRGB), "");
}

// A colour, a three-step grey ramp, a shadow, aliases to one step and to the
// whole ramp, a number and an alias of it.
const char* kKinds = R"(
    <colorItem><id>C</id><name>Ink</name><profile>sRGB</profile><appearance>lightanddark</appearance>
      <color><variants><variant><rgba>1 0 0 1</rgba></variant><variant type="dark"><rgba>0 0 1 1</rgba></variant>
      </variants></color></colorItem>
    <colorSet><id>R</id><name>Blue</name><profile>sRGB</profile><interpolation>1</interpolation><type>1</type>
      <middle>0.5</middle><naming>2</naming><colors>
      <color><name>100</name><variants><variant><rgba>1 1 1 1</rgba></variant></variants></color>
      <color><name>200</name><variants><variant><rgba>0.5 0.5 0.5 1</rgba></variant></variants></color>
      <color><name>300</name><variants><variant><rgba>0 0 0 1</rgba></variant></variants></color>
      </colors></colorSet>
    <shadowItem><id>H</id><name>Card</name><profile>sRGB</profile><shadow><variants><variant><shadowDetails>
      <x>0</x><y>8</y><blur>8.5</blur><spread>0</spread><colorRgba>0 0 0 1</colorRgba></shadowDetails>
      </variant></variants></shadow></shadowItem>
    <alias><name>Accent</name><type>3</type><referencedItemId>R</referencedItemId><subIndex>2</subIndex></alias>
    <alias><name>Whole</name><type>2</type><referencedItemId>R</referencedItemId></alias>
    <numberItem><id>N</id><name>Gap</name><number><variants><variant><value>12</value></variant></variants>
      </number></numberItem>
    <numberAlias><name>Gap alias</name><type>2</type><referencedItemId>N</referencedItemId></numberAlias>
  )";

TEST_F(Export, ColoursRampsShadowsAndAliases) {
  auto project = readItems(kKinds);
  ASSERT_EQ(project->items().size(), 7u);
  EXPECT_EQ(ExportHelper::exportString(project->items(), ColorFormat::htmlRGB),
            "Ink (light): #FF0000\n"
            "Ink (dark): #0000FF\n"
            "Blue 100: #FFFFFF\n"
            "Blue 200: #808080\n"
            "Blue 300: #000000\n"
            "Card: X: 0, Y: 8, Blur: 8.5, Spread: 0, Color: #000000\n"
            "Accent: #000000\n"
            "Whole 100: #FFFFFF\n"
            "Whole 200: #808080\n"
            "Whole 300: #000000\n"
            "Gap: 12\n"
            "Gap alias: 12");
}

// Colour texts are the clipboard's: four decimal places, and Display P3 values
// marked so that they do not read back as sRGB.
TEST_F(Export, ColourTextsMarkDisplayP3) {
  using mcu::PlatformColor;
  struct Case {
    PlatformColor color;
    ColorFormat format;
    std::string expected;
  };
  const std::vector<Case> cases = {
      {PlatformColor::colorWithDisplayP3Red(1, 0, 0, 1), ColorFormat::htmlRGB, "p3: #FF0000"},
      {PlatformColor::colorWithDisplayP3Red(1, 0.5, 0, 0.25), ColorFormat::floatRGBA, "p3: 1 0.5 0 0.25"},
      {PlatformColor::colorWithDisplayP3Red(1, 0, 0, 1), ColorFormat::cssColor, "color(display-p3 1 0 0)"},
      {PlatformColor::colorWithSRGBRed(1, 0, 0, 1), ColorFormat::htmlRGB, "#FF0000"},
      {PlatformColor::colorWithSRGBRed(0.123456, 0, 1, 1), ColorFormat::floatRGBA, "0.1235 0 1 1"},
  };
  for (const auto& c : cases) EXPECT_EQ(ExportHelper::colorText(c.color, c.format), c.expected);
}

TEST(ExportNames, FullNameUnderEachTransform) {
  using T = BuildNameTransform;
  struct Case {
    T transform;
    std::vector<std::string> prefixes;
    std::string name;
    std::string expected;
  };
  const std::vector<Case> cases = {
      {T::camelCase, {"Brand", "Core"}, "primary blue", "brandCorePrimaryBlue"},
      {T::pascalCase, {"Brand", "Core"}, "primary blue", "BrandCorePrimaryBlue"},
      {T::snakeCase, {"Brand", "Core"}, "primary blue", "brand_core_primary_blue"},
      {T::kebabCase, {"Brand", "Core"}, "primary blue", "brand-core-primary-blue"},
      {T::none, {"Brand", "Core"}, "primary blue", "BrandCoreprimary blue"},
      // Prefixes are cased like the name: dots split camel case, snake case keeps them.
      {T::snakeCase, {"v1.2"}, "Dark Mode.beta", "v1.2_dark_mode.beta"},
      {T::camelCase, {"v1.2"}, "size", "v12Size"},
      // Empty pieces still put their separator in.
      {T::snakeCase, {"A", ""}, "b", "a__b"},
      {T::camelCase, {"", "A"}, "b", "aB"},
      {T::none, {}, "", ""},
      {T::camelCase, {}, "---", ""},
  };
  for (const auto& c : cases) {
    BuildTask task("K", "Task", c.transform, "", "tokens", BuildFileType::css);
    EXPECT_EQ(MerrinColorReaderHelper::fullName(c.name, task, c.prefixes), c.expected)
        << displayName(c.transform) << " " << c.name;
  }
}

TEST(ExportNames, TaskPrefixAndSuffixAreUsedAsTheyAre) {
  BuildTask task("K", "Task", BuildNameTransform::camelCase, "", "tokens", BuildFileType::css, std::nullopt,
                 "tk", "-Var");
  EXPECT_EQ(MerrinColorReaderHelper::fullName("primary blue", task, {"Brand", "Core"}),
            "tkbrandCorePrimaryBlue-Var");
  EXPECT_EQ(MerrinColorReaderHelper::fullName("", task, {}), "tk-Var");
  task.setNamePrefix("");
  task.setNameSuffix(std::nullopt);
  EXPECT_EQ(MerrinColorReaderHelper::fullName("x y", task, {}), "xY");
}

TEST(ExportNames, NamespacePrefixesComeFromProvidingGroupsOutermostFirst) {
  auto project = readItems(R"(
    <booleanItem><id>TOP</id><name>Top</name><boolean><variants><variant><value>true</value></variant>
      </variants></boolean></booleanItem>
    <group><id>G1</id><name>Brand</name><namespace>1</namespace>
      <group><id>G2</id><name>Plain</name>
        <group><id>G3</id><name>Größe 2</name><namespace>1</namespace>
          <booleanItem><id>DEEP</id><name>Deep</name><boolean><variants><variant><value>true</value></variant>
            </variants></boolean></booleanItem>
        </group>
      </group>
    </group>)");
  using Helper = MerrinColorReaderHelper;
  EXPECT_EQ(Helper::namespacePrefixes(*project->firstItem("DEEP"), *project), (Names{"Brand", "Größe 2"}));
  EXPECT_EQ(Helper::namespacePrefixes(*project->firstItem("G3"), *project), (Names{"Brand"}));
  EXPECT_TRUE(Helper::namespacePrefixes(*project->firstItem("TOP"), *project).empty());
  EXPECT_TRUE(Helper::namespacePrefixes(*booleanNode("elsewhere", true), *project).empty());
}

}  // namespace
}  // namespace tavlo
