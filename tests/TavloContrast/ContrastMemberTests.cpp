// Which colours a test group measures, read from documents: links, roles,
// kinds, and groups that yield nothing.
#include "ContrastTestSupport.h"
#include "TavloData/DataTestSupport.h"

namespace {

using namespace contrasttest;
using tavlo::testsupport::readItems;

std::string link(const std::string& group, const std::string& role) {
  return group.empty() ? ""
                       : "<testGroupId>" + group + "</testGroupId><testPosition>" + role + "</testPosition>";
}

std::string color(const std::string& id, const std::string& rgba, const std::string& links = "") {
  return "<colorItem><id>" + id + "</id><name>" + id +
         "</name><profile>sRGB</profile><color><variants><variant><rgba>" + rgba +
         "</rgba></variant></variants></color>" + links + "</colorItem>";
}

std::string ramp(const std::string& id, int entries, const std::string& links = "") {
  std::string colors;
  for (int i = 0; i < entries; ++i) {
    const std::string v = std::to_string(i / double(entries));
    colors += "<color><name>" + std::to_string((i + 1) * 100) + "</name><variants><variant><rgba>" + v + " " +
              v + " " + v + " 1</rgba></variant></variants></color>";
  }
  return "<colorSet><id>" + id + "</id><name>" + id + "</name><profile>sRGB</profile><steps>" +
         std::to_string(entries) +
         "</steps><interpolation>1</interpolation><type>1</type><middle>0.5</middle><naming>1</"
         "naming><colors>" +
         colors + "</colors>" + links + "</colorSet>";
}

std::string alias(const std::string& id, const std::string& target, const std::string& links = "") {
  return "<alias><id>" + id + "</id><name>" + id + "</name><type>1</type><referencedItemId>" + target +
         "</referencedItemId>" + links + "</alias>";
}

std::string group(const std::string& id, const std::string& items, const std::string& links = "") {
  return "<group><id>" + id + "</id><name>" + id + "</name>" + items + links + "</group>";
}

const std::string kTestGroups =
    "<testGroups>"
    "<testGroup><id>T</id><name>Text</name><tests><test><name>Body</name><id>B</id><type>wcagContrast</type>"
    "</test><test><name>Lc</name><id>L</id><type>apcaContrast</type></test></tests></testGroup>"
    "<testGroup><id>U</id><name>Unlinked</name><tests><test><name>Body</name><id>B2</id>"
    "<type>wcagContrast</type></test></tests></testGroup>"
    "</testGroups>";

std::vector<std::string> memberNames(const std::vector<ContrastMember>& members) {
  std::vector<std::string> names;
  for (const auto& m : members) names.push_back(m.name + ":" + std::string(rawValue(m.role)));
  return names;
}

TEST(ContrastMembers, LinksRolesAndKinds) {
  using Names = std::vector<std::string>;
  struct Case {
    const char* what;
    std::string items;
    Names members;
  } cases[] = {
      {"colours with their own roles",
       color("Ink", "0 0 0 1", link("T", "foreground")) + color("Paper", "1 1 1 1", link("T", "background")) +
           color("Loose", "1 0 0 1"),
       {"Ink:foreground", "Paper:background"}},
      {"a linked group gives its descendants its role, whatever their own links",
       group("G", color("A", "0 0 0 1") + group("H", color("B", "1 1 1 1", link("T", "foreground"))),
             link("T", "background")),
       {"A:background", "B:background"}},
      {"a ramp's entries, named Ramp/Entry",
       ramp("Grey", 3, link("T", "both")),
       {"Grey/100:both", "Grey/200:both", "Grey/300:both"}},
      {"an alias takes the colour it resolves to; one that resolves to nothing is left out",
       color("Ink", "0 0 0 1") + alias("Text", "Ink", link("T", "foreground")) +
           alias("Gone", "Nowhere", link("T", "foreground")),
       {"Text:foreground"}},
      {"a group linked to another test group is still searched for links to this one",
       group("G", color("A", "0 0 0 1", link("T", "both")) + color("B", "1 1 1 1"), link("U", "both")),
       {"A:both"}},
  };
  for (const Case& c : cases) {
    auto project = readItems(c.items, kTestGroups);
    ASSERT_TRUE(project);
    EXPECT_EQ(memberNames(membersOfTestGroup(*project, *project->testGroups()[0])), c.members) << c.what;
  }
}

TEST(ContrastMembers, AliasMeasuresTheColourItResolvesTo) {
  auto project = readItems(color("Ink", "0 0 0 1") + alias("Text", "Ink", link("T", "foreground")) +
                               color("Paper", "1 1 1 1", link("T", "background")),
                           kTestGroups);
  const GroupEvaluation group = evaluateTestGroup(*project, *project->testGroups()[0]);
  ASSERT_EQ(group.tests.size(), 2u);
  ASSERT_EQ(group.tests[0].results.size(), 1u);
  EXPECT_EQ(group.tests[0].results[0].value, 21);
}

TEST(ContrastMembers, GroupsThatYieldNoResults) {
  struct Case {
    const char* what;
    std::string items;
    std::size_t groupIndex;
  } cases[] = {
      {"a test group no node links to", color("Ink", "0 0 0 1", link("T", "both")), 1},
      {"a linked group with no colours in it", group("G", "", link("T", "both")), 0},
      {"only foregrounds",
       color("A", "0 0 0 1", link("T", "foreground")) + color("B", "1 1 1 1", link("T", "foreground")), 0},
  };
  for (const Case& c : cases) {
    auto project = readItems(c.items, kTestGroups);
    const ContrastReport report = evaluateContrastTests(*project, {project->testGroups()[c.groupIndex]});
    ASSERT_EQ(report.groups.size(), 1u) << c.what;
    for (const auto& test : report.groups[0].tests) EXPECT_TRUE(test.results.empty()) << c.what;
    EXPECT_EQ(report.passed + report.failed, 0u) << c.what;
  }
}

TEST(ContrastMembers, ANodeLinkedTwiceCountsOnce) {
  // Linked itself and through its group: one member, with the group's role.
  auto project = readItems(
      group("G", color("A", "0 0 0 1", link("T", "foreground")) + color("B", "1 1 1 1"), link("T", "both")),
      kTestGroups);
  const auto members = membersOfTestGroup(*project, *project->testGroups()[0]);
  EXPECT_EQ(memberNames(members), (std::vector<std::string>{"A:both", "B:both"}));
  EXPECT_EQ(evaluateTestGroup(*project, *project->testGroups()[0]).tests[0].results.size(), 2u);
}

TEST(ContrastMembers, ARampOfAHundredEntriesGivesEveryOrderedPairOnce) {
  auto project = readItems(ramp("Ramp", 100, link("T", "both")), kTestGroups);
  const ContrastReport report = evaluateContrastTests(*project);
  ASSERT_EQ(report.groups[0].members.size(), 100u);
  // 100 × 99 ordered pairs, light only, for each of the two tests.
  EXPECT_EQ(report.groups[0].tests[0].results.size(), 9900u);
  EXPECT_EQ(report.passed + report.failed, 2 * 9900u);
  std::cout << "[ pairs    ] a 100-entry ramp: " << report.groups[0].tests[0].results.size()
            << " pairs per test\n";
}

}  // namespace
