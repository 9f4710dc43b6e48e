#include "DataTestSupport.h"

namespace tavlo {
namespace {

using namespace testsupport;

xmltree::XMLPtr parse(const std::string& text) {
  auto xml = xmltree::XML::fromData(text);
  EXPECT_TRUE(xml) << text;
  return xml;
}

std::string task(const std::string& fileType, const std::string& nameTransform,
                 const std::string& extra = "") {
  std::string text = "<task><name>T</name><id>T1</id>";
  if (!fileType.empty()) text += "<fileType>" + fileType + "</fileType>";
  if (!nameTransform.empty()) text += "<nameTransform>" + nameTransform + "</nameTransform>";
  return text + extra + "</task>";
}

TEST(BuildTaskReading, DropsTasksWithoutUsableCodes) {
  struct Case {
    std::string fileType, nameTransform;
    std::optional<BuildFileType> type;
    std::optional<BuildNameTransform> transform;
  };
  const std::vector<Case> cases = {
      {"13", "0", BuildFileType::less, BuildNameTransform::none},
      {"0", "+2", BuildFileType::text, BuildNameTransform::pascalCase},
      {"14", "0", {}, {}},
      {"3.0", "0", {}, {}},
      {"", "1", {}, {}},
      {"1", "5", {}, {}},
      {"1", "", {}, {}},
  };
  for (const auto& c : cases) {
    auto parsed = parseBuildTask(*parse(task(c.fileType, c.nameTransform)), false);
    SCOPED_TRACE(c.fileType + "/" + c.nameTransform);
    ASSERT_EQ(parsed != nullptr, c.type.has_value());
    if (!parsed) continue;
    EXPECT_EQ(parsed->exportFileType(), *c.type);
    EXPECT_EQ(parsed->nameTransform(), *c.transform);
  }
}

TEST(BuildTaskReading, OptionalFieldsAndConfiguration) {
  auto parsed =
      parseBuildTask(*parse(task("1", "1",
                                 "<folder>out</folder><fileName>tokens</fileName><format>CSSHex</format>"
                                 "<namePrefix>tk</namePrefix><configuration>"
                                 "<assetCatalogSymbols>true</assetCatalogSymbols>"
                                 "<customTemplateLocation/><x>1</x><x>2</x></configuration>")),
                     false);
  ASSERT_TRUE(parsed);
  EXPECT_EQ(parsed->uuid(), "T1");
  EXPECT_EQ(parsed->exportFileFolder(), "out");
  EXPECT_EQ(parsed->fullFileName(), "tokens.css");
  EXPECT_FALSE(parsed->exportFormat());  // another letter case names no format
  EXPECT_EQ(parsed->namePrefix(), "tk");
  EXPECT_FALSE(parsed->nameSuffix());
  EXPECT_EQ(parsed->customData(),
            (std::map<std::string, std::string>{{"assetCatalogSymbols", "true"}, {"x", "2"}}));

  auto fresh =
      parseBuildTask(*parse("<task><fileType>0</fileType><nameTransform>0</nameTransform></task>"), false);
  ASSERT_TRUE(fresh);
  EXPECT_EQ(fresh->uuid().size(), 36u);
  EXPECT_EQ(parseBuildTask(*parse(task("1", "1")), true)->uuid().size(), 36u);
}

TEST(BuildGroupReading, KeepsGroupsAndTheirUsableTasks) {
  auto group =
      parseBuildGroup(*parse("<buildGroup><name>Web</name><expanded>1</expanded><tasks>" + task("1", "1") +
                             task("99", "1") + task("2", "3") + "</tasks></buildGroup>"),
                      false);
  EXPECT_EQ(group->name(), "Web");
  EXPECT_EQ(group->uuid(), "");  // groups never invent an identifier while reading
  EXPECT_TRUE(group->isExpanded());
  ASSERT_EQ(group->tasks().size(), 2u);
  EXPECT_EQ(group->tasks()[1]->exportFileType(), BuildFileType::scss);

  auto renewed = parseBuildGroup(*parse("<anything><id>G</id><expanded>true</expanded></anything>"), true);
  EXPECT_NE(renewed->uuid(), "G");
  EXPECT_FALSE(renewed->isExpanded());
}

TEST(TestGroupReading, TestsAndTheirOptionalFields) {
  auto group =
      parseTestGroup(*parse("<testGroup><id>G</id><name>Contrast</name><tests>"
                            "<test><name>A</name><type>apcaContrast</type><threshold>60</threshold>"
                            "<fontWeight>250</fontWeight><fontSize>x</fontSize></test>"
                            "<test><type>WCAGContrast</type></test>"
                            "<test><id>W</id><type>wcagContrast</type><thresholdType>textSize</thresholdType>"
                            "<fontSize>14</fontSize><fontWeight>700</fontWeight></test>"
                            "</tests></testGroup>"),
                     false);
  EXPECT_EQ(group->uuid(), "G");
  ASSERT_EQ(group->tests().size(), 2u);
  const auto& apca = *group->tests()[0];
  EXPECT_EQ(apca.taskType(), TestTaskType::apcaContrastTest);
  EXPECT_EQ(apca.threshold(), 60);
  EXPECT_FALSE(apca.thresholdType());
  EXPECT_FALSE(apca.minFontWeight());
  EXPECT_FALSE(apca.minFontSize());
  const auto& wcag = *group->tests()[1];
  EXPECT_EQ(wcag.uuid(), "W");
  EXPECT_EQ(wcag.thresholdType(), TestThresholdType::textSize);
  EXPECT_EQ(wcag.minFontSize(), 14);
  EXPECT_EQ(wcag.minFontWeight(), TestFontWeight::sevenHundred);
}

}  // namespace
}  // namespace tavlo
