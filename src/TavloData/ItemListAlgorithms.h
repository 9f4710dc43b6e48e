// The traversals that the project and a group share: each works on a list of
// nodes (the project's top level or a group's items) and a search term.
// Internal to the tree; use the operations of MerrinColorProject and
// MerrinColorGroup instead.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "TavloData/MerrinColorProjectStatistics.h"
#include "TavloData/ProjectKinds.h"

namespace tavlo::detail {

// The list itself when the term is empty, else the nodes matching it.
MerrinColorProjectItemList filteredItems(const MerrinColorProjectItemList& items,
                                         const std::string& searchFilter);
// The group nodes of the list, matching the term when one is set.
MerrinColorProjectItemList filteredGroups(const MerrinColorProjectItemList& items,
                                          const std::string& searchFilter);
// Every node from `list` down, each followed by its descendants, where each
// group contributes its filteredItems().
void appendAllItems(const MerrinColorProjectItemList& list, MerrinColorProjectItemList& result);
// The leaves of `group` and of its filtered subgroups, own leaves first.
void appendAllNonGroupItems(const MerrinColorGroup& group, MerrinColorProjectItemList& result);
MerrinColorProjectItemList allExpandedItems(const MerrinColorProjectItemList& items);
MerrinColorProjectItemList allColorSets(const MerrinColorProjectItemList& items);
MerrinColorProjectItemList allAliases(const MerrinColorProjectItemList& items, std::string_view forUuid);
MerrinColorProjectItemPtr firstItem(const MerrinColorProjectItemList& items, std::string_view uuid);
// `path` extended by the positions down to the first node with that uuid.
std::optional<IndexPath> indexPath(const MerrinColorProjectItemList& items, std::string_view uuid,
                                   IndexPath path);
void inflateAllAliases(const MerrinColorProjectItemList& items, MerrinColorProject& project);
// Counts the nodes of `items` and beneath; a group node is counted only when it carries a group.
void addStats(const MerrinColorProjectItemList& items, MerrinColorProjectStatistics& stats);

}  // namespace tavlo::detail
