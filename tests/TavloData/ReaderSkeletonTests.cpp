// The reader's envelope: hostile bytes, header, settings, groups, identifiers,
// links to build and test groups, and document order.
#include "DataTestSupport.h"

namespace tavlo {
namespace {

using namespace testsupport;

class Reader : public ::testing::Test {
 protected:
  // Parse-error lines of malformed inputs are expected here; keep the output clean.
  void SetUp() override {
    xmltree::setParseErrorSink([this](std::string_view line) { errors.emplace_back(line); });
  }
  void TearDown() override { xmltree::setParseErrorSink({}); }

  static std::shared_ptr<MerrinColorProject> read(const std::string& bytes) {
    return MerrinColorFileReader().parse(bytes);
  }

  std::vector<std::string> errors;
};

void expectEmpty(const MerrinColorProject& project) {
  EXPECT_TRUE(project.items().empty());
  EXPECT_TRUE(project.settings().empty());
  EXPECT_TRUE(project.buildGroups().empty());
  EXPECT_TRUE(project.testGroups().empty());
  EXPECT_EQ(project.projectDescription(), "");
  EXPECT_EQ(project.name(), "");
}

// Bytes that are no document at all are the command's hostile-document table;
// these are well formed, or nearly, and still hold no project.
TEST_F(Reader, DocumentsWithoutAProjectReadEmpty) {
  for (const std::string bytes : {"<x/>", "<tavlo/>", "<tavlo><project/></tavlo>", "<tavlo><other/></tavlo>",
                                  "<tavlo><project><colorItems/></project></tavlo>"}) {
    SCOPED_TRACE(bytes);
    expectEmpty(*read(bytes));
  }
  EXPECT_TRUE(errors.empty());
  expectEmpty(*read("<tavlo><project></tavlo>"));
}

TEST_F(Reader, HeaderAndSettings) {
  auto project = read(R"(<anything xmlns="urn:x" version="9"><project>
      <header><version>1.6</version><description>Brand &amp; product</description>
              <description>second</description></header>
      <settings>
        <setting><key>DisplayMode</key><value>table</value></setting>
        <whatever><value>v</value><key>Other</key></whatever>
        <setting><key>NoValue</key></setting>
        <setting><key>EmptyValue</key><value/></setting>
        <setting><key>Spaced</key><value> x </value></setting>
      </settings></project></anything>)");
  EXPECT_EQ(project->projectDescription(), "Brand & product");
  ASSERT_EQ(project->settings().size(), 3u);
  EXPECT_EQ(project->settings()[1]->key(), "Other");
  EXPECT_EQ(project->settings()[2]->value(), " x ");  // texts are taken as stored
  EXPECT_EQ(project->displayMode(), AppContentMode::table);

  EXPECT_EQ(read("<t><project><header><description/></header></project></t>")->projectDescription(), "");
}

TEST_F(Reader, GroupsFlagsNamesAndOrder) {
  auto project = readItems(R"(
      <group><id>G1</id><name>First</name><name>Second</name><expanded>1</expanded><namespace>1</namespace>
        <group><id>G2</id><name>Inner</name><expanded>true</expanded><namespace>yes</namespace></group>
        <unknownItem><name>skipped</name></unknownItem>
        <Group><name>wrong case</name></Group>
        <group><name>Only a name</name></group>
      </group>
      <group/>
      <group><id>G3</id><name>Last</name><expanded> 1</expanded></group>)");
  ASSERT_EQ(names(project->items()), (Names{"First", "", "Last"}));
  auto first = project->items()[0];
  EXPECT_EQ(first->itemType(), ProjectItemType::group);
  EXPECT_EQ(first->uuid(), "G1");
  EXPECT_TRUE(first->isExpanded());
  EXPECT_TRUE(first->group()->providesNamespace());
  EXPECT_EQ(names(first->group()->items()), (Names{"Inner", "Only a name"}));
  auto inner = first->group()->items()[0];
  EXPECT_FALSE(inner->isExpanded());
  EXPECT_FALSE(inner->group()->providesNamespace());
  EXPECT_TRUE(project->items()[1]->group()->items().empty());
  EXPECT_FALSE(project->items()[2]->isExpanded());
  EXPECT_EQ(project->items()[2]->group()->searchFilter(), "");
}

TEST_F(Reader, IdentifiersAreTakenAsWrittenOrMadeFresh) {
  const std::regex canonical("[0-9A-F]{8}-[0-9A-F]{4}-4[0-9A-F]{3}-[89AB][0-9A-F]{3}-[0-9A-F]{12}");
  auto project = readItems("<group><id> not a uuid </id></group><group/><group><id/></group><group/>");
  ASSERT_EQ(project->items().size(), 4u);
  EXPECT_EQ(project->items()[0]->uuid(), " not a uuid ");
  for (int i : {1, 2, 3}) EXPECT_TRUE(std::regex_match(project->items()[i]->uuid(), canonical));
  EXPECT_NE(project->items()[1]->uuid(), project->items()[3]->uuid());

  // Asked for fresh identifiers, the same element gives a new one each time.
  auto element = xmltree::XML::fromData("<group><id>G</id><name>n</name></group>");
  MerrinColorProject target;
  auto a = parseItem(*element, target, true);
  auto b = parseItem(*element, target, true);
  ASSERT_TRUE(a && b);
  EXPECT_NE(a->uuid(), "G");
  EXPECT_NE(a->uuid(), b->uuid());
  EXPECT_EQ(parseItem(*element, target, false)->uuid(), "G");
}

TEST_F(Reader, TestPositions) {
  const std::pair<std::string, TestPosition> cases[] = {
      {"<testPosition>foreground</testPosition>", TestPosition::foreground},
      {"<testPosition>middle</testPosition>", TestPosition::both},
      {"<testPosition>Foreground</testPosition>", TestPosition::both},
      {"", TestPosition::both},
  };
  for (const auto& [child, position] : cases) {
    auto project = readItems("<group>" + child + "</group>");
    ASSERT_EQ(project->items().size(), 1u);
    EXPECT_EQ(project->items()[0]->testPosition(), position) << child;
  }
}

TEST_F(Reader, LinksToBuildAndTestGroupsWhereverTheyStand) {
  // The groups come after the items in this document; links go to the first group of their id.
  auto project = read(R"(<tavlo><project>
      <colorItems>
        <group><name>linked</name><buildGroupId>B2</buildGroupId><testGroupId>T1</testGroupId></group>
        <group><name>dangling</name><buildGroupId>nope</buildGroupId><testGroupId/></group>
      </colorItems>
      <buildGroups><buildGroup><id>B1</id><name>one</name></buildGroup>
                   <buildGroup><id>B2</id><name>two</name></buildGroup>
                   <buildGroup><id>B2</id><name>same id, never linked</name></buildGroup></buildGroups>
      <testGroups><testGroup><id>T1</id><name>contrast</name></testGroup></testGroups>
    </project></tavlo>)");
  ASSERT_EQ(project->buildGroups().size(), 3u);
  ASSERT_EQ(project->testGroups().size(), 1u);
  ASSERT_EQ(project->items().size(), 2u);
  EXPECT_EQ(project->items()[0]->buildGroup(), project->buildGroups()[1]);
  EXPECT_EQ(project->items()[0]->testGroup(), project->testGroups()[0]);
  EXPECT_EQ(project->items()[1]->buildGroup(), nullptr);
  EXPECT_EQ(project->items()[1]->testGroup(), nullptr);
}

// The sample document holds every kind at least once, all readable.
TEST_F(Reader, ShowcaseReadsEveryKind) {
  auto project = read(readFile(TAVLO_SOURCE_DIR "/examples/showcase.tavlo"));
  const MerrinColorProjectStatistics stats = project->projectStats();
  for (const auto& field : merrinColorProjectStatisticsFields)
    EXPECT_GT(stats.*field.counter, 0) << field.name;
  EXPECT_EQ(project->displayMode(), AppContentMode::grid);
  // Without links the round trip of the sample would prove little about them.
  const auto all = project->allItems();
  EXPECT_TRUE(std::any_of(all.begin(), all.end(), [](const auto& node) { return node->buildGroup(); }));
  EXPECT_TRUE(std::any_of(all.begin(), all.end(), [](const auto& node) { return node->testGroup(); }));
  // Aliases are resolved by the time the reader returns.
  auto ramp = project->firstItem("6F1C2A3E-0B4D-4E5F-8A7B-1C2D3E4F5B04");
  ASSERT_TRUE(ramp);
  EXPECT_EQ(names(project->allAliases(*ramp)), Names{"Link"});
  // A ramp is found by its entries' names too.
  project->setSearchFilter("400");
  EXPECT_EQ(names(project->allNonGroupItems()), (Names{"Blue ramp", "Sunset"}));
}

}  // namespace
}  // namespace tavlo
