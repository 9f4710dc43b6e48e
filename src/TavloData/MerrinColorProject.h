// The root of a document: the item tree, the export and contrast-test groups
// and the document's key/value settings.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "TavloData/AppContentMode.h"
#include "TavloData/DocumentSetting.h"
#include "TavloData/MerrinColorProjectStatistics.h"
#include "TavloData/Observable.h"
#include "TavloData/ProjectKinds.h"

namespace tavlo {

class MerrinColorProject : public Observable {
 public:
  // An empty project with a fresh uuid.
  MerrinColorProject();
  explicit MerrinColorProject(std::string uuid);
  MerrinColorProject(const MerrinColorProject&) = delete;
  MerrinColorProject& operator=(const MerrinColorProject&) = delete;
  ~MerrinColorProject() override;

  const std::string& name() const { return name_; }
  void setName(std::string value);
  const std::string& projectDescription() const { return projectDescription_; }
  void setProjectDescription(std::string value);

  // Top-level nodes, in document order.
  const MerrinColorProjectItemList& items() const { return items_; }
  void setItems(MerrinColorProjectItemList value);
  void appendItem(MerrinColorProjectItemPtr item);

  const std::vector<std::shared_ptr<BuildGroup>>& buildGroups() const { return buildGroups_; }
  void setBuildGroups(std::vector<std::shared_ptr<BuildGroup>> value);
  void appendBuildGroup(std::shared_ptr<BuildGroup> group);
  const std::vector<std::shared_ptr<TestGroup>>& testGroups() const { return testGroups_; }
  void setTestGroups(std::vector<std::shared_ptr<TestGroup>> value);
  void appendTestGroup(std::shared_ptr<TestGroup> group);

  const std::vector<std::shared_ptr<DocumentSetting>>& settings() const { return settings_; }
  void setSettings(std::vector<std::shared_ptr<DocumentSetting>> value);
  void appendSetting(std::shared_ptr<DocumentSetting> setting);

  // Setting the term also sets it on every group of the tree.
  const std::string& searchFilter() const { return searchFilter_; }
  void setSearchFilter(const std::string& value);

  const std::string& uuid() const { return uuid_; }

  // Reading the tree. Everything is computed on demand.

  // Every node, depth-first, each followed by its descendants; the top level
  // unfiltered, inside each group that group's filteredItems().
  MerrinColorProjectItemList allItems() const;
  // For each top-level group, its allNonGroupItems(); top-level leaves are not included.
  MerrinColorProjectItemList allNonGroupItems() const;
  // Expanded nodes, pre-order over the unfiltered tree (collapsed groups are searched too).
  MerrinColorProjectItemList allExpandedItems() const;
  // Colour ramp nodes, pre-order over the unfiltered tree.
  MerrinColorProjectItemList allColorSets() const;
  // Alias nodes that resolve any reference to `forItem`.
  MerrinColorProjectItemList allAliases(const MerrinColorProjectItem& forItem) const;
  MerrinColorProjectItemList filteredItems() const;
  MerrinColorProjectItemList filteredGroups() const;
  // The first node with that uuid, pre-order over the unfiltered tree.
  MerrinColorProjectItemPtr firstItem(std::string_view uuid) const;
  std::optional<IndexPath> indexPath(std::string_view itemUuid) const;
  // The node at that path; absent for an empty path, a position outside its
  // list, or a step through a node that carries no group.
  MerrinColorProjectItemPtr item(const IndexPath& at) const;
  // Absent for top-level nodes and nodes not in the tree.
  MerrinColorProjectItemPtr parentItem(const MerrinColorProjectItem& item) const;
  MerrinColorProjectStatistics projectStats() const;

  // The "DisplayMode" setting: only "table" means table.
  AppContentMode displayMode() const;
  void setDisplayMode(AppContentMode mode);

  // Editing the tree.

  // Appends to the group of the first node with `parentUuid`; to the top level
  // when there is no uuid, no such node or the node is not a group.
  void insertItemIntoParent(MerrinColorProjectItemPtr item, std::optional<std::string_view> parentUuid);
  // Inserts into the group at the path without its last position, at that
  // last position (clamped to the group's end); appends to the top level when
  // that parent does not exist or is not a group, including for paths of
  // length one.
  void insertItemAtIndexPath(MerrinColorProjectItemPtr item, const std::optional<IndexPath>& atIndexPath);

  // Resolves every alias of the tree against this project.
  void inflateAllAliases();

 private:
  std::string name_;
  std::string projectDescription_;
  MerrinColorProjectItemList items_;
  std::vector<std::shared_ptr<BuildGroup>> buildGroups_;
  std::vector<std::shared_ptr<TestGroup>> testGroups_;
  std::vector<std::shared_ptr<DocumentSetting>> settings_;
  std::string searchFilter_;
  const std::string uuid_;
};

}  // namespace tavlo
