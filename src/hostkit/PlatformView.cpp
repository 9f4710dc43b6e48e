#include "hostkit/PlatformView.h"

#include <algorithm>

namespace hostkit {

namespace {

// An environment node that changes nothing but keeps an object alive for as
// long as the view tree holds it.
struct RetainingNode : EnvironmentNode {
  std::shared_ptr<const void> retained;
};

}  // namespace

void PlatformView::addSubview(std::shared_ptr<PlatformView> view) {
  if (!view || view.get() == this) return;
  view->removeFromSuperview();
  view->superview_ = weak_from_this();
  subviews_.push_back(std::move(view));
}

void PlatformView::removeFromSuperview() {
  auto parent = superview_.lock();
  superview_.reset();
  if (!parent) return;
  std::erase_if(parent->subviews_, [this](const auto& v) { return v.get() == this; });
}

void PlatformView::activateEdgeConstraints(const std::shared_ptr<PlatformView>& target,
                                           const EdgeInsets& insets) {
  edgeConstraints_ = EdgeConstraints{target, insets};
}

bool PlatformView::isPinnedTo(const PlatformView& target) const {
  if (translatesAutoresizingMaskIntoConstraints || !edgeConstraints_) return false;
  return edgeConstraints_->target.lock().get() == &target;
}

View PlatformView::body() const {
  std::vector<View> layers{content()};
  for (const auto& sub : subviews_) {
    if (sub->isPinnedTo(*this)) {
      const EdgeInsets& i = sub->edgeConstraints()->insets;
      layers.push_back(sub->body()
                           .frame(View::FlexibleFrame{std::nullopt, HUGE_VAL, std::nullopt, HUGE_VAL,
                                                      Alignment::topLeading()})
                           .padding(i));
    } else {
      const Rect& f = sub->frame;
      layers.push_back(sub->body().frame(f.width, f.height, Alignment::topLeading()).offset(f.x, f.y));
    }
  }
  View v = ZStack(Alignment::topLeading(), std::move(layers));
  if (backgroundColor) v = v.background(*backgroundColor);
  return v;
}

View TextLabel::content() const {
  Text text = Text(stringValue).font(font).truncationMode(truncationMode);
  text = text.lineLimit(maximumNumberOfLines > 0 ? std::optional<int>(maximumNumberOfLines) : std::nullopt);
  if (textColor) text = text.foregroundColor(*textColor);
  return text.view().padding(insets);
}

std::shared_ptr<PlatformView> ViewController::view() {
  if (!view_) {
    loadView();
    if (!view_) view_ = std::make_shared<PlatformView>();
    viewDidLoad();
  }
  return view_;
}

void ViewController::loadView() {
  view_ = std::make_shared<PlatformView>();
}

View representedViewController(std::shared_ptr<ViewController> controller) {
  if (!controller) return EmptyView();
  auto node = std::make_shared<RetainingNode>();
  node->child = controller->view()->body();
  node->retained = std::move(controller);
  return View(node);
}

}  // namespace hostkit
