#include "TavloPreviewer/ItemGridSection.h"

#include <utility>

#include "TavloData/MerrinColorGroup.h"
#include "TavloData/MerrinColorProject.h"
#include "TavloData/MerrinColorProjectItem.h"
#include "TavloData/ProjectItemTypeClassification.h"

namespace tavlo::previewer {

bool passes(FilterType filter, ProjectItemType type) {
  switch (filter) {
    case FilterType::all:
      return true;
    case FilterType::colors:
      return isColorRelated(type);
    case FilterType::numbers:
      return isNumberRelated(type);
    case FilterType::booleans:
      return isBooleanRelated(type);
    case FilterType::strings:
      return isStringRelated(type);
    case FilterType::shadows:
      return isShadowRelated(type);
  }
  return false;
}

std::vector<ItemGridSection> gridSections(const MerrinColorProject& project) {
  const MerrinColorProjectItemList topLevel = project.filteredItems();
  std::vector<ItemGridSection> sections(1);
  for (const auto& item : topLevel)
    if (!item->isGroup()) sections.front().childItems.push_back(item);
  for (const auto& item : topLevel) appendGroupSections(item, sections, FilterType::all);
  return sections;
}

void appendGroupSections(const MerrinColorProjectItemPtr& item, std::vector<ItemGridSection>& into,
                         FilterType filter) {
  // Walked with an explicit stack rather than recursion, so that a tree built
  // in code, with no reader's depth limit, cannot exhaust the call stack.
  // Children are pushed in reverse to come off the stack in tree order.
  std::vector<MerrinColorProjectItemPtr> pending{item};
  while (!pending.empty()) {
    MerrinColorProjectItemPtr node = std::move(pending.back());
    pending.pop_back();
    if (!node || !node->group()) continue;

    const MerrinColorProjectItemList children = node->group()->filteredItems();
    ItemGridSection section{node, {}};
    for (const auto& child : children)
      if (!child->isGroup() && passes(filter, child->itemType())) section.childItems.push_back(child);
    into.push_back(std::move(section));

    for (auto it = children.rbegin(); it != children.rend(); ++it) pending.push_back(*it);
  }
}

}  // namespace tavlo::previewer
