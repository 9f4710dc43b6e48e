// The grid's cells and supplementary views.
#pragma once

#include <memory>
#include <optional>

#include "hostkit/PlatformView.h"
#include "hostkit/View.h"

namespace tavlo::previewer {

// A cell: a plain container whose hosting view shows the tile.
class CollectionWrapperItem : public hostkit::ViewController {
 public:
  std::optional<hostkit::View> hostedContent;
  std::shared_ptr<hostkit::HostingView> hostingView;

  // Shows `hostedContent`: in the existing hosting view when there is one
  // (a reused cell), otherwise in a new one pinned to the cell's edges.
  void updateHostedView();

 protected:
  void viewDidLoad() override { updateHostedView(); }
};

// A section's header line: the group's name in one truncated line.
class CollectionHeaderItem : public hostkit::PlatformView {
 public:
  static constexpr double titleFontSize = 18;
  static constexpr double titleMargin = 8;

  static std::shared_ptr<CollectionHeaderItem> make();
  const std::shared_ptr<hostkit::TextLabel>& headerTitle() const { return headerTitle_; }
  void setTitle(std::string title) { headerTitle_->stringValue = std::move(title); }

 private:
  std::shared_ptr<hostkit::TextLabel> headerTitle_;
};

// The section footer: nothing.
class EmptyFooterView : public hostkit::PlatformView {};

// Marks where a drop would land; registered for the grid's gap indicators,
// which the preview never shows since it accepts no drops.
class DropIndicatorView : public hostkit::PlatformView {
 public:
  DropIndicatorView();
};

// `view` with `owner` kept alive for as long as the view tree holds it.
hostkit::View retaining(const hostkit::View& view, std::shared_ptr<const void> owner);

}  // namespace tavlo::previewer
