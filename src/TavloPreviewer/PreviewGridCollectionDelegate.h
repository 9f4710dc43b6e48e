// The preview grid's contents: its sections, and a tile for each item.
#pragma once

#include <optional>
#include <vector>

#include "TavloData/AppearanceType.h"
#include "TavloPreviewer/CollectionViewWrapperDelegate.h"

namespace tavlo::previewer {

class PreviewGridCollectionDelegate : public CollectionViewWrapperDelegate {
 public:
  explicit PreviewGridCollectionDelegate(std::vector<ItemGridSection> items,
                                         ColorSource colorSource = ColorSource::light)
      : items_(std::move(items)), colorSource_(colorSource) {}

  const std::vector<ItemGridSection>& items() const override { return items_; }

  // The item at a two-part (section, item) path; absent for any other length
  // or a position out of range.
  MerrinColorProjectItemPtr item(const hostkit::IndexPath& at) const;
  // The tile of the item at that path, chosen by its kind, showing the
  // delegate's appearance variant; a panel section's one cell shows the panel.
  std::optional<hostkit::View> tileView(const hostkit::IndexPath& at) const override;

 private:
  std::vector<ItemGridSection> items_;
  ColorSource colorSource_;
};

}  // namespace tavlo::previewer
