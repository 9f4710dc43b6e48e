// tavlo preview: draws a document's preview grid to PNG, SVG or PDF, hosting
// the preview controller as the desktop's preview service would.
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <cstddef>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

#include "Command.h"
#include "FileIO.h"
#include "ProjectInput.h"
#include "TavloPreviewer/PreviewDrawing.h"
#include "VariantOption.h"
#include "hostkit/Appearance.h"
#include "hostkit/Renderer.h"

namespace tavlo::cli {

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

enum class OutputFormat { png, svg, pdf };

// PDF readers refuse pages longer than this (points), so taller grids are
// split into pages of at most this height.
constexpr double maxPdfPageHeight = 14400;
// Grids at least this tall (points) count as long work worth a progress line.
constexpr double longGridHeight = 8000;
// How much of the grid is drawn unless asked otherwise (points): some 2,800
// tiles at the default width. Drawing time and output size grow with the
// height, and a document of a million empty groups would otherwise take
// hours and gigabytes to draw.
constexpr double defaultMaxHeight = 100000;

struct PreviewOptions {
  std::string file;
  std::string out;
  double width = previewer::defaultPreviewWidth;
  double scale = 1;
  std::string outputSpace = "srgb";
  std::string appearance = "dark";
  ColorSource variant = ColorSource::light;
  double maxHeight = defaultMaxHeight;  // 0: all of it
  bool contrast = false;
  bool timings = false;
};

// "1234567" as "1,234,567": heights in messages are read by people.
std::string groupedPoints(double points) {
  std::string digits = std::to_string(static_cast<long long>(std::ceil(points)));
  for (auto at = static_cast<std::ptrdiff_t>(digits.size()) - 3; at > 0; at -= 3)
    digits.insert(static_cast<std::size_t>(at), ",");
  return digits;
}

std::optional<OutputFormat> formatOf(const std::string& out) {
  if (out == "-") return OutputFormat::png;
  const std::string extension = fs::path(out).extension().string();
  if (extension == ".png") return OutputFormat::png;
  if (extension == ".svg") return OutputFormat::svg;
  if (extension == ".pdf") return OutputFormat::pdf;
  return std::nullopt;
}

// OUT itself when the picture fits one file, otherwise OUT's name with the
// part's number: grid-1.png, grid-2.png, ...
std::string partPath(const std::string& out, std::size_t index, std::size_t count) {
  if (count == 1) return out;
  fs::path path(out);
  const std::string numbered =
      path.stem().string() + "-" + std::to_string(index + 1) + path.extension().string();
  return (path.parent_path() / numbered).string();
}

bool isSameFile(const std::string& a, const std::string& b) {
  std::error_code error;
  return fs::equivalent(a, b, error) && !error;
}

double millisecondsSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// A progress line on standard error, rewritten in place; only when someone
// is watching the terminal and the work is long.
class Progress {
 public:
  explicit Progress(bool enabled) : enabled_(enabled) {}
  ~Progress() { clear(); }
  void show(const std::string& step) {
    if (!enabled_) return;
    std::fprintf(stderr, "\rtavlo: %s\033[K", step.c_str());
    std::fflush(stderr);
    shown_ = true;
  }
  void clear() {
    if (!shown_) return;
    std::fputs("\r\033[K", stderr);
    std::fflush(stderr);
    shown_ = false;
  }

