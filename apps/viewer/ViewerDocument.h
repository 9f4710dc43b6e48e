// The document a viewer window shows, without the window: reading and
// re-reading the file, the grid prepared once per width, what lies under a
// point, and the texts a tile offers (its tooltip, its colour to copy).
#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "MerrinColorUtils/platform/PlatformColor.h"
#include "TavloData/AppearanceType.h"
#include "TavloData/ProjectKinds.h"
#include "TavloPreviewer/ItemGridSection.h"
#include "TavloPreviewer/LeftAlignedFlowLayout.h"
#include "TavloPreviewer/PreviewViewController.h"
#include "hostkit/Appearance.h"
#include "hostkit/Renderer.h"

namespace tavlo::viewer {

class ViewerDocument {
 public:
  explicit ViewerDocument(std::filesystem::path file);

  const std::filesystem::path& file() const { return file_; }

  // Reads the file again and rebuilds the grid. On failure the reason is
  // kept in `error()` and no grid is shown until a later read succeeds.
  bool reload();
  const std::optional<std::string>& error() const { return error_; }
  bool isShowingGrid() const { return project_ != nullptr; }
  // Read, with no top-level items: the grid carries the empty-document notice.
  bool isEmpty() const;

  // The look of the page (named colours resolve for it when the grid is built).
  void setAppearance(hostkit::Appearance appearance);
  // The appearance variant every tile shows.
  void setVariant(ColorSource variant);
  ColorSource variant() const { return variant_; }

  // The grid's height at `width`; the layout is prepared once per width.
  double contentHeight(double width);
  // Draws the part of the grid at `width` inside `visible` (grid coordinates);
  // the page is at least `minimumHeight` tall, so that the empty-document
  // notice sits in the middle of the window.
  void draw(cairo_t* cr, double width, double minimumHeight, const hostkit::Rect& visible);

  // The item whose tile lies under `point` of the grid at `width`.
  MerrinColorProjectItemPtr itemAt(const hostkit::Point& point, double width);

 private:
  std::filesystem::path file_;
  std::shared_ptr<previewer::PreviewViewController> controller_;
  std::shared_ptr<MerrinColorProject> project_;
  std::vector<previewer::ItemGridSection> sections_;
  std::optional<std::string> error_;
  ColorSource variant_ = ColorSource::light;
  hostkit::View root_;
  // The width root_ was last measured at, and its grid's height there.
  std::optional<double> measuredWidth_;
  double gridHeight_ = 0;
  // The grid's own flow layout, asked what lies under a point.
  std::shared_ptr<previewer::LeftAlignedFlowLayout> hitLayout_;
  std::optional<double> hitWidth_;

  void rebuild();
};

// The tooltip of an item's tile: its full name, then each variant it stores
// as text, one per line.
std::string tileDescription(const MerrinColorProjectItem& item);

// The colour a tile shows in `variant`: a colour's, or what a colour alias
// resolves to; absent for every other kind.
std::optional<mcu::PlatformColor> tileColor(const MerrinColorProjectItem& item, ColorSource variant);

}  // namespace tavlo::viewer
