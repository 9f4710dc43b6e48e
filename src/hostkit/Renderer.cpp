#include "hostkit/Renderer.h"

#include <cairo-pdf.h>
#include <cairo-svg.h>
#include <cairo.h>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <map>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "hostkit/Symbols.h"
#include "hostkit/TextEngine.h"

namespace hostkit {

namespace {

// Tall SVGs are laid out and drawn in bands of this height, each laid out
// this much further down (points).
constexpr double svgBandHeight = 8192;
constexpr double svgBandReach = 2048;

// Drawing surfaces larger than this many pixels are not made for a blur; the
// blurred subtree is drawn sharp instead.
constexpr double maxBlurPixels = 16.0e6;
// Blur radii beyond this look the same as a flat wash and cost a lot.
constexpr double maxBlurRadius = 64;

struct Rgba {
  double r, g, b, a;
};

double unit(double v) {
  return std::isnan(v) ? 0 : std::clamp(v, 0.0, 1.0);
}

// The colour's components in the output space, through the platform colour's
// own conversion (which clips into non-extended spaces).
Rgba outputComponents(const mcu::PlatformColor& color, OutputSpace space) {
  const mcu::PlatformColorSpace target = space == OutputSpace::displayP3
                                             ? mcu::PlatformColorSpace::displayP3()
                                             : mcu::PlatformColorSpace::sRGB();
  std::optional<mcu::PlatformColor> converted = color.colorUsingColorSpace(target);
  if (!converted) return {0, 0, 0, unit(color.alphaComponent())};
  return {unit(converted->redComponent()), unit(converted->greenComponent()),
          unit(converted->blueComponent()), unit(converted->alphaComponent())};
}

// Cairo keeps device coordinates in 24.8 fixed point, which wraps beyond
// about ±8.3 million. Points are brought into a safe device range first; only
// geometry far outside any surface is moved by this.
constexpr double maxDeviceCoordinate = 4.0e6;

Point safePoint(cairo_t* cr, Point p) {
  double x = p.x, y = p.y;
  cairo_user_to_device(cr, &x, &y);
  x = std::clamp(x, -maxDeviceCoordinate, maxDeviceCoordinate);
  y = std::clamp(y, -maxDeviceCoordinate, maxDeviceCoordinate);
  cairo_device_to_user(cr, &x, &y);
  return {x, y};
}

void appendPath(cairo_t* cr, const Path& path) {
  cairo_new_path(cr);
  for (const auto& e : path.elements()) {
    Point p[3];
    for (int i = 0; i < 3; ++i) {
      if (!std::isfinite(e.points[i].x) || !std::isfinite(e.points[i].y)) {
        cairo_new_path(cr);
        return;
      }
      p[i] = e.verb == Path::Verb::close ? Point{} : safePoint(cr, e.points[i]);
    }
    switch (e.verb) {
      case Path::Verb::move:
        cairo_move_to(cr, p[0].x, p[0].y);
        break;
      case Path::Verb::line:
        cairo_line_to(cr, p[0].x, p[0].y);
        break;
      case Path::Verb::cubic:
        cairo_curve_to(cr, p[0].x, p[0].y, p[1].x, p[1].y, p[2].x, p[2].y);
        break;
      case Path::Verb::close:
        cairo_close_path(cr);
        break;
    }
  }
  cairo_set_fill_rule(
      cr, path.fillRule == FillRule::evenOdd ? CAIRO_FILL_RULE_EVEN_ODD : CAIRO_FILL_RULE_WINDING);
}

void appendRect(cairo_t* cr, const Rect& r) {
  Path p;
  p.addRect(r);
  appendPath(cr, p);
}

bool finiteRect(const Rect& r) {
  return std::isfinite(r.x) && std::isfinite(r.y) && std::isfinite(r.width) && std::isfinite(r.height) &&
         r.width >= 0 && r.height >= 0;
}

// Three box blurs in a row approximate a Gaussian of standard deviation
// sigma. The box widths come from matching the variance of n boxes,
// n (w² − 1) / 12, to σ²: the two odd widths around the ideal one, used m
// and n − m times.
std::array<int, 3> boxRadii(double sigma) {
  constexpr int n = 3;
  const double ideal = std::sqrt(12 * sigma * sigma / n + 1);
  int lower = static_cast<int>(std::floor(ideal));
  if (lower % 2 == 0) --lower;
  lower = std::max(lower, 1);
  const int upper = lower + 2;
  const double mIdeal =
      (12 * sigma * sigma - n * lower * lower - 4.0 * n * lower - 3.0 * n) / (-4.0 * lower - 4);
  const int m = static_cast<int>(std::lround(mIdeal));
  std::array<int, 3> radii{};
  for (int i = 0; i < n; ++i) radii[i] = ((i < m ? lower : upper) - 1) / 2;
  return radii;
}

// One box pass over premultiplied ARGB words along rows (or columns), with
// transparent pixels beyond the edges.
void boxPass(uint32_t* pixels, int width, int height, int strideWords, int radius, bool horizontal,
             std::vector<uint32_t>& line) {
  if (radius <= 0) return;
  const int lines = horizontal ? height : width;
  const int length = horizontal ? width : height;
  const int window = 2 * radius + 1;
  line.resize(static_cast<std::size_t>(length));
  for (int l = 0; l < lines; ++l) {
    auto at = [&](int i) -> uint32_t& {
      return horizontal ? pixels[static_cast<std::size_t>(l) * strideWords + i]
                        : pixels[static_cast<std::size_t>(i) * strideWords + l];
    };
    for (int i = 0; i < length; ++i) line[i] = at(i);
    uint32_t sum[4] = {0, 0, 0, 0};
    auto add = [&](uint32_t px, int sign) {
      for (int c = 0; c < 4; ++c) sum[c] += static_cast<uint32_t>(sign) * ((px >> (8 * c)) & 0xFF);
    };
    for (int i = 0; i <= std::min(radius, length - 1); ++i) add(line[i], 1);
    for (int i = 0; i < length; ++i) {
      uint32_t out = 0;
      for (int c = 0; c < 4; ++c) out |= ((sum[c] + window / 2) / window) << (8 * c);
      at(i) = out;
      const int enter = i + radius + 1;
      const int leave = i - radius;
      if (enter < length) add(line[enter], 1);
      if (leave >= 0) add(line[leave], -1);
    }
  }
}

void gaussianBlur(cairo_surface_t* surface, double sigma) {
  cairo_surface_flush(surface);
  auto* data = reinterpret_cast<uint32_t*>(cairo_image_surface_get_data(surface));
  if (!data) return;
  const int width = cairo_image_surface_get_width(surface);
  const int height = cairo_image_surface_get_height(surface);
  const int stride = cairo_image_surface_get_stride(surface) / 4;
  std::vector<uint32_t> line;
  for (int r : boxRadii(sigma)) {
    boxPass(data, width, height, stride, r, true, line);
    boxPass(data, width, height, stride, r, false, line);
  }
  cairo_surface_mark_dirty(surface);
}

void applyStrokeStyle(cairo_t* cr, const StrokeStyle& st, double lineWidth) {
  cairo_set_line_width(cr, lineWidth);
  cairo_set_line_cap(cr, st.lineCap == LineCap::butt    ? CAIRO_LINE_CAP_BUTT
                         : st.lineCap == LineCap::round ? CAIRO_LINE_CAP_ROUND
                                                        : CAIRO_LINE_CAP_SQUARE);
  cairo_set_line_join(cr, st.lineJoin == LineJoin::miter   ? CAIRO_LINE_JOIN_MITER
                          : st.lineJoin == LineJoin::round ? CAIRO_LINE_JOIN_ROUND
                                                           : CAIRO_LINE_JOIN_BEVEL);
  cairo_set_miter_limit(cr, sanitized(st.miterLimit, 1, 1000));
}

// Drawing that repeats through a vector file, held in it once and referred
// to wherever it is drawn. A grid's tiles all have the same rounded
// outline: written out for each tile, its curves are most of the file; and
// many tiles show the same captions.
//
// A filled outline becomes a glyph of an outline font of the file's own:
// the file holds the glyph's outline once, and a tile names the glyph, its
// place and its colour. A stroked outline (a border), whose outline as a
// fill would only approximate the stroke, is recorded once per size, line
// and colour and placed at each tile. A text shown again with the same look
// is recorded, and the recording placed again. Raster output never comes
// here.
class SharedDrawing {
 public:
  SharedDrawing() : face_(cairo_user_font_face_create()), options_(cairo_font_options_create()) {
    auto* glyphs = new Glyphs;
    if (cairo_font_face_set_user_data(face_, &glyphsKey, glyphs, [](void* g) {
          delete static_cast<Glyphs*>(g);
        }) != CAIRO_STATUS_SUCCESS)
      delete glyphs;
    cairo_user_font_face_set_init_func(face_, initFont);
    cairo_user_font_face_set_render_glyph_func(face_, renderGlyph);
    // Glyph outlines and places exactly as given, never fitted to pixels.
    cairo_font_options_set_hint_style(options_, CAIRO_HINT_STYLE_NONE);
    cairo_font_options_set_hint_metrics(options_, CAIRO_HINT_METRICS_OFF);
  }
  // The file may still ask for glyph outlines while it is finished: the
  // outlines belong to the font, which lives as long as anything uses it.
  ~SharedDrawing() {
    cairo_font_options_destroy(options_);
    cairo_font_face_destroy(face_);
  }
  SharedDrawing(const SharedDrawing&) = delete;
  SharedDrawing& operator=(const SharedDrawing&) = delete;

