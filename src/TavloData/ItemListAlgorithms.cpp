#include "TavloData/ItemListAlgorithms.h"

#include <utility>
#include <vector>

#include "TavloData/ItemTreeWalk.h"
#include "TavloData/ItemUuidIndex.h"
#include "TavloData/MerrinColorGroup.h"
#include "TavloData/MerrinColorProjectItem.h"
#include "TavloData/ProjectItemKindHooks.h"
#include "TavloData/TextSearch.h"

namespace tavlo::detail {

MerrinColorProjectItemList filteredItems(const MerrinColorProjectItemList& items,
                                         const std::string& searchFilter) {
  if (searchFilter.empty()) return items;
  const TextSearchTerm term(searchFilter);
  MerrinColorProjectItemList result;
  for (const auto& node : items)
    if (node && node->matches(term)) result.push_back(node);
  return result;
}

MerrinColorProjectItemList filteredGroups(const MerrinColorProjectItemList& items,
                                          const std::string& searchFilter) {
  const TextSearchTerm term(searchFilter);
  MerrinColorProjectItemList result;
  for (const auto& node : items)
    if (node && node->isGroup() && (term.empty() || node->matches(term))) result.push_back(node);
  return result;
}

void appendAllItems(const MerrinColorProjectItemList& list, MerrinColorProjectItemList& result) {
  // One level per open group. A filtered group's list is a temporary that the
  // level owns; an unfiltered one is read in place.
  struct Level {
    const MerrinColorProjectItemList* items;
    MerrinColorProjectItemList owned;
    std::size_t index = 0;
    const MerrinColorProjectItemList& list() const { return items ? *items : owned; }
  };
  std::vector<Level> levels;
  levels.push_back({&list, {}, 0});
  while (!levels.empty()) {
    Level& level = levels.back();
    if (level.index >= level.list().size()) {
      levels.pop_back();
      continue;
    }
    MerrinColorProjectItemPtr node = level.list()[level.index++];
    if (!node) continue;
    result.push_back(node);
    if (const auto& group = node->group()) {
      if (group->searchFilter().empty())
        levels.push_back({&group->items(), {}, 0});
      else
        levels.push_back({nullptr, group->filteredItems(), 0});
    }
  }
}

void appendAllNonGroupItems(const MerrinColorGroup& group, MerrinColorProjectItemList& result) {
  // Nothing of a group comes after its subgroups' leaves, so a plain stack of
  // groups yields the order "own leaves, then each subgroup in turn".
  std::vector<const MerrinColorGroup*> pending{&group};
  while (!pending.empty()) {
    const MerrinColorGroup* current = pending.back();
    pending.pop_back();
    const MerrinColorProjectItemList filtered = current->filteredItems();
    for (const auto& node : filtered)
      if (node && !node->isGroup()) result.push_back(node);
    for (auto node = filtered.rbegin(); node != filtered.rend(); ++node)
      if (*node && (*node)->group()) pending.push_back((*node)->group().get());
  }
}

MerrinColorProjectItemList allExpandedItems(const MerrinColorProjectItemList& items) {
  MerrinColorProjectItemList result;
  forEachItemInTree(items, [&](const MerrinColorProjectItemPtr& node) {
    if (node->isExpanded()) result.push_back(node);
  });
  return result;
}

MerrinColorProjectItemList allColorSets(const MerrinColorProjectItemList& items) {
  MerrinColorProjectItemList result;
  forEachItemInTree(items, [&](const MerrinColorProjectItemPtr& node) {
    if (node->isColorSet()) result.push_back(node);
  });
  return result;
}

MerrinColorProjectItemList allAliases(const MerrinColorProjectItemList& items, std::string_view forUuid) {
  MerrinColorProjectItemList result;
  walkItemTree(items, [&](const MerrinColorProjectItemPtr& node, const std::vector<ItemWalkLevel>&) {
    if (node->doAnyAliasesReference(forUuid)) {
      result.push_back(node);
      return WalkStep::skipChildren;
    }
    return WalkStep::descend;
  });
  return result;
}

MerrinColorProjectItemPtr firstItem(const MerrinColorProjectItemList& items, std::string_view uuid) {
  MerrinColorProjectItemPtr found;
  walkItemTree(items, [&](const MerrinColorProjectItemPtr& node, const std::vector<ItemWalkLevel>&) {
    if (node->uuid() != uuid) return WalkStep::descend;
    found = node;
    return WalkStep::stop;
  });
  return found;
}

std::optional<IndexPath> indexPath(const MerrinColorProjectItemList& items, std::string_view uuid,
                                   IndexPath path) {
  std::optional<IndexPath> found;
  walkItemTree(items, [&](const MerrinColorProjectItemPtr& node, const std::vector<ItemWalkLevel>& levels) {
    if (node->uuid() != uuid) return WalkStep::descend;
    for (const auto& level : levels) path.push_back(static_cast<std::int64_t>(level.index));
    found = std::move(path);
    return WalkStep::stop;
  });
  return found;
}

void inflateAllAliases(const MerrinColorProjectItemList& items, MerrinColorProject& project) {
  // One uuid index for the whole pass, built on the first lookup.
  const ItemUuidIndex index(project);
  forEachItemInTree(items, [&](const MerrinColorProjectItemPtr& node) {
    if (node->isAnyAlias()) inflateAliasOfItem(*node, index);
  });
}

void addStats(const MerrinColorProjectItemList& items, MerrinColorProjectStatistics& stats) {
  walkItemTree(items, [&](const MerrinColorProjectItemPtr& node, const std::vector<ItemWalkLevel>&) {
    switch (node->itemType()) {
      case ProjectItemType::group:
        if (!node->group()) return WalkStep::skipChildren;
        ++stats.groupCount;
        return WalkStep::descend;
      case ProjectItemType::color:
        ++stats.colorItemCount;
        break;
      case ProjectItemType::colorSet:
        ++stats.colorSetCount;
        break;
      case ProjectItemType::colorAlias:
        ++stats.colorAliasCount;
        break;
      case ProjectItemType::number:
        ++stats.numberCount;
        break;
      case ProjectItemType::numberAlias:
        ++stats.numberAliasCount;
        break;
      case ProjectItemType::boolean:
        ++stats.booleanCount;
        break;
      case ProjectItemType::booleanAlias:
        ++stats.booleanAliasCount;
        break;
      case ProjectItemType::string:
        ++stats.stringCount;
        break;
      case ProjectItemType::stringAlias:
        ++stats.stringAliasCount;
        break;
      case ProjectItemType::shadow:
        ++stats.shadowCount;
        break;
      case ProjectItemType::shadowSet:
        ++stats.shadowSetCount;
        break;
      case ProjectItemType::shadowAlias:
        ++stats.shadowAliasCount;
        break;
    }
    // Only group nodes are descended, whatever else a node might carry.
    return WalkStep::skipChildren;
  });
}

}  // namespace tavlo::detail
