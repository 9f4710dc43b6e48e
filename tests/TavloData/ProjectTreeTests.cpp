// The project tree: traversal orders, search filtering, index paths,
// insertion, statistics, the display-mode setting and observation.
#include "DataTestSupport.h"

namespace tavlo {
namespace {

using namespace testsupport;

using Item = MerrinColorProjectItem;

// A leaf that carries a kind object (a boolean), so that it can match searches.
MerrinColorProjectItemPtr leaf(const std::string& name) {
  return Item::makeBooleanItem(
      "uuid-" + name,
      std::make_shared<MerrinColorBoolean>(std::make_shared<ThemeableBoolean>(true), AppearanceType::none),
      name);
}

MerrinColorProjectItemPtr group(const std::string& name, MerrinColorProjectItemList children = {}) {
  auto object = std::make_shared<MerrinColorGroup>();
  object->setItems(std::move(children));
  return Item::makeGroup("uuid-" + name, object, name);
}

// T, G1 [A, G2 [C], B], E (empty)
std::shared_ptr<MerrinColorProject> sampleProject() {
  auto project = std::make_shared<MerrinColorProject>();
  project->setItems({leaf("T"), group("G1", {leaf("A"), group("G2", {leaf("C")}), leaf("B")}), group("E")});
  return project;
}

TEST(ProjectTree, TraversalOrders) {
  auto project = sampleProject();
  project->items()[1]->setIsExpanded(true);
  project->items()[1]->group()->items()[1]->setIsExpanded(true);
  EXPECT_EQ(names(project->allItems()), (Names{"T", "G1", "A", "G2", "C", "B", "E"}));
  // Top-level leaves are left out; inside a group its own leaves come first.
  EXPECT_EQ(names(project->allNonGroupItems()), (Names{"A", "B", "C"}));
  EXPECT_EQ(names(project->items()[1]->allItems()), (Names{"G1", "A", "G2", "C", "B"}));
  EXPECT_EQ(names(project->items()[0]->allItems()), (Names{"T"}));
  EXPECT_EQ(names(project->allExpandedItems()), (Names{"G1", "G2"}));
  // A collapsed group's contents are searched all the same.
  project->items()[1]->setIsExpanded(false);
  EXPECT_EQ(names(project->allExpandedItems()), (Names{"G2"}));
}

TEST(ProjectTree, ColorSetsAndStatisticsGoByTag) {
  auto project = sampleProject();
  auto inner = project->items()[1]->group()->items()[1]->group();
  inner->appendItem(Item::makeColorSet("s1", nullptr, "Ramp"));
  inner->appendItem(Item::makeColorItem("c1", nullptr, "Red"));
  project->appendItem(Item::makeShadowAlias("sa", nullptr, "Shadow alias"));
  // A group-tagged node without a group object is neither counted nor descended.
  project->appendItem(Item::makeGroup("g0", nullptr, "Hollow"));
  EXPECT_EQ(names(project->allColorSets()), (Names{"Ramp"}));

  MerrinColorProjectStatistics expected;
  expected.booleanCount = 4;
  expected.groupCount = 3;
  expected.colorSetCount = 1;
  expected.colorItemCount = 1;
  expected.shadowAliasCount = 1;
  EXPECT_EQ(project->projectStats(), expected);
}

TEST(ProjectTree, IndexPathsAndLookups) {
  auto project = sampleProject();
  struct Case {
    std::string uuid;
    std::optional<IndexPath> path;
    std::string parent;  // empty: no parent
  };
  const Case cases[] = {
      {"uuid-T", IndexPath{0}, ""},      {"uuid-G1", IndexPath{1}, ""},
      {"uuid-A", IndexPath{1, 0}, "G1"}, {"uuid-C", IndexPath{1, 1, 0}, "G2"},
      {"uuid-B", IndexPath{1, 2}, "G1"}, {"uuid-E", IndexPath{2}, ""},
      {"missing", std::nullopt, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.uuid);
    EXPECT_EQ(project->indexPath(c.uuid), c.path);
    auto found = project->firstItem(c.uuid);
    EXPECT_EQ(found != nullptr, c.path.has_value());
    if (!found) continue;
    EXPECT_EQ(project->item(*c.path), found);
    auto parent = project->parentItem(*found);
    EXPECT_EQ(parent ? parent->name() : "", c.parent);
  }
  // Paths that lead nowhere.
  for (const IndexPath& path :
       {IndexPath{}, IndexPath{3}, IndexPath{-1}, IndexPath{0, 0}, IndexPath{1, 5}, IndexPath{1, 1, 0, 0}}) {
    EXPECT_EQ(project->item(path), nullptr);
  }
  // The first match in pre-order wins.
  project->items()[1]->group()->appendItem(leaf("T"));
  EXPECT_EQ(project->indexPath("uuid-T"), (IndexPath{0}));
}

TEST(ProjectTree, InsertAtIndexPath) {
  struct Case {
    std::optional<IndexPath> path;
    Names top;
    Names inG1;
  };
  const Case cases[] = {
      {std::nullopt, {"T", "G1", "E", "x"}, {"A", "G2", "B"}},
      {IndexPath{2}, {"T", "G1", "E", "x"}, {"A", "G2", "B"}},      // parent path empty
      {IndexPath{1, 99}, {"T", "G1", "E"}, {"A", "G2", "B", "x"}},  // clamped to the end
      {IndexPath{1, 1}, {"T", "G1", "E"}, {"A", "x", "G2", "B"}},
      {IndexPath{1, -1}, {"T", "G1", "E", "x"}, {"A", "G2", "B"}},  // negative position
      {IndexPath{0, 0}, {"T", "G1", "E", "x"}, {"A", "G2", "B"}},   // parent is a leaf
  };
  for (const auto& c : cases) {
    auto project = sampleProject();
    project->insertItemAtIndexPath(leaf("x"), c.path);
    EXPECT_EQ(names(project->items()), c.top);
    EXPECT_EQ(names(project->items()[1]->group()->items()), c.inG1);
  }
}

TEST(ProjectTree, InsertIntoParent) {
  struct Case {
    std::optional<std::string> parent;
    std::string landsIn;  // name of the group, or "top"
  };
  const Case cases[] = {
      {std::nullopt, "top"}, {"uuid-G1", "G1"}, {"uuid-G2", "G2"},
      {"uuid-E", "E"},       {"uuid-A", "top"}, {"nowhere", "top"},
  };
  for (const auto& c : cases) {
    auto project = sampleProject();
    std::optional<std::string_view> parent;
    if (c.parent) parent = *c.parent;
    project->insertItemIntoParent(leaf("x"), parent);
    auto path = project->indexPath("uuid-x");
    ASSERT_TRUE(path);
    auto holder = project->parentItem(*project->firstItem("uuid-x"));
    EXPECT_EQ(holder ? holder->name() : "top", c.landsIn);
    // Always appended at the end.
    const auto& list = holder ? holder->group()->items() : project->items();
    EXPECT_EQ(list.back()->name(), "x");
  }
}

TEST(ProjectTree, SearchFilterReachesEveryGroupAndKeepsAncestors) {
  auto project = std::make_shared<MerrinColorProject>();
  project->setItems({group("Brand", {leaf("Red"), group("Deep", {leaf("Sky blue"), leaf("Grass")})}),
                     group("Other", {leaf("Amber")}), leaf("Blue top")});
  project->setSearchFilter("BLUE");
  auto brand = project->items()[0]->group();
  auto deep = brand->items()[1]->group();
  EXPECT_EQ(deep->searchFilter(), "BLUE");
  EXPECT_EQ(project->items()[1]->group()->searchFilter(), "BLUE");

  EXPECT_EQ(names(project->filteredItems()), (Names{"Brand", "Blue top"}));
  EXPECT_EQ(names(project->filteredGroups()), (Names{"Brand"}));
  EXPECT_EQ(names(brand->filteredItems()), (Names{"Deep"}));
  EXPECT_EQ(names(deep->filteredItems()), (Names{"Sky blue"}));
  // The top level of allItems is unfiltered; each group contributes its filtered items.
  EXPECT_EQ(names(project->allItems()), (Names{"Brand", "Deep", "Sky blue", "Other", "Blue top"}));
  EXPECT_EQ(names(project->allNonGroupItems()), (Names{"Sky blue"}));

  // A group whose own name matches keeps the group, whatever it holds.
  EXPECT_TRUE(project->items()[1]->matches("oth"));
  EXPECT_TRUE(brand->matches("grass", "Brand"));
  EXPECT_FALSE(brand->matches("violet", "Brand"));

  project->setSearchFilter("");
  EXPECT_EQ(names(deep->filteredItems()), (Names{"Sky blue", "Grass"}));
  EXPECT_EQ(names(project->filteredGroups()), (Names{"Brand", "Other"}));
}

TEST(ProjectTree, NodesWithoutKindNeverMatch) {
  auto hollow = Item::makeColorItem("h", nullptr, "Hollow");
  EXPECT_FALSE(hollow->matches(""));
  EXPECT_FALSE(hollow->matches("Hollow"));
  EXPECT_TRUE(leaf("Anything")->matches(""));
}

TEST(TextSearch, LocaleAwareCaseInsensitiveContainment) {
  struct Case {
    const char* text;
    const char* term;
    bool found;
  };
  const Case cases[] = {
      {"Sky blue", "BLUE", true},
      {"", "a", false},
      {"Sky blue", "blues", false},
      {"Straße", "STRASSE", true},            // full case folding
      {"Cafe\xCC\x81", "CAF\xC3\x89", true},  // combining accent against precomposed
      {"Café", "cafe", false},                // accents still count
      {"\xE2\x84\xAA"
       "elvin",
       "kelvin", true},  // Kelvin sign folds to k
      {"ΣΊΣΥΦΟΣ", "σίσυφος", true},
      {"abc", "\xFF", false},  // invalid UTF-8 matches nothing odd
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.text) + " / " + c.term);
    EXPECT_EQ(localizedCaseInsensitiveContains(c.text, c.term), c.found);
  }
}