  // Fills the shape's outline in `frame` with the current source. False,
  // having drawn nothing, when the outline is not one that is shared.
  bool fill(cairo_t* cr, const Shape& shape, const Rect& frame) {
    const std::optional<Key> key = keyFor(cr, shape, frame);
    if (!key) return false;
    auto* glyphs = static_cast<Glyphs*>(cairo_font_face_get_user_data(face_, &glyphsKey));
    if (!glyphs || cairo_font_face_status(face_) != CAIRO_STATUS_SUCCESS) return false;
    auto [at, added] = glyphIndex_.try_emplace(*key, glyphs->outlines.size());
    if (added) glyphs->outlines.push_back(shape.path({0, 0, frame.width, frame.height}));
    cairo_save(cr);
    cairo_set_font_face(cr, face_);
    cairo_matrix_t em;
    cairo_matrix_init_scale(&em, maxSide, maxSide);
    cairo_set_font_matrix(cr, &em);
    cairo_set_font_options(cr, options_);
    const cairo_glyph_t glyph{at->second, frame.x, frame.y};
    cairo_show_glyphs(cr, &glyph, 1);
    cairo_restore(cr);
    return true;
  }

  struct TextKey {
    std::string text;
    std::vector<std::string> symbols;
    double size;
    FontWeight weight;
    double width;
    std::array<double, 4> color;
    auto operator<=>(const TextKey&) const = default;
  };

  // Shows the layout of the text `key` with its top-left corner at `at`. The
  // first time a text is seen it is left to the caller (false), to be drawn
  // in place: most texts are shown once, and a recording of one costs more
  // than the text.
  bool showText(cairo_t* cr, TextKey key, PangoLayout* layout, Point at) {
    if (!movedOnly(cr, at)) return false;
    const std::array<double, 4> color = key.color;
    auto [entry, added] = texts_.try_emplace(std::move(key));
    if (added) return false;
    Recording& r = entry->second;
    if (!r.surface) {
      PangoRectangle ink, logical;
      pango_layout_get_pixel_extents(layout, &ink, &logical);
      constexpr int margin = 2;
      const int left = std::min({0, ink.x, logical.x}) - margin;
      const int top = std::min({0, ink.y, logical.y}) - margin;
      const int right = std::max(ink.x + ink.width, logical.x + logical.width) + margin;
      const int bottom = std::max(ink.y + ink.height, logical.y + logical.height) + margin;
      const int reach = std::max(-left, -top);
      const cairo_rectangle_t extents{0, 0, static_cast<double>(right + reach),
                                      static_cast<double>(bottom + reach)};
      cairo_surface_t* recording = cairo_recording_surface_create(CAIRO_CONTENT_COLOR_ALPHA, &extents);
      cairo_t* rcr = cairo_create(recording);
      cairo_set_source_rgba(rcr, color[0], color[1], color[2], color[3]);
      cairo_move_to(rcr, reach, reach);
      pango_cairo_show_layout(rcr, layout);
      const cairo_status_t status = cairo_status(rcr);
      cairo_destroy(rcr);
      if (status != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(recording);
        texts_.erase(entry);
        return false;
      }
      r = {Surface(recording, finishAndDestroy), static_cast<double>(reach)};
    }
    place(cr, r, at);
    return true;
  }

