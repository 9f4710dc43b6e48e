// What the grid controller asks of whoever supplies the grid's contents.
#pragma once

#include <optional>
#include <vector>

#include "TavloPreviewer/ItemGridSection.h"
#include "hostkit/CollectionView.h"
#include "hostkit/View.h"

namespace tavlo::previewer {

class CollectionViewWrapperDelegate {
 public:
  virtual ~CollectionViewWrapperDelegate() = default;
  virtual const std::vector<ItemGridSection>& items() const = 0;
  // The tile for the item at a (section, item) path; absent leaves the cell empty.
  virtual std::optional<hostkit::View> tileView(const hostkit::IndexPath& at) const = 0;
};

}  // namespace tavlo::previewer