 private:
  bool enabled_;
  bool shown_ = false;
};

struct Timings {
  double reading = 0, layout = 0, drawing = 0, encoding = 0;
  void print() const {
    std::fprintf(stderr, "reading: %.1f ms\nlayout: %.1f ms\ndrawing: %.1f ms\nencoding: %.1f ms\n", reading,
                 layout, drawing, encoding);
  }
};

int writePNGs(const hostkit::Drawing& drawing, const hostkit::RenderOptions& render,
              const PreviewOptions& options, Progress& progress, Timings& timings) {
  const auto bands = hostkit::splitIntoBands(drawing.size().height, hostkit::maxBandHeight(render));
  if (options.out == "-" && bands.size() > 1) {
    printError(
        "the preview is too tall for one PNG on standard output; give -o FILE.png to split it into files");
    return 1;
  }
  for (std::size_t i = 0; i < bands.size(); ++i) {
    const std::string path = partPath(options.out, i, bands.size());
    if (isSameFile(path, options.file)) {
      printError("will not write over the input file '" + path + "'");
      return 1;
    }
    progress.show("drawing part " + std::to_string(i + 1) + " of " + std::to_string(bands.size()));
    if (options.timings) {
      auto start = Clock::now();
      (void)drawing.layout(hostkit::Rect{0, bands[i].top, drawing.size().width, bands[i].height});
      timings.layout += millisecondsSince(start);
    }
    auto start = Clock::now();
    std::string error;
    auto raster = hostkit::rasterize(drawing, render, bands[i].top, bands[i].height, &error);
    timings.drawing += millisecondsSince(start);
    if (!raster) {
      printError("cannot draw the preview: " + error);
      return 1;
    }
    start = Clock::now();
    auto png = hostkit::encodePNG(*raster, &error);
    if (!png) {
      printError("cannot encode the preview: " + error);
      return 1;
    }
    const bool written = writeWholeFile(path, std::string(png->begin(), png->end()));
    timings.encoding += millisecondsSince(start);
    if (!written) return 1;
  }
  return 0;
}

int runPreview(const PreviewOptions& given) {
  PreviewOptions options = given;
  if (options.out.empty()) options.out = fs::path(options.file).stem().string() + ".png";
  const std::optional<OutputFormat> format = formatOf(options.out);
  if (!format) {
    printError("cannot tell the output format of '" + options.out +
               "': use .png, .svg or .pdf (see 'tavlo --help')");
    return 2;
  }
  if (options.width * options.scale > hostkit::maxRasterDimension) {
    printError("--width times --scale must stay within " + std::to_string(hostkit::maxRasterDimension) +
               " pixels (see 'tavlo --help')");
    return 2;
  }
  if (options.out != "-" && isSameFile(options.out, options.file)) {
    printError("will not write over the input file '" + options.out + "'");
    return 1;
  }

  hostkit::setCurrentAppearance(options.appearance == "light" ? hostkit::Appearance::light
                                                              : hostkit::Appearance::dark);
  hostkit::RenderOptions render;
  render.outputSpace =
      options.outputSpace == "display-p3" ? hostkit::OutputSpace::displayP3 : hostkit::OutputSpace::sRGB;
  render.scale = options.scale;

  Timings timings;
  reportParseErrorsOnStderr();
  auto start = Clock::now();
  previewer::PreparedPreview prepared = previewer::preparePreview(options.file);
  timings.reading = millisecondsSince(start);
  if (prepared.error) {
    printError(prepared.error->message);
    return 1;
  }
  prepared.controller->setColorSource(options.variant);
  prepared.controller->setShowsContrast(options.contrast);

  start = Clock::now();
  hostkit::Drawing drawing = previewer::previewDrawing(*prepared.controller, options.width);
  const double fullHeight = drawing.size().height;
  if (options.maxHeight > 0) drawing = previewer::cutDrawing(drawing, options.maxHeight);
  timings.layout = millisecondsSince(start);
  if (drawing.size().height < fullHeight)
    printError("warning: the preview is " + groupedPoints(fullHeight) + " points tall; only the first " +
               groupedPoints(drawing.size().height) + " are drawn (see --max-height)");

  Progress progress(::isatty(STDERR_FILENO) == 1 && drawing.size().height * options.scale >= longGridHeight);
  int status = 0;
  switch (*format) {
    case OutputFormat::png:
      status = writePNGs(drawing, render, options, progress, timings);
      break;
    case OutputFormat::svg: {
      progress.show("drawing");
      start = Clock::now();
      auto result = hostkit::writeSVG(drawing, options.out);
      timings.drawing = millisecondsSince(start);
      if (!result.ok) printError(result.error);
      status = result.ok ? 0 : 1;
      break;
    }
    case OutputFormat::pdf: {
      progress.show("drawing");
      start = Clock::now();
      auto result = hostkit::writePDF(drawing, options.out,
                                      hostkit::splitIntoBands(drawing.size().height, maxPdfPageHeight));
      timings.drawing = millisecondsSince(start);
      if (!result.ok) printError(result.error);
      status = result.ok ? 0 : 1;
      break;
    }
  }
  progress.clear();
  if (options.timings) timings.print();
  return status;
}

CommandRun setupPreview(CLI::App& command) {
  auto options = std::make_shared<PreviewOptions>();
  command.add_option("FILE", options->file, "The document to preview")->required();
  command.add_option("-o,--output", options->out,
                     "Where to write: .png, .svg or .pdf; - writes PNG to standard output "
                     "(default: the document's name with .png, in the current directory)");
  command.add_option("--width", options->width, "Width of the grid in points")
      ->default_val(previewer::defaultPreviewWidth)
      ->check(CLI::Range(1.0, double(hostkit::maxRasterDimension)));
  command.add_option("--scale", options->scale, "Pixels per point of PNG output")
      ->default_val(1)
      ->check(CLI::Range(1.0, 4.0));
  command.add_option("--output-space", options->outputSpace, "Colour space of PNG output")
      ->default_val("srgb")
      ->check(CLI::IsMember({"srgb", "display-p3"}));
  command.add_option("--appearance", options->appearance, "Look of the preview's own colours")
      ->default_val("dark")
      ->check(CLI::IsMember({"dark", "light"}));
  addVariantOption(command, options->variant);
  command.add_flag("--contrast", options->contrast,
                   "After the items, a section per test group with the pairs that fail its contrast tests");
  command
      .add_option("--max-height", options->maxHeight,
                  "Draw at most this much of the grid, in points; 0 draws all of it")
      ->default_val(defaultMaxHeight)
      ->check(CLI::Range(0.0, 1e12));
  // Where the time goes: reading, layout, drawing and encoding, on stderr.
  command.add_flag("--timings", options->timings)->group("");
  return [options] { return runPreview(*options); };
}

const CommandRegistration preview{"preview", "Draw a document's preview grid to PNG, SVG or PDF",
                                  setupPreview};

}  // namespace

}  // namespace tavlo::cli