  // Strokes the shape's outline in `frame` in `color`; false, having drawn
  // nothing, when the outline is not one that is shared.
  bool stroke(cairo_t* cr, const Shape& shape, const Rect& frame, const StrokeStyle& style, double lineWidth,
              const Rgba& color) {
    const std::optional<Key> outline = keyFor(cr, shape, frame);
    if (!outline) return false;
    const StrokeKey key{*outline,       lineWidth,        style.lineCap,
                        style.lineJoin, style.miterLimit, {color.r, color.g, color.b, color.a}};
    auto at = strokes_.find(key);
    if (at == strokes_.end()) {
      // The recording starts at its own origin (one that starts elsewhere is
      // misplaced in SVG), with room for the line around the frame; miter
      // joins reach furthest, half the line times the miter limit.
      const double reach = std::ceil(lineWidth / 2 * std::max(1.0, style.miterLimit) + lineWidth +
                                     std::max(0.0, -shape.insetAmount()) + 1);
      const Path path = shape.path({reach, reach, frame.width, frame.height});
      const cairo_rectangle_t extents{0, 0, frame.width + 2 * reach, frame.height + 2 * reach};
      cairo_surface_t* recording = cairo_recording_surface_create(CAIRO_CONTENT_COLOR_ALPHA, &extents);
      cairo_t* rcr = cairo_create(recording);
      cairo_set_source_rgba(rcr, color.r, color.g, color.b, color.a);
      appendPath(rcr, path);
      applyStrokeStyle(rcr, style, lineWidth);
      cairo_stroke(rcr);
      const cairo_status_t status = cairo_status(rcr);
      cairo_destroy(rcr);
      if (status != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(recording);
        return false;
      }
      at = strokes_.emplace(key, Recording{Surface(recording, finishAndDestroy), reach}).first;
    }
    place(cr, at->second, {frame.x, frame.y});
    return true;
  }

 private:
  struct Glyphs {
    std::vector<Path> outlines;  // by glyph index
  };
  static inline cairo_user_data_key_t glyphsKey;

  struct Key {
    Shape::Kind kind;
    double radius;
    RoundedCornerStyle corners;
    double inset, width, height;
    auto operator<=>(const Key&) const = default;
  };
  struct StrokeKey {
    Key outline;
    double lineWidth;
    LineCap cap;
    LineJoin join;
    double miterLimit;
    std::array<double, 4> color;
    auto operator<=>(const StrokeKey&) const = default;
  };

  // The sides beyond which an outline is drawn as it is, and the font's
  // size: every glyph fits in its em. Cairo leaves out glyphs whose origin
  // lies more than ten ems outside the clip, so the em must be as large as
  // the largest glyph. A power of two keeps outlines exact when scaled into
  // ems and back.
  static constexpr double maxSide = 2048;

  // Shared outlines are those made of curves, where writing them out costs
  // most: a plain rectangle is as short as a reference to it, and a
  // custom outline cannot be told apart from another. Only moved, never
  // scaled or turned, user space is taken, far from the coordinate limits.
  static std::optional<Key> keyFor(cairo_t* cr, const Shape& shape, const Rect& frame) {
    const Shape::Kind kind = shape.kind();
    if (kind == Shape::Kind::rectangle || kind == Shape::Kind::custom) return std::nullopt;
    if (!(frame.width > 0 && frame.height > 0 && frame.width <= maxSide && frame.height <= maxSide))
      return std::nullopt;
    if (!movedOnly(cr, {frame.x, frame.y})) return std::nullopt;
    const bool rounded = kind == Shape::Kind::roundedRectangle;
    return Key{kind,
               rounded ? shape.cornerRadius() : 0,
               rounded ? shape.cornerStyle() : RoundedCornerStyle{},
               shape.insetAmount(),
               frame.width,
               frame.height};
  }

  // Whether user space is only moved, never scaled or turned, and `at` lies
  // far from the coordinate limits.
  static bool movedOnly(cairo_t* cr, Point at) {
    cairo_matrix_t m;
    cairo_get_matrix(cr, &m);
    if (m.xx != 1 || m.yy != 1 || m.xy != 0 || m.yx != 0) return false;
    cairo_user_to_device(cr, &at.x, &at.y);
    return std::abs(at.x) < maxDeviceCoordinate / 2 && std::abs(at.y) < maxDeviceCoordinate / 2;
  }

  // Room for every glyph around its origin, in ems: what is drawn with the
  // font is taken to reach this far, and is not clipped short of it.
  static cairo_status_t initFont(cairo_scaled_font_t*, cairo_t*, cairo_font_extents_t* extents) {
    extents->ascent = extents->height = extents->max_x_advance = 2;
    extents->descent = extents->max_y_advance = 0;
    return CAIRO_STATUS_SUCCESS;
  }

  static cairo_status_t renderGlyph(cairo_scaled_font_t* font, unsigned long glyph, cairo_t* cr,
                                    cairo_text_extents_t*) {
    const auto* glyphs = static_cast<const Glyphs*>(
        cairo_font_face_get_user_data(cairo_scaled_font_get_font_face(font), &glyphsKey));
    if (!glyphs || glyph >= glyphs->outlines.size()) return CAIRO_STATUS_USER_FONT_ERROR;
    cairo_scale(cr, 1 / maxSide, 1 / maxSide);
    appendPath(cr, glyphs->outlines[glyph]);
    cairo_fill(cr);
    return CAIRO_STATUS_SUCCESS;
  }

  using Surface = std::unique_ptr<cairo_surface_t, void (*)(cairo_surface_t*)>;
  // Destroyed only once the file is finished and gone, when nothing draws
  // from a recording any more. Cairo's vector surfaces keep a reference to
  // each recording they drew from that they never give back, so every
  // reference left is released here.
  static void finishAndDestroy(cairo_surface_t* recording) {
    cairo_surface_finish(recording);
    while (cairo_surface_get_reference_count(recording) > 1) cairo_surface_destroy(recording);
    cairo_surface_destroy(recording);
  }
  // What is recorded starts at the recording's own origin (a recording that
  // starts elsewhere is misplaced in SVG), `reach` above and left of where
  // it is placed.
  struct Recording {
    Surface surface{nullptr, cairo_surface_destroy};
    double reach = 0;
  };

  static void place(cairo_t* cr, const Recording& r, Point at) {
    cairo_save(cr);
    cairo_translate(cr, at.x - r.reach, at.y - r.reach);
    cairo_set_source_surface(cr, r.surface.get(), 0, 0);
    cairo_paint(cr);
    cairo_restore(cr);
  }

