#include "TavloData/ItemUuidIndex.h"

#include "TavloData/ItemTreeWalk.h"
#include "TavloData/MerrinColorProject.h"

namespace tavlo {

std::shared_ptr<MerrinColorProjectItem> ItemUuidIndex::firstItem(std::string_view uuid) const {
  if (!built_) build();
  auto found = nodes_.find(uuid);
  return found == nodes_.end() ? nullptr : *found->second;
}

void ItemUuidIndex::build() const {
  built_ = true;
  // Pre-order, and emplace keeps the first node of a uuid: the same node
  // firstItem(with:) of the project finds.
  forEachItemInTree(project_.items(),
                    [&](const MerrinColorProjectItemPtr& node) { nodes_.emplace(node->uuid(), &node); });
}

}  // namespace tavlo
