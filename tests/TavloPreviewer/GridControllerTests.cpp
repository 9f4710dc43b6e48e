#include <gtest/gtest.h>

#include <memory>

#include "PreviewTestSupport.h"
#include "TavloData/MerrinColorProjectItem.h"
#include "TavloPreviewer/CollectionViewWrapperController.h"
#include "TavloPreviewer/GridViews.h"
#include "TavloPreviewer/LeftAlignedFlowLayout.h"
#include "TavloPreviewer/PreviewGridCollectionDelegate.h"

namespace tavlo::previewer {
namespace {

using namespace testing;
using hostkit::IndexPath;
using hostkit::Size;

struct Grid {
  std::shared_ptr<PreviewGridCollectionDelegate> delegate;
  std::shared_ptr<CollectionViewWrapperController> controller;
  MerrinColorCollectionView& view() const { return *controller->collectionView; }
};

// [ungrouped: Ink, Paper] [Brand: Primary] [Empty]
Grid makeGrid() {
  auto project = readDocument(colorXml("Ink") + colorXml("Paper") + groupXml("Brand", colorXml("Primary")) +
                              groupXml("Empty"));
  Grid grid;
  grid.delegate = std::make_shared<PreviewGridCollectionDelegate>(gridSections(*project));
  CollectionViewWrapper wrapper(grid.delegate);
  grid.controller = wrapper.makeController();
  wrapper.updateController(*grid.controller);
  grid.view().setBoundsWidth(400);
  return grid;
}

std::string headerTitle(Grid& grid, std::int64_t section) {
  auto view = grid.controller->viewForSupplementaryElementOfKind(
      grid.view(), hostkit::elementKindSectionHeader, IndexPath(section, 0));
  auto header = std::dynamic_pointer_cast<CollectionHeaderItem>(view);
  return header ? header->headerTitle()->stringValue : "<no header>";
}

TEST(CollectionViewWrapperController, DataSourceAnswersForTwoPartPathsOnly) {
  auto grid = makeGrid();
  auto& view = grid.view();
  auto& controller = *grid.controller;

  EXPECT_EQ(controller.numberOfSections(view), 3);
  EXPECT_EQ(controller.numberOfItemsInSection(view, 0), 2);
  EXPECT_EQ(controller.numberOfItemsInSection(view, 1), 1);
  EXPECT_EQ(controller.numberOfItemsInSection(view, 2), 0);

  // Cells host their tile; a path with no item gives a plain cell.
  EXPECT_EQ(grid.delegate->item(IndexPath(0, 1))->name(), "Paper");
  EXPECT_EQ(grid.delegate->item(IndexPath(1, 0))->name(), "Primary");
  auto cell =
      std::dynamic_pointer_cast<CollectionWrapperItem>(controller.itemForRepresentedObjectAt(view, {0, 1}));
  ASSERT_TRUE(cell);
  ASSERT_TRUE(cell->hostingView);
  EXPECT_TRUE(cell->hostingView->isPinnedTo(*cell->view()));
  for (const IndexPath& path : {IndexPath(), IndexPath::forSection(0), IndexPath({0, 0, 0}), IndexPath(0, 2),
                                IndexPath(4, 0), IndexPath(-1, 0), IndexPath(0, -1)}) {
    SCOPED_TRACE(path.length());
    EXPECT_FALSE(grid.delegate->item(path));
    EXPECT_FALSE(grid.delegate->tileView(path));
    EXPECT_FALSE(
        std::dynamic_pointer_cast<CollectionWrapperItem>(controller.itemForRepresentedObjectAt(view, path)));
  }

  EXPECT_EQ(headerTitle(grid, 0), "");
  EXPECT_EQ(headerTitle(grid, 1), "Brand");
  EXPECT_EQ(headerTitle(grid, 2), "Empty");
  EXPECT_TRUE(std::dynamic_pointer_cast<EmptyFooterView>(
      controller.viewForSupplementaryElementOfKind(view, hostkit::elementKindSectionFooter, {0, 0})));
}

TEST(CollectionViewWrapperController, LayoutAsksTheControllerWhichSectionsAreGroups) {
  auto grid = makeGrid();
  auto& layout = *grid.view().collectionViewLayout();
  layout.prepare();
  auto& left = dynamic_cast<LeftAlignedFlowLayout&>(layout);
  EXPECT_EQ(left.headerAttributes().at(0).frame.height, 4);
  EXPECT_EQ(left.headerAttributes().at(1).frame.height, 40);
  EXPECT_EQ(left.headerAttributes().at(2).frame.height, 40);
  // [Ink Paper] one row, [Primary] one row, an empty group.
  EXPECT_EQ(left.contentSize(), (Size{400, 16 + 166 + 6 + 6 + 40 + 6 + 166 + 6 + 6 + 40 + 6 + 6}));
}

TEST(CollectionViewWrapperController, ReadOnly) {
  auto grid = makeGrid();
  auto& controller = *grid.controller;
  EXPECT_TRUE(controller.shouldSelectItemsAt({IndexPath(0, 0), IndexPath(1, 0)}).empty());
  EXPECT_FALSE(controller.pasteboardWriterForItemAt(IndexPath(0, 0)));
  EXPECT_FALSE(controller.acceptDrop(IndexPath(0, 0)));

  auto& view = grid.view();
  EXPECT_FALSE(view.acceptsFirstResponder());
  for (unsigned short key : {51, 117, 0}) EXPECT_EQ(view.keyDown({key}), KeyHandling::ignored) << key;

  view.collectionViewLayout()->prepare();
  auto menu = view.menuForEvent({{50, 50}});  // over the first cell
  ASSERT_TRUE(menu);
  EXPECT_FALSE(menu->isStandard);
  EXPECT_TRUE(menu->entries.empty());
}

TEST(CollectionViewWrapperController, EverythingDegradesOnceTheDelegateIsGone) {
  auto grid = makeGrid();
  grid.delegate.reset();
  auto& view = grid.view();
  auto& controller = *grid.controller;
  view.reloadData();
  EXPECT_EQ(controller.numberOfSections(view), 0);
  EXPECT_EQ(controller.numberOfItemsInSection(view, 0), 0);
  EXPECT_EQ(controller.sizeForItemAt(view, IndexPath(0, 0)), (Size{0, 0}));
  EXPECT_EQ(headerTitle(grid, 1), "");
  EXPECT_FALSE(
      std::dynamic_pointer_cast<CollectionWrapperItem>(controller.itemForRepresentedObjectAt(view, {0, 0})));
  EXPECT_FALSE(view.menuForEvent({{50, 50}}));  // the menu's source is gone: no menu
  view.collectionViewLayout()->prepare();
  EXPECT_EQ(view.collectionViewLayout()->collectionViewContentSize().height, 0);
}

TEST(CollectionView, PreparesItsLayoutOncePerWidthAndReload) {
  struct CountingLayout : hostkit::CollectionViewFlowLayout {
    int prepared = 0;
    void prepare() override {
      ++prepared;
      CollectionViewFlowLayout::prepare();
    }
  };
  auto grid = makeGrid();
  auto counting = std::make_shared<CountingLayout>();
  grid.view().setCollectionViewLayout(counting);
  const hostkit::View content = grid.view().content();
  const auto& deferred = *content.as<hostkit::DeferredNode>();
  // Measuring, then drawing the grid in three bands, all at one width.
  const Size size = deferred.measure({400, std::nullopt});
  for (double top : {0.0, 100.0, 200.0}) deferred.build(size, hostkit::Rect{0, top, 400, 100});
  EXPECT_EQ(counting->prepared, 1);
  deferred.measure({300, std::nullopt});
  EXPECT_EQ(counting->prepared, 2);
  grid.view().reloadData();
  deferred.build({300, size.height}, std::nullopt);
  EXPECT_EQ(counting->prepared, 3);
}

TEST(CollectionWrapperItem, OneHostingViewWhetherLoadingOrUpdatingHostsTheContent) {
  // Loading first (the view's own load hosts the content), or updating a
  // cell whose view has not loaded yet, as the grid does with a new cell.
  for (bool loadFirst : {true, false}) {
    SCOPED_TRACE(loadFirst);
    auto cell = std::make_shared<CollectionWrapperItem>();
    cell->hostedContent = hostkit::Text("one").view();
    if (loadFirst)
      cell->view();
    else
      cell->updateHostedView();
    auto hosting = cell->hostingView;
    ASSERT_TRUE(hosting);
    EXPECT_EQ(cell->view()->subviews().size(), 1u);
    // A reused cell keeps its hosting view and shows the new content.
    cell->hostedContent = hostkit::Text("two").view();
    cell->updateHostedView();
    EXPECT_EQ(cell->hostingView, hosting);
    EXPECT_EQ(cell->view()->subviews().size(), 1u);
    EXPECT_EQ(hosting->rootView().as<hostkit::TextNode>()->plainText(), "two");
  }
}

}  // namespace
}  // namespace tavlo::previewer