  cairo_font_face_t* face_;
  cairo_font_options_t* options_;
  std::map<Key, unsigned long> glyphIndex_;
  std::map<StrokeKey, Recording> strokes_;
  std::map<TextKey, Recording> texts_;
};

class Painter {
 public:
  // `shared`: where outlines and texts that repeat are kept for a vector
  // file, which then holds each once; none draws everything where it is.
  Painter(cairo_t* cr, OutputSpace space, SharedDrawing* shared = nullptr)
      : cr_(cr), space_(space), context_(detail::newContext()), shared_(shared) {
    detail::installSymbolRenderer(context_);
  }
  ~Painter() { g_object_unref(context_); }
  Painter(const Painter&) = delete;
  Painter& operator=(const Painter&) = delete;

  // The part of a tall drawing whose leaves and effect groups start in
  // [top, bottom) (the first band also takes what starts above it, the last
  // what starts below it), from a layout of the band and what follows it:
  // one document drawn band by band, never laid out whole.
  void drawStartingIn(const LayoutNode& node, double top, double bottom, bool first, bool last) {
    if (!finiteRect(node.frame)) return;
    const bool unit = isLeaf(node) || node.kind() == NodeKind::clip || node.kind() == NodeKind::offset ||
                      node.kind() == NodeKind::opacity || node.kind() == NodeKind::blur;
    if (!unit) {
      for (std::size_t i = firstSeen(node); i < node.children.size(); ++i)
        drawStartingIn(node.children[i], top, bottom, first, last);
      return;
    }
    const double y = node.frame.y;
    if ((first || y >= top) && (last || y < bottom)) draw(node);
  }

  void draw(const LayoutNode& node) {
    if (!finiteRect(node.frame) || cairo_status(cr_) != CAIRO_STATUS_SUCCESS) return;
    if (isLeaf(node) && !intersectsClip(node.frame)) return;
    switch (node.kind()) {
      case NodeKind::shape:
        drawShape(node);
        break;
      case NodeKind::text:
        drawText(node);
        break;
      case NodeKind::image:
        drawImage(node);
        break;
      case NodeKind::clip: {
        const auto& clip = static_cast<const ClipNode&>(*node.view);
        const PendingClip pending{clip.shape, node.frame, clip.shape.path(node.frame)};
        for (const auto& c : node.children) drawWithin(c, pending);
        break;
      }
      case NodeKind::offset: {
        const auto& o = static_cast<const OffsetNode&>(*node.view);
        cairo_save(cr_);
        cairo_translate(cr_, sanitized(o.x, -1e5, 1e5), sanitized(o.y, -1e5, 1e5));
        drawChildren(node);
        cairo_restore(cr_);
        break;
      }
      case NodeKind::opacity: {
        const double a = unit(static_cast<const OpacityNode&>(*node.view).opacity);
        if (a <= 0) break;
        cairo_push_group(cr_);
        drawChildren(node);
        cairo_pop_group_to_source(cr_);
        cairo_paint_with_alpha(cr_, a);
        break;
      }
      case NodeKind::blur:
        drawBlurred(node, sanitized(static_cast<const BlurNode&>(*node.view).radius, 0, maxBlurRadius));
        break;
      default:
        drawChildren(node);
        break;
    }
  }

 private:
  static bool isLeaf(const LayoutNode& node) {
    return node.kind() == NodeKind::shape || node.kind() == NodeKind::text || node.kind() == NodeKind::image;
  }

  // Leaves outside the clip draw nothing; skipping them also keeps far-away
  // coordinates away from Cairo.
  bool intersectsClip(const Rect& frame) {
    double x0, y0, x1, y1;
    cairo_clip_extents(cr_, &x0, &y0, &x1, &y1);
    // Strokes and glyphs may reach a little beyond their frame.
    const Rect grown = frame.insetBy(-maxStrokeReach, -maxStrokeReach);
    return grown.x <= x1 && x0 <= grown.maxX() && grown.y <= y1 && y0 <= grown.maxY();
  }
  static constexpr double maxStrokeReach = 1000;

  void drawChildren(const LayoutNode& node) {
    for (std::size_t i = firstSeen(node); i < node.children.size(); ++i) draw(node.children[i]);
  }

  // The first of a layer stack's children that shows: what lies wholly under
  // an opaque rectangle fill is not drawn (the checkerboard behind an opaque
  // swatch). Other nodes show all their children.
  static std::size_t firstSeen(const LayoutNode& node) {
    if (node.kind() != NodeKind::zstack) return 0;
    for (std::size_t i = node.children.size(); i-- > 1;)
      if (const LayoutNode* cover = opaqueCover(node.children[i])) {
        const bool hidden =
            std::all_of(node.children.begin(), node.children.begin() + static_cast<std::ptrdiff_t>(i),
                        [&](const LayoutNode& c) { return liesUnder(c, cover->frame); });
        return hidden ? i : 0;
      }
    return 0;
  }

  // The opaque rectangle fill that `node` is, through the environment and
  // frame wrappers around it; null when it is something else.
  static const LayoutNode* opaqueCover(const LayoutNode& node) {
    const LayoutNode* n = &node;
    while (n->children.size() == 1 && (n->kind() == NodeKind::environment || n->kind() == NodeKind::frame))
      n = &n->children.front();
    if (n->kind() != NodeKind::shape || !n->color || !(n->color->alphaComponent() >= 1)) return nullptr;
    const auto& s = static_cast<const ShapeNode&>(*n->view);
    const bool plain =
        s.paint == ShapePaint::fill && s.shape.kind() == Shape::Kind::rectangle && s.shape.insetAmount() <= 0;
    return plain ? n : nullptr;
  }

  // Whether nothing of the subtree reaches beyond `cover`: only fills and
  // pictures, every frame inside it, nothing moved or blurred.
  static bool liesUnder(const LayoutNode& subtree, const Rect& cover) {
    return !subtree.find([&](const LayoutNode& n) {
      const NodeKind k = n.kind();
      if (k == NodeKind::text || k == NodeKind::offset || k == NodeKind::blur) return true;
      if (k == NodeKind::shape && static_cast<const ShapeNode&>(*n.view).paint != ShapePaint::fill)
        return true;
      const Rect& f = n.frame;
      return !(f.x >= cover.x && f.y >= cover.y && f.maxX() <= cover.maxX() && f.maxY() <= cover.maxY());
    });
  }

  // A clip is applied only to what reaches beyond it. Clipping each drawing
  // operation to a rounded tile costs a coverage mask per operation in a
  // raster and a copy of the outline per operation in SVG; a tile's text
  // and border lie inside it, and its fills can take its outline instead.
  struct PendingClip {
    const Shape& shape;
    Rect frame;
    Path outline;
  };

