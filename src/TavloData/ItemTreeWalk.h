// Depth-first walks over the item tree that keep their own stack, so no
// document shape can exhaust the call stack (a project built in code may nest
// groups far deeper than any document can).
#pragma once

#include <cstddef>
#include <vector>

#include "TavloData/MerrinColorGroup.h"
#include "TavloData/MerrinColorProjectItem.h"
#include "TavloData/ProjectKinds.h"

namespace tavlo {

// What a visitor wants after seeing a node.
enum class WalkStep {
  descend,       // continue, entering the node's group if it carries one
  skipChildren,  // continue with the next node after this one's subtree
  stop,          // end the walk
};

// One level of an ongoing walk: the list being read and the position of the
// node being visited in it. The positions of all levels form the node's
// index path.
struct ItemWalkLevel {
  const MerrinColorProjectItemList* items;
  std::size_t index;
};

// Pre-order over the unfiltered tree: each node, then the items of the group
// it carries. `visit(const MerrinColorProjectItemPtr& node, const
// std::vector<ItemWalkLevel>& levels)` returns a WalkStep; `levels.back()` is
// the node's own level. The tree must not change shape during the walk.
// Returns false when the visitor stopped the walk.
template <class Visit>
bool walkItemTree(const MerrinColorProjectItemList& top, Visit&& visit) {
  std::vector<ItemWalkLevel> levels;
  levels.push_back({&top, 0});
  while (!levels.empty()) {
    ItemWalkLevel& level = levels.back();
    if (level.index >= level.items->size()) {
      levels.pop_back();
      if (!levels.empty()) ++levels.back().index;
      continue;
    }
    const MerrinColorProjectItemPtr& node = (*level.items)[level.index];
    if (!node) {
      ++level.index;
      continue;
    }
    const WalkStep step = visit(node, static_cast<const std::vector<ItemWalkLevel>&>(levels));
    if (step == WalkStep::stop) return false;
    if (step == WalkStep::descend && node->group()) {
      levels.push_back({&node->group()->items(), 0});  // `level` is invalid from here on
    } else {
      ++level.index;
    }
  }
  return true;
}

// The same walk for visitors that only look at nodes and always descend.
template <class Visit>
void forEachItemInTree(const MerrinColorProjectItemList& top, Visit&& visit) {
  walkItemTree(top, [&](const MerrinColorProjectItemPtr& node, const std::vector<ItemWalkLevel>&) {
    visit(node);
    return WalkStep::descend;
  });
}

}  // namespace tavlo
