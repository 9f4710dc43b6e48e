#include "hostkit/Layout.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <numeric>
#include <tuple>

#include "hostkit/Appearance.h"
#include "hostkit/TextEngine.h"

namespace hostkit {

namespace {

// What a node inherits from the nodes above it.
struct Environment {
  Font font = Font::body();
  mcu::PlatformColor foreground;
  int lineLimit = 0;
  TruncationMode truncationMode = TruncationMode::tail;
  // Stable per (parent environment, environment node), so that sizes of the
  // same subtree in the same environment can be cached.
  std::uint64_t id = 0;
};

// Sizes stay finite except where a proposal of infinity asks for the
// largest size (flexibility probing); frames are always finite.
double finiteLength(double v) {
  return sanitized(v, 0, maxCoordinate);
}

double alignedOffset(HorizontalAlignment a, double free) {
  switch (a) {
    case HorizontalAlignment::leading:
      return 0;
    case HorizontalAlignment::center:
      return free / 2;
    case HorizontalAlignment::trailing:
      return free;
  }
  return 0;
}

double alignedOffset(VerticalAlignment a, double free) {
  switch (a) {
    case VerticalAlignment::top:
      return 0;
    case VerticalAlignment::center:
      return free / 2;
    case VerticalAlignment::bottom:
      return free;
  }
  return 0;
}

Rect aligned(const Rect& container, Size size, Alignment alignment) {
  size = {finiteLength(size.width), finiteLength(size.height)};
  return {container.x + alignedOffset(alignment.horizontal, container.width - size.width),
          container.y + alignedOffset(alignment.vertical, container.height - size.height), size.width,
          size.height};
}

std::optional<double> shrink(std::optional<double> v, double by) {
  if (!v) return v;
  if (std::isinf(*v)) return v;
  return std::max(0.0, *v - by);
}

class Engine {
 public:
  explicit Engine(std::optional<Rect> visible) : visible_(visible) {
    root_.foreground = currentAppearance() == Appearance::dark ? mcu::PlatformColor::sRGBWhite()
                                                               : mcu::PlatformColor::sRGBBlack();
  }

  const Environment& rootEnvironment() const { return root_; }

  Size size(const View& view, const Environment& env, ProposedSize p) {
    const ViewNode* node = view.node().get();
    const auto key = std::make_tuple(node, env.id, p.width, p.height);
    if (auto it = sizes_.find(key); it != sizes_.end()) return it->second;
    Size s = computeSize(*node, env, p);
    if (std::isnan(s.width)) s.width = 0;
    if (std::isnan(s.height)) s.height = 0;
    sizes_.emplace(key, s);
    // Caches are keyed by node address; views made during layout (deferred
    // content) must not be freed and their addresses reused while it runs.
    keepAlive_.push_back(view.node());
    return s;
  }