  void drawWithin(const LayoutNode& node, const PendingClip& clip) {
    if (!finiteRect(node.frame) || cairo_status(cr_) != CAIRO_STATUS_SUCCESS) return;
    if (isLeaf(node) && !intersectsClip(node.frame)) return;
    switch (node.kind()) {
      case NodeKind::shape:
      case NodeKind::text:
      case NodeKind::image:
        if (liesInside(node, clip)) return draw(node);
        if (fillsAcross(node, clip.frame)) return drawFilling(node, clip);
        return drawClipped(node, clip);
      case NodeKind::clip:
      case NodeKind::offset:
      case NodeKind::opacity:
      case NodeKind::blur:
        return drawClipped(node, clip);
      default:
        for (std::size_t i = firstSeen(node); i < node.children.size(); ++i)
          drawWithin(node.children[i], clip);
    }
  }

  void drawClipped(const LayoutNode& node, const PendingClip& clip) {
    cairo_save(cr_);
    appendPath(cr_, clip.outline);
    cairo_clip(cr_);
    draw(node);
    cairo_restore(cr_);
  }

  // Whether everything the leaf draws lies inside the clip's outline. The
  // shapes a clip takes, except custom ones, are convex: a rectangle lies
  // inside when its corners do.
  bool liesInside(const LayoutNode& leaf, const PendingClip& clip) {
    if (leaf.kind() == NodeKind::shape) {
      // A border drawn inside the clip's own outline.
      const auto& s = static_cast<const ShapeNode&>(*leaf.view);
      if (s.paint == ShapePaint::strokeBorder && s.shape.kind() == clip.shape.kind() &&
          s.shape.cornerRadius() == clip.shape.cornerRadius() &&
          s.shape.cornerStyle() == clip.shape.cornerStyle() && s.shape.insetAmount() <= 0 &&
          clip.shape.insetAmount() <= 0 && leaf.frame == clip.frame)
        return true;
      if (s.paint != ShapePaint::fill) return false;
    }
    if (clip.shape.kind() == Shape::Kind::custom) return false;
    // Glyphs may reach a little beyond the text's frame.
    const double reach = leaf.kind() == NodeKind::text ? 3 : 0.5;
    const Rect r = leaf.frame.insetBy(-reach, -reach);
    appendPath(cr_, clip.outline);
    const bool inside = cairo_in_fill(cr_, r.x, r.y) && cairo_in_fill(cr_, r.maxX(), r.y) &&
                        cairo_in_fill(cr_, r.x, r.maxY()) && cairo_in_fill(cr_, r.maxX(), r.maxY());
    cairo_new_path(cr_);
    return inside;
  }

  // Whether the leaf paints its whole frame and the frame covers `area`:
  // a plain rectangle fill, or a tiled picture.
  static bool fillsAcross(const LayoutNode& leaf, const Rect& area) {
    const Rect& f = leaf.frame;
    if (!(f.x <= area.x && f.y <= area.y && f.maxX() >= area.maxX() && f.maxY() >= area.maxY())) return false;
    if (leaf.kind() == NodeKind::shape) {
      const auto& s = static_cast<const ShapeNode&>(*leaf.view);
      return s.paint == ShapePaint::fill && s.shape.kind() == Shape::Kind::rectangle &&
             s.shape.insetAmount() <= 0;
    }
    if (leaf.kind() == NodeKind::image) {
      const auto& i = static_cast<const ImageNode&>(*leaf.view);
      return i.resource && i.resizable && i.resizingMode == ResizingMode::tile;
    }
    return false;
  }

  // A leaf that `fillsAcross` the clip, drawn as its paint filling the
  // clip's outline.
  void drawFilling(const LayoutNode& leaf, const PendingClip& clip) {
    if (leaf.kind() == NodeKind::image) {
      return drawTiled(static_cast<const ImageNode&>(*leaf.view).resource, leaf.frame, &clip.outline);
    }
    setColor(leaf.color.value_or(mcu::PlatformColor::sRGBBlack()));
    fillOutline(clip.shape, clip.frame, &clip.outline);
  }

  // Fills the shape's outline in `frame` (`outline` when already made) with
  // the current source.
  void fillOutline(const Shape& shape, const Rect& frame, const Path* outline = nullptr) {
    if (shared_ && shared_->fill(cr_, shape, frame)) return;
    appendPath(cr_, outline ? *outline : shape.path(frame));
    cairo_fill(cr_);
  }

  void setColor(const mcu::PlatformColor& color) {
    const Rgba c = outputComponents(color, space_);
    cairo_set_source_rgba(cr_, c.r, c.g, c.b, c.a);
  }

  void drawShape(const LayoutNode& node) {
    const auto& s = static_cast<const ShapeNode&>(*node.view);
    const mcu::PlatformColor color = node.color.value_or(mcu::PlatformColor::sRGBBlack());
    setColor(color);
    const StrokeStyle& st = s.strokeStyle;
    if (s.paint == ShapePaint::fill) return fillOutline(s.shape, node.frame);
    const double lineWidth = sanitized(st.lineWidth, 0, 1000);
    if (lineWidth <= 0) return;
    const Shape shape = s.paint == ShapePaint::strokeBorder ? s.shape.inset(lineWidth / 2) : s.shape;
    if (shared_ && shared_->stroke(cr_, shape, node.frame, st, lineWidth, outputComponents(color, space_)))
      return;
    appendPath(cr_, shape.path(node.frame));
    applyStrokeStyle(cr_, st, lineWidth);
    cairo_stroke(cr_);
  }

  void drawText(const LayoutNode& node) {
    if (!node.text || node.text->displayedText.empty()) return;
    const ResolvedText& t = *node.text;
    PangoLayout* layout =
        detail::newLayout(context_, t.displayedText, t.symbols, t.font, node.frame.width + 0.5);
    pango_cairo_update_context(cr_, context_);
    pango_layout_context_changed(layout);
    setColor(t.color);
    const Rgba c = outputComponents(t.color, space_);
    if (!shared_ ||
        !shared_->showText(
            cr_,
            {t.displayedText, t.symbols, t.font.size, t.font.weight, node.frame.width, {c.r, c.g, c.b, c.a}},
            layout, {node.frame.x, node.frame.y})) {
      cairo_move_to(cr_, node.frame.x, node.frame.y);
      pango_cairo_show_layout(cr_, layout);
    }
    g_object_unref(layout);
  }

