#include "TavloPreviewer/PreviewResources.h"

#include <string>

#include "TavloPreviewer/tiles/TileResources.h"

namespace tavlo::previewer {

namespace {

mcu::PlatformColor srgb(double r, double g, double b, double a = 1) {
  return mcu::PlatformColor::colorWithSRGBRed(r, g, b, a);
}

hostkit::ResourceCatalog makeCatalog() {
  hostkit::ResourceCatalog catalog("TavloPreviewer");
  catalog.registerColor(std::string(accentColor), srgb(0.04, 0.52, 1.0), srgb(0.0, 0.48, 1.0));
  // The overlay text colours and the shadow label pictures belong to the tiles.
  registerTileResources(catalog);
  return catalog;
}

}  // namespace

hostkit::ResourceCatalog& previewCatalog() {
  static hostkit::ResourceCatalog catalog = makeCatalog();
  return catalog;
}

mcu::PlatformColor previewColor(std::string_view name) {
  return previewCatalog().color(name);
}

}  // namespace tavlo::previewer
