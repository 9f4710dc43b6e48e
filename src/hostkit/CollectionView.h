#pragma once

#include <compare>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "MerrinColorUtils/platform/PlatformColor.h"
#include "hostkit/PlatformView.h"

// A read-only collection view: sections of items and supplementary views
// (headers, footers) placed by a replaceable layout object and drawn into
// one canvas. Only the elements that intersect what is drawn are made.

namespace hostkit {

struct IndexPath {
  std::vector<std::int64_t> indexes;

  IndexPath() = default;
  explicit IndexPath(std::vector<std::int64_t> i) : indexes(std::move(i)) {}
  IndexPath(std::int64_t section, std::int64_t item) : indexes{section, item} {}
  static IndexPath forSection(std::int64_t section) { return IndexPath(std::vector<std::int64_t>{section}); }

  std::size_t length() const { return indexes.size(); }
  // Valid only when length() is at least 1 (section) or 2 (item).
  std::int64_t section() const { return indexes.at(0); }
  std::int64_t item() const { return indexes.at(1); }
  friend auto operator<=>(const IndexPath&, const IndexPath&) = default;
};

// Kinds of supplementary views.
inline constexpr std::string_view elementKindSectionHeader = "section-header";
inline constexpr std::string_view elementKindSectionFooter = "section-footer";
inline constexpr std::string_view elementKindInterItemGapIndicator = "inter-item-gap-indicator";

struct CollectionViewLayoutAttributes {
  IndexPath indexPath;
  Rect frame;
  // Empty for items; the supplementary kind otherwise.
  std::string representedElementKind;
  bool isItem() const { return representedElementKind.empty(); }
};

class CollectionView;

// Places a collection view's elements. `prepare()` runs, with the bounds
// already set, before the first layout at a width and again after the width
// changes, the data is reloaded or the layout is replaced; a tall drawing made
// in bands queries one prepared layout for every band.
class CollectionViewLayout {
 public:
  virtual ~CollectionViewLayout() = default;
  CollectionView* collectionView() const { return collectionView_; }

  virtual void prepare() {}
  virtual Size collectionViewContentSize() const = 0;
  virtual std::vector<CollectionViewLayoutAttributes> layoutAttributesForElementsInRect(
      const Rect& rect) const = 0;
  virtual std::optional<CollectionViewLayoutAttributes> layoutAttributesForItemAtIndexPath(
      const IndexPath& indexPath) const = 0;
  virtual std::optional<CollectionViewLayoutAttributes> layoutAttributesForSupplementaryView(
      std::string_view kind, const IndexPath& indexPath) const {
    (void)kind, (void)indexPath;
    return std::nullopt;
  }

 private:
  friend class CollectionView;
  CollectionView* collectionView_ = nullptr;
};

class CollectionViewDataSource {
 public:
  virtual ~CollectionViewDataSource() = default;
  virtual std::int64_t numberOfSections(CollectionView& collectionView) {
    (void)collectionView;
    return 1;
  }
  virtual std::int64_t numberOfItemsInSection(CollectionView& collectionView, std::int64_t section) = 0;
  // The item (a view controller whose view is the cell) for a path; usually
  // made with `CollectionView::makeItem`.
  virtual std::shared_ptr<ViewController> itemForRepresentedObjectAt(CollectionView& collectionView,
                                                                     const IndexPath& indexPath) = 0;
  virtual std::shared_ptr<PlatformView> viewForSupplementaryElementOfKind(CollectionView& collectionView,
                                                                          std::string_view kind,
                                                                          const IndexPath& indexPath) {
    (void)collectionView, (void)kind, (void)indexPath;
    return nullptr;
  }
};

// What a flow layout asks of the collection view's delegate; every answer may
// be left to the layout's own values.
class CollectionViewDelegateFlowLayout {
 public:
  virtual ~CollectionViewDelegateFlowLayout() = default;
  virtual std::optional<Size> sizeForItemAt(CollectionView& collectionView, const IndexPath& indexPath) {
    (void)collectionView, (void)indexPath;
    return std::nullopt;
  }
  virtual std::optional<Size> referenceSizeForHeaderInSection(CollectionView& collectionView,
                                                              std::int64_t section) {
    (void)collectionView, (void)section;
    return std::nullopt;
  }
  virtual std::optional<Size> referenceSizeForFooterInSection(CollectionView& collectionView,
                                                              std::int64_t section) {
    (void)collectionView, (void)section;
    return std::nullopt;
  }
};

// Rows of items, left to right, one section after another, each section
// with an optional header and footer (sizes from the delegate or the
// reference sizes). Subclasses override `prepare` and the queries.
class CollectionViewFlowLayout : public CollectionViewLayout {
 public:
  Size itemSize{50, 50};
  double minimumLineSpacing = 10;
  double minimumInteritemSpacing = 10;
  Size headerReferenceSize;
  Size footerReferenceSize;
  EdgeInsets sectionInset;

