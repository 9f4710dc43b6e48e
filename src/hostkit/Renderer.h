#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "hostkit/Layout.h"
#include "hostkit/View.h"

typedef struct _cairo cairo_t;  // NOLINT: Cairo's own declaration, without its header

namespace hostkit {

// The colour space that drawn colours are converted into. Display P3 PNGs
// carry an ICC profile; sRGB PNGs an sRGB chunk. Vector outputs (SVG, PDF)
// always use sRGB, the only space their readers assume.
enum class OutputSpace { sRGB, displayP3 };

struct RenderOptions {
  OutputSpace outputSpace = OutputSpace::sRGB;
  // Pixels per point for raster output (clamped to 0.1 ... 16).
  double scale = 1;
};

// The largest raster side Cairo can draw, in pixels. Taller drawings are
// drawn in bands (`rasterize` with a y range).
inline constexpr int maxRasterDimension = 32767;

// A root view sized at a width: the unit every output is drawn from.
class Drawing {
 public:
  // `height` absent: the root's own height for the width.
  Drawing(View root, double width, std::optional<double> height = std::nullopt);

  const View& root() const { return root_; }
  Size size() const { return size_; }
  // The layout of what lies in `visible` (all of it when absent).
  LayoutNode layout(std::optional<Rect> visible = std::nullopt) const;

 private:
  View root_;
  Size size_;
};

struct Rgba8 {
  uint8_t r = 0, g = 0, b = 0, a = 0;
  friend bool operator==(const Rgba8&, const Rgba8&) = default;
};

// Pixels of a drawn band, premultiplied ARGB in native-endian 32-bit words
// (Cairo's ARGB32 layout), rows top to bottom.
struct Raster {
  int width = 0;
  int height = 0;
  OutputSpace outputSpace = OutputSpace::sRGB;
  std::vector<uint32_t> pixels;
  // The pixel at (x, y), unpremultiplied; transparent outside the raster.
  Rgba8 pixel(int x, int y) const;
};

struct RenderResult {
  bool ok = true;
  std::string error;  // one line, when !ok
  static RenderResult failure(std::string message) { return {false, std::move(message)}; }
};

// Draws the band of the drawing from y = `top` to `top + height` (points;
// all of it when absent) into a raster. Absent on failure (too large, Cairo
// error), with `error` set.
std::optional<Raster> rasterize(const Drawing& drawing, const RenderOptions& options,
                                std::optional<double> top = std::nullopt,
                                std::optional<double> height = std::nullopt, std::string* error = nullptr);

// Draws the part of the drawing inside `visible` (drawing coordinates) into
// the caller's context, clipped to it: a window draws the band it shows
// straight into its own surface, without a raster of its own.
void drawVisible(cairo_t* cr, const Drawing& drawing, const Rect& visible,
                 OutputSpace outputSpace = OutputSpace::sRGB);

// The band height in points that keeps one raster under Cairo's limit.
double maxBandHeight(const RenderOptions& options);

// A PNG of the raster: Display P3 rasters get an embedded ICC profile
// (iCCP), sRGB rasters an sRGB chunk.
std::optional<std::vector<unsigned char>> encodePNG(const Raster& raster, std::string* error = nullptr);

RenderResult writePNG(const Raster& raster, const std::filesystem::path& path);
RenderResult writeSVG(const Drawing& drawing, const std::filesystem::path& path);
// One page per band; no bands: one page of the whole drawing.
struct Band {
  double top = 0;
  double height = 0;
};
RenderResult writePDF(const Drawing& drawing, const std::filesystem::path& path,
                      const std::vector<Band>& pages = {});

// Splits [0, totalHeight) into bands no taller than `maxHeight` (at least one band).
std::vector<Band> splitIntoBands(double totalHeight, double maxHeight);

}  // namespace hostkit
