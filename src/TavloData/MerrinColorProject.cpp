#include "TavloData/MerrinColorProject.h"

#include <algorithm>
#include <utility>

#include "TavloData/ItemListAlgorithms.h"
#include "TavloData/ItemTreeWalk.h"
#include "TavloData/MerrinColorGroup.h"
#include "TavloData/MerrinColorProjectItem.h"
#include "TavloData/UUID.h"

namespace tavlo {

MerrinColorProject::MerrinColorProject() : MerrinColorProject(makeUUIDString()) {}

MerrinColorProject::MerrinColorProject(std::string uuid) : uuid_(std::move(uuid)) {}

MerrinColorProject::~MerrinColorProject() = default;

void MerrinColorProject::setName(std::string value) {
  setAndNotify(name_, std::move(value), "name");
}

void MerrinColorProject::setProjectDescription(std::string value) {
  setAndNotify(projectDescription_, std::move(value), "projectDescription");
}

void MerrinColorProject::setItems(MerrinColorProjectItemList value) {
  setAndNotify(items_, std::move(value), "items");
}

void MerrinColorProject::appendItem(MerrinColorProjectItemPtr item) {
  items_.push_back(std::move(item));
  notifyChanged("items");
}

void MerrinColorProject::setBuildGroups(std::vector<std::shared_ptr<BuildGroup>> value) {
  setAndNotify(buildGroups_, std::move(value), "buildGroups");
}

void MerrinColorProject::appendBuildGroup(std::shared_ptr<BuildGroup> group) {
  buildGroups_.push_back(std::move(group));
  notifyChanged("buildGroups");
}

void MerrinColorProject::setTestGroups(std::vector<std::shared_ptr<TestGroup>> value) {
  setAndNotify(testGroups_, std::move(value), "testGroups");
}

void MerrinColorProject::appendTestGroup(std::shared_ptr<TestGroup> group) {
  testGroups_.push_back(std::move(group));
  notifyChanged("testGroups");
}

void MerrinColorProject::setSettings(std::vector<std::shared_ptr<DocumentSetting>> value) {
  setAndNotify(settings_, std::move(value), "settings");
}

void MerrinColorProject::appendSetting(std::shared_ptr<DocumentSetting> setting) {
  settings_.push_back(std::move(setting));
  notifyChanged("settings");
}

void MerrinColorProject::setSearchFilter(const std::string& value) {
  setAndNotify(searchFilter_, value, "searchFilter");
  for (const auto& node : items_)
    if (node && node->isGroup() && node->group()) node->group()->setSearchFilter(value);
}

MerrinColorProjectItemList MerrinColorProject::allItems() const {
  MerrinColorProjectItemList result;
  detail::appendAllItems(items_, result);
  return result;
}

MerrinColorProjectItemList MerrinColorProject::allNonGroupItems() const {
  MerrinColorProjectItemList result;
  for (const auto& node : items_)
    if (node && node->group()) detail::appendAllNonGroupItems(*node->group(), result);
  return result;
}

MerrinColorProjectItemList MerrinColorProject::allExpandedItems() const {
  return detail::allExpandedItems(items_);
}

MerrinColorProjectItemList MerrinColorProject::allColorSets() const {
  return detail::allColorSets(items_);
}

MerrinColorProjectItemList MerrinColorProject::allAliases(const MerrinColorProjectItem& forItem) const {
  return detail::allAliases(items_, forItem.uuid());
}

MerrinColorProjectItemList MerrinColorProject::filteredItems() const {
  return detail::filteredItems(items_, searchFilter_);
}

MerrinColorProjectItemList MerrinColorProject::filteredGroups() const {
  return detail::filteredGroups(items_, searchFilter_);
}

MerrinColorProjectItemPtr MerrinColorProject::firstItem(std::string_view uuid) const {
  return detail::firstItem(items_, uuid);
}

std::optional<IndexPath> MerrinColorProject::indexPath(std::string_view itemUuid) const {
  return detail::indexPath(items_, itemUuid, {});
}

MerrinColorProjectItemPtr MerrinColorProject::item(const IndexPath& at) const {
  const MerrinColorProjectItemList* list = &items_;
  MerrinColorProjectItemPtr node;
  for (std::size_t step = 0; step < at.size(); ++step) {
    if (step > 0) {
      if (!node->group()) return nullptr;
      list = &node->group()->items();
    }
    const std::int64_t position = at[step];
    // Positions outside the list give no node rather than undefined behaviour.
    if (position < 0 || static_cast<std::uint64_t>(position) >= list->size()) return nullptr;
    node = (*list)[static_cast<std::size_t>(position)];
    if (!node) return nullptr;
  }
  return node;
}

MerrinColorProjectItemPtr MerrinColorProject::parentItem(const MerrinColorProjectItem& item) const {
  std::optional<IndexPath> path = indexPath(item.uuid());
  if (!path || path->size() <= 1) return nullptr;
  path->pop_back();
  return this->item(*path);
}

MerrinColorProjectStatistics MerrinColorProject::projectStats() const {
  MerrinColorProjectStatistics stats;
  detail::addStats(items_, stats);
  return stats;
}

AppContentMode MerrinColorProject::displayMode() const {
  for (const auto& setting : settings_)
    if (setting && setting->key() == appContentModeStorageKey)
      return setting->value() == rawValue(AppContentMode::table) ? AppContentMode::table
                                                                 : AppContentMode::grid;
  return AppContentMode::grid;
}

void MerrinColorProject::setDisplayMode(AppContentMode mode) {
  const std::string raw(rawValue(mode));
  for (const auto& setting : settings_) {
    if (setting && setting->key() == appContentModeStorageKey) {
      setting->setValue(raw);
      return;
    }
  }
  appendSetting(std::make_shared<DocumentSetting>(std::string(appContentModeStorageKey), raw));
}

void MerrinColorProject::insertItemIntoParent(MerrinColorProjectItemPtr item,
                                              std::optional<std::string_view> parentUuid) {
  if (parentUuid) {
    if (MerrinColorProjectItemPtr parent = firstItem(*parentUuid); parent && parent->group()) {
      parent->group()->appendItem(std::move(item));
      return;
    }
  }
  appendItem(std::move(item));
}

void MerrinColorProject::insertItemAtIndexPath(MerrinColorProjectItemPtr item,
                                               const std::optional<IndexPath>& atIndexPath) {
  if (atIndexPath && !atIndexPath->empty()) {
    const IndexPath parentPath(atIndexPath->begin(), atIndexPath->end() - 1);
    const std::int64_t position = atIndexPath->back();
    if (MerrinColorProjectItemPtr parent = this->item(parentPath);
        parent && parent->group() && position >= 0) {
      parent->group()->insertItem(std::move(item), static_cast<std::size_t>(position));
      return;
    }
  }
  appendItem(std::move(item));
}

void MerrinColorProject::inflateAllAliases() {
  detail::inflateAllAliases(items_, *this);
}

}  // namespace tavlo
