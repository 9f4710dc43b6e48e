#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "MerrinColorUtils/platform/PlatformColor.h"
#include "hostkit/Font.h"
#include "hostkit/Geometry.h"
#include "hostkit/Shape.h"

// The declarative view tree. A `View` is an immutable value (a shared node);
// modifiers return new views wrapping the old one, so a subtree can be shared
// freely. `layout()` (Layout.h) sizes and places a tree; the renderer draws
// the result. Every node type is public so that tests can inspect a tree.

namespace hostkit {

enum class NodeKind {
  empty,
  text,
  stack,
  zstack,
  spacer,
  shape,
  image,
  placedGroup,
  deferred,
  padding,
  frame,
  layer,
  clip,
  offset,
  blur,
  opacity,
  environment,
};

struct ViewNode {
  explicit ViewNode(NodeKind k) : kind(k) {}
  virtual ~ViewNode() = default;
  NodeKind kind;
  // A free label for tests and diagnostics; the layout copies it to the placed node.
  std::string tag;
  // Set by View::layoutPriority on the node it wraps around a view.
  std::optional<double> layoutPriority;
};

class Text;
struct ImageResource;

class View {
 public:
  // An empty view: no size, draws nothing.
  View();
  explicit View(std::shared_ptr<const ViewNode> node);

  const std::shared_ptr<const ViewNode>& node() const { return node_; }
  NodeKind kind() const { return node_->kind; }
  template <typename T>
  const T* as() const {
    return dynamic_cast<const T*>(node_.get());
  }

  // Layout modifiers.
  View padding(const EdgeInsets& insets) const;
  View padding(double all = 8) const { return padding(EdgeInsets::all(all)); }
  // A fixed size in the given dimensions; the other dimension is the child's.
  View frame(std::optional<double> width, std::optional<double> height,
             Alignment alignment = Alignment::center()) const;
  // A flexible frame: the child's size clamped into [min, max] per dimension;
  // a max of infinity makes the frame take the whole proposal.
  struct FlexibleFrame {
    std::optional<double> minWidth, maxWidth, minHeight, maxHeight;
    Alignment alignment = Alignment::center();
  };
  View frame(const FlexibleFrame& f) const;

  // Layers of the same size as this view, drawn above or below it.
  View overlay(const View& layer, Alignment alignment = Alignment::center()) const;
  View background(const View& layer, Alignment alignment = Alignment::center()) const;
  View background(const mcu::PlatformColor& color) const;

  // Drawing modifiers; none of them changes the layout.
  View clipShape(const Shape& shape) const;
  View clipped() const { return clipShape(Shape::rectangle()); }
  View offset(double x, double y) const;
  // A Gaussian blur (approximated by three box passes) with the given radius in points.
  View blur(double radius) const;
  View opacity(double opacity) const;

  // Environment for the texts, shapes and symbols inside.
  View foregroundColor(const mcu::PlatformColor& color) const;
  View font(const Font& font) const;
  // At most `lines` lines (absent: no limit).
  View lineLimit(std::optional<int> lines) const;
  View truncationMode(TruncationMode mode) const;

  View tagged(std::string tag) const;

  // Within a stack that cannot give every child what it wants, children of a
  // higher priority are offered the room first, once the least that each
  // lower-priority child needs is held back; so those give way first. Among
  // equal priorities the least flexible are offered their share first. A
  // stack child's priority is the one set nearest its outside, looking
  // through modifiers; unset: 0.
  View layoutPriority(double priority) const;

 private:
  std::shared_ptr<const ViewNode> node_;
};

// ---------------------------------------------------------------- leaf views

// A piece of text: literal strings and inline symbols, concatenated with +.
struct TextSegment {
  enum class Kind { string, symbol };
  Kind kind = Kind::string;
  // The string, or the symbol's name.
  std::string content;
};

struct TextNode : ViewNode {
  TextNode() : ViewNode(NodeKind::text) {}
  std::vector<TextSegment> segments;
  // Overrides of the environment for this text only.
  std::optional<Font> font;
  std::optional<mcu::PlatformColor> color;
  std::optional<int> lineLimit;  // <= 0: no limit
  std::optional<TruncationMode> truncationMode;
  // The strings of every segment; each symbol reads as U+FFFC.
  std::string plainText() const;
};

class Text {
 public:
  explicit Text(std::string string);
  // A symbol from the toolkit's symbol set (Symbols.h), drawn in the text's colour.
  static Text symbol(std::string name);

  Text font(const Font& font) const;
  Text foregroundColor(const mcu::PlatformColor& color) const;
  Text lineLimit(std::optional<int> lines) const;
  Text truncationMode(TruncationMode mode) const;
  // The segments of both; styles of the left-hand text.
  friend Text operator+(const Text& a, const Text& b);

  const TextNode& node() const { return *node_; }
  View view() const { return View(node_); }
  operator View() const { return view(); }  // NOLINT: texts are views