  void drawImage(const LayoutNode& node) {
    const auto& i = static_cast<const ImageNode&>(*node.view);
    const Rect& f = node.frame;
    if (f.isEmpty()) return;
    if (!i.resource) {
      // A symbol keeps its square shape, centred in the frame.
      const double side = std::min(f.width, f.height);
      const Rect box{f.x + (f.width - side) / 2, f.y + (f.height - side) / 2, side, side};
      setColor(node.color.value_or(mcu::PlatformColor::sRGBBlack()));
      appendPath(cr_, symbolPathOrPlaceholder(i.symbolName).fittedInto(box));
      cairo_fill(cr_);
      return;
    }
    const ImageResource& res = *i.resource;
    if (i.resizable && i.resizingMode == ResizingMode::tile) return drawTiled(i.resource, f);
    const Size natural = naturalSize(res);
    if (!(natural.width > 0) || !(natural.height > 0)) return;
    const LayoutNode content = layoutIn(res.content, {0, 0, natural.width, natural.height});
    cairo_save(cr_);
    appendRect(cr_, f);
    cairo_clip(cr_);
    cairo_translate(cr_, f.x, f.y);
    cairo_scale(cr_, f.width / natural.width, f.height / natural.height);
    draw(content);
    cairo_restore(cr_);
  }

  static Size naturalSize(const ImageResource& res) {
    return {sanitized(res.size.width, 0, 4096), sanitized(res.size.height, 0, 4096)};
  }

  // The picture drawn once at the device's resolution and repeated from the
  // frame's top-left corner, over the frame or over `area` inside it.
  void drawTiled(const std::shared_ptr<const ImageResource>& res, const Rect& f, const Path* area = nullptr) {
    const Size natural = naturalSize(*res);
    if (!(natural.width > 0) || !(natural.height > 0)) return;
    double sx = 1, sy = 0;
    cairo_user_to_device_distance(cr_, &sx, &sy);
    const double scale = std::clamp(std::hypot(sx, sy), 0.05, 16.0);
    const int w = std::clamp(static_cast<int>(std::lround(natural.width * scale)), 1, 4096);
    const int h = std::clamp(static_cast<int>(std::lround(natural.height * scale)), 1, 4096);
    cairo_surface_t* tile = tileSurface(res, natural, w, h);
    if (!tile) return;
    cairo_pattern_t* pattern = cairo_pattern_create_for_surface(tile);
    cairo_pattern_set_extend(pattern, CAIRO_EXTEND_REPEAT);
    cairo_pattern_set_filter(pattern, CAIRO_FILTER_NEAREST);
    cairo_matrix_t m;
    // Pattern space maps to user space: one tile pixel is 1/scale points.
    cairo_matrix_init_scale(&m, w / natural.width, h / natural.height);
    cairo_matrix_translate(&m, -f.x, -f.y);
    cairo_pattern_set_matrix(pattern, &m);
    cairo_save(cr_);
    cairo_set_source(cr_, pattern);
    if (area)
      appendPath(cr_, *area);
    else
      appendRect(cr_, f);
    cairo_fill(cr_);
    cairo_restore(cr_);
    cairo_pattern_destroy(pattern);
  }

  // One drawn picture per resource and pixel size for the whole drawing:
  // every swatch repeats the same checkerboard, and an SVG holds it once.
  cairo_surface_t* tileSurface(const std::shared_ptr<const ImageResource>& res, Size natural, int w, int h) {
    for (const DrawnTile& t : tiles_)
      if (t.resource == res && t.width == w && t.height == h) return t.surface.get();
    cairo_surface_t* tile = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h);
    if (cairo_surface_status(tile) != CAIRO_STATUS_SUCCESS) {
      cairo_surface_destroy(tile);
      return nullptr;
    }
    cairo_t* tcr = cairo_create(tile);
    cairo_scale(tcr, w / natural.width, h / natural.height);
    {
      Painter sub(tcr, space_);
      sub.draw(layoutIn(res->content, {0, 0, natural.width, natural.height}));
    }
    cairo_destroy(tcr);
    cairo_surface_flush(tile);
    tiles_.push_back({res, w, h, {tile, cairo_surface_destroy}});
    return tile;
  }

  struct DrawnTile {
    std::shared_ptr<const ImageResource> resource;
    int width, height;
    std::unique_ptr<cairo_surface_t, void (*)(cairo_surface_t*)> surface;
  };
  std::vector<DrawnTile> tiles_;

  // The subtree drawn into a surface of its own in device space, blurred
  // there, and composited back.
  void drawBlurred(const LayoutNode& node, double radius) {
    if (radius <= 0) return drawChildren(node);
    double ux = 1, uy = 0;
    cairo_user_to_device_distance(cr_, &ux, &uy);
    const double scale = std::max(1e-3, std::hypot(ux, uy));
    const double sigma = radius * scale;
    const double margin = std::ceil(3 * sigma) + 2;

    // The area that can show anything: the subtree's frame (and, for
    // offsets inside it, whatever they move) grown by the blur, cut to the clip.
    Rect bounds = node.frame;
    for (const LayoutNode* n : node.findAll([](const LayoutNode&) { return true; })) {
      const Rect& r = n->frame;
      if (!finiteRect(r)) continue;
      const double x0 = std::min(bounds.x, r.x), y0 = std::min(bounds.y, r.y);
      const double x1 = std::max(bounds.maxX(), r.maxX()), y1 = std::max(bounds.maxY(), r.maxY());
      bounds = {x0, y0, x1 - x0, y1 - y0};
    }
    double dx0 = bounds.x, dy0 = bounds.y, dx1 = bounds.maxX(), dy1 = bounds.maxY();
    cairo_user_to_device(cr_, &dx0, &dy0);
    cairo_user_to_device(cr_, &dx1, &dy1);
    double cx0, cy0, cx1, cy1;
    cairo_clip_extents(cr_, &cx0, &cy0, &cx1, &cy1);
    cairo_user_to_device(cr_, &cx0, &cy0);
    cairo_user_to_device(cr_, &cx1, &cy1);
    // Offsets inside the subtree move drawing beyond the frames; give them the
    // whole clip (grown by the blur) rather than guess.
    const bool hasOffsets = node.find([](const LayoutNode& n) { return n.kind() == NodeKind::offset; });
    double x0 = std::min(dx0, dx1) - margin, y0 = std::min(dy0, dy1) - margin;
    double x1 = std::max(dx0, dx1) + margin, y1 = std::max(dy0, dy1) + margin;
    if (hasOffsets) {
      x0 = std::min(cx0, cx1) - margin;
      y0 = std::min(cy0, cy1) - margin;
      x1 = std::max(cx0, cx1) + margin;
      y1 = std::max(cy0, cy1) + margin;
    }
    x0 = std::max(x0, std::min(cx0, cx1) - margin);
    y0 = std::max(y0, std::min(cy0, cy1) - margin);
    x1 = std::min(x1, std::max(cx0, cx1) + margin);
    y1 = std::min(y1, std::max(cy0, cy1) + margin);
    if (!(x1 > x0) || !(y1 > y0)) return;
    const double ox = std::floor(x0), oy = std::floor(y0);
    const double w = std::ceil(x1) - ox, h = std::ceil(y1) - oy;
    if (!std::isfinite(w) || !std::isfinite(h) || w * h > maxBlurPixels || w > maxRasterDimension ||
        h > maxRasterDimension)
      return drawChildren(node);

    cairo_surface_t* layer =
        cairo_image_surface_create(CAIRO_FORMAT_ARGB32, static_cast<int>(w), static_cast<int>(h));
    if (cairo_surface_status(layer) != CAIRO_STATUS_SUCCESS) {
      cairo_surface_destroy(layer);
      return;
    }
    cairo_t* lcr = cairo_create(layer);
    cairo_matrix_t m;
    cairo_get_matrix(cr_, &m);
    m.x0 -= ox;
    m.y0 -= oy;
    cairo_set_matrix(lcr, &m);
    {
      Painter sub(lcr, space_);
      sub.drawChildren(node);
    }
    cairo_destroy(lcr);
    gaussianBlur(layer, sigma);

    cairo_save(cr_);
    cairo_identity_matrix(cr_);
    cairo_set_source_surface(cr_, layer, ox, oy);
    cairo_paint(cr_);
    cairo_restore(cr_);
    cairo_surface_destroy(layer);
  }

