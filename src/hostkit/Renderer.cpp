#include "hostkit/Renderer.h"

#include <cairo-pdf.h>
#include <cairo-svg.h>
#include <cairo.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <fstream>

#include "hostkit/Symbols.h"
#include "hostkit/TextEngine.h"

namespace hostkit {

namespace {

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

class Painter {
 public:
  Painter(cairo_t* cr, OutputSpace space) : cr_(cr), space_(space), context_(detail::newContext()) {
    detail::installSymbolRenderer(context_);
  }
  ~Painter() { g_object_unref(context_); }
  Painter(const Painter&) = delete;
  Painter& operator=(const Painter&) = delete;

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
        cairo_save(cr_);
        appendPath(cr_, clip.shape.path(node.frame));
        cairo_clip(cr_);
        drawChildren(node);
        cairo_restore(cr_);
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
    for (const auto& c : node.children) draw(c);
  }

  void setColor(const mcu::PlatformColor& color) {
    const Rgba c = outputComponents(color, space_);
    cairo_set_source_rgba(cr_, c.r, c.g, c.b, c.a);
  }

  void drawShape(const LayoutNode& node) {
    const auto& s = static_cast<const ShapeNode&>(*node.view);
    setColor(node.color.value_or(mcu::PlatformColor::sRGBBlack()));
    const StrokeStyle& st = s.strokeStyle;
    if (s.paint == ShapePaint::fill) {
      appendPath(cr_, s.shape.path(node.frame));
      cairo_fill(cr_);
      return;
    }
    const double lineWidth = sanitized(st.lineWidth, 0, 1000);
    if (lineWidth <= 0) return;
    const Shape shape = s.paint == ShapePaint::strokeBorder ? s.shape.inset(lineWidth / 2) : s.shape;
    appendPath(cr_, shape.path(node.frame));
    cairo_set_line_width(cr_, lineWidth);
    cairo_set_line_cap(cr_, st.lineCap == LineCap::butt    ? CAIRO_LINE_CAP_BUTT
                            : st.lineCap == LineCap::round ? CAIRO_LINE_CAP_ROUND
                                                           : CAIRO_LINE_CAP_SQUARE);
    cairo_set_line_join(cr_, st.lineJoin == LineJoin::miter   ? CAIRO_LINE_JOIN_MITER
                             : st.lineJoin == LineJoin::round ? CAIRO_LINE_JOIN_ROUND
                                                              : CAIRO_LINE_JOIN_BEVEL);
    cairo_set_miter_limit(cr_, sanitized(st.miterLimit, 1, 1000));
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
    cairo_move_to(cr_, node.frame.x, node.frame.y);
    pango_cairo_show_layout(cr_, layout);
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
    const Size natural{sanitized(res.size.width, 0, 4096), sanitized(res.size.height, 0, 4096)};
    if (!(natural.width > 0) || !(natural.height > 0)) return;
    const LayoutNode content = layoutIn(res.content, {0, 0, natural.width, natural.height});
    if (i.resizable && i.resizingMode == ResizingMode::tile) {
      drawTiled(content, natural, f);
      return;
    }
    cairo_save(cr_);
    appendRect(cr_, f);
    cairo_clip(cr_);
    cairo_translate(cr_, f.x, f.y);
    cairo_scale(cr_, f.width / natural.width, f.height / natural.height);
    draw(content);
    cairo_restore(cr_);
  }

