#include "TavloPreviewer/LeftAlignedFlowLayout.h"

#include <algorithm>
#include <memory>
#include <string>

#include "TavloPreviewer/CollectionViewWrapperController.h"

namespace tavlo::previewer {

using hostkit::IndexPath;
using hostkit::Rect;

LeftAlignedFlowLayout::LeftAlignedFlowLayout(double cellSpacing, double sectionSpacing, double headerHeight)
    : cellSpacing_(cellSpacing), sectionSpacing_(sectionSpacing), headerHeight_(headerHeight) {}

void LeftAlignedFlowLayout::prepare() {
  // Every query is answered from this layout's own pass, so the plain flow
  // layout's pass (which would ask the delegate for every item's size) is
  // not run.
  hostkit::CollectionView* view = collectionView();
  if (!view) return;

  // Group sections are told apart by asking the grid controller; any other
  // data source (or none) gives every section the untitled header.
  auto dataSource = view->dataSource.lock();
  auto* controller = dynamic_cast<CollectionViewWrapperController*>(dataSource.get());
  std::vector<SectionShape> sections;
  const std::int64_t count = view->numberOfSections();
  sections.reserve(static_cast<std::size_t>(count > 0 ? count : 0));
  for (std::int64_t s = 0; s < count; ++s)
    sections.push_back({view->numberOfItemsInSection(s), controller && controller->hasParentItem(s),
                        controller ? controller->panelHeight(s) : 0});
  layOut(view->bounds().width, sections);
}

void LeftAlignedFlowLayout::layOut(double width, const std::vector<SectionShape>& sections) {
  layoutAttributes_.clear();
  headerAttributes_.clear();
  sectionBottoms_.clear();
  sectionBottoms_.reserve(sections.size());

  const hostkit::EdgeInsets& inset = sectionInset;
  const double available = width - inset.leading - inset.trailing;
  double y = 0;
  for (std::size_t index = 0; index < sections.size(); ++index) {
    const auto s = static_cast<std::int64_t>(index);
    const SectionShape& section = sections[index];
    const double header = section.hasParentItem ? headerHeight_ : untitledHeaderHeight;

    const double top = inset.top + y;
    headerAttributes_[s] =
        Attributes{IndexPath(s, 0), Rect{inset.leading, top, width - 2 * cellSpacing_, header},
                   std::string(hostkit::elementKindSectionHeader)};

    double rowY = top + sectionSpacing_ + header;
    double x = inset.leading;
    std::vector<Attributes> items;
    items.reserve(static_cast<std::size_t>(section.itemCount > 0 ? section.itemCount : 0));
    if (section.panelHeight > 0) {
      items.push_back(
          Attributes{IndexPath(s, 0), Rect{x, rowY, std::max(available, 0.0), section.panelHeight}, {}});
      rowY += sectionSpacing_ + section.panelHeight;
    } else {
      for (std::int64_t i = 0; i < section.itemCount; ++i) {
        // The test runs before every item, the first included, against the
        // width left after both insets while x already holds the left inset:
        // a grid too narrow for one cell leaves each section's first row empty.
        if (available < x + itemSize.width) {
          x = inset.leading;
          rowY += cellSpacing_ + itemSize.height;
        }
        items.push_back(Attributes{IndexPath(s, i), Rect{x, rowY, itemSize.width, itemSize.height}, {}});
        x += cellSpacing_ + itemSize.width;
      }
      if (section.itemCount > 0) rowY += sectionSpacing_ + itemSize.height;
    }

    layoutAttributes_[s] = std::move(items);
    y = rowY + inset.bottom;
    sectionBottoms_.push_back(y);
  }
  contentSize_ = {width, y};
}

std::vector<LeftAlignedFlowLayout::Attributes> LeftAlignedFlowLayout::layoutAttributesForElementsInRect(
    const Rect& rect) const {
  std::vector<Attributes> found;
  // Sections, and the rows within one, run top to bottom: skip what ends
  // above the rectangle and stop at what starts below it.
  const auto first = std::partition_point(sectionBottoms_.begin(), sectionBottoms_.end(),
                                          [&](double bottom) { return bottom < rect.y; });
  for (auto header = headerAttributes_.lower_bound(first - sectionBottoms_.begin());
       header != headerAttributes_.end() && header->second.frame.y <= rect.maxY(); ++header) {
    if (header->second.frame.intersects(rect)) found.push_back(header->second);
    auto items = layoutAttributes_.find(header->first);
    if (items == layoutAttributes_.end()) continue;
    const auto& list = items->second;
    auto item = std::partition_point(list.begin(), list.end(),
                                     [&](const Attributes& a) { return a.frame.maxY() < rect.y; });
    for (; item != list.end() && item->frame.y <= rect.maxY(); ++item)
      if (item->frame.intersects(rect)) found.push_back(*item);
  }
  return found;
}

std::optional<LeftAlignedFlowLayout::Attributes> LeftAlignedFlowLayout::layoutAttributesForItemAtIndexPath(
    const IndexPath& indexPath) const {
  if (indexPath.length() < 2) return std::nullopt;
  auto items = layoutAttributes_.find(indexPath.section());
  if (items == layoutAttributes_.end()) return std::nullopt;
  const std::int64_t i = indexPath.item();
  if (i < 0 || i >= static_cast<std::int64_t>(items->second.size())) return std::nullopt;
  return items->second[static_cast<std::size_t>(i)];
}

std::optional<LeftAlignedFlowLayout::Attributes> LeftAlignedFlowLayout::layoutAttributesForSupplementaryView(
    std::string_view kind, const IndexPath& indexPath) const {
  if (kind != hostkit::elementKindSectionHeader || indexPath.length() < 1) return std::nullopt;
  auto header = headerAttributes_.find(indexPath.section());
  if (header == headerAttributes_.end()) return std::nullopt;
  return header->second;
}

}  // namespace tavlo::previewer
