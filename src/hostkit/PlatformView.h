#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "MerrinColorUtils/platform/PlatformColor.h"
#include "hostkit/Font.h"
#include "hostkit/Geometry.h"
#include "hostkit/View.h"

// The imperative side of the toolkit: views with subviews and edge
// constraints, view controllers, and the hosting view that shows a
// declarative tree. A hierarchy is drawn by turning it into one declarative
// tree (`body()`), which the layout pass sizes and places.

namespace hostkit {

class PlatformView : public std::enable_shared_from_this<PlatformView> {
 public:
  PlatformView() = default;
  PlatformView(const PlatformView&) = delete;
  PlatformView& operator=(const PlatformView&) = delete;
  virtual ~PlatformView() = default;

  // The frame in the superview; used for views without edge constraints.
  Rect frame;
  std::optional<mcu::PlatformColor> backgroundColor;
  // Edge constraints are ignored while this is true, as the host does.
  bool translatesAutoresizingMaskIntoConstraints = true;

  const std::vector<std::shared_ptr<PlatformView>>& subviews() const { return subviews_; }
  std::shared_ptr<PlatformView> superview() const { return superview_.lock(); }
  void addSubview(std::shared_ptr<PlatformView> view);
  void removeFromSuperview();

  // Pins the four edges of this view to those of `target` (its superview),
  // inset by `insets`, replacing earlier edge constraints.
  struct EdgeConstraints {
    std::weak_ptr<PlatformView> target;
    EdgeInsets insets;
  };
  void activateEdgeConstraints(const std::shared_ptr<PlatformView>& target, const EdgeInsets& insets);
  const std::optional<EdgeConstraints>& edgeConstraints() const { return edgeConstraints_; }
  // True when this view's edges follow `target`.
  bool isPinnedTo(const PlatformView& target) const;

  // What the view itself draws, under its subviews. Plain containers draw nothing.
  virtual View content() const { return EmptyView(); }

  // The view and its subviews as one declarative tree: the background, the
  // content, then each subview: pinned ones filling this view minus their
  // insets, the others at their frames.
  View body() const;

 private:
  std::vector<std::shared_ptr<PlatformView>> subviews_;
  std::weak_ptr<PlatformView> superview_;
  std::optional<EdgeConstraints> edgeConstraints_;
};

// A view that renders a declarative tree; its root view can be replaced.
class HostingView : public PlatformView {
 public:
  explicit HostingView(View rootView) : rootView_(std::move(rootView)) {}
  const View& rootView() const { return rootView_; }
  void setRootView(View rootView) { rootView_ = std::move(rootView); }
  View content() const override { return rootView_; }

 private:
  View rootView_;
};

// A one-line (or few-line) text label.
class TextLabel : public PlatformView {
 public:
  std::string stringValue;
  Font font = Font::body();
  std::optional<mcu::PlatformColor> textColor;
  TruncationMode truncationMode = TruncationMode::tail;
  int maximumNumberOfLines = 1;  // 0: no limit
  // Room between the label's text and its frame.
  EdgeInsets insets;
  View content() const override;
};

class ViewController : public std::enable_shared_from_this<ViewController> {
 public:
  virtual ~ViewController() = default;

  // The interface resource the root view comes from. Every interface
  // resource of this toolkit is a plain container view.
  virtual std::string nibName() const { return {}; }

  // The root view, loaded (and `viewDidLoad` called) on first use.
  std::shared_ptr<PlatformView> view();
  bool isViewLoaded() const { return view_ != nullptr; }

 protected:
  // Makes the root view; the default makes a plain container. Overrides set it with `setView`.
  virtual void loadView();
  virtual void viewDidLoad() {}
  void setView(std::shared_ptr<PlatformView> view) { view_ = std::move(view); }

 private:
  std::shared_ptr<PlatformView> view_;
};

// A declarative view showing a controller's root view; the view keeps the
// controller alive.
View representedViewController(std::shared_ptr<ViewController> controller);

}  // namespace hostkit
