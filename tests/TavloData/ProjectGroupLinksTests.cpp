// Lookups of build and test groups, the nodes linked to them, and relinking.
#include "DataTestSupport.h"

namespace tavlo {
namespace {

using namespace testsupport;

std::string flag(const std::string& id, const std::string& links) {
  return "<booleanItem><id>" + id + "</id><name>" + id +
         "</name><boolean><variants><variant><value>true</value></variant></variants></boolean>" + links +
         "</booleanItem>";
}

// B1 holds tasks K1, K2; B2 holds K3 (and reuses the id B1 as a task id).
// T1 holds tests X1; T2 holds none. Links: A and the group G2 to B1; C (in G2)
// to B2; D three groups deep to T2.
std::shared_ptr<MerrinColorProject> project() {
  auto task = [](const std::string& name, const std::string& id) {
    return "<task><name>" + name + "</name><id>" + id +
           "</id><fileType>1</fileType><nameTransform>0</nameTransform></task>";
  };
  auto link = [](const std::string& kind, const std::string& id) {
    return "<" + kind + "GroupId>" + id + "</" + kind + "GroupId>";
  };
  return MerrinColorFileReader().parse(
      "<tavlo><project><buildGroups><buildGroup><id>B1</id><name>Web</name><tasks>" + task("a", "K1") +
      task("b", "K2") + "</tasks></buildGroup><buildGroup><id>B2</id><name>App</name><tasks>" +
      task("c", "K3") + task("d", "B1") +
      "</tasks></buildGroup></buildGroups><testGroups><testGroup><id>T1</id><name>Body</name><tests><test>"
      "<name>x</name><id>X1</id><type>apcaContrast</type></test></tests></testGroup><testGroup><id>T2</id>"
      "<name>Empty</name><tests/></testGroup></testGroups><colorItems>" +
      flag("A", link("build", "B1")) + "<group><id>G1</id><name>G1</name><group><id>G2</id><name>G2</name>" +
      link("build", "B1") + flag("C", link("build", "B2")) + "<group><id>G3</id><name>G3</name>" +
      flag("D", link("test", "T2")) + "</group></group>" + flag("E", link("build", "B2")) +
      "</group></colorItems></project></tavlo>");
}

using Ids = std::vector<std::string>;

TEST(GroupLinks, FirstItemAndParentLookups) {
  auto p = project();
  auto group = firstBuildItem(*p, "B1");
  ASSERT_TRUE(group && std::holds_alternative<std::shared_ptr<BuildGroup>>(*group));
  EXPECT_EQ(std::get<std::shared_ptr<BuildGroup>>(*group)->name(), "Web");
  auto task = firstBuildItem(*p, "K3");
  ASSERT_TRUE(task && std::holds_alternative<std::shared_ptr<BuildTask>>(*task));
  EXPECT_EQ(std::get<std::shared_ptr<BuildTask>>(*task)->name(), "c");
  EXPECT_FALSE(firstBuildItem(*p, "T1"));

  auto test = firstTestItem(*p, "X1");
  ASSERT_TRUE(test && std::holds_alternative<std::shared_ptr<TestTask>>(*test));
  EXPECT_EQ(std::get<std::shared_ptr<TestGroup>>(*firstTestItem(*p, "T2"))->name(), "Empty");
  EXPECT_FALSE(firstTestItem(*p, "K1"));

  EXPECT_EQ(parentBuildGroup(*p, *p->buildGroups()[0]->tasks()[1])->uuid(), "B1");
  EXPECT_EQ(parentBuildGroup(*p, *p->buildGroups()[1]->tasks()[0])->uuid(), "B2");
  EXPECT_FALSE(
      parentBuildGroup(*p, BuildTask("nowhere", "n", BuildNameTransform::none, "", "", BuildFileType::css)));
  EXPECT_EQ(parentTestGroup(*p, *p->testGroups()[0]->tests()[0])->uuid(), "T1");
}

TEST(GroupLinks, LinkedNodesStopTheSearchBelowThem) {
  auto p = project();
  EXPECT_EQ(uuids(allItemsWithBuildGroup(*p, *p->buildGroups()[0])), (Ids{"A", "G2"}));
  EXPECT_EQ(uuids(allItemsWithBuildGroup(*p, *p->buildGroups()[1])), (Ids{"C", "E"}));
  EXPECT_EQ(uuids(allItemsWithTestGroup(*p, *p->testGroups()[1])), (Ids{"D"}));
  EXPECT_EQ(uuids(allItemsWithBuildGroup(*p->firstItem("G1")->group(), *p->buildGroups()[1])),
            (Ids{"C", "E"}));
  // Links go by identifier, not by object.
  BuildGroup lookalike("other", "B2", {});
  EXPECT_EQ(uuids(allItemsWithBuildGroup(*p, lookalike)), (Ids{"C", "E"}));
}

TEST(GroupLinks, ValidTestsExistWhenAnyNodeIsLinked) {
  auto p = project();
  const auto& t1 = p->testGroups()[0];
  const auto& t2 = p->testGroups()[1];
  EXPECT_FALSE(validTestsExist(*p, {}));
  EXPECT_FALSE(validTestsExist(*p, {t1}));  // tests but no linked node
  EXPECT_TRUE(validTestsExist(*p, {t2}));   // no tests, a node three groups deep
  EXPECT_TRUE(validTestsExist(*p, {t1, t2}));
}

TEST(GroupLinks, RelinkingAndRemovingLinks) {
  auto p = project();
  // Replace B1 with a new object of the same id and drop B2: links follow the project.
  auto replacement =
      std::make_shared<BuildGroup>("Web again", "B1", std::vector<std::shared_ptr<BuildTask>>{});
  p->setBuildGroups({replacement});
  relinkAllBuildGroups(*p);
  EXPECT_EQ(p->firstItem("A")->buildGroup(), replacement);
  EXPECT_EQ(p->firstItem("G2")->buildGroup(), replacement);
  EXPECT_FALSE(p->firstItem("C")->buildGroup());
  EXPECT_FALSE(p->firstItem("E")->buildGroup());
  EXPECT_TRUE(p->firstItem("D")->testGroup()) << "test links are not relinked";

  auto q = project();
  removeBuildGroupIfLinked(*q->firstItem("G1"), "B2");
  EXPECT_FALSE(q->firstItem("C")->buildGroup());
  EXPECT_FALSE(q->firstItem("E")->buildGroup());
  EXPECT_TRUE(q->firstItem("G2")->buildGroup());
  EXPECT_TRUE(q->firstItem("A")->buildGroup());
  removeBuildGroupIfLinked(*q->firstItem("A"), "B1");
  EXPECT_FALSE(q->firstItem("A")->buildGroup());
}

}  // namespace
}  // namespace tavlo
