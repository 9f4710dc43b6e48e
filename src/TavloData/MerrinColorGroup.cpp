#include "TavloData/MerrinColorGroup.h"

#include <algorithm>
#include <utility>

#include "TavloData/ItemListAlgorithms.h"
#include "TavloData/MerrinColorProjectItem.h"
#include "TavloData/TextSearch.h"

namespace tavlo {

MerrinColorGroup::~MerrinColorGroup() {
  // Destroying a node destroys its group, which destroys its nodes, and so
  // on: one nesting level costs several stack frames. Instead, move the
  // grandchildren of every node that is about to die into one list first,
  // so each node dies with an empty group.
  MerrinColorProjectItemList pending = std::move(items_);
  while (!pending.empty()) {
    MerrinColorProjectItemPtr node = std::move(pending.back());
    pending.pop_back();
    if (node && node.use_count() == 1 && node->group() && node->group().use_count() == 1) {
      auto& beneath = node->group()->items_;
      std::move(beneath.begin(), beneath.end(), std::back_inserter(pending));
      beneath.clear();
    }
  }
}

void MerrinColorGroup::setItems(MerrinColorProjectItemList items) {
  setAndNotify(items_, std::move(items), "items");
}

void MerrinColorGroup::appendItem(MerrinColorProjectItemPtr item) {
  items_.push_back(std::move(item));
  notifyChanged("items");
}

void MerrinColorGroup::insertItem(MerrinColorProjectItemPtr item, std::size_t position) {
  items_.insert(items_.begin() + static_cast<std::ptrdiff_t>(std::min(position, items_.size())),
                std::move(item));
  notifyChanged("items");
}

void MerrinColorGroup::setProvidesNamespace(bool value) {
  setAndNotify(providesNamespace_, value, "providesNamespace");
}

void MerrinColorGroup::setSearchFilter(const std::string& value) {
  // Every group beneath gets the same term; walked with a list rather than
  // by recursion, so depth costs no call stack.
  std::vector<MerrinColorGroup*> pending{this};
  while (!pending.empty()) {
    MerrinColorGroup* group = pending.back();
    pending.pop_back();
    group->setAndNotify(group->searchFilter_, value, "searchFilter");
    for (const auto& node : group->items_)
      if (node && node->isGroup() && node->group()) pending.push_back(node->group().get());
  }
}

MerrinColorProjectItemList MerrinColorGroup::filteredItems() const {
  return detail::filteredItems(items_, searchFilter_);
}

MerrinColorProjectItemList MerrinColorGroup::filteredGroups() const {
  return detail::filteredGroups(items_, searchFilter_);
}

MerrinColorProjectItemList MerrinColorGroup::allItems() const {
  MerrinColorProjectItemList result;
  if (searchFilter_.empty())
    detail::appendAllItems(items_, result);
  else
    detail::appendAllItems(filteredItems(), result);
  return result;
}

MerrinColorProjectItemList MerrinColorGroup::allNonGroupItems() const {
  MerrinColorProjectItemList result;
  detail::appendAllNonGroupItems(*this, result);
  return result;
}

MerrinColorProjectItemList MerrinColorGroup::allExpandedItems() const {
  return detail::allExpandedItems(items_);
}

MerrinColorProjectItemList MerrinColorGroup::allColorSets() const {
  return detail::allColorSets(items_);
}

MerrinColorProjectItemList MerrinColorGroup::allAliases(const MerrinColorProjectItem& forItem) const {
  return detail::allAliases(items_, forItem.uuid());
}

MerrinColorProjectItemPtr MerrinColorGroup::firstItem(std::string_view uuid) const {
  return detail::firstItem(items_, uuid);
}

std::optional<IndexPath> MerrinColorGroup::indexPath(std::string_view itemUuid, IndexPath path) const {
  return detail::indexPath(items_, itemUuid, std::move(path));
}

void MerrinColorGroup::inflateAllAliases(MerrinColorProject& project) {
  detail::inflateAllAliases(items_, project);
}

void MerrinColorGroup::calculateStats(MerrinColorProjectStatistics& stats) const {
  ++stats.groupCount;
  detail::addStats(items_, stats);
}

bool MerrinColorGroup::matches(std::string_view searchTerm, std::string_view itemName) const {
  const TextSearchTerm term(searchTerm);
  if (term.empty() || term.isFoundIn(itemName)) return true;
  return std::any_of(items_.begin(), items_.end(),
                     [&](const auto& node) { return node && node->matches(term); });
}

std::vector<std::shared_ptr<MerrinColorItem>> MerrinColorGroup::allColorItems() const {
  // Own colours before those of the subgroups, so a stack of groups gives the order.
  std::vector<std::shared_ptr<MerrinColorItem>> result;
  std::vector<const MerrinColorGroup*> pending{this};
  while (!pending.empty()) {
    const MerrinColorGroup* group = pending.back();
    pending.pop_back();
    for (const auto& node : group->items_)
      if (node && node->isColor() && node->color()) result.push_back(node->color());
    for (auto node = group->items_.rbegin(); node != group->items_.rend(); ++node)
      if (*node && (*node)->isGroup() && (*node)->group()) pending.push_back((*node)->group().get());
  }
  return result;
}

}  // namespace tavlo
