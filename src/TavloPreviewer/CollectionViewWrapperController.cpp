#include "TavloPreviewer/CollectionViewWrapperController.h"

#include "Orvik/Orvik.h"
#include "TavloData/MerrinColorProjectItem.h"
#include "TavloPreviewer/GridViews.h"
#include "TavloPreviewer/LeftAlignedFlowLayout.h"

namespace tavlo::previewer {

using hostkit::IndexPath;
using hostkit::Size;

void CollectionViewWrapperController::loadView() {
  // The interface resource: a plain container holding the collection view,
  // whose data source and layout delegate are this controller.
  auto root = std::make_shared<hostkit::PlatformView>();
  collectionView = std::make_shared<MerrinColorCollectionView>();
  root->addSubview(collectionView);
  orvik::anchorToAllSidesOf(*collectionView, root, {});
  setView(root);
}

void CollectionViewWrapperController::viewDidLoad() {
  auto self = std::static_pointer_cast<CollectionViewWrapperController>(shared_from_this());
  collectionView->dataSource = std::shared_ptr<hostkit::CollectionViewDataSource>(self);
  collectionView->delegate = std::shared_ptr<hostkit::CollectionViewDelegateFlowLayout>(self);
  if (!delegate.expired()) configureCollectionView();
}

std::shared_ptr<LeftAlignedFlowLayout> CollectionViewWrapperController::makeGridLayout() {
  auto layout = std::make_shared<LeftAlignedFlowLayout>(cellSpacing, sectionSpacing, headerHeight);
  layout->itemSize = {cellSize, cellSize};
  layout->sectionInset = {sectionSpacing, cellSpacing, sectionSpacing, cellSpacing};
  return layout;
}

void CollectionViewWrapperController::configureCollectionView() {
  if (!collectionView) return;
  MerrinColorCollectionView& grid = *collectionView;
  grid.backgroundColors = {orvik::color(orvik::backgroundDarkest)};
  // The enclosing scroll view shows the same colour below a short grid.
  view()->backgroundColor = grid.backgroundColors.front();

  grid.setCollectionViewLayout(makeGridLayout());

  grid.menuDelegate = std::static_pointer_cast<CollectionViewWrapperController>(shared_from_this());
  grid.allowsInteraction = false;
  grid.isSelectable = false;

  grid.registerItem([] { return std::make_shared<CollectionWrapperItem>(); }, itemIdentifier);
  grid.registerSupplementaryView([] { return CollectionHeaderItem::make(); },
                                 std::string(hostkit::elementKindSectionHeader), headerIdentifier);
  for (auto kind : {hostkit::elementKindSectionHeader, hostkit::elementKindSectionFooter})
    grid.registerSupplementaryView([] { return std::make_shared<EmptyFooterView>(); }, std::string(kind),
                                   emptyViewIdentifier);
  grid.registerSupplementaryView([] { return std::make_shared<DropIndicatorView>(); },
                                 std::string(hostkit::elementKindInterItemGapIndicator),
                                 dropIndicatorIdentifier);
}

const ItemGridSection* CollectionViewWrapperController::section(std::int64_t index) const {
  auto source = delegate.lock();
  if (!source || index < 0) return nullptr;
  // The sections belong to the delegate, which the view tree keeps alive
  // while the grid is drawn.
  const auto& sections = source->items();
  if (index >= static_cast<std::int64_t>(sections.size())) return nullptr;
  return &sections[static_cast<std::size_t>(index)];
}

bool CollectionViewWrapperController::hasParentItem(std::int64_t index) const {
  const ItemGridSection* found = section(index);
  return found && (found->parentItem || found->panel);
}

double CollectionViewWrapperController::panelHeight(std::int64_t index) const {
  const ItemGridSection* found = section(index);
  return found && found->panel ? found->panel->height : 0;
}

std::int64_t CollectionViewWrapperController::numberOfSections(hostkit::CollectionView&) {
  auto source = delegate.lock();
  return source ? static_cast<std::int64_t>(source->items().size()) : 0;
}

std::int64_t CollectionViewWrapperController::numberOfItemsInSection(hostkit::CollectionView&,
                                                                     std::int64_t index) {
  const ItemGridSection* found = section(index);
  if (!found) return 0;
  return found->panel ? 1 : static_cast<std::int64_t>(found->childItems.size());
}

std::shared_ptr<hostkit::ViewController> CollectionViewWrapperController::itemForRepresentedObjectAt(
    hostkit::CollectionView& view, const IndexPath& indexPath) {
  auto source = delegate.lock();
  std::optional<hostkit::View> tile = source ? source->tileView(indexPath) : std::nullopt;
  if (tile) {
    auto item = std::dynamic_pointer_cast<CollectionWrapperItem>(view.makeItem(itemIdentifier, indexPath));
    if (item) {
      item->hostedContent = std::move(tile);
      item->updateHostedView();
      return item;
    }
  }
  return std::make_shared<hostkit::ViewController>();
}

std::shared_ptr<hostkit::PlatformView> CollectionViewWrapperController::viewForSupplementaryElementOfKind(
    hostkit::CollectionView& view, std::string_view kind, const IndexPath& indexPath) {
  std::shared_ptr<hostkit::PlatformView> made;
  if (indexPath.length() == 0) {
    made = nullptr;
  } else if (kind == hostkit::elementKindSectionHeader) {
    auto header = std::dynamic_pointer_cast<CollectionHeaderItem>(
        view.makeSupplementaryView(kind, headerIdentifier, indexPath));
    if (header) {
      const ItemGridSection* found = section(indexPath.section());
      header->setTitle(found && found->parentItem ? found->parentItem->name()
                       : found && found->panel    ? found->panel->title
                                                  : std::string());
    }
    made = std::move(header);
  } else if (kind == hostkit::elementKindSectionFooter) {
    made = view.makeSupplementaryView(kind, emptyViewIdentifier, indexPath);
  } else if (kind == hostkit::elementKindInterItemGapIndicator) {
    made = view.makeSupplementaryView(kind, dropIndicatorIdentifier, indexPath);
  }
  return made ? made : std::make_shared<hostkit::PlatformView>();
}

std::optional<Size> CollectionViewWrapperController::sizeForItemAt(hostkit::CollectionView&,
                                                                   const IndexPath&) {
  return delegate.expired() ? Size{0, 0} : Size{cellSize, cellSize};
}

std::optional<Size> CollectionViewWrapperController::referenceSizeForHeaderInSection(
    hostkit::CollectionView& view, std::int64_t) {
  return Size{view.bounds().width - supplementaryWidthInset, headerHeight};
}

std::optional<Size> CollectionViewWrapperController::referenceSizeForFooterInSection(
    hostkit::CollectionView& view, std::int64_t) {
  return Size{view.bounds().width - supplementaryWidthInset, footerHeight};
}

std::set<IndexPath> CollectionViewWrapperController::shouldSelectItemsAt(const std::set<IndexPath>&) const {
  return {};
}

void CollectionViewWrapperController::didSelectItemsAt(const std::set<IndexPath>&) const {}

std::optional<std::string> CollectionViewWrapperController::pasteboardWriterForItemAt(
    const IndexPath&) const {
  return std::nullopt;
}

DragOperation CollectionViewWrapperController::validateDrop(DragOperation draggingSourceOperationMask) const {
  return draggingSourceOperationMask;
}

bool CollectionViewWrapperController::acceptDrop(const IndexPath&) const {
  return false;
}

std::vector<std::string> CollectionViewWrapperController::menuEntries(const std::optional<IndexPath>&) const {
  return {};
}

// ------------------------------------------------------------------ wrapper

std::shared_ptr<CollectionViewWrapperController> CollectionViewWrapper::makeController() const {
  auto controller = std::make_shared<CollectionViewWrapperController>();
  controller->delegate = delegate_;
  return controller;
}

void CollectionViewWrapper::updateController(CollectionViewWrapperController& controller) const {
  controller.delegate = delegate_;
  controller.view();  // the collection view must exist before it can reload
  if (controller.collectionView) controller.collectionView->reloadData();
}

hostkit::View CollectionViewWrapper::view() const {
  auto controller = makeController();
  updateController(*controller);
  return retaining(hostkit::representedViewController(controller), delegate_);
}

}  // namespace tavlo::previewer
