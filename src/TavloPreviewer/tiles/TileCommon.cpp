#include "TavloPreviewer/tiles/TileCommon.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "MerrinColorUtils/ColorConverter.h"
#include "MerrinColorUtils/ColorOperations.h"
#include "Orvik/Orvik.h"
#include "TavloData/MerrinColorProjectItem.h"
#include "TavloData/NumberFormatting.h"
#include "TavloPreviewer/PreviewResources.h"
#include "TavloPreviewer/tiles/TileResources.h"
#include "hostkit/Appearance.h"
#include "hostkit/Layout.h"
#include "hostkit/Localized.h"

namespace tavlo::previewer {

using namespace hostkit;

View ColorNameView::body() const {
  return Text(name)
      .font(Font::headline())
      .lineLimit(2)
      .truncationMode(TruncationMode::middle)
      .view()
      .tagged("colorName")
      .layoutPriority(tileNamePriority);
}

View itemNameRow(const MerrinColorProjectItemPtr& item) {
  return ColorNameView{item ? item->name() : std::string()}.body();
}

View ColorAliasReferenceView::body() const {
  return text.font(Font::callout())
      .lineLimit(3)
      .truncationMode(TruncationMode::middle)
      .foregroundColor(textColor)
      .view()
      .tagged("reference")
      .layoutPriority(tileSecondaryTextPriority);
}

View PreviewColorRampColorView::body() const {
  return ColorView(color).tagged("rampStripCell");
}

Path BottomRoundedRect::path(const Rect& rect) const {
  const double r = std::clamp(radius, 0.0, std::min(rect.width, rect.height) / 2);
  Path p;
  p.moveTo({rect.minX(), rect.minY()});
  p.lineTo({rect.maxX(), rect.minY()});
  p.lineTo({rect.maxX(), rect.maxY() - r});
  p.addArc({rect.maxX() - r, rect.maxY() - r}, r, 0, std::numbers::pi / 2);
  p.lineTo({rect.minX() + r, rect.maxY()});
  p.addArc({rect.minX() + r, rect.maxY() - r}, r, std::numbers::pi / 2, std::numbers::pi);
  p.closeSubpath();
  return p;
}

Shape BottomRoundedRect::shape() const {
  return Shape::custom([self = *this](const Rect& r) { return self.path(r); });
}

View tileFrame(const View& background, const View& content, const mcu::PlatformColor& textColor,
               double itemHeight, double cornerRadius) {
  const StrokeStyle borderStyle{tileBorderWidth, LineCap::butt, LineJoin::miter, 10};
  View border =
      Shape::roundedRectangle(cornerRadius, RoundedCornerStyle::continuous)
          .strokeBorder(withOpacity(mcu::PlatformColor::sRGBWhite(), tileBorderOpacity), borderStyle)
          .tagged("tile.border");
  // Content spans the tile's width so that short rows keep to the leading edge.
  View rows = content
                  .frame(View::FlexibleFrame{std::nullopt, HUGE_VAL, std::nullopt, std::nullopt,
                                             Alignment::leading()})
                  .foregroundColor(textColor)
                  .padding(tileContentInsets)
                  .tagged("tile.content");
  return ZStack(Alignment::center(), {background.tagged("tile.background"), rows, border})
      .frame(std::nullopt, itemHeight)
      .clipShape(Shape::roundedRectangle(cornerRadius, RoundedCornerStyle::continuous))
      .tagged("tile");
}

View plainTile(std::vector<View> rows, double itemHeight, double cornerRadius) {
  return tileFrame(ColorView(orvik::color(orvik::backgroundNormal)), tileRows(std::move(rows)),
                   previewColor(colorOverlayLightText), itemHeight, cornerRadius);
}

View tileRows(std::vector<View> rows) {
  return VStack(HorizontalAlignment::leading, tileRowSpacing, std::move(rows));
}

View trailingRow(const View& view) {
  return view.frame(
      View::FlexibleFrame{std::nullopt, HUGE_VAL, std::nullopt, std::nullopt, Alignment::trailing()});
}

mcu::PlatformColor overlayTextColor(const mcu::PlatformColor& color) {
  const double weight = mcu::luminance(color) * color.alphaComponent();
  return previewColor(weight > 0.5 ? colorOverlayDarkText : colorOverlayLightText);
}

View checkerboardBackground(const View& fill) {
  return ZStack(
      Alignment::center(),
      {orvik::image(orvik::checkerboardImage).resizable(ResizingMode::tile).view().tagged("checkerboard"),
       fill});
}

std::string tileColorText(const mcu::PlatformColor& color, mcu::ColorFormat format,
                          mcu::ColorSpace colorSpace) {
  mcu::ColorConverterOptions options;
  options.roundedTo = 3;
  options.p3Prefix = "p3: ";
  options.suffixWhenClipped = std::nullopt;
  options.forceClip = false;
  auto result = mcu::ColorConverter::convertColorToString(color, format, colorSpace, options);
  return result.colorString.value_or("-");
}

mcu::ColorSpace tileColorSpaceOf(const mcu::PlatformColor& color) {
  return mcu::colorSpaceFromNSColorSpace(color.colorSpace(), mcu::ColorSpace::sRGB);
}

int stripRowCount(std::size_t count, std::size_t minimumCount) {
  if (count < minimumCount || count == 0) return 0;
  if (count % 3 == 0 && count >= 9) return 3;
  if (count % 2 == 0 && count >= 4) return 2;
  return 1;
}

View stripGrid(const std::vector<mcu::PlatformColor>& colors, std::size_t minimumCount) {
  const int rowCount = stripRowCount(colors.size(), minimumCount);
  if (rowCount == 0) return EmptyView();
  const std::size_t perRow = colors.size() / static_cast<std::size_t>(rowCount);
  std::vector<View> rows;
  for (int row = 0; row < rowCount; ++row) {
    std::vector<View> cells;
    for (std::size_t i = row * perRow; i < (row + 1) * perRow; ++i)
      cells.push_back(PreviewColorRampColorView{colors[i]}.body());
    rows.push_back(HStack(VerticalAlignment::center, 0, std::move(cells)).tagged("rampStripRow"));
  }
  return VStack(HorizontalAlignment::leading, 0, std::move(rows))
      .frame(std::nullopt, tileLowerPartHeight)
      .tagged("rampStrip");
}

std::string displayableValue(double value) {
  if (auto text = SharedNumberFormatter::string(value)) return *text;
  if (auto text = SharedNumberFormatter::scientificString(value)) return *text;
  return formattedNumber(value);
}

std::string compactValue(double value) {
  return compactValue(value, displayableValue(value));
}

std::string compactValue(double value, std::string full) {
  std::optional<std::string> scientific = SharedNumberFormatter::scientificString(value);
  // Characters, not bytes: other locales' digits take two or three bytes.
  const auto length = [](const std::string& s) {
    return std::count_if(s.begin(), s.end(),
                         [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; });
  };
  return scientific && length(*scientific) < length(full) ? *scientific : full;
}

std::string displayableCount(std::int64_t count) {
  return SharedNumberFormatter::integerString(count).value_or(std::to_string(count));
}

View fittingLine(const std::string& full, const std::string& compact, const Font& font) {
  const Text whole = Text(full).font(font).lineLimit(1);
  if (compact == full) return whole;
  const Text shorter = Text(compact).font(font).lineLimit(1);
  const double fullWidth = sizeThatFits(whole, {std::nullopt, std::nullopt}).width;
  auto chosen = [=](std::optional<double> width) {
    return !width || fullWidth <= *width + 0.5 ? whole : shorter;
  };
  return Deferred([=](ProposedSize p) { return sizeThatFits(chosen(p.width), p); },
                  [=](Size size, std::optional<Rect>) { return chosen(size.width).view(); });
}

ReferenceLine referenceLine(const MerrinColorProjectItemPtr& referenced) {
  if (!referenced) return {Text(localized("No Source")), false};
  return {Text::symbol(std::string(aliasReferenceSymbol)) + Text(" " + referenced->name()), true};
}

View referenceLineView(const MerrinColorProjectItemPtr& referenced, const mcu::PlatformColor& resolvedColor) {
  ReferenceLine line = referenceLine(referenced);
  return ColorAliasReferenceView{line.text, line.resolved ? resolvedColor : orvik::color(orvik::grey50)}
      .body();
}

}  // namespace tavlo::previewer