  void prepare() override;
  Size collectionViewContentSize() const override { return contentSize_; }
  std::vector<CollectionViewLayoutAttributes> layoutAttributesForElementsInRect(
      const Rect& rect) const override;
  std::optional<CollectionViewLayoutAttributes> layoutAttributesForItemAtIndexPath(
      const IndexPath& indexPath) const override;
  std::optional<CollectionViewLayoutAttributes> layoutAttributesForSupplementaryView(
      std::string_view kind, const IndexPath& indexPath) const override;

 private:
  std::vector<std::vector<CollectionViewLayoutAttributes>> items_;
  std::vector<CollectionViewLayoutAttributes> supplementary_;
  Size contentSize_;
};

class CollectionView : public PlatformView {
 public:
  CollectionView();

  // Not owned, as the host does: whoever sets them keeps them alive.
  std::weak_ptr<CollectionViewDataSource> dataSource;
  std::weak_ptr<CollectionViewDelegateFlowLayout> delegate;

  // The grid's background (the first colour is used).
  std::vector<mcu::PlatformColor> backgroundColors;
  // A read-only grid refuses selection.
  bool isSelectable = false;

  const std::shared_ptr<CollectionViewLayout>& collectionViewLayout() const { return layout_; }
  void setCollectionViewLayout(std::shared_ptr<CollectionViewLayout> layout);

  using ItemFactory = std::function<std::shared_ptr<ViewController>()>;
  using SupplementaryFactory = std::function<std::shared_ptr<PlatformView>()>;
  void registerItem(ItemFactory factory, std::string identifier);
  void registerSupplementaryView(SupplementaryFactory factory, std::string kind, std::string identifier);
  // A new item of the registered class (this toolkit makes every element
  // fresh for each drawing, so nothing is reused). Null for an unknown identifier.
  std::shared_ptr<ViewController> makeItem(std::string_view identifier, const IndexPath& indexPath);
  std::shared_ptr<PlatformView> makeSupplementaryView(std::string_view kind, std::string_view identifier,
                                                      const IndexPath& indexPath);

  // Forgets the cached counts; the next layout asks the data source again.
  void reloadData();
  std::int64_t numberOfSections() const;
  std::int64_t numberOfItemsInSection(std::int64_t section) const;

  // The bounds the layout works in; its width is set from the proposal
  // before each layout.
  Rect bounds() const { return bounds_; }
  void setBoundsWidth(double width);

  // Lays the collection out at the proposed width: as high as the layout's
  // content, making only the visible elements when drawn.
  View content() const override;

 private:
  std::shared_ptr<CollectionViewLayout> layout_;
  std::map<std::string, ItemFactory, std::less<>> itemFactories_;
  std::map<std::pair<std::string, std::string>, SupplementaryFactory, std::less<>> supplementaryFactories_;
  mutable std::optional<std::vector<std::int64_t>> counts_;
  Rect bounds_;
  // The width the layout was last prepared at; absent when it must prepare again.
  std::optional<double> preparedWidth_;
  const std::vector<std::int64_t>& counts() const;
  void prepareLayoutIfNeeded();
};

}  // namespace hostkit