TEST(ProjectTree, DisplayModeSetting) {
  struct Case {
    std::vector<std::pair<std::string, std::string>> settings;
    AppContentMode mode;
  };
  const Case cases[] = {
      {{}, AppContentMode::grid},
      {{{"DisplayMode", "table"}}, AppContentMode::table},
      {{{"DisplayMode", "group"}}, AppContentMode::grid},
      {{{"DisplayMode", "Table"}}, AppContentMode::grid},
      {{{"Other", "table"}, {"DisplayMode", "table"}}, AppContentMode::table},
      {{{"DisplayMode", "group"}, {"DisplayMode", "table"}}, AppContentMode::grid},  // first one counts
  };
  for (const auto& c : cases) {
    MerrinColorProject project;
    for (const auto& [key, value] : c.settings)
      project.appendSetting(std::make_shared<DocumentSetting>(key, value));
    EXPECT_EQ(project.displayMode(), c.mode);
  }

  MerrinColorProject project;
  project.setDisplayMode(AppContentMode::grid);
  ASSERT_EQ(project.settings().size(), 1u);
  EXPECT_EQ(project.settings()[0]->key(), "DisplayMode");
  EXPECT_EQ(project.settings()[0]->value(), "group");
  project.appendSetting(std::make_shared<DocumentSetting>("DisplayMode", "group"));
  project.setDisplayMode(AppContentMode::table);
  EXPECT_EQ(project.settings()[0]->value(), "table");
  EXPECT_EQ(project.settings()[1]->value(), "group");
  EXPECT_EQ(project.displayMode(), AppContentMode::table);
}

