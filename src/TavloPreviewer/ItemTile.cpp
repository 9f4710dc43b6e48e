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

std::optional<hostkit::View> makeItemTile(const MerrinColorProjectItemPtr& item, ColorSource colorSource) {
  if (!item) return std::nullopt;
  TileAppearanceScope tileLook;
  // The first kind object present decides, in this order.
  const auto format = mcu::ColorFormat::floatRGBA;
  if (item->color())
    return PreviewColorItemView{
        .item = item, .colorItem = item->color(), .colorFormat = format, .colorSource = colorSource}
        .body();
  if (item->colorSet())
    return PreviewColorRampView{
        .item = item, .colorSet = item->colorSet(), .colorFormat = format, .colorSource = colorSource}
        .body();
  if (item->colorAlias())
    return PreviewColorAliasView{.item = item, .colorAlias = item->colorAlias(), .colorSource = colorSource}
        .body();
  if (item->number())
    return PreviewNumberItemView{.item = item, .numberItem = item->number(), .colorSource = colorSource}
        .body();
  if (item->numberAlias())
    return PreviewNumberAliasView{
        .item = item, .numberAlias = item->numberAlias(), .colorSource = colorSource}
        .body();
  if (item->boolean())
    return PreviewBooleanItemView{.item = item, .booleanItem = item->boolean(), .colorSource = colorSource}
        .body();
  if (item->booleanAlias())
    return PreviewBooleanAliasView{
        .item = item, .booleanAlias = item->booleanAlias(), .colorSource = colorSource}
        .body();
  if (item->string())
    return PreviewStringItemView{.item = item, .stringItem = item->string(), .colorSource = colorSource}
        .body();
  if (item->stringAlias())
    return PreviewStringAliasView{
        .item = item, .stringAlias = item->stringAlias(), .colorSource = colorSource}
        .body();
  if (item->shadow())
    return PreviewShadowItemView{.item = item, .shadowItem = item->shadow(), .colorSource = colorSource}
        .body();
  if (item->shadowSet())
    return PreviewShadowSetView{.item = item, .shadowSet = item->shadowSet(), .colorSource = colorSource}
        .body();
  if (item->shadowAlias())
    return PreviewShadowAliasView{
        .item = item, .shadowAlias = item->shadowAlias(), .colorSource = colorSource}
        .body();
  return std::nullopt;
}

}  // namespace tavlo::previewer