  // The picture drawn once at the device's resolution and repeated from the
  // frame's top-left corner.
  void drawTiled(const LayoutNode& content, Size natural, const Rect& f) {
    double sx = 1, sy = 0;
    cairo_user_to_device_distance(cr_, &sx, &sy);
    const double scale = std::clamp(std::hypot(sx, sy), 0.05, 16.0);
    const int w = std::clamp(static_cast<int>(std::lround(natural.width * scale)), 1, 4096);
    const int h = std::clamp(static_cast<int>(std::lround(natural.height * scale)), 1, 4096);
    cairo_surface_t* tile = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h);
    if (cairo_surface_status(tile) != CAIRO_STATUS_SUCCESS) {
      cairo_surface_destroy(tile);
      return;
    }
    cairo_t* tcr = cairo_create(tile);
    cairo_scale(tcr, w / natural.width, h / natural.height);
    {
      Painter sub(tcr, space_);
      sub.draw(content);
    }
    cairo_destroy(tcr);
    cairo_surface_flush(tile);
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
    appendRect(cr_, f);
    cairo_fill(cr_);
    cairo_restore(cr_);
    cairo_pattern_destroy(pattern);
    cairo_surface_destroy(tile);
  }

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
};

std::string cairoMessage(cairo_status_t status) {
  return cairo_status_to_string(status);
}

cairo_status_t appendToVector(void* closure, const unsigned char* data, unsigned int length) {
  auto* out = static_cast<std::vector<unsigned char>*>(closure);
  out->insert(out->end(), data, data + length);
  return CAIRO_STATUS_SUCCESS;
}

RenderResult writeBytes(const std::filesystem::path& path, const std::vector<unsigned char>& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  if (!out) return RenderResult::failure("cannot write '" + path.string() + "': " + std::strerror(errno));
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  out.close();
  if (!out) return RenderResult::failure("cannot write '" + path.string() + "': " + std::strerror(errno));
  return {};
}

double clampedScale(double scale) {
  return sanitized(scale, 0.1, 16);
}

// The end of a vector output: the surface flushes what it has streamed into
// `bytes`, and the file is written only when drawing and flushing both went
// well. `status` is the drawing's outcome so far.
RenderResult finishVectorOutput(cairo_surface_t* surface, cairo_status_t status,
                                const std::vector<unsigned char>& bytes, const std::filesystem::path& path) {
  cairo_surface_finish(surface);
  if (status == CAIRO_STATUS_SUCCESS) status = cairo_surface_status(surface);
  cairo_surface_destroy(surface);
  if (status != CAIRO_STATUS_SUCCESS) return RenderResult::failure("drawing failed: " + cairoMessage(status));
  return writeBytes(path, bytes);
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

  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, raster.width, raster.height);
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
  if (status != CAIRO_STATUS_SUCCESS) {
    cairo_surface_destroy(surface);
    return fail("drawing failed: " + cairoMessage(status));
  }
  const unsigned char* data = cairo_image_surface_get_data(surface);
  const int stride = cairo_image_surface_get_stride(surface);
  raster.pixels.resize(static_cast<std::size_t>(raster.width) * raster.height);
  for (int y = 0; y < raster.height; ++y)
    std::memcpy(&raster.pixels[static_cast<std::size_t>(y) * raster.width],
                data + static_cast<std::size_t>(y) * stride, static_cast<std::size_t>(raster.width) * 4);
  cairo_surface_destroy(surface);
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
  std::vector<unsigned char> bytes;
  const Size size = drawing.size();
  cairo_surface_t* surface = cairo_svg_surface_create_for_stream(
      appendToVector, &bytes, std::max(1.0, size.width), std::max(1.0, size.height));
  cairo_t* cr = cairo_create(surface);
  {
    Painter painter(cr, OutputSpace::sRGB);
    painter.draw(drawing.layout());
  }
  cairo_status_t status = cairo_status(cr);
  cairo_destroy(cr);
  return finishVectorOutput(surface, status, bytes, path);
}

RenderResult writePDF(const Drawing& drawing, const std::filesystem::path& path,
                      const std::vector<Band>& pages) {
  std::vector<Band> bands = pages;
  if (bands.empty()) bands.push_back({0, drawing.size().height});
  std::vector<unsigned char> bytes;
  const double width = std::max(1.0, drawing.size().width);
  cairo_surface_t* surface =
      cairo_pdf_surface_create_for_stream(appendToVector, &bytes, width, std::max(1.0, bands.front().height));
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
  return finishVectorOutput(surface, status, bytes, path);
}

}  // namespace hostkit
