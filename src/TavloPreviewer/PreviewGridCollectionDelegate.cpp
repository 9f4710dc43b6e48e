#include "TavloPreviewer/PreviewGridCollectionDelegate.h"

#include "TavloPreviewer/ItemTile.h"

namespace tavlo::previewer {

MerrinColorProjectItemPtr PreviewGridCollectionDelegate::item(const hostkit::IndexPath& at) const {
  if (at.length() != 2) return nullptr;
  const std::int64_t s = at.section(), i = at.item();
  if (s < 0 || s >= static_cast<std::int64_t>(items_.size())) return nullptr;
  const auto& children = items_[static_cast<std::size_t>(s)].childItems;
  if (i < 0 || i >= static_cast<std::int64_t>(children.size())) return nullptr;
  return children[static_cast<std::size_t>(i)];
}

std::optional<hostkit::View> PreviewGridCollectionDelegate::tileView(const hostkit::IndexPath& at) const {
  if (at.length() == 2 && at.item() == 0 && at.section() >= 0 &&
      at.section() < static_cast<std::int64_t>(items_.size()))
    if (const auto& panel = items_[static_cast<std::size_t>(at.section())].panel) return panel->content;
  MerrinColorProjectItemPtr found = item(at);
  if (!found) return std::nullopt;
  return makeItemTile(found, colorSource_);
}

}  // namespace tavlo::previewer