 private:
  Text() = default;
  std::shared_ptr<TextNode> node_;
};

enum class ShapePaint { fill, stroke, strokeBorder };

struct ShapeNode : ViewNode {
  ShapeNode() : ViewNode(NodeKind::shape) {}
  Shape shape;
  ShapePaint paint = ShapePaint::fill;
  std::optional<mcu::PlatformColor> color;  // absent: the foreground colour
  StrokeStyle strokeStyle;
};

enum class ResizingMode { stretch, tile };

// A picture known by name: its natural size and the views that draw it
// (paths, colours) at that size. Pictures are drawn procedurally, never
// loaded from files.
struct ImageResource {
  std::string name;
  Size size;
  View content;
};

struct ImageNode : ViewNode {
  ImageNode() : ViewNode(NodeKind::image) {}
  std::shared_ptr<const ImageResource> resource;
  // A symbol (Symbols.h) instead of a resource: drawn in the foreground colour.
  std::string symbolName;
  bool resizable = false;
  ResizingMode resizingMode = ResizingMode::stretch;
};

class Image {
 public:
  explicit Image(std::shared_ptr<const ImageResource> resource);
  static Image systemName(std::string symbolName);
  // The image takes its proposal instead of its natural size; `tile` repeats
  // the picture at its natural size from the top-left corner.
  Image resizable(ResizingMode mode = ResizingMode::stretch) const;

  const ImageNode& node() const { return *node_; }
  View view() const { return View(node_); }
  operator View() const { return view(); }  // NOLINT: images are views

 private:
  Image() = default;
  std::shared_ptr<ImageNode> node_;
};

// A rectangle filled with one colour, taking its whole proposal.
View ColorView(const mcu::PlatformColor& color);
View EmptyView();

// ------------------------------------------------------------------- stacks

struct StackNode : ViewNode {
  StackNode() : ViewNode(NodeKind::stack) {}
  bool vertical = true;
  HorizontalAlignment horizontalAlignment = HorizontalAlignment::center;  // vertical stacks
  VerticalAlignment verticalAlignment = VerticalAlignment::center;        // horizontal stacks
  double spacing = 8;
  std::vector<View> children;
};

// The spacing of a stack made without one.
inline constexpr double defaultStackSpacing = 8;

View VStack(HorizontalAlignment alignment, std::optional<double> spacing, std::vector<View> children);
inline View VStack(std::vector<View> children) {
  return VStack(HorizontalAlignment::center, std::nullopt, std::move(children));
}
View HStack(VerticalAlignment alignment, std::optional<double> spacing, std::vector<View> children);
inline View HStack(std::vector<View> children) {
  return HStack(VerticalAlignment::center, std::nullopt, std::move(children));
}

// Children laid over each other, back to front; the stack is as large as the largest.
struct ZStackNode : ViewNode {
  ZStackNode() : ViewNode(NodeKind::zstack) {}
  Alignment alignment;
  std::vector<View> children;
};
View ZStack(Alignment alignment, std::vector<View> children);
inline View ZStack(std::vector<View> children) {
  return ZStack(Alignment::center(), std::move(children));
}

// Takes all the room its stack can give along the stack's axis (and nothing
// across it); outside a stack it takes nothing.
struct SpacerNode : ViewNode {
  SpacerNode() : ViewNode(NodeKind::spacer) {}
  double minLength = 0;
};
View Spacer(double minLength = 0);

// Children at fixed frames (relative to the group's origin) in a group of a fixed size.
struct Placement {
  Rect frame;
  View view;
};
struct PlacedGroupNode : ViewNode {
  PlacedGroupNode() : ViewNode(NodeKind::placedGroup) {}
  Size size;
  std::vector<Placement> children;
};
View PlacedGroup(Size size, std::vector<Placement> children);

// A view whose size and content are computed during layout: `measure` gives
// the size for a proposal, `build` the content for the final size. `build`
// receives the part of the view that will be drawn (in its own coordinates),
// or absent when everything is wanted, so that huge views make only what is
// visible.
struct DeferredNode : ViewNode {
  DeferredNode() : ViewNode(NodeKind::deferred) {}
  std::function<Size(ProposedSize)> measure;
  std::function<View(Size size, std::optional<Rect> visible)> build;
};
View Deferred(std::function<Size(ProposedSize)> measure,
              std::function<View(Size size, std::optional<Rect> visible)> build);

// ---------------------------------------------------------------- modifiers

struct PaddingNode : ViewNode {
  PaddingNode() : ViewNode(NodeKind::padding) {}
  EdgeInsets insets;
  View child;
};

struct FrameNode : ViewNode {
  FrameNode() : ViewNode(NodeKind::frame) {}
  // Fixed sizes win over the flexible bounds.
  std::optional<double> width, height;
  std::optional<double> minWidth, maxWidth, minHeight, maxHeight;
  Alignment alignment;
  View child;
};

// An overlay or a background: `layer` gets the size of `child`.
struct LayerNode : ViewNode {
  LayerNode() : ViewNode(NodeKind::layer) {}
  View child;
  View layer;
  Alignment alignment;
  bool behind = false;
};

struct ClipNode : ViewNode {
  ClipNode() : ViewNode(NodeKind::clip) {}
  Shape shape;
  View child;
};

struct OffsetNode : ViewNode {
  OffsetNode() : ViewNode(NodeKind::offset) {}
  double x = 0, y = 0;
  View child;
};

struct BlurNode : ViewNode {
  BlurNode() : ViewNode(NodeKind::blur) {}
  double radius = 0;
  View child;
};

struct OpacityNode : ViewNode {
  OpacityNode() : ViewNode(NodeKind::opacity) {}
  double opacity = 1;
  View child;
};

struct EnvironmentNode : ViewNode {
  EnvironmentNode() : ViewNode(NodeKind::environment) {}
  std::optional<mcu::PlatformColor> foregroundColor;
  std::optional<Font> font;
  std::optional<int> lineLimit;  // <= 0: no limit
  std::optional<TruncationMode> truncationMode;
  View child;
};

// The one child of a modifier node, or null for other nodes.
const View* modifiedChild(const ViewNode& node);

}  // namespace hostkit
