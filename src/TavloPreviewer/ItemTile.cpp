#include "TavloPreviewer/ItemTile.h"

#include "TavloData/MerrinColorProjectItem.h"
#include "TavloPreviewer/tiles/ColorTiles.h"
#include "TavloPreviewer/tiles/ShadowTiles.h"
#include "TavloPreviewer/tiles/ValueTiles.h"

namespace tavlo::previewer {

std::optional<hostkit::View> makeItemTile(const MerrinColorProjectItemPtr& item) {
  if (!item) return std::nullopt;
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