  cairo_t* cr_;
  OutputSpace space_;
  PangoContext* context_;
  SharedDrawing* shared_;
};

// `count` transparent pixels in `pixels`. A band is up to 32767 rows of
// fresh memory: in huge pages, where the system gives them on request, it
// is touched a few hundred times instead of tens of thousands.
void clearedPixels(std::vector<uint32_t>& pixels, std::size_t count) {
  constexpr std::size_t hugePage = std::size_t(2) << 20;
  pixels.clear();
  pixels.reserve(count);
  const auto start = reinterpret_cast<std::uintptr_t>(pixels.data());
  const std::uintptr_t first = (start + hugePage - 1) / hugePage * hugePage;
  const std::uintptr_t last = (start + count * sizeof(uint32_t)) / hugePage * hugePage;
  if (last > first) ::madvise(reinterpret_cast<void*>(first), last - first, MADV_HUGEPAGE);
  pixels.assign(count, 0);
}

std::string cairoMessage(cairo_status_t status) {
  return cairo_status_to_string(status);
}

RenderResult writeBytes(const std::filesystem::path& path, const std::vector<unsigned char>& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  if (!out) return RenderResult::failure("cannot write '" + path.string() + "': " + std::strerror(errno));
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  out.close();
  if (!out) return RenderResult::failure("cannot write '" + path.string() + "': " + std::strerror(errno));
  return {};
}

// Where a vector output streams to while it is drawn: a temporary file
// beside the destination, renamed over it only when drawing and flushing both
// went well, so that a failure leaves whatever was there. The document is
// never held in memory whole; a preview of thousands of tiles is large.
class VectorFile {
 public:
  explicit VectorFile(std::filesystem::path path)
      : path_(std::move(path)), temporary_(path_.string() + ".tavlo-XXXXXX") {
    const int fd = ::mkostemp(temporary_.data(), O_CLOEXEC);
    if (fd < 0) {
      error_ = errno;
      return;
    }
    // The permissions a newly written file gets, rather than the temporary's own.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    ::fchmod(fd, 0666 & ~mask);
    file_ = ::fdopen(fd, "wb");
    if (!file_) {
      error_ = errno;
      ::close(fd);
      ::unlink(temporary_.c_str());
    }
  }
  ~VectorFile() {
    if (file_) {
      std::fclose(file_);
      ::unlink(temporary_.c_str());
    }
  }
  VectorFile(const VectorFile&) = delete;
  VectorFile& operator=(const VectorFile&) = delete;

  static cairo_status_t write(void* closure, const unsigned char* data, unsigned int length) {
    auto* self = static_cast<VectorFile*>(closure);
    if (!self->file_ || std::fwrite(data, 1, length, self->file_) != length) {
      if (self->error_ == 0) self->error_ = errno ? errno : EIO;
      return CAIRO_STATUS_WRITE_ERROR;
    }
    return CAIRO_STATUS_SUCCESS;
  }

  // The end of the output: the surface flushes the rest, and the file takes
  // its place when `status` (the drawing's outcome so far) and the flush
  // went well.
  RenderResult finish(cairo_surface_t* surface, cairo_status_t status) {
    cairo_surface_finish(surface);
    if (status == CAIRO_STATUS_SUCCESS) status = cairo_surface_status(surface);
    cairo_surface_destroy(surface);
    if (error_ != 0) return cannotWrite(error_);
    if (status != CAIRO_STATUS_SUCCESS)
      return RenderResult::failure("drawing failed: " + cairoMessage(status));
    std::FILE* file = std::exchange(file_, nullptr);
    if (std::fclose(file) != 0 || ::rename(temporary_.c_str(), path_.c_str()) != 0) {
      const int error = errno;
      ::unlink(temporary_.c_str());
      return cannotWrite(error);
    }
    return {};
  }

 private:
  RenderResult cannotWrite(int error) const {
    return RenderResult::failure("cannot write '" + path_.string() + "': " + std::strerror(error));
  }

  std::filesystem::path path_;
  std::string temporary_;
  std::FILE* file_ = nullptr;
  int error_ = 0;
};

double clampedScale(double scale) {
  return sanitized(scale, 0.1, 16);
}

}  // namespace

// ------------------------------------------------------------------ Drawing

Drawing::Drawing(View root, double width, std::optional<double> height) : root_(std::move(root)) {
  width = sanitized(width, 0, maxCoordinate);
  if (height) height = sanitized(*height, 0, maxCoordinate);
  if (!height) height = sizeThatFits(root_, {width, std::nullopt}).height;
  size_ = {width, *height};
}

LayoutNode Drawing::layout(std::optional<Rect> visible) const {
  return layoutIn(root_, {0, 0, size_.width, size_.height}, visible);
}

Rgba8 Raster::pixel(int x, int y) const {
  if (x < 0 || y < 0 || x >= width || y >= height) return {};
  const uint32_t p = pixels[static_cast<std::size_t>(y) * width + x];
  const uint32_t a = p >> 24;
  if (a == 0) return {};
  auto un = [&](uint32_t c) { return static_cast<uint8_t>(std::min<uint32_t>(255, (c * 255 + a / 2) / a)); };
  return {un((p >> 16) & 0xFF), un((p >> 8) & 0xFF), un(p & 0xFF), static_cast<uint8_t>(a)};
}

