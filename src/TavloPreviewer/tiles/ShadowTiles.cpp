#include "TavloPreviewer/tiles/ShadowTiles.h"

#include <charconv>
#include <cmath>
#include <vector>

#include "TavloData/DefaultColors.h"
#include "TavloData/MerrinColorProjectItem.h"
#include "TavloData/MerrinColorShadow.h"
#include "TavloData/MerrinColorShadowAlias.h"
#include "TavloData/MerrinColorShadowSet.h"
#include "TavloData/NumberFormatting.h"
#include "TavloPreviewer/PreviewResources.h"
#include "TavloPreviewer/tiles/TileCommon.h"
#include "TavloPreviewer/tiles/TileResources.h"

namespace tavlo::previewer {

using namespace hostkit;

namespace {

constexpr double shadowCornerRadius = 3;
constexpr double detailSpacing = 4;
constexpr double squareSpacing = 2;

std::shared_ptr<ShadowDetails> shownShadowOf(const std::shared_ptr<ThemeableShadow>& shadow,
                                             ColorSource source) {
  if (!shadow) return nullptr;
  return shadow->displayVariantFor(source);
}

// A detail's text and its compact form.
struct DetailText {
  std::string text, compact;
};

DetailText detailText(double value) {
  std::string text = shadowDetailText(value);
  return {text, compactValue(value, text)};
}

// The four detail rows in their fixed order: x, y, blur, spread.
std::vector<View> detailRows(const DetailText& x, const DetailText& y, const DetailText& blur,
                             const DetailText& spread) {
  return {ShadowItemDetails{tileImage(shadowLabelX), x.text, x.compact}.body(),
          ShadowItemDetails{tileImage(shadowLabelY), y.text, y.compact}.body(),
          ShadowItemDetails{tileImage(shadowLabelBlur), blur.text, blur.compact}.body(),
          ShadowItemDetails{tileImage(shadowLabelThickness), spread.text, spread.compact}.body()};
}

std::vector<View> detailRows(const ShadowDetails& s) {
  return detailRows(detailText(s.xOffset()), detailText(s.yOffset()), detailText(s.blur()),
                    detailText(s.spread()));
}

// The lower part gives way to the rows above it when a long name or an
// alias's reference line needs the room, down to a square that still shows
// the shadow; the texts give way after that.
View lowerPart(const View& content) {
  return content
      .frame(View::FlexibleFrame{std::nullopt, std::nullopt, tileLowerPartMinimumHeight, tileLowerPartHeight,
                                 Alignment::center()})
      .layoutPriority(tileLowerPartPriority);
}

}  // namespace

std::string shadowDetailText(double value) {
  if (!std::isfinite(value)) return displayableValue(value);
  // One decimal, rounded half to even like the number formatters, then
  // written in the user's locale by the shared formatter (which keeps up to
  // four, so nothing more is lost).
  char buffer[128];
  auto written = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 1);
  if (written.ec != std::errc()) return displayableValue(value);
  double rounded = value;
  std::from_chars(buffer, written.ptr, rounded, std::chars_format::fixed);
  if (rounded == 0) rounded = 0;  // no "-0"
  return displayableValue(rounded);
}

View ShadowPreviewView::body() const {
  const Shape shape = Shape::roundedRectangle(shadowCornerRadius, RoundedCornerStyle::continuous);
  View shadow =
      shape.fill(color).padding(EdgeInsets::all(-spread)).blur(blur * 0.5).offset(x, y).tagged("shadow");
  View card = shape.fill(mcu::PlatformColor::sRGBWhite()).tagged("card");
  return ZStack(Alignment::center(), {shadow, card});
}

