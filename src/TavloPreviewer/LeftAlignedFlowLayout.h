// The grid's flow layout: items left-aligned in rows, each section under its
// header, sections stacked top to bottom.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string_view>
#include <vector>

#include "hostkit/CollectionView.h"
#include "hostkit/Geometry.h"

namespace tavlo::previewer {

class LeftAlignedFlowLayout : public hostkit::CollectionViewFlowLayout {
 public:
  using Attributes = hostkit::CollectionViewLayoutAttributes;

  LeftAlignedFlowLayout(double cellSpacing, double sectionSpacing, double headerHeight);

  // What one pass needs to know of a section.
  struct SectionShape {
    std::int64_t itemCount = 0;
    // A group section: its header carries the group's name and is `headerHeight` high.
    bool hasParentItem = false;
    // A panel section: its one item spans the row and is this high (points).
    double panelHeight = 0;
  };

  // Gathers the sections from the collection view and its grid controller,
  // then lays them out at the collection view's width.
  void prepare() override;
  // The pass itself, at grid width `width`, from scratch.
  void layOut(double width, const std::vector<SectionShape>& sections);

  hostkit::Size collectionViewContentSize() const override { return contentSize_; }
  // Every header and item whose frame intersects `rect`.
  std::vector<Attributes> layoutAttributesForElementsInRect(const hostkit::Rect& rect) const override;
  std::optional<Attributes> layoutAttributesForItemAtIndexPath(
      const hostkit::IndexPath& indexPath) const override;
  // Headers only; the grid places no other supplementary views.
  std::optional<Attributes> layoutAttributesForSupplementaryView(
      std::string_view kind, const hostkit::IndexPath& indexPath) const override;

  const std::map<std::int64_t, std::vector<Attributes>>& layoutAttributes() const {
    return layoutAttributes_;
  }
  const std::map<std::int64_t, Attributes>& headerAttributes() const { return headerAttributes_; }
  hostkit::Size contentSize() const { return contentSize_; }
  double cellSpacing() const { return cellSpacing_; }
  double sectionSpacing() const { return sectionSpacing_; }
  double headerHeight() const { return headerHeight_; }

  // The header of a section without a parent item: a thin strip, no title.
  static constexpr double untitledHeaderHeight = 4;

 private:
  std::map<std::int64_t, std::vector<Attributes>> layoutAttributes_;
  std::map<std::int64_t, Attributes> headerAttributes_;
  // Where each section ends, top to bottom: a band of a tall grid finds its
  // first section by binary search instead of testing every element.
  std::vector<double> sectionBottoms_;
  hostkit::Size contentSize_;
  const double cellSpacing_;
  const double sectionSpacing_;
  const double headerHeight_;
};

}  // namespace tavlo::previewer