double maxBandHeight(const RenderOptions& options) {
  return std::floor(maxRasterDimension / clampedScale(options.scale));
}

std::vector<Band> splitIntoBands(double totalHeight, double maxHeight) {
  totalHeight = sanitized(totalHeight, 0, maxCoordinate);
  maxHeight = sanitized(maxHeight, 1, maxCoordinate);
  std::vector<Band> bands;
  for (double top = 0; top < totalHeight; top += maxHeight)
    bands.push_back({top, std::min(maxHeight, totalHeight - top)});
  if (bands.empty()) bands.push_back({0, 0});
  return bands;
}

std::optional<Raster> rasterize(const Drawing& drawing, const RenderOptions& options,
                                std::optional<double> top, std::optional<double> height, std::string* error) {
  auto fail = [&](std::string message) -> std::optional<Raster> {
    if (error) *error = std::move(message);
    return std::nullopt;
  };
  const double scale = clampedScale(options.scale);
  const double y0 = sanitized(top.value_or(0), 0, drawing.size().height);
  const double bandHeight = sanitized(height.value_or(drawing.size().height - y0), 0, maxCoordinate);
  const double pw = std::ceil(drawing.size().width * scale);
  const double ph = std::ceil(bandHeight * scale);
  if (pw > maxRasterDimension || ph > maxRasterDimension)
    return fail("the image would be " + std::to_string(static_cast<long long>(pw)) + " × " +
                std::to_string(static_cast<long long>(ph)) + " pixels; draw it in bands of at most " +
                std::to_string(maxRasterDimension) + " pixels");
  Raster raster;
  raster.width = std::max(1, static_cast<int>(pw));
  raster.height = std::max(1, static_cast<int>(ph));
  raster.outputSpace = options.outputSpace;
  // Cairo draws straight into the raster's own words (rows of width × 4
  // bytes are a valid ARGB32 stride): a band is up to 32767 rows, and a
  // surface of Cairo's own would be cleared and copied over once more.
  clearedPixels(raster.pixels, static_cast<std::size_t>(raster.width) * raster.height);
  cairo_surface_t* surface =
      cairo_image_surface_create_for_data(reinterpret_cast<unsigned char*>(raster.pixels.data()),
                                          CAIRO_FORMAT_ARGB32, raster.width, raster.height, raster.width * 4);
  if (cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS) {
    const std::string message = cairoMessage(cairo_surface_status(surface));
    cairo_surface_destroy(surface);
    return fail("cannot make the image: " + message);
  }
  cairo_t* cr = cairo_create(surface);
  cairo_scale(cr, scale, scale);
  cairo_translate(cr, 0, -y0);
  {
    Painter painter(cr, options.outputSpace);
    painter.draw(drawing.layout(Rect{0, y0, drawing.size().width, bandHeight}));
  }
  cairo_status_t status = cairo_status(cr);
  cairo_destroy(cr);
  cairo_surface_flush(surface);
  if (status == CAIRO_STATUS_SUCCESS) status = cairo_surface_status(surface);
  cairo_surface_destroy(surface);
  if (status != CAIRO_STATUS_SUCCESS) return fail("drawing failed: " + cairoMessage(status));
  return raster;
}

void drawVisible(cairo_t* cr, const Drawing& drawing, const Rect& visible, OutputSpace outputSpace) {
  if (!finiteRect(visible)) return;
  cairo_save(cr);
  appendRect(cr, visible);
  cairo_clip(cr);
  {
    Painter painter(cr, outputSpace);
    painter.draw(drawing.layout(visible));
  }
  cairo_restore(cr);
}

RenderResult writePNG(const Raster& raster, const std::filesystem::path& path) {
  std::string error;
  auto bytes = encodePNG(raster, &error);
  if (!bytes) return RenderResult::failure(error);
  return writeBytes(path, *bytes);
}

RenderResult writeSVG(const Drawing& drawing, const std::filesystem::path& path) {
  // The file refers to the shared recordings until it is finished, so they
  // outlive it: a recording destroyed first is copied for the file, and
  // Cairo never frees the copy.
  SharedDrawing shared;
  VectorFile file(path);
  const Size size = drawing.size();
  cairo_surface_t* surface = cairo_svg_surface_create_for_stream(
      VectorFile::write, &file, std::max(1.0, size.width), std::max(1.0, size.height));
  cairo_t* cr = cairo_create(surface);
  {
    // One painter for every band, so that the SVG holds each picture, and
    // each outline and text that repeats, once.
    Painter painter(cr, OutputSpace::sRGB, &shared);
    const std::vector<Band> bands = splitIntoBands(size.height, svgBandHeight);
    for (std::size_t i = 0; i < bands.size(); ++i) {
      const double top = bands[i].top, bottom = top + bands[i].height;
      // What starts in the band is laid out whole as long as it is no taller
      // than the reach; a tile or a header is far shorter.
      const LayoutNode layout = drawing.layout(Rect{0, top, size.width, bands[i].height + svgBandReach});
      painter.drawStartingIn(layout, top, bottom, i == 0, i + 1 == bands.size());
    }
  }
  cairo_status_t status = cairo_status(cr);
  cairo_destroy(cr);
  return file.finish(surface, status);
}

RenderResult writePDF(const Drawing& drawing, const std::filesystem::path& path,
                      const std::vector<Band>& pages) {
  std::vector<Band> bands = pages;
  if (bands.empty()) bands.push_back({0, drawing.size().height});
  VectorFile file(path);
  const double width = std::max(1.0, drawing.size().width);
  cairo_surface_t* surface = cairo_pdf_surface_create_for_stream(VectorFile::write, &file, width,
                                                                 std::max(1.0, bands.front().height));
  cairo_status_t status = cairo_surface_status(surface);
  for (const Band& band : bands) {
    if (status != CAIRO_STATUS_SUCCESS) break;
    const double top = sanitized(band.top, 0, maxCoordinate);
    const double height = std::max(1.0, sanitized(band.height, 0, maxCoordinate));
    cairo_pdf_surface_set_size(surface, width, height);
    cairo_t* cr = cairo_create(surface);
    cairo_translate(cr, 0, -top);
    {
      Painter painter(cr, OutputSpace::sRGB);
      painter.draw(drawing.layout(Rect{0, top, drawing.size().width, height}));
    }
    cairo_show_page(cr);
    status = cairo_status(cr);
    cairo_destroy(cr);
  }
  return file.finish(surface, status);
}

}  // namespace hostkit
