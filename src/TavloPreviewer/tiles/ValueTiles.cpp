#include "TavloPreviewer/tiles/ValueTiles.h"

#include <string>
#include <string_view>
#include <vector>

#include "TavloData/MerrinColorBoolean.h"
#include "TavloData/MerrinColorBooleanAlias.h"
#include "TavloData/MerrinColorNumber.h"
#include "TavloData/MerrinColorNumberAlias.h"
#include "TavloData/MerrinColorProjectItem.h"
#include "TavloData/MerrinColorString.h"
#include "TavloData/MerrinColorStringAlias.h"
#include "TavloPreviewer/PreviewResources.h"
#include "TavloPreviewer/tiles/TileCommon.h"
#include "hostkit/Localized.h"

namespace tavlo::previewer {

using namespace hostkit;

namespace {

// A string of a texts table with its placeholders ("%@" for texts, "%lld"
// for counts) filled in order. Placeholders are replaced by hand, never
// handed to printf, so a translation cannot make the program read garbage.
std::string filledPattern(std::string_view key, const std::vector<std::string>& arguments) {
  const std::string pattern = localized(key);
  std::string out;
  std::size_t next = 0;
  for (std::size_t i = 0; i < pattern.size();) {
    std::size_t length = 0;
    if (pattern.compare(i, 2, "%@") == 0)
      length = 2;
    else if (pattern.compare(i, 4, "%lld") == 0)
      length = 4;
    if (length > 0 && next < arguments.size()) {
      out += arguments[next++];
      i += length;
    } else {
      out += pattern[i++];
    }
  }
  return out;
}

View valueRow(std::string text, int lineLimit = 1) {
  return trailingRow(Text(std::move(text))
                         .font(Font::title())
                         .lineLimit(lineLimit)
                         .truncationMode(TruncationMode::tail)
                         .view()
                         .tagged("value"));
}

View calloutLine(std::string text, std::string tag) {
  return Text(std::move(text)).font(Font::callout()).lineLimit(1).view().tagged(std::move(tag));
}

// A number in title style: whole when it fits, else in its compact form.
View numberRow(double value) {
  return trailingRow(
      fittingLine(displayableValue(value), compactValue(value), Font::title()).tagged("value"));
}

std::string booleanText(bool value) {
  return value ? "True" : "False";
}

// Long texts get three lines; the name above them must stay in view.
constexpr int stringValueLines = 3;

View aliasTile(const MerrinColorProjectItemPtr& item, const MerrinColorProjectItemPtr& referenced,
               std::optional<View> value, double itemHeight, double cornerRadius) {
  std::vector<View> rows{itemNameRow(item)};
  if (value) rows.push_back(*value);
  rows.push_back(referenceLineView(referenced, previewColor(colorOverlayLightText)));
  return plainTile(std::move(rows), itemHeight, cornerRadius);
}

}  // namespace

View PreviewNumberItemView::body() const {
  std::vector<View> rows{itemNameRow(item)};
  if (numberItem && numberItem->value()) {
    rows.push_back(numberRow(numberItem->value()->displayVariantFor(colorSource)));
    if (const auto lo = numberItem->minValue(), hi = numberItem->maxValue(); lo && hi)
      rows.push_back(fittingLine(filledPattern("%@ to %@", {displayableValue(*lo), displayableValue(*hi)}),
                                 filledPattern("%@ to %@", {compactValue(*lo), compactValue(*hi)}),
                                 Font::callout())
                         .tagged("range"));
    if (numberItem->steps())
      rows.push_back(
          calloutLine(filledPattern("%lld steps", {displayableCount(*numberItem->steps())}), "steps"));
  }
  return plainTile(std::move(rows), itemHeight, cornerRadius);
}

View PreviewNumberAliasView::body() const {
  auto referenced = acceptedReference(numberAlias, colorSource,
                                      [](const MerrinColorProjectItem& n) { return bool(n.number()); });
  std::optional<View> value;
  if (referenced && referenced->number()->value())
    value = numberRow(referenced->number()->value()->displayVariantFor(colorSource));
  return aliasTile(item, referenced, value, itemHeight, cornerRadius);
}

View PreviewBooleanItemView::body() const {
  const bool value =
      booleanItem && booleanItem->value() && booleanItem->value()->displayVariantFor(colorSource);
  return plainTile({itemNameRow(item), valueRow(booleanText(value))}, itemHeight, cornerRadius);
}

View PreviewBooleanAliasView::body() const {
  auto referenced = acceptedReference(booleanAlias, colorSource,
                                      [](const MerrinColorProjectItem& n) { return bool(n.boolean()); });
  std::optional<View> value;
  if (referenced && referenced->boolean()->value())
    value = valueRow(booleanText(referenced->boolean()->value()->displayVariantFor(colorSource)));
  return aliasTile(item, referenced, value, itemHeight, cornerRadius);
}

View PreviewStringItemView::body() const {
  std::string text =
      stringItem && stringItem->value() ? stringItem->value()->displayVariantFor(colorSource) : std::string();
  return plainTile({itemNameRow(item), valueRow(std::move(text), stringValueLines)}, itemHeight,
                   cornerRadius);
}

View PreviewStringAliasView::body() const {
  auto referenced = acceptedReference(stringAlias, colorSource,
                                      [](const MerrinColorProjectItem& n) { return bool(n.string()); });
  std::optional<View> value;
  if (referenced && referenced->string()->value())
    value = valueRow(referenced->string()->value()->displayVariantFor(colorSource), stringValueLines);
  return aliasTile(item, referenced, value, itemHeight, cornerRadius);
}

}  // namespace tavlo::previewer
