// The grid's collection view: read-only, so interaction can be switched off
// as a whole, and its context menu comes from a delegate.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "hostkit/CollectionView.h"

namespace tavlo::previewer {

// What the collection view asks for its context menu.
class MerrinColorCollectionViewMenuDelegate {
 public:
  virtual ~MerrinColorCollectionViewMenuDelegate() = default;
  // False when the delegate's own data source is gone: no menu then.
  virtual bool hasMenuDataSource() const = 0;
  virtual std::vector<std::string> menuEntries(
      const std::optional<hostkit::IndexPath>& clickedItem) const = 0;
};

struct KeyEvent {
  unsigned short keyCode = 0;
};

struct MouseEvent {
  hostkit::Point locationInView;
};

// Who ends up handling a key press.
enum class KeyHandling { ignored, nextResponder, collectionView };

struct ContextMenu {
  // The standard menu of a collection view, rather than one of our own.
  bool isStandard = false;
  std::vector<std::string> entries;
};

class MerrinColorCollectionView : public hostkit::CollectionView {
 public:
  static constexpr unsigned short deleteKeyCode = 51;
  static constexpr unsigned short forwardDeleteKeyCode = 117;

  bool allowsInteraction = true;
  std::weak_ptr<MerrinColorCollectionViewMenuDelegate> menuDelegate;

  bool acceptsFirstResponder() const { return allowsInteraction; }
  // The deletion keys go up the responder chain; everything else gets the
  // collection view's own handling; nothing at all without interaction.
  KeyHandling keyDown(const KeyEvent& event) const;
  // Absent: no menu.
  std::optional<ContextMenu> menuForEvent(const MouseEvent& event) const;
  // The item under a point of the grid, if any.
  std::optional<hostkit::IndexPath> indexPathForItemAtPoint(const hostkit::Point& point) const;
};

}  // namespace tavlo::previewer
