#include "TavloPreviewer/MerrinColorCollectionView.h"

namespace tavlo::previewer {

KeyHandling MerrinColorCollectionView::keyDown(const KeyEvent& event) const {
  if (!allowsInteraction) return KeyHandling::ignored;
  if (event.keyCode == deleteKeyCode || event.keyCode == forwardDeleteKeyCode)
    return KeyHandling::nextResponder;
  return KeyHandling::collectionView;
}

std::optional<ContextMenu> MerrinColorCollectionView::menuForEvent(const MouseEvent& event) const {
  auto delegate = menuDelegate.lock();
  if (!delegate) return ContextMenu{true, {}};
  if (!delegate->hasMenuDataSource()) return std::nullopt;
  return ContextMenu{false, delegate->menuEntries(indexPathForItemAtPoint(event.locationInView))};
}

std::optional<hostkit::IndexPath> MerrinColorCollectionView::indexPathForItemAtPoint(
    const hostkit::Point& point) const {
  const auto& layout = collectionViewLayout();
  if (!layout) return std::nullopt;
  const hostkit::Rect probe{point.x, point.y, 1e-6, 1e-6};
  for (const auto& attributes : layout->layoutAttributesForElementsInRect(probe))
    if (attributes.isItem()) return attributes.indexPath;
  return std::nullopt;
}

}  // namespace tavlo::previewer