  LayoutNode place(const View& view, const Environment& env, Rect frame) {
    frame = {sanitized(frame.x), sanitized(frame.y), finiteLength(frame.width), finiteLength(frame.height)};
    LayoutNode out;
    out.view = view.node();
    out.frame = frame;
    const ViewNode& node = *view.node();
    switch (node.kind) {
      case NodeKind::empty:
      case NodeKind::spacer:
        break;
      case NodeKind::text: {
        const auto& t = static_cast<const TextNode&>(node);
        out.text = resolveText(t, env, frame.width, frame.height);
        break;
      }
      case NodeKind::shape: {
        const auto& s = static_cast<const ShapeNode&>(node);
        out.color = s.color.value_or(env.foreground);
        break;
      }
      case NodeKind::image:
        out.color = env.foreground;
        break;
      case NodeKind::stack:
        placeStack(static_cast<const StackNode&>(node), env, frame, out);
        break;
      case NodeKind::zstack: {
        const auto& z = static_cast<const ZStackNode&>(node);
        for (const View& child : z.children)
          out.children.push_back(
              place(child, env, aligned(frame, size(child, env, {frame.width, frame.height}), z.alignment)));
        break;
      }
      case NodeKind::placedGroup: {
        const auto& g = static_cast<const PlacedGroupNode&>(node);
        for (const Placement& c : g.children) {
          const Rect f = c.frame.offsetBy(frame.x, frame.y);
          if (!isVisible(f)) continue;
          out.children.push_back(place(c.view, env, f));
        }
        break;
      }
      case NodeKind::deferred: {
        const auto& d = static_cast<const DeferredNode&>(node);
        if (!d.build) break;
        std::optional<Rect> local;
        if (visible_) local = visible_->offsetBy(-frame.x, -frame.y).insetBy(-cullMargin, -cullMargin);
        out.children.push_back(place(d.build(frame.size(), local), env, frame));
        break;
      }
      case NodeKind::padding: {
        const auto& pad = static_cast<const PaddingNode&>(node);
        const EdgeInsets& i = pad.insets;
        out.children.push_back(
            place(pad.child, env,
                  {frame.x + i.leading, frame.y + i.top, std::max(0.0, frame.width - i.leading - i.trailing),
                   std::max(0.0, frame.height - i.top - i.bottom)}));
        break;
      }
      case NodeKind::frame: {
        const auto& f = static_cast<const FrameNode&>(node);
        const ProposedSize inner = frameProposal(f, {frame.width, frame.height});
        out.children.push_back(place(f.child, env, aligned(frame, size(f.child, env, inner), f.alignment)));
        break;
      }
      case NodeKind::layer: {
        const auto& l = static_cast<const LayerNode&>(node);
        LayoutNode child = place(l.child, env, frame);
        LayoutNode layer =
            place(l.layer, env, aligned(frame, size(l.layer, env, {frame.width, frame.height}), l.alignment));
        // Children are kept in drawing order.
        if (l.behind) {
          out.children.push_back(std::move(layer));
          out.children.push_back(std::move(child));
        } else {
          out.children.push_back(std::move(child));
          out.children.push_back(std::move(layer));
        }
        break;
      }
      case NodeKind::environment: {
        const auto& e = static_cast<const EnvironmentNode&>(node);
        out.children.push_back(place(e.child, derive(env, e), frame));
        break;
      }
      case NodeKind::clip:
      case NodeKind::offset:
      case NodeKind::blur:
      case NodeKind::opacity:
        out.children.push_back(place(*modifiedChild(node), env, frame));
        break;
    }
    return out;
  }

  Environment derive(const Environment& env, const EnvironmentNode& e) {
    Environment d = env;
    if (e.foregroundColor) d.foreground = *e.foregroundColor;
    if (e.font) d.font = *e.font;
    if (e.lineLimit) d.lineLimit = std::max(0, *e.lineLimit);
    if (e.truncationMode) d.truncationMode = *e.truncationMode;
    auto [it, inserted] = envIds_.try_emplace({env.id, &e}, envIds_.size() + 1);
    d.id = it->second;
    return d;
  }

 private:
  // Subtrees this close to the visible rectangle are still made: their
  // shadows and blurs may reach into it.
  static constexpr double cullMargin = 256;

  bool isVisible(const Rect& r) const {
    if (!visible_) return true;
    return r.insetBy(-cullMargin, -cullMargin).intersects(*visible_);
  }

