// The tile that draws one item of the grid.
#pragma once

#include <optional>

#include "TavloData/AppearanceType.h"
#include "TavloData/ProjectKinds.h"
#include "hostkit/View.h"

namespace tavlo::previewer {

// Every tile is a square cell of this height with these corners (points).
inline constexpr double tileItemHeight = 160;
inline constexpr double tileCornerRadius = 8;

// The tile for `item`, chosen by the first kind object it carries, showing
// the `colorSource` variant of its value; absent when it carries none (the
// cell stays empty).
std::optional<hostkit::View> makeItemTile(const MerrinColorProjectItemPtr& item,
                                          ColorSource colorSource = ColorSource::light);

}  // namespace tavlo::previewer
