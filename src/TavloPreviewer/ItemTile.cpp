#include "TavloPreviewer/ItemTile.h"

#include "TavloData/MerrinColorProjectItem.h"
#include "TavloPreviewer/tiles/ColorTiles.h"
#include "TavloPreviewer/tiles/ShadowTiles.h"
#include "TavloPreviewer/tiles/ValueTiles.h"

#include "hostkit/Appearance.h"

namespace tavlo::previewer {

namespace {

// The tile of type Tile for `item`, whose kind object goes in `field`.
template <class Tile, class Kind>
hostkit::View tileBody(const MerrinColorProjectItemPtr& item, std::shared_ptr<Kind> Tile::*field,
                       std::shared_ptr<Kind> kind, ColorSource colorSource) {
  Tile tile;
  tile.item = item;
  tile.*field = std::move(kind);
  tile.colorSource = colorSource;
  return tile.body();
}

}  // namespace

std::optional<hostkit::View> makeItemTile(const MerrinColorProjectItemPtr& item, ColorSource colorSource) {
  if (!item) return std::nullopt;
  TileAppearanceScope tileLook;
  const ColorSource s = colorSource;
  // The first kind object present decides, in this order. Colours are
  // written as floatRGBA, the tiles' default.
  if (item->color()) return tileBody(item, &PreviewColorItemView::colorItem, item->color(), s);
  if (item->colorSet()) return tileBody(item, &PreviewColorRampView::colorSet, item->colorSet(), s);
  if (item->colorAlias()) return tileBody(item, &PreviewColorAliasView::colorAlias, item->colorAlias(), s);
  if (item->number()) return tileBody(item, &PreviewNumberItemView::numberItem, item->number(), s);
  if (item->numberAlias())
    return tileBody(item, &PreviewNumberAliasView::numberAlias, item->numberAlias(), s);
  if (item->boolean()) return tileBody(item, &PreviewBooleanItemView::booleanItem, item->boolean(), s);
  if (item->booleanAlias())
    return tileBody(item, &PreviewBooleanAliasView::booleanAlias, item->booleanAlias(), s);
  if (item->string()) return tileBody(item, &PreviewStringItemView::stringItem, item->string(), s);
  if (item->stringAlias())
    return tileBody(item, &PreviewStringAliasView::stringAlias, item->stringAlias(), s);
  if (item->shadow()) return tileBody(item, &PreviewShadowItemView::shadowItem, item->shadow(), s);
  if (item->shadowSet()) return tileBody(item, &PreviewShadowSetView::shadowSet, item->shadowSet(), s);
  if (item->shadowAlias())
    return tileBody(item, &PreviewShadowAliasView::shadowAlias, item->shadowAlias(), s);
  return std::nullopt;
}

}  // namespace tavlo::previewer