  Size computeSize(const ViewNode& node, const Environment& env, ProposedSize p) {
    switch (node.kind) {
      case NodeKind::empty:
      case NodeKind::spacer:
        return {};
      case NodeKind::text: {
        const auto& t = static_cast<const TextNode&>(node);
        std::optional<double> width = p.width;
        if (width && std::isinf(*width)) width.reset();
        const detail::TextMeasurement& m = measure(t, env, width);
        // Offered less height than its lines need, a text keeps the lines
        // that fit (resolveText shortens it to them), so that it gives way
        // to its neighbours in a stack rather than running out of its frame.
        if (p.height && std::isfinite(*p.height) && m.size.height > *p.height) {
          const int lines = detail::linesWithin(m, *p.height);
          return {m.size.width, std::ceil(m.lineBottoms[static_cast<std::size_t>(lines - 1)])};
        }
        return m.size;
      }
      case NodeKind::shape:
        return {p.width.value_or(10), p.height.value_or(10)};
      case NodeKind::image: {
        const auto& i = static_cast<const ImageNode&>(node);
        Size natural;
        if (i.resource)
          natural = i.resource->size;
        else
          natural = {std::ceil(env.font.size * 1.1), std::ceil(env.font.size)};
        if (!i.resizable) return natural;
        return {p.width.value_or(natural.width), p.height.value_or(natural.height)};
      }
      case NodeKind::stack: {
        const auto& s = static_cast<const StackNode&>(node);
        const auto sizes = stackChildSizes(s, env, p);
        return stackSize(s, sizes);
      }
      case NodeKind::zstack: {
        const auto& z = static_cast<const ZStackNode&>(node);
        Size out;
        for (const View& c : z.children) {
          const Size cs = size(c, env, p);
          out.width = std::max(out.width, cs.width);
          out.height = std::max(out.height, cs.height);
        }
        return out;
      }
      case NodeKind::placedGroup:
        return static_cast<const PlacedGroupNode&>(node).size;
      case NodeKind::deferred: {
        const auto& d = static_cast<const DeferredNode&>(node);
        if (!d.measure) return {};
        const Size s = d.measure(p);
        return {finiteLength(s.width), finiteLength(s.height)};
      }
      case NodeKind::padding: {
        const auto& pad = static_cast<const PaddingNode&>(node);
        const EdgeInsets& i = pad.insets;
        const double h = i.leading + i.trailing, v = i.top + i.bottom;
        const Size cs = size(pad.child, env, {shrink(p.width, h), shrink(p.height, v)});
        return {std::max(0.0, cs.width + h), std::max(0.0, cs.height + v)};
      }
      case NodeKind::frame: {
        const auto& f = static_cast<const FrameNode&>(node);
        const Size cs = size(f.child, env, frameProposal(f, p));
        return {frameDimension(f.width, f.minWidth, f.maxWidth, p.width, cs.width),
                frameDimension(f.height, f.minHeight, f.maxHeight, p.height, cs.height)};
      }
      case NodeKind::layer:
        return size(static_cast<const LayerNode&>(node).child, env, p);
      case NodeKind::environment: {
        const auto& e = static_cast<const EnvironmentNode&>(node);
        return size(e.child, derive(env, e), p);
      }
      case NodeKind::clip:
      case NodeKind::offset:
      case NodeKind::blur:
      case NodeKind::opacity:
        return size(*modifiedChild(node), env, p);
    }
    return {};
  }

  static ProposedSize frameProposal(const FrameNode& f, ProposedSize p) {
    auto one = [](std::optional<double> fixed, std::optional<double> lo, std::optional<double> hi,
                  std::optional<double> proposed) -> std::optional<double> {
      if (fixed) return fixed;
      if (!proposed) return proposed;
      double v = *proposed;
      if (hi) v = std::min(v, *hi);
      if (lo) v = std::max(v, *lo);
      return v;
    };
    return {one(f.width, f.minWidth, f.maxWidth, p.width), one(f.height, f.minHeight, f.maxHeight, p.height)};
  }

  // A flexible frame takes the proposal, clamped between its bounds; a bound
  // it lacks is the child's own size.
  static double frameDimension(std::optional<double> fixed, std::optional<double> lo,
                               std::optional<double> hi, std::optional<double> proposed, double child) {
    if (fixed) return *fixed;
    if (!lo && !hi) return child;
    const double target = proposed.value_or(child);
    const double lower = lo ? *lo : std::min(*hi, child);
    const double upper = hi ? std::max(*hi, lower) : std::max(*lo, child);
    return std::clamp(target, lower, upper);
  }

  // ------------------------------------------------------------------ stacks

  struct StackEntry {
    std::size_t index;
    Size size;
  };

  static bool isSpacer(const View& v) { return v.kind() == NodeKind::spacer; }

  // The priority set nearest the outside of a stack child, through its modifiers.
  static double layoutPriorityOf(const View& v) {
    for (const ViewNode* n = v.node().get(); n;) {
      if (n->layoutPriority) return *n->layoutPriority;
      const View* child = modifiedChild(*n);
      n = child ? child->node().get() : nullptr;
    }
    return 0;
  }

