// A document's preview as a drawing, for the commands that host the preview
// (`tavlo preview`, `tavlo thumbnail`): one request as the host's preview
// service makes it, then the controller's view laid out at a width.
#pragma once

#include <filesystem>
#include <memory>
#include <optional>

#include "TavloPreviewer/PreviewViewController.h"
#include "hostkit/PreviewController.h"
#include "hostkit/Renderer.h"

namespace tavlo::previewer {

// The width a preview is drawn at unless asked otherwise (points).
inline constexpr double defaultPreviewWidth = 1024;
// The preview is never shorter than this, as the window that would show it,
// so that the empty-document notice has room however short the grid is.
inline constexpr double minimumPreviewHeight = 240;

struct PreparedPreview {
  std::shared_ptr<PreviewViewController> controller;
  // Set when the file could not be read; nothing is shown then.
  std::optional<hostkit::PreviewError> error;
};

// Makes a controller and asks it for a preview of `file`.
PreparedPreview preparePreview(const std::filesystem::path& file);

// The controller's view at `width`: as tall as the whole grid, and at least `minimumHeight`.
hostkit::Drawing previewDrawing(PreviewViewController& controller, double width,
                                double minimumHeight = minimumPreviewHeight);

// How many tiles a thumbnail `pixels` wide shows along each side: the first
// tile alone below 128 pixels, so that its name stays readable; from there
// one more per 128 pixels, which keeps every tile about 110 pixels wide.
int thumbnailColumns(int pixels);

// A square of the first `columns` × `columns` tiles of the controller's grid,
// in the grid's order but without its headers, so that documents that share
// a first tile still look apart; with the grid's spacing and background.
// Fewer columns when there are fewer tiles, so that they fill the square. An
// empty document shows its notice in the middle of a one-tile square.
hostkit::Drawing thumbnailDrawing(PreviewViewController& controller, int columns);

// The drawing's top part, at most `maxHeight` tall: cut above the first
// header or tile that the limit would cut through, so the last row shown is
// whole. The drawing itself when it is no taller.
hostkit::Drawing cutDrawing(const hostkit::Drawing& drawing, double maxHeight);

}  // namespace tavlo::previewer
