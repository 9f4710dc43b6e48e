#include <gtest/gtest.h>

#include "Orvik/Orvik.h"
#include "hostkit/CollectionView.h"
#include "hostkit/Layout.h"
#include "hostkit/PlatformView.h"
#include "hostkit/PreviewController.h"

using namespace hostkit;

namespace {

class Grid : public CollectionViewDataSource {
 public:
  std::vector<std::int64_t> counts;
  int itemsMade = 0;
  std::int64_t numberOfSections(CollectionView&) override { return static_cast<std::int64_t>(counts.size()); }
  std::int64_t numberOfItemsInSection(CollectionView&, std::int64_t s) override { return counts.at(s); }
  std::shared_ptr<ViewController> itemForRepresentedObjectAt(CollectionView& cv,
                                                             const IndexPath& p) override {
    ++itemsMade;
    auto item = cv.makeItem("cell", p);
    auto host = std::make_shared<HostingView>(
        ColorView(mcu::PlatformColor::sRGBWhite())
            .tagged("cell " + std::to_string(p.section()) + "." + std::to_string(p.item())));
    item->view()->addSubview(host);
    orvik::anchorToAllSidesOf(*host, item->view());
    return item;
  }
};

}  // namespace

TEST(Hierarchy, PinnedSubviewsFillTheirSuperviewInsideTheirInsets) {
  auto controller = std::make_shared<ViewController>();
  auto root = controller->view();
  auto first = std::make_shared<HostingView>(Text("first"));
  root->addSubview(first);
  orvik::anchorToAllSidesOf(*first, root, EdgeInsets{1, 2, 3, 4});
  EXPECT_FALSE(first->translatesAutoresizingMaskIntoConstraints);
  EXPECT_TRUE(first->isPinnedTo(*root));

  const LayoutNode placed = layoutIn(root->body(), {0, 0, 300, 200});
  const LayoutNode* text = placed.findText("first");
  ASSERT_TRUE(text);
  const LayoutNode* pinned = placed.find([](const LayoutNode& n) { return n.kind() == NodeKind::padding; });
  ASSERT_TRUE(pinned);
  EXPECT_EQ(pinned->children.front().frame, (Rect{2, 1, 294, 196}));
}

TEST(Hierarchy, CollectionViewMakesOnlyVisibleCellsWhereItsLayoutSays) {
  auto grid = std::make_shared<Grid>();
  grid->counts = {7, 0, 3};
  auto cv = std::make_shared<CollectionView>();
  cv->dataSource = grid;
  cv->registerItem([] { return std::make_shared<ViewController>(); }, "cell");
  auto flow = std::make_shared<CollectionViewFlowLayout>();
  flow->itemSize = {100, 100};
  flow->minimumInteritemSpacing = 10;
  flow->minimumLineSpacing = 10;
  flow->sectionInset = {5, 5, 5, 5};
  flow->headerReferenceSize = {0, 20};
  cv->setCollectionViewLayout(flow);

  // Width 320: three cells a row (5 + 3 × 100 + 2 × 10 = 325 > 315 needs a wrap
  // before the third), so two per row.
  const LayoutNode all = layout(cv->body(), {320, std::nullopt});
  // Section 0: header 20, inset 5, four rows of 100 with 10 between, inset 5.
  // Section 1: header 20, insets 10. Section 2: header 20, 5, two rows, 5.
  EXPECT_EQ(all.frame.height, (20 + 5 + 430 + 5) + (20 + 10) + (20 + 5 + 210 + 5));
  const LayoutNode* c = all.findTag("cell 0.2");
  ASSERT_TRUE(c);
  EXPECT_EQ(c->frame, (Rect{5, 135, 100, 100}));
  EXPECT_EQ(grid->itemsMade, 10);

  grid->itemsMade = 0;
  const LayoutNode band = layout(cv->body(), {320, std::nullopt}, {{}, Rect{0, 0, 320, 10}});
  EXPECT_LT(grid->itemsMade, 10);
  EXPECT_TRUE(band.findTag("cell 0.0"));

  // The layout's queries answer from the same frames, and nothing for paths outside them.
  cv->setBoundsWidth(320);
  flow->prepare();
  EXPECT_EQ(flow->layoutAttributesForItemAtIndexPath({0, 2})->frame, c->frame);
  EXPECT_EQ(flow->layoutAttributesForSupplementaryView(elementKindSectionHeader, IndexPath(2, 0))->frame,
            (Rect{0, 490, 320, 20}));
  for (const IndexPath& bad :
       {IndexPath(0, 7), IndexPath(1, 0), IndexPath(-1, 0), IndexPath({0}), IndexPath({0, 0, 0})})
    EXPECT_FALSE(flow->layoutAttributesForItemAtIndexPath(bad));
  EXPECT_FALSE(flow->layoutAttributesForSupplementaryView(elementKindSectionFooter, IndexPath(0, 0)));
  EXPECT_EQ(flow->collectionViewContentSize(), all.frame.size());

  // Without a data source there is nothing to lay out.
  grid.reset();
  cv->reloadData();
  flow->prepare();
  EXPECT_EQ(cv->numberOfSections(), 0);
  EXPECT_EQ(flow->collectionViewContentSize().height, 0);
}

TEST(Catalog, NamedColoursFollowTheAppearance) {
  const auto& c = orvik::catalog();
  for (auto name : {orvik::backgroundNormal, orvik::backgroundDarkest, orvik::grey50, orvik::grey85})
    EXPECT_TRUE(c.hasColor(name)) << name;
  EXPECT_TRUE(c.hasImage(orvik::checkerboardImage));
  // Text colour contrasts with the background in both looks.
  for (Appearance a : {Appearance::dark, Appearance::light}) {
    const double text = c.color(orvik::grey85, a).redComponent();
    const double background = c.color(orvik::backgroundNormal, a).redComponent();
    EXPECT_GT(std::abs(text - background), 0.5);
  }
  EXPECT_EQ(currentAppearance(), Appearance::dark);
  EXPECT_EQ(orvik::color(orvik::grey85), c.color(orvik::grey85, Appearance::dark));
}

TEST(Preview, RequestReportsTheHandlersOutcome) {
  struct Controller : PreviewingController {
    int mode = 0;
    void preparePreviewOfFile(const std::filesystem::path& url, PreviewCompletionHandler handler) override {
      if (mode == 0) handler(std::nullopt);
      if (mode == 1)
        handler(PreviewError{std::make_error_code(std::errc::no_such_file_or_directory), url.string()});
    }
  } controller;
  EXPECT_EQ(requestPreview(controller, "a.tavlo"), std::nullopt);
  controller.mode = 1;
  auto failed = requestPreview(controller, "a.tavlo");
  ASSERT_TRUE(failed);
  EXPECT_EQ(failed->code, std::errc::no_such_file_or_directory);
  controller.mode = 2;  // never calls back
  EXPECT_TRUE(requestPreview(controller, "a.tavlo"));
}

TEST(Hierarchy, TextLabelShowsOneTruncatedLine) {
  auto label = std::make_shared<TextLabel>();
  label->stringValue = "A group name far too long to fit in the header of its section";
  label->insets = EdgeInsets::all(8);
  const LayoutNode placed = layout(label->body(), {200, std::nullopt});
  const LayoutNode* text = placed.findText("A group");
  ASSERT_TRUE(text);
  EXPECT_EQ(text->text->lineCount, 1);
  EXPECT_TRUE(text->text->isTruncated);
  EXPECT_EQ(text->frame.x, 8);
  EXPECT_LE(text->frame.maxX(), 192);
}
