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

// Members as "name:role", and how many results the group's first test gives.
TEST(ContrastMembers, LinksRolesKindsAndPairs) {
  using Names = std::vector<std::string>;
  struct Case {
    const char* what;
    std::string items;
    Names members;
    std::size_t results;
    std::size_t group = 0;  // 1: the test group nothing links to
  } cases[] = {
      {"colours with their own roles",
       color("Ink", "0 0 0 1", link("T", "foreground")) + color("Paper", "1 1 1 1", link("T", "background")) +
           color("Loose", "1 0 0 1"),
       {"Ink:foreground", "Paper:background"},
       1},
      {"a linked group gives its descendants its role, whatever their own links; each counts once",
       group("G",
             color("A", "0 0 0 1", link("T", "foreground")) +
                 group("H", color("B", "1 1 1 1", link("T", "background"))),
             link("T", "both")),
       {"A:both", "B:both"},
       2},
      {"a ramp's entries, named Ramp/Entry",
       ramp("Grey", 3, link("T", "both")),
       {"Grey/100:both", "Grey/200:both", "Grey/300:both"},
       6},
      {"an alias takes the colour it resolves to; one that resolves to nothing is left out",
       color("Ink", "0 0 0 1") + alias("Text", "Ink", link("T", "foreground")) +
           alias("Gone", "Nowhere", link("T", "foreground")) +
           color("Paper", "1 1 1 1", link("T", "background")),
       {"Text:foreground", "Paper:background"},
       1},
      {"a group linked to another test group is still searched for links to this one",
       group("G", color("A", "0 0 0 1", link("T", "both")) + color("B", "1 1 1 1"), link("U", "both")),
       {"A:both"},
       0},
      {"a linked group with no colours in it", group("G", "", link("T", "both")), {}, 0},
      {"a test group no node links to", color("Ink", "0 0 0 1", link("T", "both")), {}, 0, 1},
  };
  for (const Case& c : cases) {
    auto project = readItems(c.items, kTestGroups);
    ASSERT_TRUE(project);
    const ContrastReport report = evaluateContrastTests(*project, {project->testGroups()[c.group]});
    EXPECT_EQ(memberNames(report.groups[0].members), c.members) << c.what;
    EXPECT_EQ(report.groups[0].tests[0].results.size(), c.results) << c.what;
  }
  // The alias is measured with the colour it resolves to: black on white.
  auto project = readItems(cases[3].items, kTestGroups);
  EXPECT_EQ(evaluateContrastTests(*project).groups[0].tests[0].results[0].value, 21);
}

}  // namespace
