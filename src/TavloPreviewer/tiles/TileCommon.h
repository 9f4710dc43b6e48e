// What every item tile shares: the frame of layers around its content, the
// name line, the reference line of aliases, text colours chosen by the colour
// under the text, strip grids of ramp colours and number texts.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "MerrinColorUtils/ColorFormat.h"
#include "MerrinColorUtils/ColorSpace.h"
#include "MerrinColorUtils/platform/PlatformColor.h"
#include "TavloData/AppearanceType.h"
#include "TavloData/ProjectKinds.h"
#include "hostkit/Shape.h"
#include "hostkit/View.h"

namespace tavlo::previewer {

// Insets of a tile's content: 8 points at top and bottom, 11 at the sides.
inline constexpr hostkit::EdgeInsets tileContentInsets{8, 11, 8, 11};
// Space between the rows of a tile.
inline constexpr double tileRowSpacing = 1;
// Height of a tile's lower part: the strip grid or the shadow square.
inline constexpr double tileLowerPartHeight = 60;
// The least a shadow square keeps when long texts above it need the room.
inline constexpr double tileLowerPartMinimumHeight = 24;
// Which rows give way first when a tile's texts need more room than it has:
// the lower part (down to its minimum), then the alias's reference line, then
// values and details; the name, the most telling text, last.
inline constexpr double tileNamePriority = 1;
inline constexpr double tileSecondaryTextPriority = -1;
inline constexpr double tileLowerPartPriority = -2;
// The inner edge every tile draws over its content.
inline constexpr double tileBorderWidth = 2;
inline constexpr double tileBorderOpacity = 0.1;

// The item's name: headline, at most two lines, shortened in the middle.
struct ColorNameView {
  std::string name;
  hostkit::View body() const;
};

// The name line of `item` (empty without an item).
hostkit::View itemNameRow(const MerrinColorProjectItemPtr& item);

// An alias's reference line: callout, at most three lines, shortened in the middle.
struct ColorAliasReferenceView {
  hostkit::Text text;
  mcu::PlatformColor textColor;
  hostkit::View body() const;
};

// One cell of a ramp strip: a plain fill of the colour.
struct PreviewColorRampColorView {
  mcu::PlatformColor color;
  hostkit::View body() const;
};

// A rectangle with square top corners and bottom corners rounded by `radius`.
struct BottomRoundedRect {
  double radius = 0;
  hostkit::Path path(const hostkit::Rect& rect) const;
  hostkit::Shape shape() const;
};

// The common frame: `background`, then `content` in the text colour and
// padded by tileContentInsets, then the inner border; `itemHeight` high, as
// wide as the cell, clipped to a continuous rounded rectangle.
hostkit::View tileFrame(const hostkit::View& background, const hostkit::View& content,
                        const mcu::PlatformColor& textColor, double itemHeight, double cornerRadius);

// The frame of the tiles that show no colour of their own (numbers,
// booleans, texts, shadows): `rows` on the toolkit's normal background in
// the light overlay text.
hostkit::View plainTile(std::vector<hostkit::View> rows, double itemHeight, double cornerRadius);

// The content stack: leading-aligned rows, tileRowSpacing apart.
hostkit::View tileRows(std::vector<hostkit::View> rows);

// `view` pushed to the trailing edge of its row.
hostkit::View trailingRow(const hostkit::View& view);

// The text colour over `color`: "colorOverlayDarkText" when its luminance
// times its alpha is above 0.5, otherwise "colorOverlayLightText".
mcu::PlatformColor overlayTextColor(const mcu::PlatformColor& color);

// The checkerboard with `color` over it, so that transparency shows.
hostkit::View checkerboardBackground(const hostkit::View& fill);

// A colour's text as the colour tiles show it: `format`, 3 places, "p3: "
// in front of Display P3 values; "-" when the colour cannot be written.
std::string tileColorText(const mcu::PlatformColor& color, mcu::ColorFormat format,
                          mcu::ColorSpace colorSpace);

// The working space a colour's own platform space stands for (sRGB when none).
mcu::ColorSpace tileColorSpaceOf(const mcu::PlatformColor& color);

// How many rows a strip grid of `count` colours has: 3 for a multiple of 3
// from 9 on, else 2 for an even count from 4 on, else 1; 0 below
// `minimumCount`.
int stripRowCount(std::size_t count, std::size_t minimumCount);

// The strip grid of ramp colours in a frame tileLowerPartHeight high; an
// empty view when there are fewer than `minimumCount` colours.
hostkit::View stripGrid(const std::vector<mcu::PlatformColor>& colors, std::size_t minimumCount);

// A number as tiles show it: the shared number formatter's text (up to 4
// fraction digits, the user's locale), or, for a number it cannot format,
// the scientific form in the same locale.
std::string displayableValue(double value);
// The same number in its shorter form: scientific where that is shorter
// ("1E20" for 100000000000000000000), the displayable value otherwise.
std::string compactValue(double value);
// `full`, a text of `value`, or the scientific form where that is shorter.
std::string compactValue(double value, std::string full);
// A count, exactly, in the digits of the numbers beside it.
std::string displayableCount(std::int64_t count);

// One line of `full` when it fits the width the tile gives it, otherwise of
// `compact`: a number shortened with "…" would read as another number.
hostkit::View fittingLine(const std::string& full, const std::string& compact, const hostkit::Font& font);

// The reference line's text: the alias symbol, a space and the name, or
// "No Source" when the reference does not resolve.
struct ReferenceLine {
  hostkit::Text text;
  bool resolved = false;
};
ReferenceLine referenceLine(const MerrinColorProjectItemPtr& referenced);

// The node an alias's reference for `source` leads to, kept only when
// `accepts` it: tiles do not follow an alias through another alias.
template <class Alias, class Accepts>
MerrinColorProjectItemPtr acceptedReference(const std::shared_ptr<Alias>& alias, ColorSource source,
                                            Accepts accepts) {
  MerrinColorProjectItemPtr node = alias ? alias->referencedItemToUse(source) : nullptr;
  return node && accepts(*node) ? node : nullptr;
}

// The reference line drawn: in `resolvedColor` when it resolves, in the
// toolkit's "Grey 50%" when it does not.
hostkit::View referenceLineView(const MerrinColorProjectItemPtr& referenced,
                                const mcu::PlatformColor& resolvedColor);

}  // namespace tavlo::previewer
