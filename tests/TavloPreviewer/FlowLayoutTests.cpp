#include <gtest/gtest.h>

#include <vector>

#include "TavloPreviewer/CollectionViewWrapperController.h"
#include "TavloPreviewer/LeftAlignedFlowLayout.h"

namespace tavlo::previewer {
namespace {

using hostkit::IndexPath;
using hostkit::Rect;
using Shape = LeftAlignedFlowLayout::SectionShape;

// The grid's own configuration.
LeftAlignedFlowLayout gridLayout() {
  LeftAlignedFlowLayout layout(16, 6, 40);
  layout.itemSize = {160, 160};
  layout.sectionInset = {6, 16, 6, 16};
  return layout;
}

std::vector<Rect> itemFrames(const LeftAlignedFlowLayout& layout, std::int64_t section) {
  std::vector<Rect> frames;
  for (const auto& a : layout.layoutAttributes().at(section)) frames.push_back(a.frame);
  return frames;
}

TEST(LeftAlignedFlowLayout, FramesAtWidth400) {
  auto layout = gridLayout();
  // Ungrouped items, an empty group, a group with one item.
  layout.layOut(400, {Shape{3, false}, Shape{0, true}, Shape{1, true}});

  // First section: a 4-point header; its cells as in the width table.
  EXPECT_EQ(layout.headerAttributes().at(0).frame, (Rect{16, 6, 368, 4}));

  // 18 points from the last row's bottom (352) to the next header; an empty
  // group is its 40-point header and no rows; 18 points again to the next header.
  EXPECT_EQ(layout.headerAttributes().at(1).frame, (Rect{16, 370, 368, 40}));
  EXPECT_TRUE(layout.layoutAttributes().at(1).empty());
  EXPECT_EQ(layout.headerAttributes().at(2).frame, (Rect{16, 428, 368, 40}));
  EXPECT_EQ(itemFrames(layout, 2), (std::vector<Rect>{{16, 474, 160, 160}}));

  EXPECT_EQ(layout.contentSize(), (hostkit::Size{400, 646}));
  EXPECT_EQ(layout.collectionViewContentSize(), layout.contentSize());

  // The queries answer from the same attributes, and nothing for paths outside them.
  EXPECT_EQ(layout.layoutAttributesForItemAtIndexPath(IndexPath(2, 0))->frame, (Rect{16, 474, 160, 160}));
  for (const IndexPath& bad : {IndexPath(0, 3), IndexPath(1, 0), IndexPath(3, 0), IndexPath::forSection(0)})
    EXPECT_FALSE(layout.layoutAttributesForItemAtIndexPath(bad));
  EXPECT_EQ(
      layout.layoutAttributesForSupplementaryView(hostkit::elementKindSectionHeader, IndexPath(2, 0))->frame,
      (Rect{16, 428, 368, 40}));
  EXPECT_FALSE(
      layout.layoutAttributesForSupplementaryView(hostkit::elementKindSectionFooter, IndexPath(2, 0)));

  layout.layOut(400, {});
  EXPECT_EQ(layout.contentSize(), (hostkit::Size{400, 0}));
}

TEST(LeftAlignedFlowLayout, APanelSpansTheRowUnderATitledHeader) {
  auto layout = gridLayout();
  layout.layOut(400, {Shape{0, false}, Shape{1, true, 50}, Shape{1, true}});
  EXPECT_EQ(layout.headerAttributes().at(1).frame, (Rect{16, 28, 368, 40}));
  EXPECT_EQ(itemFrames(layout, 1), (std::vector<Rect>{{16, 74, 368, 50}}));
  // 18 points from the panel's bottom (124) to the next header, as after a row.
  EXPECT_EQ(layout.headerAttributes().at(2).frame, (Rect{16, 142, 368, 40}));
}

TEST(LeftAlignedFlowLayout, CellsPerRowFollowTheWidth) {
  const struct {
    double width;
    std::vector<double> xs;  // x of five cells in one section
    std::vector<double> ys;
  } cases[] = {
      // Below 208 the first cell already fails the row test: the first row stays empty.
      {207, {16, 16, 16, 16, 16}, {192, 368, 544, 720, 896}},
      {208, {16, 16, 16, 16, 16}, {16, 192, 368, 544, 720}},
      {400, {16, 192, 16, 192, 16}, {16, 16, 192, 192, 368}},
      {1024, {16, 192, 368, 544, 720}, {16, 16, 16, 16, 16}},
  };
  for (const auto& c : cases) {
    auto layout = gridLayout();
    layout.layOut(c.width, {Shape{5, false}});
    const auto frames = itemFrames(layout, 0);
    ASSERT_EQ(frames.size(), 5u);
    for (std::size_t i = 0; i < frames.size(); ++i) {
      EXPECT_EQ(frames[i].x, c.xs[i]) << "width " << c.width << " cell " << i;
      EXPECT_EQ(frames[i].y, c.ys[i]) << "width " << c.width << " cell " << i;
    }
    EXPECT_EQ(layout.contentSize().height, c.ys.back() + 160 + 6 + 6) << "width " << c.width;
  }
}

TEST(LeftAlignedFlowLayout, ElementsInRectAreExactlyThoseThatIntersectIt) {
  // The query searches sections and rows by position; it must find what a
  // test of every element finds, in the same order, wherever the rectangle is.
  auto layout = gridLayout();
  const std::vector<Shape> sections{{3, false}, {0, true}, {0, true}, {7, true},
                                    {1, true},  {0, true}, {12, true}};
  for (double width : {207.0, 400.0, 1024.0}) {
    layout.layOut(width, sections);
    const double height = layout.contentSize().height;
    for (double top = -200; top < height + 200; top += 37)
      for (double bandHeight : {0.5, 5.0, 180.0, 700.0}) {
        const hostkit::Rect rect{0, top, width, bandHeight};
        std::vector<IndexPath> expected, found;
        for (const auto& [section, header] : layout.headerAttributes()) {
          if (header.frame.intersects(rect)) expected.push_back(header.indexPath);
          for (const auto& item : layout.layoutAttributes().at(section))
            if (item.frame.intersects(rect)) expected.push_back(item.indexPath);
        }
        for (const auto& a : layout.layoutAttributesForElementsInRect(rect)) found.push_back(a.indexPath);
        ASSERT_EQ(found, expected) << "width " << width << ", band from " << top << " of " << bandHeight;
      }
  }
}

}  // namespace
}  // namespace tavlo::previewer
