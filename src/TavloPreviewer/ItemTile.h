// The tile that draws one item of the grid.
#pragma once

#include <optional>

#include "TavloData/AppearanceType.h"
#include "TavloData/ProjectKinds.h"
#include "hostkit/Appearance.h"
#include "hostkit/View.h"

namespace tavlo::previewer {

// Tiles are cards with their own look: value and shadow cards sit on the
// toolkit's dark card colour with light text, and swatches pick their text by
// luminance. They keep that look whatever the page around them uses, so a
// light page does not put light text on light cards. Cards (tiles and
// panels) made while one of these lives take that look.
class TileAppearanceScope {
 public:
  TileAppearanceScope() : previous_(hostkit::currentAppearance()) {
    hostkit::setCurrentAppearance(hostkit::Appearance::dark);
  }
  ~TileAppearanceScope() { hostkit::setCurrentAppearance(previous_); }
  TileAppearanceScope(const TileAppearanceScope&) = delete;
  TileAppearanceScope& operator=(const TileAppearanceScope&) = delete;

 private:
  hostkit::Appearance previous_;
};

// Every tile is a square cell of this height with these corners (points).
inline constexpr double tileItemHeight = 160;
inline constexpr double tileCornerRadius = 8;

// The tile for `item`, chosen by the first kind object it carries, showing
// the `colorSource` variant of its value; absent when it carries none (the
// cell stays empty).
std::optional<hostkit::View> makeItemTile(const MerrinColorProjectItemPtr& item,
                                          ColorSource colorSource = ColorSource::light);

}  // namespace tavlo::previewer
