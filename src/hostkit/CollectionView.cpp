#include "hostkit/CollectionView.h"

#include <algorithm>
#include <cmath>

namespace hostkit {

// ---------------------------------------------------------------- flow layout

void CollectionViewFlowLayout::prepare() {
  items_.clear();
  supplementary_.clear();
  contentSize_ = {};
  CollectionView* cv = collectionView();
  if (!cv) return;
  const double width = cv->bounds().width;
  auto delegate = cv->delegate.lock();
  double y = 0;
  const std::int64_t sections = cv->numberOfSections();
  items_.resize(static_cast<std::size_t>(std::max<std::int64_t>(0, sections)));
  for (std::int64_t s = 0; s < sections; ++s) {
    Size header = headerReferenceSize;
    if (delegate)
      if (auto d = delegate->referenceSizeForHeaderInSection(*cv, s)) header = *d;
    if (header.height > 0) {
      supplementary_.push_back(
          {IndexPath(s, 0), {0, y, width, header.height}, std::string(elementKindSectionHeader)});
      y += header.height;
    }
    y += sectionInset.top;
    double x = sectionInset.leading, rowHeight = 0;
    const std::int64_t count = cv->numberOfItemsInSection(s);
    auto& list = items_[static_cast<std::size_t>(s)];
    for (std::int64_t i = 0; i < count; ++i) {
      Size size = itemSize;
      if (delegate)
        if (auto d = delegate->sizeForItemAt(*cv, IndexPath(s, i))) size = *d;
      size = {sanitized(size.width, 0, maxCoordinate), sanitized(size.height, 0, maxCoordinate)};
      if (x > sectionInset.leading && x + size.width > width - sectionInset.trailing) {
        x = sectionInset.leading;
        y += rowHeight + minimumLineSpacing;
        rowHeight = 0;
      }
      list.push_back({IndexPath(s, i), {x, y, size.width, size.height}, {}});
      x += size.width + minimumInteritemSpacing;
      rowHeight = std::max(rowHeight, size.height);
    }
    y += rowHeight + sectionInset.bottom;
    Size footer = footerReferenceSize;
    if (delegate)
      if (auto d = delegate->referenceSizeForFooterInSection(*cv, s)) footer = *d;
    if (footer.height > 0) {
      supplementary_.push_back(
          {IndexPath(s, 0), {0, y, width, footer.height}, std::string(elementKindSectionFooter)});
      y += footer.height;
    }
  }
  contentSize_ = {width, y};
}

std::vector<CollectionViewLayoutAttributes> CollectionViewFlowLayout::layoutAttributesForElementsInRect(
    const Rect& rect) const {
  std::vector<CollectionViewLayoutAttributes> out;
  for (const auto& a : supplementary_)
    if (a.frame.intersects(rect)) out.push_back(a);
  for (const auto& list : items_)
    for (const auto& a : list)
      if (a.frame.intersects(rect)) out.push_back(a);
  return out;
}

std::optional<CollectionViewLayoutAttributes> CollectionViewFlowLayout::layoutAttributesForItemAtIndexPath(
    const IndexPath& indexPath) const {
  if (indexPath.length() != 2) return std::nullopt;
  const auto s = indexPath.section(), i = indexPath.item();
  if (s < 0 || s >= static_cast<std::int64_t>(items_.size())) return std::nullopt;
  const auto& list = items_[static_cast<std::size_t>(s)];
  if (i < 0 || i >= static_cast<std::int64_t>(list.size())) return std::nullopt;
  return list[static_cast<std::size_t>(i)];
}

std::optional<CollectionViewLayoutAttributes> CollectionViewFlowLayout::layoutAttributesForSupplementaryView(
    std::string_view kind, const IndexPath& indexPath) const {
  for (const auto& a : supplementary_)
    if (a.representedElementKind == kind && a.indexPath.length() >= 1 && indexPath.length() >= 1 &&
        a.indexPath.section() == indexPath.section())
      return a;
  return std::nullopt;
}

// ------------------------------------------------------------ collection view

CollectionView::CollectionView() {
  setCollectionViewLayout(std::make_shared<CollectionViewFlowLayout>());
}

void CollectionView::setCollectionViewLayout(std::shared_ptr<CollectionViewLayout> layout) {
  if (layout_) layout_->collectionView_ = nullptr;
  layout_ = std::move(layout);
  preparedWidth_.reset();
  if (layout_) layout_->collectionView_ = this;
}

void CollectionView::registerItem(ItemFactory factory, std::string identifier) {
  itemFactories_[std::move(identifier)] = std::move(factory);
}

void CollectionView::registerSupplementaryView(SupplementaryFactory factory, std::string kind,
                                               std::string identifier) {
  supplementaryFactories_[{std::move(kind), std::move(identifier)}] = std::move(factory);
}

std::shared_ptr<ViewController> CollectionView::makeItem(std::string_view identifier, const IndexPath&) {
  auto it = itemFactories_.find(identifier);
  if (it == itemFactories_.end() || !it->second) return nullptr;
  return it->second();
}

std::shared_ptr<PlatformView> CollectionView::makeSupplementaryView(std::string_view kind,
                                                                    std::string_view identifier,
                                                                    const IndexPath&) {
  auto it = supplementaryFactories_.find(std::make_pair(std::string(kind), std::string(identifier)));
  if (it == supplementaryFactories_.end() || !it->second) return nullptr;
  return it->second();
}

void CollectionView::reloadData() {
  counts_.reset();
  preparedWidth_.reset();
}

void CollectionView::prepareLayoutIfNeeded() {
  if (!layout_ || preparedWidth_ == bounds_.width) return;
  layout_->prepare();
  preparedWidth_ = bounds_.width;
}

const std::vector<std::int64_t>& CollectionView::counts() const {
  if (!counts_) {
    counts_.emplace();
    if (auto ds = dataSource.lock()) {
      auto& self = const_cast<CollectionView&>(*this);
      const std::int64_t sections = std::max<std::int64_t>(0, ds->numberOfSections(self));
      for (std::int64_t s = 0; s < sections; ++s)
        counts_->push_back(std::max<std::int64_t>(0, ds->numberOfItemsInSection(self, s)));
    }
  }
  return *counts_;
}

std::int64_t CollectionView::numberOfSections() const {
  return static_cast<std::int64_t>(counts().size());
}

std::int64_t CollectionView::numberOfItemsInSection(std::int64_t section) const {
  const auto& c = counts();
  if (section < 0 || section >= static_cast<std::int64_t>(c.size())) return 0;
  return c[static_cast<std::size_t>(section)];
}

void CollectionView::setBoundsWidth(double width) {
  bounds_.width = sanitized(width, 0, maxCoordinate);
}

View CollectionView::content() const {
  auto self = std::const_pointer_cast<CollectionView>(
      std::static_pointer_cast<const CollectionView>(shared_from_this()));
  auto measure = [self](ProposedSize p) {
    double width = self->bounds().width;
    if (p.width && std::isfinite(*p.width)) width = *p.width;
    self->setBoundsWidth(width);
    if (!self->layout_) return Size{width, 0};
    self->prepareLayoutIfNeeded();
    const Size content = self->layout_->collectionViewContentSize();
    return Size{p.width.value_or(width), content.height};
  };
  auto build = [self](Size size, std::optional<Rect> visible) {
    self->setBoundsWidth(size.width);
    std::vector<Placement> placements;
    auto ds = self->dataSource.lock();
    if (self->layout_ && ds) {
      self->prepareLayoutIfNeeded();
      const Rect all{0, 0, size.width,
                     std::max(size.height, self->layout_->collectionViewContentSize().height)};
      for (const auto& a : self->layout_->layoutAttributesForElementsInRect(visible.value_or(all))) {
        if (a.isItem()) {
          if (auto item = ds->itemForRepresentedObjectAt(*self, a.indexPath))
            placements.push_back({a.frame, representedViewController(std::move(item))});
        } else if (auto view =
                       ds->viewForSupplementaryElementOfKind(*self, a.representedElementKind, a.indexPath)) {
          view->frame = a.frame;
          placements.push_back({a.frame, view->body()});
        }
      }
    }
    View grid = PlacedGroup(size, std::move(placements));
    if (!self->backgroundColors.empty()) grid = grid.background(self->backgroundColors.front());
    return grid;
  };
  return Deferred(measure, build);
}

}  // namespace hostkit
