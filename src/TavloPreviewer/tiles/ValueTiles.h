// The tiles of numbers, booleans and texts and of their aliases: the value
// in large type on the toolkit's normal background.
#pragma once

#include <memory>

#include "TavloData/AppearanceType.h"
#include "TavloData/ProjectKinds.h"
#include "TavloPreviewer/ItemTile.h"
#include "hostkit/View.h"

namespace tavlo::previewer {

struct PreviewNumberItemView {
  MerrinColorProjectItemPtr item;
  std::shared_ptr<MerrinColorNumber> numberItem;
  double itemHeight = tileItemHeight;
  double cornerRadius = tileCornerRadius;
  ColorSource colorSource = ColorSource::light;
  hostkit::View body() const;
};

struct PreviewNumberAliasView {
  MerrinColorProjectItemPtr item;
  std::shared_ptr<MerrinColorNumberAlias> numberAlias;
  double itemHeight = tileItemHeight;
  double cornerRadius = tileCornerRadius;
  ColorSource colorSource = ColorSource::light;
  hostkit::View body() const;
};

struct PreviewBooleanItemView {
  MerrinColorProjectItemPtr item;
  std::shared_ptr<MerrinColorBoolean> booleanItem;
  double itemHeight = tileItemHeight;
  double cornerRadius = tileCornerRadius;
  ColorSource colorSource = ColorSource::light;
  hostkit::View body() const;
};

struct PreviewBooleanAliasView {
  MerrinColorProjectItemPtr item;
  std::shared_ptr<MerrinColorBooleanAlias> booleanAlias;
  double itemHeight = tileItemHeight;
  double cornerRadius = tileCornerRadius;
  ColorSource colorSource = ColorSource::light;
  hostkit::View body() const;
};

struct PreviewStringItemView {
  MerrinColorProjectItemPtr item;
  std::shared_ptr<MerrinColorString> stringItem;
  double itemHeight = tileItemHeight;
  double cornerRadius = tileCornerRadius;
  ColorSource colorSource = ColorSource::light;
  hostkit::View body() const;
};

struct PreviewStringAliasView {
  MerrinColorProjectItemPtr item;
  std::shared_ptr<MerrinColorStringAlias> stringAlias;
  double itemHeight = tileItemHeight;
  double cornerRadius = tileCornerRadius;
  // Kept for the pointer; the drawing never reads it.
  bool isHovered = false;
  ColorSource colorSource = ColorSource::light;
  hostkit::View body() const;
};

}  // namespace tavlo::previewer
