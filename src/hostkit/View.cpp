#include "hostkit/View.h"

#include <cmath>

#include "hostkit/Appearance.h"

namespace hostkit {

namespace {

const std::shared_ptr<const ViewNode>& emptyNode() {
  static const std::shared_ptr<const ViewNode> node = std::make_shared<ViewNode>(NodeKind::empty);
  return node;
}

// Sizes from documents may be NaN or huge; a frame never is.
std::optional<double> cleanLength(std::optional<double> v) {
  if (!v) return std::nullopt;
  if (std::isnan(*v)) return 0.0;
  return std::clamp(*v, 0.0, maxCoordinate);
}

// Maxima may legitimately be infinite ("as large as offered").
std::optional<double> cleanMax(std::optional<double> v) {
  if (!v) return std::nullopt;
  if (std::isnan(*v)) return 0.0;
  if (std::isinf(*v) && *v > 0) return HUGE_VAL;
  return std::clamp(*v, 0.0, maxCoordinate);
}

template <typename Node>
std::shared_ptr<Node> wrap(const View& child) {
  auto node = std::make_shared<Node>();
  node->child = child;
  return node;
}

}  // namespace

View::View() : node_(emptyNode()) {}
View::View(std::shared_ptr<const ViewNode> node) : node_(node ? std::move(node) : emptyNode()) {}

View View::padding(const EdgeInsets& insets) const {
  auto node = wrap<PaddingNode>(*this);
  node->insets = {sanitized(insets.top), sanitized(insets.leading), sanitized(insets.bottom),
                  sanitized(insets.trailing)};
  return View(node);
}

View View::frame(std::optional<double> width, std::optional<double> height, Alignment alignment) const {
  auto node = wrap<FrameNode>(*this);
  node->width = cleanLength(width);
  node->height = cleanLength(height);
  node->alignment = alignment;
  return View(node);
}

View View::frame(const FlexibleFrame& f) const {
  auto node = wrap<FrameNode>(*this);
  node->minWidth = cleanLength(f.minWidth);
  node->maxWidth = cleanMax(f.maxWidth);
  node->minHeight = cleanLength(f.minHeight);
  node->maxHeight = cleanMax(f.maxHeight);
  node->alignment = f.alignment;
  return View(node);
}

View View::overlay(const View& layer, Alignment alignment) const {
  auto node = wrap<LayerNode>(*this);
  node->layer = layer;
  node->alignment = alignment;
  return View(node);
}

View View::background(const View& layer, Alignment alignment) const {
  auto node = wrap<LayerNode>(*this);
  node->layer = layer;
  node->alignment = alignment;
  node->behind = true;
  return View(node);
}

View View::background(const mcu::PlatformColor& color) const {
  return background(ColorView(color));
}

View View::clipShape(const Shape& shape) const {
  auto node = wrap<ClipNode>(*this);
  node->shape = shape;
  return View(node);
}

View View::offset(double x, double y) const {
  auto node = wrap<OffsetNode>(*this);
  node->x = sanitized(x);
  node->y = sanitized(y);
  return View(node);
}

View View::blur(double radius) const {
  auto node = wrap<BlurNode>(*this);
  node->radius = sanitized(radius, 0, maxCoordinate);
  return View(node);
}

View View::opacity(double opacity) const {
  auto node = wrap<OpacityNode>(*this);
  node->opacity = sanitized(opacity, 0, 1);
  return View(node);
}

View View::foregroundColor(const mcu::PlatformColor& color) const {
  auto node = wrap<EnvironmentNode>(*this);
  node->foregroundColor = color;
  return View(node);
}

View View::font(const Font& font) const {
  auto node = wrap<EnvironmentNode>(*this);
  node->font = font;
  return View(node);
}

View View::lineLimit(std::optional<int> lines) const {
  auto node = wrap<EnvironmentNode>(*this);
  node->lineLimit = lines.value_or(0);
  return View(node);
}

View View::truncationMode(TruncationMode mode) const {
  auto node = wrap<EnvironmentNode>(*this);
  node->truncationMode = mode;
  return View(node);
}

View View::tagged(std::string tag) const {
  // Tags label a node; wrapping keeps shared subtrees unlabelled elsewhere.
  auto node = std::make_shared<EnvironmentNode>();
  node->child = *this;
  node->tag = std::move(tag);
  return View(node);
}

View View::layoutPriority(double priority) const {
  auto node = std::make_shared<EnvironmentNode>();
  node->child = *this;
  node->layoutPriority = sanitized(priority);
  return View(node);
}

// ------------------------------------------------------------------ texts

std::string TextNode::plainText() const {
  std::string out;
  for (const auto& s : segments) out += s.kind == TextSegment::Kind::symbol ? "\xEF\xBF\xBC" : s.content;
  return out;
}

Text::Text(std::string string) : node_(std::make_shared<TextNode>()) {
  node_->segments.push_back({TextSegment::Kind::string, std::move(string)});
}

Text Text::symbol(std::string name) {
  Text t;
  t.node_ = std::make_shared<TextNode>();
  t.node_->segments.push_back({TextSegment::Kind::symbol, std::move(name)});
  return t;
}

Text Text::font(const Font& font) const {
  Text t;
  t.node_ = std::make_shared<TextNode>(*node_);
  t.node_->font = font;
  return t;
}

Text Text::foregroundColor(const mcu::PlatformColor& color) const {
  Text t;
  t.node_ = std::make_shared<TextNode>(*node_);
  t.node_->color = color;
  return t;
}

Text Text::lineLimit(std::optional<int> lines) const {
  Text t;
  t.node_ = std::make_shared<TextNode>(*node_);
  t.node_->lineLimit = lines.value_or(0);
  return t;
}

Text Text::truncationMode(TruncationMode mode) const {
  Text t;
  t.node_ = std::make_shared<TextNode>(*node_);
  t.node_->truncationMode = mode;
  return t;
}

Text operator+(const Text& a, const Text& b) {
  Text t;
  t.node_ = std::make_shared<TextNode>(*a.node_);
  for (const auto& s : b.node_->segments) t.node_->segments.push_back(s);
  return t;
}

// ----------------------------------------------------------------- images

Image::Image(std::shared_ptr<const ImageResource> resource) : node_(std::make_shared<ImageNode>()) {
  node_->resource = std::move(resource);
}

Image Image::systemName(std::string symbolName) {
  Image i;
  i.node_ = std::make_shared<ImageNode>();
  i.node_->symbolName = std::move(symbolName);
  return i;
}

Image Image::resizable(ResizingMode mode) const {
  Image i;
  i.node_ = std::make_shared<ImageNode>(*node_);
  i.node_->resizable = true;
  i.node_->resizingMode = mode;
  return i;
}

View ColorView(const mcu::PlatformColor& color) {
  return Shape::rectangle().fill(color);
}
View EmptyView() {
  return View();
}

// ------------------------------------------------------------ containers

View VStack(HorizontalAlignment alignment, std::optional<double> spacing, std::vector<View> children) {
  auto node = std::make_shared<StackNode>();
  node->vertical = true;
  node->horizontalAlignment = alignment;
  node->spacing = sanitized(spacing.value_or(defaultStackSpacing));
  node->children = std::move(children);
  return View(node);
}

View HStack(VerticalAlignment alignment, std::optional<double> spacing, std::vector<View> children) {
  auto node = std::make_shared<StackNode>();
  node->vertical = false;
  node->verticalAlignment = alignment;
  node->spacing = sanitized(spacing.value_or(defaultStackSpacing));
  node->children = std::move(children);
  return View(node);
}

View ZStack(Alignment alignment, std::vector<View> children) {
  auto node = std::make_shared<ZStackNode>();
  node->alignment = alignment;
  node->children = std::move(children);
  return View(node);
}

View Spacer(double minLength) {
  auto node = std::make_shared<SpacerNode>();
  node->minLength = sanitized(minLength, 0, maxCoordinate);
  return View(node);
}

View PlacedGroup(Size size, std::vector<Placement> children) {
  auto node = std::make_shared<PlacedGroupNode>();
  node->size = {sanitized(size.width, 0, maxCoordinate), sanitized(size.height, 0, maxCoordinate)};
  for (auto& p : children) {
    p.frame = {sanitized(p.frame.x), sanitized(p.frame.y), sanitized(p.frame.width, 0, maxCoordinate),
               sanitized(p.frame.height, 0, maxCoordinate)};
  }
  node->children = std::move(children);
  return View(node);
}

View Deferred(std::function<Size(ProposedSize)> measure,
              std::function<View(Size size, std::optional<Rect> visible)> build) {
  auto node = std::make_shared<DeferredNode>();
  node->measure = std::move(measure);
  node->build = std::move(build);
  return View(node);
}

const View* modifiedChild(const ViewNode& node) {
  switch (node.kind) {
    case NodeKind::padding:
      return &static_cast<const PaddingNode&>(node).child;
    case NodeKind::frame:
      return &static_cast<const FrameNode&>(node).child;
    case NodeKind::layer:
      return &static_cast<const LayerNode&>(node).child;
    case NodeKind::clip:
      return &static_cast<const ClipNode&>(node).child;
    case NodeKind::offset:
      return &static_cast<const OffsetNode&>(node).child;
    case NodeKind::blur:
      return &static_cast<const BlurNode&>(node).child;
    case NodeKind::opacity:
      return &static_cast<const OpacityNode&>(node).child;
    case NodeKind::environment:
      return &static_cast<const EnvironmentNode&>(node).child;
    default:
      return nullptr;
  }
}

}  // namespace hostkit
