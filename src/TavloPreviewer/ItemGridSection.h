// The preview grid's sections: the ungrouped top-level items first, then one
// section per group of the tree, depth-first.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "TavloData/FilterItem.h"
#include "TavloData/ProjectItemType.h"
#include "TavloData/ProjectKinds.h"
#include "hostkit/View.h"

namespace tavlo::previewer {

// What a section shows in place of item cells: one cell across the grid's
// width, under a header with `title`.
struct SectionPanel {
  std::string title;
  double height = 0;  // points
  hostkit::View content;
};

struct ItemGridSection {
  // The group node whose contents the section shows; absent for the first section.
  MerrinColorProjectItemPtr parentItem;
  // The non-group items shown as cells, in tree order.
  MerrinColorProjectItemList childItems;
  // Set for a section that shows a panel rather than items.
  std::shared_ptr<const SectionPanel> panel = nullptr;
};

// Whether an item of that kind is listed under the kind filter. Groups pass
// every filter (anything may sit beneath them).
bool passes(FilterType filter, ProjectItemType type);

// The first section (the top-level items that are not groups, present even
// when empty) followed by a section for every group, a group's section before
// those of its subgroups.
std::vector<ItemGridSection> gridSections(const MerrinColorProject& project);

// Appends a section for `item` when it carries a group, even an empty one,
// then the sections of the groups beneath it in pre-order. Nested groups
// become sections of their own, never cells.
void appendGroupSections(const MerrinColorProjectItemPtr& item, std::vector<ItemGridSection>& into,
                         FilterType filter);

}  // namespace tavlo::previewer
