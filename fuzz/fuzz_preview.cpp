// The preview draws whatever the reader made of a downloaded file: any bytes
// must lay out and draw without fault. Each input is read, shown by a preview
// controller as the host would, laid out at a width and its top drawn into a
// small raster.
//
// Input: byte 0 picks the appearance, the output space and the width; the
// rest is the document.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "TavloData/MerrinColorFileReader.h"
#include "TavloData/MerrinColorProject.h"
#include "TavloPreviewer/PreviewDrawing.h"
#include "TavloPreviewer/PreviewViewController.h"
#include "hostkit/Appearance.h"
#include "hostkit/Renderer.h"
#include "xmltree/XML.h"

namespace {

// Raster pixels are what costs; a small band at a small scale still draws
// every kind of tile the first rows hold.
constexpr double bandHeight = 600;

void drawPreview(std::string_view document, uint8_t choice) {
  hostkit::setCurrentAppearance((choice & 1) ? hostkit::Appearance::light : hostkit::Appearance::dark);
  hostkit::RenderOptions options;
  options.outputSpace = (choice & 2) ? hostkit::OutputSpace::displayP3 : hostkit::OutputSpace::sRGB;
  options.scale = 0.5;
  const double width = 120 + 60 * ((choice >> 2) % 16);

  auto project = tavlo::MerrinColorFileReader().parse(document);
  auto controller = std::make_shared<tavlo::previewer::PreviewViewController>();
  controller->showPreview(project, "fuzz.tavlo");
  const hostkit::Drawing drawing = tavlo::previewer::previewDrawing(*controller, width);
  std::string error;
  auto raster =
      hostkit::rasterize(drawing, options, 0.0, std::min(drawing.size().height, bandHeight), &error);
  if (!raster) {
    // The band is far inside Cairo's limits: failing to draw it is a fault.
    std::fprintf(stderr, "drawing failed: %s\n", error.c_str());
    std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  xmltree::setParseErrorSink([](std::string_view) {});
  // Font discovery happens once per process; doing it here keeps it out of
  // the first input's time and out of the leak checker's view.
  drawPreview("", 0);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
  if (size < 1) return 0;
  drawPreview(std::string_view(reinterpret_cast<const char*>(bytes + 1), size - 1), bytes[0]);
  return 0;
}
