// The tiles of shadows, shadow ramps and shadow aliases: the four numbers of
// the shadow beside their label pictures, and the shadow drawn under a white
// card on a small square.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "MerrinColorUtils/platform/PlatformColor.h"
#include "TavloData/AppearanceType.h"
#include "TavloData/ProjectKinds.h"
#include "TavloData/ShadowDetails.h"
#include "TavloPreviewer/ItemTile.h"
#include "hostkit/View.h"

namespace tavlo::previewer {

// A shadow's number as its detail row shows it: 0 or 1 fraction digit in
// the user's locale, so 4 reads "4", 2.5 "2.5" and 2.46 "2.5".
std::string shadowDetailText(double value);

// A white card with the shadow under it, both rounded by 3 points: the
// shadow grown by `spread`, blurred by half of `blur` and moved by (x, y).
struct ShadowPreviewView {
  double x = 0;
  double y = 0;
  double blur = 0;
  double spread = 0;
  mcu::PlatformColor color;
  hostkit::View body() const;
};

// The shadow on the model's light grey: the card is moved up and left by
// half the square, so only its bottom-right quarter and the shadow falling
// from it lie inside.
struct ShadowSquarePreviewView {
  std::shared_ptr<ShadowDetails> shadow;
  hostkit::View body() const;
};

// One detail row: a label picture and the value text, or its compact form
// where the row is too narrow for it (empty: the text whatever the width).
struct ShadowItemDetails {
  hostkit::Image image;
  std::string text;
  std::string compactText;
  hostkit::View body() const;
};

struct PreviewShadowItemView {
  MerrinColorProjectItemPtr item;
  std::shared_ptr<MerrinColorShadow> shadowItem;
  double itemHeight = tileItemHeight;
  double cornerRadius = tileCornerRadius;
  // Follows the pointer; the drawing never reads it.
  bool isHovered = false;
  ColorSource colorSource = ColorSource::light;
  hostkit::View body() const;
};

struct PreviewShadowSetView {
  MerrinColorProjectItemPtr item;
  std::shared_ptr<MerrinColorShadowSet> shadowSet;
  double itemHeight = tileItemHeight;
  double cornerRadius = tileCornerRadius;
  ColorSource colorSource = ColorSource::light;
  hostkit::View body() const;
};

struct PreviewShadowAliasView {
  MerrinColorProjectItemPtr item;
  std::shared_ptr<MerrinColorShadowAlias> shadowAlias;
  double itemHeight = tileItemHeight;
  double cornerRadius = tileCornerRadius;
  bool isHovered = false;
  ColorSource colorSource = ColorSource::light;
  hostkit::View body() const;
};

}  // namespace tavlo::previewer
