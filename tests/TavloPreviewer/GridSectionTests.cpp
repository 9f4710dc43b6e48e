#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "PreviewTestSupport.h"
#include "TavloData/MerrinColorGroup.h"
#include "TavloData/MerrinColorProjectItem.h"
#include "TavloPreviewer/ItemGridSection.h"

namespace tavlo::previewer {
namespace {

using namespace testing;

// A section as names: the parent's name ("-" for none), then the cells' names.
std::vector<std::vector<std::string>> names(const std::vector<ItemGridSection>& sections) {
  std::vector<std::vector<std::string>> out;
  for (const auto& section : sections) {
    std::vector<std::string> row{section.parentItem ? section.parentItem->name() : "-"};
    for (const auto& child : section.childItems) row.push_back(child->name());
    out.push_back(row);
  }
  return out;
}

struct SectionCase {
  const char* what;
  std::string items;
  std::vector<std::vector<std::string>> expected;
};

TEST(GridSections, OneSectionForUngroupedItemsThenEachGroupDepthFirst) {
  const SectionCase cases[] = {
      {"empty document", "", {{"-"}}},
      {"ungrouped only", colorXml("Ink") + numberXml("Radius"), {{"-", "Ink", "Radius"}}},
      {"group of colours with a subgroup of numbers",
       groupXml("Brand", colorXml("Primary") + groupXml("Metrics", numberXml("Gap")) + colorXml("Accent")),
       {{"-"}, {"Brand", "Primary", "Accent"}, {"Metrics", "Gap"}}},
      {"top-level leaves stay in the first section wherever they stand; an empty group keeps its section",
       groupXml("A") + colorXml("Ink") + groupXml("B", colorXml("Blue")) + numberXml("Gap"),
       {{"-", "Ink", "Gap"}, {"A"}, {"B", "Blue"}}},
      {"pre-order: a group before its subgroups, subgroups in tree order, then the next top-level group",
       groupXml("A", groupXml("A1", groupXml("A1a")) + groupXml("A2")) + groupXml("B"),
       {{"-"}, {"A"}, {"A1"}, {"A1a"}, {"A2"}, {"B"}}},
  };
  for (const auto& c : cases) {
    auto project = readDocument(c.items);
    EXPECT_EQ(names(gridSections(*project)), c.expected) << c.what;
  }
}

TEST(GridSections, KindFilterAppliesToGroupCellsButEveryGroupKeepsItsSection) {
  auto project =
      readDocument(groupXml("G", colorXml("Ink") + numberXml("Gap") + groupXml("Sub", numberXml("Pad"))));
  const struct {
    FilterType filter;
    std::vector<std::vector<std::string>> expected;
  } cases[] = {
      {FilterType::all, {{"G", "Ink", "Gap"}, {"Sub", "Pad"}}},
      {FilterType::colors, {{"G", "Ink"}, {"Sub"}}},
      {FilterType::numbers, {{"G", "Gap"}, {"Sub", "Pad"}}},
      {FilterType::shadows, {{"G"}, {"Sub"}}},
  };
  for (const auto& c : cases) {
    std::vector<ItemGridSection> sections;
    appendGroupSections(project->items().front(), sections, c.filter);
    EXPECT_EQ(names(sections), c.expected) << displayName(c.filter);
  }
}

TEST(GridSections, DeepNestingDoesNotRecurse) {
  // Built in code, past any reader's depth limit.
  auto root = MerrinColorProjectItem::makeGroup("0", std::make_shared<MerrinColorGroup>(), "g0");
  auto node = root;
  for (int depth = 1; depth < 20000; ++depth) {
    auto child =
        MerrinColorProjectItem::makeGroup(std::to_string(depth), std::make_shared<MerrinColorGroup>(), "g");
    node->group()->appendItem(child);
    node = child;
  }
  std::vector<ItemGridSection> sections;
  appendGroupSections(root, sections, FilterType::all);
  EXPECT_EQ(sections.size(), 20000u);
}

}  // namespace
}  // namespace tavlo::previewer
