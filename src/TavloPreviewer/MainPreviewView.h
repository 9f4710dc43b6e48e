// The preview's declarative views: the grid of sections, with a notice laid
// over it when the document has no items.
#pragma once

#include <memory>
#include <string_view>

#include "MerrinColorUtils/platform/PlatformColor.h"
#include "TavloPreviewer/MainPreviewViewModel.h"
#include "hostkit/View.h"

namespace tavlo::previewer {

// The notice's text, also its translation key in the "tavlo" text domain.
inline constexpr std::string_view emptyDocumentMessage = "Empty Tavlo file";
// The notice's tag in a laid-out preview.
inline constexpr std::string_view emptyDocumentTag = "EmptyDocumentView";

struct EmptyDocumentView {
  static constexpr double padding = 16;
  static constexpr double cornerRadius = 8;

  mcu::PlatformColor backgroundColor;

  hostkit::View body() const;
};

struct MainPreviewView {
  std::shared_ptr<MainPreviewViewModel> model;

  // Evaluated afresh each time: new sections, a new grid delegate.
  hostkit::View body() const;
  // The body, owning the model, as the root of a hosting view.
  hostkit::View view() const;
};

}  // namespace tavlo::previewer