View ShadowSquarePreviewView::body() const {
  std::shared_ptr<ShadowDetails> details = shadow ? shadow : ShadowDetails::noShadow();
  const mcu::PlatformColor ground = DefaultColors::lightGray()->displayVariantFor(ColorSource::light);
  auto measure = [](ProposedSize p) {
    return Size{p.width.value_or(tileLowerPartHeight), p.height.value_or(tileLowerPartHeight)};
  };
  auto build = [details, ground](Size size, std::optional<Rect>) {
    View card = ShadowPreviewView{details->xOffset(), details->yOffset(), details->blur(), details->spread(),
                                  details->color()}
                    .body()
                    .frame(size.width, size.height)
                    .offset(-size.width / 2, -size.height / 2);
    return ZStack(Alignment::leading(), {Shape::rectangle().fill(ground), card}).clipped();
  };
  return Deferred(measure, build).tagged("shadowSquare");
}

View ShadowItemDetails::body() const {
  return HStack(
      VerticalAlignment::center, detailSpacing,
      {image.view().tagged("shadowLabel"),
       fittingLine(text, compactText.empty() ? text : compactText, Font::callout()).tagged("shadowDetail")});
}

View PreviewShadowItemView::body() const {
  std::shared_ptr<ShadowDetails> shown =
      shadowItem ? shownShadowOf(shadowItem->shadow(), colorSource) : nullptr;
  if (!shown) shown = ShadowDetails::noShadow();
  std::vector<View> rows{itemNameRow(item)};
  for (View& row : detailRows(*shown)) rows.push_back(std::move(row));
  rows.push_back(Spacer());
  rows.push_back(lowerPart(ShadowSquarePreviewView{shown}.body()));
  return plainTile(std::move(rows), itemHeight, cornerRadius);
}

View PreviewShadowSetView::body() const {
  std::vector<std::shared_ptr<ShadowDetails>> shadows;
  if (shadowSet)
    for (const auto& entry : shadowSet->shadows())
      if (auto shown = shownShadowOf(entry, colorSource)) shadows.push_back(shown);

  // First…last of one number; 0 for either end of an empty ramp.
  auto range = [&](double (ShadowDetails::*field)() const) {
    const double first = shadows.empty() ? 0 : (*shadows.front().*field)();
    const double last = shadows.empty() ? 0 : (*shadows.back().*field)();
    return DetailText{displayableValue(first) + "\u2026" + displayableValue(last),
                      compactValue(first) + "\u2026" + compactValue(last)};
  };
  std::vector<View> rows{itemNameRow(item)};
  for (View& row : detailRows(range(&ShadowDetails::xOffset), range(&ShadowDetails::yOffset),
                              range(&ShadowDetails::blur), range(&ShadowDetails::spread)))
    rows.push_back(std::move(row));
  rows.push_back(Spacer());

  std::vector<View> squares;
  for (const auto& s : shadows) squares.push_back(ShadowSquarePreviewView{s}.body());
  if (!squares.empty())
    rows.push_back(
        lowerPart(HStack(VerticalAlignment::center, squareSpacing, std::move(squares)).tagged("shadowRow")));
  return plainTile(std::move(rows), itemHeight, cornerRadius);
}

View PreviewShadowAliasView::body() const {
  MerrinColorProjectItemPtr referenced = acceptedReference(
      shadowAlias, colorSource, [](const MerrinColorProjectItem& n) { return n.shadow() || n.shadowSet(); });
  const std::optional<std::int64_t> index =
      shadowAlias ? shadowAlias->referenceIndexToUse(colorSource) : std::nullopt;
  std::shared_ptr<ShadowDetails> shown =
      shownShadowOf(MerrinColorShadowAlias::mainShadow(referenced, index), colorSource);

  std::vector<View> rows{itemNameRow(item)};
  if (shown)
    for (View& row : detailRows(*shown)) rows.push_back(std::move(row));
  rows.push_back(referenceLineView(referenced, previewColor(colorOverlayLightText)));
  rows.push_back(Spacer());
  if (shown) rows.push_back(lowerPart(ShadowSquarePreviewView{shown}.body()));
  return plainTile(std::move(rows), itemHeight, cornerRadius);
}

}  // namespace tavlo::previewer
