#include "TavloPreviewer/GridViews.h"

#include "Orvik/Orvik.h"
#include "TavloPreviewer/PreviewResources.h"
#include "hostkit/Font.h"

namespace tavlo::previewer {

void CollectionWrapperItem::updateHostedView() {
  if (!hostedContent) return;
  // Loading the view comes back here through viewDidLoad; it goes first, so
  // that the cell gets one hosting view and its tile is drawn once.
  auto container = view();
  if (hostingView) {
    hostingView->setRootView(*hostedContent);
    return;
  }
  auto hosting = std::make_shared<hostkit::HostingView>(*hostedContent);
  container->addSubview(hosting);
  orvik::anchorToAllSidesOf(*hosting, container, {});
  hostingView = std::move(hosting);
}

std::shared_ptr<CollectionHeaderItem> CollectionHeaderItem::make() {
  auto header = std::make_shared<CollectionHeaderItem>();
  auto label = std::make_shared<hostkit::TextLabel>();
  label->font = hostkit::Font::system(titleFontSize, hostkit::FontWeight::medium);
  label->textColor = orvik::color(orvik::grey85);
  label->truncationMode = hostkit::TruncationMode::tail;
  label->maximumNumberOfLines = 1;
  header->addSubview(label);
  // Leading 8; the top, bottom and trailing margins are "at most 8" in the
  // header's constraints, which a label pinned 8 points inside satisfies.
  orvik::anchorToAllSidesOf(*label, header, hostkit::EdgeInsets::all(titleMargin));
  header->headerTitle_ = std::move(label);
  return header;
}

DropIndicatorView::DropIndicatorView() {
  backgroundColor = previewColor(accentColor);
}

namespace {

// An environment that changes nothing; it only owns something.
struct RetainingNode : hostkit::EnvironmentNode {
  std::shared_ptr<const void> owner;
};

}  // namespace

hostkit::View retaining(const hostkit::View& view, std::shared_ptr<const void> owner) {
  auto node = std::make_shared<RetainingNode>();
  node->child = view;
  node->owner = std::move(owner);
  return hostkit::View(std::move(node));
}

}  // namespace tavlo::previewer
