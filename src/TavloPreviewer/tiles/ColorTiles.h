// The tiles of colours, colour ramps and colour aliases: each fills itself
// with its colour over the checkerboard and writes its text in the overlay
// colour that reads on it.
#pragma once

#include <memory>

#include "MerrinColorUtils/ColorFormat.h"
#include "TavloData/AppearanceType.h"
#include "TavloData/ProjectKinds.h"
#include "TavloPreviewer/ItemTile.h"
#include "hostkit/View.h"

namespace tavlo::previewer {

struct PreviewColorItemView {
  MerrinColorProjectItemPtr item;
  std::shared_ptr<MerrinColorItem> colorItem;
  mcu::ColorFormat colorFormat = mcu::ColorFormat::floatRGBA;
  double itemHeight = tileItemHeight;
  double cornerRadius = tileCornerRadius;
  ColorSource colorSource = ColorSource::light;
  hostkit::View body() const;
};

struct PreviewColorRampView {
  MerrinColorProjectItemPtr item;
  std::shared_ptr<MerrinColorSet> colorSet;
  mcu::ColorFormat colorFormat = mcu::ColorFormat::floatRGBA;
  double itemHeight = tileItemHeight;
  double cornerRadius = tileCornerRadius;
  ColorSource colorSource = ColorSource::light;
  hostkit::View body() const;
};

struct PreviewColorAliasView {
  MerrinColorProjectItemPtr item;
  std::shared_ptr<MerrinColorAlias> colorAlias;
  double itemHeight = tileItemHeight;
  double cornerRadius = tileCornerRadius;
  ColorSource colorSource = ColorSource::light;
  hostkit::View body() const;
};

}  // namespace tavlo::previewer
