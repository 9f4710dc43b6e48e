#include "Orvik/Orvik.h"

namespace orvik {

namespace {

mcu::PlatformColor grey(double white, double alpha = 1) {
  return mcu::PlatformColor::colorWithSRGBRed(white, white, white, alpha);
}

// The checkerboard behind transparent colours: 8-point squares in two
// close greys, so that it reads as "see-through" without competing with the
// colour over it.
hostkit::ImageResource checkerboard(hostkit::Appearance appearance) {
  const bool dark = appearance == hostkit::Appearance::dark;
  const mcu::PlatformColor base = dark ? grey(0.24) : grey(1.0);
  const mcu::PlatformColor square = dark ? grey(0.16) : grey(0.82);
  constexpr double side = 8;
  hostkit::Path squares;
  squares.addRect({0, 0, side, side});
  squares.addRect({side, side, side, side});
  hostkit::View content =
      hostkit::ZStack(hostkit::Alignment::topLeading(),
                      {hostkit::ColorView(base), hostkit::Shape::custom([squares](const hostkit::Rect& r) {
                                                   return squares.transformed(
                                                       r.width / (2 * side), r.height / (2 * side), r.x, r.y);
                                                 }).fill(square)});
  return {std::string(checkerboardImage), {2 * side, 2 * side}, content};
}

hostkit::ResourceCatalog makeCatalog() {
  hostkit::ResourceCatalog c("Orvik");
  // Dark values first: dark is the default look.
  c.registerColor(std::string(backgroundNormal), grey(0.17), grey(0.95));
  c.registerColor(std::string(backgroundDarkest), grey(0.10), grey(0.88));
  c.registerColor(std::string(grey50), grey(0.50), grey(0.50));
  c.registerColor(std::string(grey85), grey(0.85), grey(0.15));
  c.registerImage(std::string(checkerboardImage), checkerboard);
  return c;
}

}  // namespace

const hostkit::ResourceCatalog& catalog() {
  static const hostkit::ResourceCatalog c = makeCatalog();
  return c;
}

mcu::PlatformColor color(std::string_view name) {
  return catalog().color(name);
}

hostkit::Image image(std::string_view name) {
  return catalog().image(name);
}

void anchorToAllSidesOf(hostkit::PlatformView& self, const std::shared_ptr<hostkit::PlatformView>& view,
                        const hostkit::EdgeInsets& insets) {
  self.translatesAutoresizingMaskIntoConstraints = false;
  self.activateEdgeConstraints(view, insets);
}

hostkit::View anchoredToAllSides(const hostkit::View& content, const hostkit::EdgeInsets& insets) {
  return content
      .frame(hostkit::View::FlexibleFrame{std::nullopt, HUGE_VAL, std::nullopt, HUGE_VAL,
                                          hostkit::Alignment::topLeading()})
      .padding(insets);
}

}  // namespace orvik