  // Sizes of a stack's children for a proposal: the children of the highest
  // layout priority are offered the room first, less what the others need at
  // least; among equals the least flexible are offered their share first, and
  // whatever they leave is shared among the rest, spacers last.
  std::vector<Size> stackChildSizes(const StackNode& s, const Environment& env, ProposedSize p) {
    const bool vertical = s.vertical;
    std::vector<std::size_t> shown;
    for (std::size_t i = 0; i < s.children.size(); ++i)
      if (s.children[i].kind() != NodeKind::empty) shown.push_back(i);
    std::vector<Size> sizes(s.children.size());
    if (shown.empty()) return sizes;

    const std::optional<double> cross = vertical ? p.width : p.height;
    const std::optional<double> along = vertical ? p.height : p.width;
    auto propose = [&](std::optional<double> a) {
      return vertical ? ProposedSize{cross, a} : ProposedSize{a, cross};
    };
    auto alongOf = [&](Size sz) { return vertical ? sz.height : sz.width; };
    auto spacerSize = [&](const View& v, double a) {
      const double minLength = static_cast<const SpacerNode&>(*v.node()).minLength;
      const double len = std::max(minLength, a);
      return vertical ? Size{0, len} : Size{len, 0};
    };

    if (!along) {
      // Ideal size: every child at its own ideal, spacers at their minimum.
      for (std::size_t i : shown)
        sizes[i] =
            isSpacer(s.children[i]) ? spacerSize(s.children[i], 0) : size(s.children[i], env, propose({}));
      return sizes;
    }

    struct Flex {
      std::size_t index;
      double priority;
      double minimum;
      double flexibility;
    };
    std::vector<Flex> order;
    for (std::size_t i : shown) {
      const View& c = s.children[i];
      if (isSpacer(c)) {
        order.push_back({i, -HUGE_VAL, 0, HUGE_VAL});
        continue;
      }
      const double lo = alongOf(size(c, env, propose(0.0)));
      const double hi = alongOf(size(c, env, propose(HUGE_VAL)));
      order.push_back({i, layoutPriorityOf(c), lo, hi - lo});
    }
    std::stable_sort(order.begin(), order.end(), [](const Flex& a, const Flex& b) {
      if (a.priority != b.priority) return a.priority > b.priority;
      return a.flexibility < b.flexibility;
    });

    // Spacers only take what the other children leave: they are offered
    // their share after everyone else, and their minimum is held back first.
    double remaining = *along - s.spacing * static_cast<double>(shown.size() - 1);
    std::size_t others = 0;
    for (const Flex& f : order) {
      if (isSpacer(s.children[f.index]))
        remaining -= static_cast<const SpacerNode&>(*s.children[f.index].node()).minLength;
      else
        ++others;
    }
    // What the children from each position on need at least; summed from the
    // end, so that nothing is held back once the lowest priority's turn comes.
    std::vector<double> neededFrom(others + 1, 0.0);
    for (std::size_t k = others; k-- > 0;) neededFrom[k] = neededFrom[k + 1] + order[k].minimum;
    for (std::size_t at = 0; at < others;) {
      std::size_t end = at;
      while (end < others && order[end].priority == order[at].priority) ++end;
      // Children of one priority share what the lower ones can spare, the
      // least flexible first.
      for (std::size_t k = at; k < end; ++k) {
        const Flex& f = order[k];
        const double share = std::isinf(remaining)
                                 ? remaining
                                 : std::max(0.0, (remaining - neededFrom[end]) / double(end - k));
        sizes[f.index] = size(s.children[f.index], env, propose(share));
        if (!std::isinf(remaining)) remaining -= alongOf(sizes[f.index]);
      }
      at = end;
    }
    std::size_t spacers = order.size() - others;
    for (const Flex& f : order) {
      const View& c = s.children[f.index];
      if (!isSpacer(c)) continue;
      const double minLength = static_cast<const SpacerNode&>(*c.node()).minLength;
      if (!std::isinf(remaining)) remaining += minLength;
      const double share = std::isinf(remaining) ? remaining : std::max(0.0, remaining / double(spacers));
      sizes[f.index] = spacerSize(c, share);
      if (!std::isinf(remaining)) remaining -= alongOf(sizes[f.index]);
      --spacers;
    }
    return sizes;
  }

