#include "TavloPreviewer/tiles/ColorTiles.h"

#include "MerrinColorUtils/ColorSpace.h"
#include "TavloData/MerrinColorAlias.h"
#include "TavloData/MerrinColorItem.h"
#include "TavloData/MerrinColorProjectItem.h"
#include "TavloData/MerrinColorSet.h"
#include "TavloPreviewer/tiles/TileCommon.h"

namespace tavlo::previewer {

using namespace hostkit;

namespace {

View calloutText(std::string text, std::string tag) {
  return Text(std::move(text)).font(Font::callout()).view().tagged(std::move(tag));
}

View colorSpaceRow(mcu::ColorSpace space) {
  return trailingRow(calloutText(mcu::localizedName(space), "colorSpace"));
}

std::vector<mcu::PlatformColor> displayVariants(const std::vector<std::shared_ptr<ThemeableColor>>& colors,
                                                ColorSource source) {
  std::vector<mcu::PlatformColor> out;
  out.reserve(colors.size());
  for (const auto& c : colors)
    if (c) out.push_back(c->displayVariantFor(source));
  return out;
}

}  // namespace

View PreviewColorItemView::body() const {
  const mcu::PlatformColor shown = colorItem && colorItem->color()
                                       ? colorItem->color()->displayVariantFor(colorSource)
                                       : mcu::PlatformColor::sRGBClear();
  const mcu::ColorSpace space = colorItem ? colorItem->colorSpace() : mcu::ColorSpace::sRGB;
  View rows = tileRows({itemNameRow(item), calloutText(tileColorText(shown, colorFormat, space), "colorText"),
                        colorSpaceRow(space), Spacer()});
  return tileFrame(checkerboardBackground(ColorView(shown).tagged("swatch")), rows, overlayTextColor(shown),
                   itemHeight, cornerRadius);
}

View PreviewColorRampView::body() const {
  std::shared_ptr<ThemeableColor> middle = colorSet ? colorSet->middleColor() : nullptr;
  const mcu::PlatformColor fill =
      middle ? middle->displayVariantFor(colorSource) : mcu::PlatformColor::sRGBClear();
  const mcu::ColorSpace space = colorSet ? colorSet->colorSpace() : mcu::ColorSpace::sRGB;
  std::vector<mcu::PlatformColor> strip =
      colorSet ? displayVariants(colorSet->colors(), colorSource) : std::vector<mcu::PlatformColor>{};
  // A strip needs two colours before it says anything a single fill does not.
  View rows = tileRows({itemNameRow(item),
                        calloutText(tileColorText(fill, colorFormat, tileColorSpaceOf(fill)), "colorText"),
                        colorSpaceRow(space), Spacer(), stripGrid(strip, 2)});
  View background = checkerboardBackground(
      ColorView(fill).clipShape(BottomRoundedRect{cornerRadius}.shape()).tagged("swatch"));
  return tileFrame(background, rows, overlayTextColor(fill), itemHeight, cornerRadius);
}

View PreviewColorAliasView::body() const {
  MerrinColorProjectItemPtr referenced = acceptedReference(
      colorAlias, colorSource, [](const MerrinColorProjectItem& n) { return n.color() || n.colorSet(); });
  const std::optional<std::int64_t> index =
      colorAlias ? colorAlias->referenceIndexToUse(colorSource) : std::nullopt;

  std::shared_ptr<ThemeableColor> value = MerrinColorAlias::mainColor(referenced, index);
  const mcu::PlatformColor fill =
      value ? value->displayVariantFor(colorSource) : mcu::PlatformColor::sRGBClear();
  const mcu::PlatformColor textColor = overlayTextColor(fill);

  // An alias of a whole ramp shows the ramp; one colour is enough here.
  View strip = EmptyView();
  if (referenced && referenced->colorSet() && !index)
    strip = stripGrid(displayVariants(referenced->colorSet()->colors(), colorSource), 1);

  View rows = tileRows({itemNameRow(item), referenceLineView(referenced, textColor), Spacer(), strip});
  return tileFrame(checkerboardBackground(ColorView(fill).tagged("swatch")), rows, textColor, itemHeight,
                   cornerRadius);
}

}  // namespace tavlo::previewer
