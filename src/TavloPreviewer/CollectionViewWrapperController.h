// The grid: a collection view fed from a CollectionViewWrapperDelegate, and
// the bridge that puts it into a declarative view tree.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "TavloPreviewer/CollectionViewWrapperDelegate.h"
#include "TavloPreviewer/LeftAlignedFlowLayout.h"
#include "TavloPreviewer/MerrinColorCollectionView.h"
#include "hostkit/CollectionView.h"
#include "hostkit/PlatformView.h"

namespace tavlo::previewer {

// Drag operations, as a mask of the host's operation bits.
using DragOperation = std::uint64_t;

class CollectionViewWrapperController : public hostkit::ViewController,
                                        public hostkit::CollectionViewDataSource,
                                        public hostkit::CollectionViewDelegateFlowLayout,
                                        public MerrinColorCollectionViewMenuDelegate {
 public:
  // Grid metrics (points).
  static constexpr double cellSize = 160;
  static constexpr double cellSpacing = 16;
  static constexpr double sectionSpacing = 6;
  static constexpr double headerHeight = 40;
  static constexpr double footerHeight = 16;
  // Headers and footers are reported this much narrower than the grid.
  static constexpr double supplementaryWidthInset = 8;

  // Connected when the view loads.
  std::shared_ptr<MerrinColorCollectionView> collectionView;
  std::weak_ptr<CollectionViewWrapperDelegate> delegate;

  const std::string itemIdentifier = "CollectionWrapperItem";
  const std::string headerIdentifier = "CollectionHeaderItem";
  const std::string emptyViewIdentifier = "EmptyFooterView";
  const std::string dropIndicatorIdentifier = "DropIndicatorView";

  std::string nibName() const override { return "CollectionViewWrapperController"; }

  // The grid's flow layout with the metrics above; a host that hit-tests the
  // grid itself asks one of these for the element at a point.
  static std::shared_ptr<LeftAlignedFlowLayout> makeGridLayout();

  // Background, layout, interaction and the registered cell kinds. Runs once
  // the view has loaded, if the delegate is set by then.
  void configureCollectionView();

  // Whether the section shows a group or a panel (and so gets a titled header).
  bool hasParentItem(std::int64_t section) const;
  // The height of the section's panel; 0 when it shows items.
  double panelHeight(std::int64_t section) const;

  // Data source.
  std::int64_t numberOfSections(hostkit::CollectionView& view) override;
  std::int64_t numberOfItemsInSection(hostkit::CollectionView& view, std::int64_t section) override;
  std::shared_ptr<hostkit::ViewController> itemForRepresentedObjectAt(
      hostkit::CollectionView& view, const hostkit::IndexPath& indexPath) override;
  std::shared_ptr<hostkit::PlatformView> viewForSupplementaryElementOfKind(
      hostkit::CollectionView& view, std::string_view kind, const hostkit::IndexPath& indexPath) override;

  // Flow-layout delegate.
  std::optional<hostkit::Size> sizeForItemAt(hostkit::CollectionView& view,
                                             const hostkit::IndexPath& indexPath) override;
  std::optional<hostkit::Size> referenceSizeForHeaderInSection(hostkit::CollectionView& view,
                                                               std::int64_t section) override;
  std::optional<hostkit::Size> referenceSizeForFooterInSection(hostkit::CollectionView& view,
                                                               std::int64_t section) override;

  // The grid is read-only: nothing is selected, dragged or dropped.
  std::set<hostkit::IndexPath> shouldSelectItemsAt(const std::set<hostkit::IndexPath>& indexPaths) const;
  void didSelectItemsAt(const std::set<hostkit::IndexPath>& indexPaths) const;
  // What an item puts on the pasteboard when dragged: nothing.
  std::optional<std::string> pasteboardWriterForItemAt(const hostkit::IndexPath& indexPath) const;
  DragOperation validateDrop(DragOperation draggingSourceOperationMask) const;
  bool acceptDrop(const hostkit::IndexPath& indexPath) const;

  // Menu delegate: no entries.
  bool hasMenuDataSource() const override { return !delegate.expired(); }
  std::vector<std::string> menuEntries(const std::optional<hostkit::IndexPath>& clickedItem) const override;

 protected:
  void loadView() override;
  void viewDidLoad() override;

 private:
  const ItemGridSection* section(std::int64_t index) const;
};

// The grid as a declarative view. It holds its delegate strongly (the
// controller only weakly), so the delegate lives as long as the view tree.
class CollectionViewWrapper {
 public:
  explicit CollectionViewWrapper(std::shared_ptr<CollectionViewWrapperDelegate> delegate)
      : delegate_(std::move(delegate)) {}

  const std::shared_ptr<CollectionViewWrapperDelegate>& delegate() const { return delegate_; }

  // A controller for this wrapper, with its delegate set.
  std::shared_ptr<CollectionViewWrapperController> makeController() const;
  // Hands the controller this wrapper's delegate and reloads the grid.
  void updateController(CollectionViewWrapperController& controller) const;

  hostkit::View view() const;
  operator hostkit::View() const { return view(); }  // NOLINT: the wrapper is a view

 private:
  std::shared_ptr<CollectionViewWrapperDelegate> delegate_;
};

}  // namespace tavlo::previewer