  Size stackSize(const StackNode& s, const std::vector<Size>& sizes) const {
    double along = 0, cross = 0;
    int shown = 0;
    for (std::size_t i = 0; i < s.children.size(); ++i) {
      if (s.children[i].kind() == NodeKind::empty) continue;
      ++shown;
      along += s.vertical ? sizes[i].height : sizes[i].width;
      cross = std::max(cross, s.vertical ? sizes[i].width : sizes[i].height);
    }
    if (shown > 1) along += s.spacing * (shown - 1);
    return s.vertical ? Size{cross, along} : Size{along, cross};
  }

  void placeStack(const StackNode& s, const Environment& env, const Rect& frame, LayoutNode& out) {
    const auto sizes = stackChildSizes(s, env, {frame.width, frame.height});
    double cursor = s.vertical ? frame.y : frame.x;
    bool first = true;
    for (std::size_t i = 0; i < s.children.size(); ++i) {
      const View& c = s.children[i];
      if (c.kind() == NodeKind::empty) continue;
      if (!first) cursor += s.spacing;
      first = false;
      const Size cs{finiteLength(sizes[i].width), finiteLength(sizes[i].height)};
      Rect f;
      if (s.vertical)
        f = {frame.x + alignedOffset(s.horizontalAlignment, frame.width - cs.width), cursor, cs.width,
             cs.height};
      else
        f = {cursor, frame.y + alignedOffset(s.verticalAlignment, frame.height - cs.height), cs.width,
             cs.height};
      cursor += s.vertical ? cs.height : cs.width;
      out.children.push_back(place(c, env, f));
    }
  }

  // ------------------------------------------------------------------- texts

  struct TextInputs {
    std::string text;
    std::vector<std::string> symbols;
    Font font;
    int lineLimit;
    TruncationMode mode;
  };

  TextInputs inputs(const TextNode& t, const Environment& env) const {
    TextInputs in;
    // Only the bytes the cap can keep are gathered, so a text of megabytes is
    // not copied for every measurement.
    const std::size_t keep = std::size_t{detail::maxTextCharacters} * 4 + 4;
    for (const auto& seg : t.segments) {
      if (in.text.size() > keep) break;
      if (seg.kind == TextSegment::Kind::symbol) {
        in.text += "\xEF\xBF\xBC";
        in.symbols.push_back(seg.content);
      } else {
        // U+FFFC marks symbols, so a literal one in a string would steal one.
        std::string clean = seg.content.substr(0, keep);
        for (std::size_t at; (at = clean.find("\xEF\xBF\xBC")) != std::string::npos;)
          clean.replace(at, 3, "\xEF\xBF\xBD");
        in.text += clean;
      }
    }
    in.text = detail::cappedText(in.text);
    // The cap may cut trailing symbols off.
    std::size_t marks = 0;
    for (std::size_t at = in.text.find("\xEF\xBF\xBC"); at != std::string::npos;
         at = in.text.find("\xEF\xBF\xBC", at + 3))
      ++marks;
    in.symbols.resize(std::min(marks, in.symbols.size()));
    in.font = t.font.value_or(env.font);
    in.lineLimit = std::max(0, t.lineLimit.value_or(env.lineLimit));
    in.mode = t.truncationMode.value_or(env.truncationMode);
    return in;
  }

  const detail::TextMeasurement& measure(const TextNode& t, const Environment& env,
                                         std::optional<double> width) {
    const auto key = std::make_tuple(static_cast<const ViewNode*>(&t), env.id, width);
    if (auto it = texts_.find(key); it != texts_.end()) return it->second;
    const TextInputs in = inputs(t, env);
    return texts_
        .emplace(key, detail::measureText(in.text, in.symbols, in.font, in.lineLimit, in.mode, width))
        .first->second;
  }

