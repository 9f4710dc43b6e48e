#include "TavloPreviewer/ItemTile.h"

#include "TavloData/MerrinColorProjectItem.h"
#include "TavloPreviewer/tiles/ColorTiles.h"
#include "TavloPreviewer/tiles/ShadowTiles.h"
#include "TavloPreviewer/tiles/ValueTiles.h"

#include "hostkit/Appearance.h"

namespace tavlo::previewer {

namespace {

// Tiles are cards with their own look: value and shadow cards sit on the
// toolkit's dark card colour with light text, and swatches pick their text by
// luminance. They keep that look whatever the page around them uses, so a
// light page does not put light text on light cards.
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

}  // namespace

std::optional<hostkit::View> makeItemTile(const MerrinColorProjectItemPtr& item) {
  if (!item) return std::nullopt;
  TileAppearanceScope tileLook;
  // The first kind object present decides, in this order.
  const double h = tileItemHeight, r = tileCornerRadius;
  if (item->color())
    return PreviewColorItemView{item, item->color(), mcu::ColorFormat::floatRGBA, h, r}.body();
  if (item->colorSet())
    return PreviewColorRampView{item, item->colorSet(), mcu::ColorFormat::floatRGBA, h, r}.body();
  if (item->colorAlias()) return PreviewColorAliasView{item, item->colorAlias(), h, r}.body();
  if (item->number()) return PreviewNumberItemView{item, item->number(), h, r}.body();
  if (item->numberAlias()) return PreviewNumberAliasView{item, item->numberAlias(), h, r}.body();
  if (item->boolean()) return PreviewBooleanItemView{item, item->boolean(), h, r}.body();
  if (item->booleanAlias()) return PreviewBooleanAliasView{item, item->booleanAlias(), h, r}.body();
  if (item->string()) return PreviewStringItemView{item, item->string(), h, r}.body();
  if (item->stringAlias()) return PreviewStringAliasView{item, item->stringAlias(), h, r, false}.body();
  if (item->shadow()) return PreviewShadowItemView{item, item->shadow(), h, r, false}.body();
  if (item->shadowSet()) return PreviewShadowSetView{item, item->shadowSet(), h, r}.body();
  if (item->shadowAlias()) return PreviewShadowAliasView{item, item->shadowAlias(), h, r, false}.body();
  return std::nullopt;
}

}  // namespace tavlo::previewer
