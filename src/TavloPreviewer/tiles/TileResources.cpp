#include "TavloPreviewer/tiles/TileResources.h"

#include <cmath>
#include <numbers>
#include <string>

#include "TavloPreviewer/PreviewResources.h"
#include "hostkit/Shape.h"

namespace tavlo::previewer {

namespace {

using hostkit::Path;
using hostkit::Point;

mcu::PlatformColor grey(double white, double alpha = 1) {
  return mcu::PlatformColor::colorWithSRGBRed(white, white, white, alpha);
}

// The labels sit beside callout text on the tile background, so they take a
// quieter grey than the text in either look.
mcu::PlatformColor labelColor(hostkit::Appearance appearance) {
  return appearance == hostkit::Appearance::dark ? grey(0.70) : grey(0.40);
}

void addPolygon(Path& path, std::initializer_list<Point> points) {
  bool first = true;
  for (Point p : points) {
    if (first)
      path.moveTo(p);
    else
      path.lineTo(p);
    first = false;
  }
  path.closeSubpath();
}

// An origin bar on the left and an arrow pointing right along it: the
// horizontal offset.
Path xOffsetOutline() {
  Path p;
  p.addRect({0.06, 0.18, 0.12, 0.64});
  p.addRect({0.18, 0.44, 0.50, 0.12});
  addPolygon(p, {{0.62, 0.24}, {0.96, 0.50}, {0.62, 0.76}});
  return p;
}

// The same turned a quarter: an origin bar at the top and an arrow pointing down.
Path yOffsetOutline() {
  Path p;
  p.addRect({0.18, 0.06, 0.64, 0.12});
  p.addRect({0.44, 0.18, 0.12, 0.50});
  addPolygon(p, {{0.24, 0.62}, {0.50, 0.96}, {0.76, 0.62}});
  return p;
}

// A solid core inside a ring of dots that fades outwards: a soft edge.
Path blurOutline() {
  Path p;
  p.addEllipse({0.30, 0.30, 0.40, 0.40});
  constexpr int dots = 8;
  for (int i = 0; i < dots; ++i) {
    const double angle = 2 * std::numbers::pi * i / dots;
    const double cx = 0.5 + 0.40 * std::cos(angle), cy = 0.5 + 0.40 * std::sin(angle);
    p.addEllipse({cx - 0.07, cy - 0.07, 0.14, 0.14});
  }
  return p;
}

// Three lines growing in weight: how far the shadow spreads.
Path thicknessOutline() {
  Path p;
  p.addRect({0.06, 0.10, 0.88, 0.08});
  p.addRect({0.06, 0.32, 0.88, 0.16});
  p.addRect({0.06, 0.62, 0.88, 0.28});
  return p;
}

hostkit::ResourceCatalog::ImageMaker labelPicture(std::string_view name, Path (*outline)()) {
  return [name = std::string(name), outline](hostkit::Appearance appearance) {
    const Path unit = outline();
    hostkit::View content = hostkit::Shape::custom([unit](const hostkit::Rect& r) {
                              return unit.fittedInto(r);
                            }).fill(labelColor(appearance));
    return hostkit::ImageResource{name, {shadowLabelSide, shadowLabelSide}, content};
  };
}

}  // namespace

void registerTileResources(hostkit::ResourceCatalog& catalog) {
  // The overlay texts sit on the item's own colour, which looks the same in
  // either appearance, so they do not change with it. The light one is also
  // the text of the tiles on "Background/Normal".
  catalog.registerColor(std::string(colorOverlayLightText), grey(1, 0.92), grey(1, 0.92));
  catalog.registerColor(std::string(colorOverlayDarkText), grey(0, 0.85), grey(0, 0.85));

  catalog.registerImage(std::string(shadowLabelX), labelPicture(shadowLabelX, xOffsetOutline));
  catalog.registerImage(std::string(shadowLabelY), labelPicture(shadowLabelY, yOffsetOutline));
  catalog.registerImage(std::string(shadowLabelBlur), labelPicture(shadowLabelBlur, blurOutline));
  catalog.registerImage(std::string(shadowLabelThickness),
                        labelPicture(shadowLabelThickness, thicknessOutline));
}

hostkit::Image tileImage(std::string_view name) {
  return previewCatalog().image(name);
}

}  // namespace tavlo::previewer