  ResolvedText resolveText(const TextNode& t, const Environment& env, double width, double height) {
    const TextInputs in = inputs(t, env);
    // Measured at the width and height the text was given, which are the
    // ones it chose for itself, so the lines come out as they were measured.
    detail::TextMeasurement m =
        detail::measureText(in.text, in.symbols, in.font, in.lineLimit, in.mode, width + 0.5);
    if (m.size.height > height + 0.5)
      m = detail::measureText(in.text, in.symbols, in.font, detail::linesWithin(m, height + 0.5), in.mode,
                              width + 0.5);
    ResolvedText r;
    r.text = in.text;
    r.displayedText = m.displayed;
    r.font = in.font;
    r.color = t.color.value_or(env.foreground);
    r.lineLimit = in.lineLimit;
    r.truncationMode = in.mode;
    r.isTruncated = m.truncated;
    r.lineCount = m.lineCount;
    r.symbols = m.symbols;
    return r;
  }

  std::optional<Rect> visible_;
  Environment root_;
  std::map<std::tuple<const ViewNode*, std::uint64_t, std::optional<double>, std::optional<double>>, Size>
      sizes_;
  std::map<std::tuple<const ViewNode*, std::uint64_t, std::optional<double>>, detail::TextMeasurement> texts_;
  std::map<std::pair<std::uint64_t, const ViewNode*>, std::uint64_t> envIds_;
  std::vector<std::shared_ptr<const ViewNode>> keepAlive_;
};

void collect(const LayoutNode& node, const std::function<bool(const LayoutNode&)>& match,
             std::vector<const LayoutNode*>& out, bool firstOnly) {
  // Iterative, so that deep trees cannot exhaust the stack.
  std::vector<const LayoutNode*> stack{&node};
  while (!stack.empty()) {
    const LayoutNode* n = stack.back();
    stack.pop_back();
    if (match(*n)) {
      out.push_back(n);
      if (firstOnly) return;
    }
    for (auto it = n->children.rbegin(); it != n->children.rend(); ++it) stack.push_back(&*it);
  }
}

}  // namespace

const LayoutNode* LayoutNode::find(const std::function<bool(const LayoutNode&)>& match) const {
  std::vector<const LayoutNode*> out;
  collect(*this, match, out, true);
  return out.empty() ? nullptr : out.front();
}

std::vector<const LayoutNode*> LayoutNode::findAll(
    const std::function<bool(const LayoutNode&)>& match) const {
  std::vector<const LayoutNode*> out;
  collect(*this, match, out, false);
  return out;
}

const LayoutNode* LayoutNode::findText(std::string_view substring) const {
  return find(
      [&](const LayoutNode& n) { return n.text && n.text->text.find(substring) != std::string::npos; });
}

const LayoutNode* LayoutNode::findTag(std::string_view tag) const {
  return find([&](const LayoutNode& n) { return n.tag() == tag; });
}

std::vector<std::string> LayoutNode::texts() const {
  std::vector<std::string> out;
  for (const LayoutNode* n : findAll([](const LayoutNode& n) { return n.text.has_value(); }))
    out.push_back(n->text->text);
  return out;
}

Size sizeThatFits(const View& view, ProposedSize proposal) {
  Engine engine(std::nullopt);
  const Size s = engine.size(view, engine.rootEnvironment(), proposal);
  return {finiteLength(s.width), finiteLength(s.height)};
}

LayoutNode layout(const View& view, ProposedSize proposal, const LayoutOptions& options) {
  Engine engine(options.visibleRect);
  const Size s = engine.size(view, engine.rootEnvironment(), proposal);
  return engine.place(view, engine.rootEnvironment(),
                      {options.origin.x, options.origin.y, s.width, s.height});
}

LayoutNode layoutIn(const View& view, const Rect& bounds, const std::optional<Rect>& visibleRect) {
  Engine engine(visibleRect);
  return engine.place(view, engine.rootEnvironment(), bounds);
}

}  // namespace hostkit
