// The kind object of a group node: an ordered list of further nodes.
#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "TavloData/MerrinColorProjectStatistics.h"
#include "TavloData/Observable.h"
#include "TavloData/ProjectKinds.h"

namespace tavlo {

class MerrinColorGroup : public Observable {
 public:
  MerrinColorGroup() = default;
  MerrinColorGroup(const MerrinColorGroup&) = delete;
  MerrinColorGroup& operator=(const MerrinColorGroup&) = delete;
  // Takes nested groups apart one level at a time, so dropping a deeply
  // nested tree cannot exhaust the call stack.
  ~MerrinColorGroup() override;

  const MerrinColorProjectItemList& items() const { return items_; }
  void setItems(MerrinColorProjectItemList items);
  void appendItem(MerrinColorProjectItemPtr item);
  // Inserts at `position`, clamped to the end of the list.
  void insertItem(MerrinColorProjectItemPtr item, std::size_t position);

  // When true the group's name takes part in exported names.
  bool providesNamespace() const { return providesNamespace_; }
  void setProvidesNamespace(bool value);

  // Stores the term here and in every group beneath this one.
  const std::string& searchFilter() const { return searchFilter_; }
  void setSearchFilter(const std::string& value);

  // `items`, or with a search filter set, those that match it.
  MerrinColorProjectItemList filteredItems() const;
  // The child group nodes, matching the search filter when one is set.
  MerrinColorProjectItemList filteredGroups() const;

  // The recursive steps of the project operations of the same name.
  MerrinColorProjectItemList allItems() const;
  // Own leaves first (filtered), then the leaves of each filtered child group.
  MerrinColorProjectItemList allNonGroupItems() const;
  MerrinColorProjectItemList allExpandedItems() const;
  MerrinColorProjectItemList allColorSets() const;
  MerrinColorProjectItemList allAliases(const MerrinColorProjectItem& forItem) const;
  MerrinColorProjectItemPtr firstItem(std::string_view uuid) const;
  // `path` extended by the positions down to the node with that uuid.
  std::optional<IndexPath> indexPath(std::string_view itemUuid, IndexPath path) const;
  void inflateAllAliases(MerrinColorProject& project);
  void calculateStats(MerrinColorProjectStatistics& stats) const;
  // Whether a group node named `itemName` survives the term.
  bool matches(std::string_view searchTerm, std::string_view itemName) const;
  // The colour objects of the group's own colour nodes, then those of each child group.
  std::vector<std::shared_ptr<MerrinColorItem>> allColorItems() const;

 private:
  MerrinColorProjectItemList items_;
  bool providesNamespace_ = false;
  std::string searchFilter_;
};

}  // namespace tavlo