// Setting the project's filter notifies every group it reaches, once.
TEST(ProjectTree, SearchFilterNotifiesEveryGroup) {
  auto project = std::make_shared<MerrinColorProject>();
  auto inner = group("inner");
  int innerHeard = 0;
  inner->group()->subscribe([&](std::string_view property) { innerHeard += property == "searchFilter"; });
  project->setItems({group("outer", {inner})});
  project->setSearchFilter("t");
  EXPECT_EQ(innerHeard, 1);
  EXPECT_EQ(inner->group()->searchFilter(), "t");
}

// Trees built in code may nest far deeper than a document can; walking,
// filtering and dropping them must not use the call stack per level.
TEST(ProjectTree, VeryDeepTreesAreWalkedAndFreedWithoutRecursion) {
  constexpr int kDepth = 100000;
  auto project = std::make_shared<MerrinColorProject>();
  auto bottom = leaf("bottom");
  MerrinColorProjectItemPtr chain = bottom;
  for (int i = 0; i < kDepth; ++i) chain = group("g" + std::to_string(i), {chain});
  project->appendItem(chain);
  chain.reset();

  EXPECT_EQ(project->allItems().size(), static_cast<std::size_t>(kDepth + 1));
  EXPECT_EQ(project->projectStats().groupCount, kDepth);
  EXPECT_EQ(project->allNonGroupItems().size(), 1u);
  auto path = project->indexPath("uuid-bottom");
  ASSERT_TRUE(path);
  EXPECT_EQ(path->size(), static_cast<std::size_t>(kDepth + 1));
  EXPECT_EQ(project->item(*path), bottom);
  EXPECT_TRUE(project->items()[0]->matches("BOTTOM"));
  project->setSearchFilter("x");  // reaches all groups without recursion
  project->setItems({});
  EXPECT_EQ(bottom.use_count(), 1);
}

}  // namespace
}  // namespace tavlo
