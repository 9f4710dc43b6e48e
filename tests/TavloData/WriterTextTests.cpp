// The writer's exact text: the envelope, each item kind's children and the
// number forms.
#include "DataTestSupport.h"

namespace tavlo {
namespace {

using namespace testsupport;

using mcu::PlatformColor;
using AT = AppearanceType;
using Item = MerrinColorProjectItem;

MerrinColorProjectItemPtr colorNode(PlatformColor light, AT appearance = AT::none, double amount = 0.5,
                                    std::optional<PlatformColor> dark = std::nullopt,
                                    mcu::ColorSpace space = mcu::ColorSpace::sRGB) {
  auto color = std::make_shared<ThemeableColor>("", "", light, dark);
  return Item::makeColorItem("C1", std::make_shared<MerrinColorItem>(color, space, appearance, amount),
                             "Ink");
}

MerrinColorProjectItemPtr numberNode(double value, std::optional<double> min = std::nullopt,
                                     AT appearance = AT::none) {
  auto number = std::make_shared<MerrinColorNumber>(std::make_shared<ThemeableNumber>(value), min,
                                                    std::nullopt, std::nullopt, appearance, 0.25);
  return Item::makeNumberItem("N1", number, "Size");
}

TEST(WriterText, EmptyProjectIsTheBareEnvelope) {
  MerrinColorProject project;
  EXPECT_EQ(
      MerrinColorFileWriter::data(project),
      "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
      "<tavlo xmlns=\"https://tavlo.example/tavlo\" xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" "
      "xsi:schemaLocation=\"https://tavlo.example/tavlo/schema/tavlo.xsd\">\n"
      "  <project>\n"
      "    <header>\n"
      "      <version>1.6</version>\n"
      "      <description></description>\n"
      "    </header>\n"
      "    <settings/>\n"
      "    <colorItems/>\n"
      "    <buildGroups/>\n"
      "    <testGroups/>\n"
      "  </project>\n"
      "</tavlo>\n");
}

// The element without its line breaks and indentation, which are the
// serialiser's business: what is left is the children, their order and texts.
std::string flat(const xmltree::XMLPtr& element) {
  return std::regex_replace(element->description(), std::regex("\n *"), "");
}

std::string flat(const Item& item) {
  return flat(xml(item));
}

TEST(WriterText, ColorItemsWithTheirAppearanceAndComponents) {
  EXPECT_EQ(flat(*colorNode(PlatformColor::colorWithSRGBRed(0.123456, 1, 0, 1))),
            "<colorItem><id>C1</id><name>Ink</name><profile>sRGB</profile>"
            "<color><variants><variant><rgba>0.12346 1 0 1</rgba></variant></variants></color></colorItem>");

  // OKLCH is written as Display P3; exponents stay as printf writes them.
  auto dark = PlatformColor::colorWithDisplayP3Red(1.2, -0.1, 1e-7, 0.5);
  auto node = colorNode(PlatformColor::colorWithDisplayP3Red(0, 0, 0, 1), AT::lightDarkHighContrastAuto, 0.5,
                        dark, mcu::ColorSpace::oklch);
  node->color()->color()->setName("Ink value");
  EXPECT_EQ(
      flat(*node),
      "<colorItem><id>C1</id><name>Ink</name><profile>DisplayP3</profile>"
      "<appearance>lightDarkHighContrastAuto</appearance><autoContrast>0.5</autoContrast>"
      "<color><name>Ink value</name><variants><variant><rgba>0 0 0 1</rgba></variant>"
      "<variant type=\"dark\"><rgba>1.2 -0.1 1e-07 0.5</rgba></variant></variants></color></colorItem>");
}

TEST(WriterText, AppearanceElementsByType) {
  struct Case {
    AT type;
    double amount;
    std::string elements;
  };
  const std::vector<Case> cases = {
      {AT::none, 0.5, ""},
      {AT::lightAndDark, 0.5, "<appearance>lightanddark</appearance>"},
      {AT::highContrastAuto, 0.123,
       "<appearance>highContrastAuto</appearance><autoContrast>0.12</autoContrast>"},
      {AT::lightDarkHighContrastAuto, 0,
       "<appearance>lightDarkHighContrastAuto</appearance><autoContrast>0</autoContrast>"},
  };
  for (const auto& c : cases) {
    auto number = numberNode(1, std::nullopt, c.type);
    number->number()->setAutoContrastAmount(c.amount);
    EXPECT_EQ(flat(*number),
              "<numberItem><id>N1</id><name>Size</name><number><variants><variant><value>1</value>"
              "</variant></variants></number>" +
                  c.elements + "</numberItem>");
  }
}

TEST(WriterText, NumberFormsAndOptionalRange) {
  // 1.00004 has no fifth fraction digit to keep; a minimum of 0 is still a minimum.
  EXPECT_EQ(flat(*numberNode(1.00004, 0.0)),
            "<numberItem><id>N1</id><name>Size</name><number><variants><variant><value>1</value></variant>"
            "</variants></number><min>0</min></numberItem>");

  struct Case {
    double value;
    std::string written;
  };
  for (const Case& c : std::vector<Case>{{1.5, "1.5"},
                                         {2.0, "2"},
                                         {0.123456, "0.1235"},
                                         {12000, "12000"},
                                         {0.00005, "0"},
                                         {0.00015, "0.0002"}}) {
    auto node = numberNode(c.value);
    node->number()->setMaxValue(c.value);
    node->number()->setSteps(12345678901234567);  // above 2^53: no double holds it
    node->number()->value()->setDarkVariant(c.value);
    EXPECT_EQ(flat(*node), "<numberItem><id>N1</id><name>Size</name><number><variants><variant><value>" +
                               c.written + "</value></variant><variant type=\"dark\"><value>" + c.written +
                               "</value></variant></variants></number><max>" + c.written +
                               "</max><steps>12345678901234567</steps></numberItem>");
  }
}

TEST(WriterText, GroupsOmitFalseFlagsAndNodesCarryTheirLinks) {
  auto group = std::make_shared<MerrinColorGroup>();
  auto node = Item::makeGroup("G1", group, "Brand");
  auto value = std::make_shared<ThemeableBoolean>(true, false, true, std::nullopt);
  auto member = Item::makeBooleanItem(
      "B1", std::make_shared<MerrinColorBoolean>(value, AT::lightDarkHighContrast), "Flag");
  member->setTestGroup(
      std::make_shared<TestGroup>("Contrast", "T1", std::vector<std::shared_ptr<TestTask>>{}));
  member->setTestPosition(TestPosition::foreground);
  group->appendItem(member);
  const std::string booleanItem =
      "<booleanItem><id>B1</id><name>Flag</name><boolean><variants>"
      "<variant><value>true</value></variant><variant type=\"dark\"><value>false</value></variant>"
      "<variant type=\"highContrast\"><value>true</value></variant></variants></boolean>"
      "<appearance>lightDarkHighContrast</appearance>";
  EXPECT_EQ(flat(*node),
            "<group><id>G1</id><name>Brand</name>" + booleanItem +
                "<testGroupId>T1</testGroupId><testPosition>foreground</testPosition></booleanItem>"
                "</group>");

  node->setIsExpanded(true);
  group->setProvidesNamespace(true);
  member->setBuildGroup(std::make_shared<BuildGroup>("Web", "W1", std::vector<std::shared_ptr<BuildTask>>{}));
  member->setTestGroup(nullptr);
  EXPECT_EQ(flat(*node),
            "<group><id>G1</id><name>Brand</name><expanded>1</expanded><namespace>1</namespace>" +
                booleanItem + "<buildGroupId>W1</buildGroupId></booleanItem></group>");
}

TEST(WriterText, RampParametersInTheirShortestForms) {
  std::vector<std::shared_ptr<ThemeableColor>> members{
      std::make_shared<ThemeableColor>("", "100", PlatformColor::colorWithSRGBRed(1, 1, 1, 1))};
  auto ramp = std::make_shared<MerrinColorSet>(members, InterpolationMethod::oklab, CurveType::lame, 1.0, 0.1,
                                               0.5, SetType::threeItems, ColorNamingScheme::mediumNumeric,
                                               mcu::ColorSpace::sRGBExtended, AT::none);
  auto node = Item::makeColorSet("R1", ramp, "Ramp");
  EXPECT_EQ(flat(*node),
            "<colorSet><id>R1</id><name>Ramp</name><profile>extendedSRGB</profile><steps>1</steps>"
            "<interpolation>4</interpolation><curve>5</curve><curveAmount>1.0</curveAmount><type>2</type>"
            "<middle>0.1</middle><naming>4</naming><colors><color><name>100</name><variants><variant>"
            "<rgba>1 1 1 1</rgba></variant></variants></color></colors></colorSet>");

  // The shortest text that reads back exactly, in plain decimals (`middle` is written the same way).
  struct Case {
    double value;
    std::string written;
  };
  for (const Case& c : std::vector<Case>{{1.0 / 3.0, "0.3333333333333333"},
                                         {2.0, "2.0"},
                                         {0.0001, "0.0001"},
                                         {1e-5, "0.00001"},
                                         {1e21, "1000000000000000000000.0"}}) {
    ramp->setCurveAmount(c.value);
    const std::string written = flat(*node);
    EXPECT_NE(written.find("<curveAmount>" + c.written + "</curveAmount>"), std::string::npos) << written;
  }
}

TEST(WriterText, AliasesWriteOnlyTheReferencesTheyHave) {
  auto colorAlias = std::make_shared<MerrinColorAlias>(AliasSetType::setItem("R1", 3),
                                                       AliasSetType::item("C1"), AliasSetType::notSet(),
                                                       AliasSetType::notSet(), AT::lightAndDark, 0.5);
  EXPECT_EQ(
      flat(*Item::makeAlias("A1", colorAlias, "Accent")),
      "<alias><name>Accent</name><type>3</type><typeDark>1</typeDark><appearance>lightanddark</appearance>"
      "<referencedItemId>R1</referencedItemId><subIndex>3</subIndex>"
      "<referencedItemIdDark>C1</referencedItemIdDark></alias>");

  auto numberAlias = std::make_shared<MerrinColorNumberAlias>(
      ItemAliasType::notSet(), ItemAliasType::notSet(), ItemAliasType::item("N1"), ItemAliasType::notSet(),
      AT::highContrast, 0);
  EXPECT_EQ(flat(*Item::makeNumberAlias("A2", numberAlias, "Gap")),
            "<numberAlias><name>Gap</name><type>1</type><typeLightHighContrast>2</typeLightHighContrast>"
            "<appearance>highContrast</appearance>"
            "<referencedItemIdLightHighContrast>N1</referencedItemIdLightHighContrast></numberAlias>");
}

TEST(WriterText, ShadowsAndTextValues) {
  auto details =
      std::make_shared<ShadowDetails>(1.5, -2, 8.00001, 0, PlatformColor::colorWithSRGBRed(0, 0, 0, 0.3));
  auto shadow = std::make_shared<ThemeableShadow>("", "", details);
  auto node = Item::makeShadowItem(
      "H1", std::make_shared<MerrinColorShadow>(shadow, mcu::ColorSpace::sRGB, AT::none, 0.5), "Card");
  EXPECT_EQ(
      flat(*node),
      "<shadowItem><id>H1</id><name>Card</name><profile>sRGB</profile><shadow><variants><variant>"
      "<shadowDetails><x>1.5</x><y>-2</y><blur>8</blur><spread>0</spread><colorRgba>0 0 0 0.3</colorRgba>"
      "</shadowDetails></variant></variants></shadow></shadowItem>");

  auto text = Item::makeStringItem(
      "S1", std::make_shared<MerrinColorString>(std::make_shared<ThemeableString>("a<b\rc"), AT::none),
      "Label");
  EXPECT_EQ(flat(*text),
            "<stringItem><id>S1</id><name>Label</name><string><variants><variant><value>a&lt;b&#13;c</value>"
            "</variant></variants></string></stringItem>");
}

TEST(WriterText, TasksAndTestsLeaveOutWhatTheyDoNotHave) {
  auto bare = std::make_shared<BuildTask>("K1", "Plain", BuildNameTransform::none, "out", "tokens",
                                          BuildFileType::jsonDesignToken);
  EXPECT_EQ(
      flat(xml(BuildGroup("Web", "W1", {bare}))),
      "<buildGroup><id>W1</id><name>Web</name><tasks><task><name>Plain</name><id>K1</id><folder>out</folder>"
      "<fileName>tokens</fileName><fileType>10</fileType><nameTransform>0</nameTransform></task></tasks>"
      "</buildGroup>");
  auto test = std::make_shared<TestTask>("X1", "Body", TestTaskType::wcagContrastTest);
  EXPECT_EQ(flat(xml(TestGroup("Contrast", "T1", {test}))),
            "<testGroup><id>T1</id><name>Contrast</name><tests><test><name>Body</name><id>X1</id>"
            "<type>wcagContrast</type></test></tests></testGroup>");
}

TEST(WriterText, FailuresAreErrorsNotCrashes) {
  MerrinColorProject project;
  project.appendItem(Item::makeGroup("G1", nullptr, "No group object"));
  EXPECT_THROW(MerrinColorFileWriter::data(project), InvalidItemError);

  // ASCII is skipped eight bytes at a time: a bad byte must be found at any
  // offset from the last one, and good multi-byte text must still pass.
  for (std::size_t ascii = 0; ascii < 20; ++ascii) {
    MerrinColorProject text;
    text.setProjectDescription(std::string(ascii, 'a') + "\xC3\x28" + std::string(ascii, 'b'));
    EXPECT_THROW(MerrinColorFileWriter::data(text), EncodingError) << ascii;
    text.setProjectDescription(std::string(ascii, 'a') + "\xC3\xA9\xF0\x9F\x8E\xA8" +
                               std::string(ascii, 'b'));
    EXPECT_NO_THROW(MerrinColorFileWriter::data(text)) << ascii;
  }
}

}  // namespace
}  // namespace tavlo
