// The drawn preview, probed pixel by pixel at places the layout fixes.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

#include "Orvik/Orvik.h"
#include "PreviewTestSupport.h"
#include "TavloPreviewer/MainPreviewView.h"
#include "TavloPreviewer/PreviewDrawing.h"
#include "hostkit/Renderer.h"

namespace tavlo::previewer {
namespace {

using namespace testing;

hostkit::Rgba8 expected8(const char* name) {
  auto srgb = *orvik::color(name).colorUsingColorSpace(mcu::PlatformColorSpace::sRGB());
  auto byte = [](double v) { return static_cast<uint8_t>(std::lround(std::clamp(v, 0.0, 1.0) * 255)); };
  return {byte(srgb.redComponent()), byte(srgb.greenComponent()), byte(srgb.blueComponent()), 255};
}

bool near(hostkit::Rgba8 a, hostkit::Rgba8 b, int tolerance = 2) {
  return std::abs(a.r - b.r) <= tolerance && std::abs(a.g - b.g) <= tolerance &&
         std::abs(a.b - b.b) <= tolerance && std::abs(a.a - b.a) <= tolerance;
}

// Pixels in [x0, x1) × [y0, y1) that are not the background.
int inkIn(const hostkit::Raster& r, int x0, int x1, int y0, int y1, hostkit::Rgba8 background) {
  int ink = 0;
  for (int y = y0; y < y1; ++y)
    for (int x = x0; x < x1; ++x) ink += !near(r.pixel(x, y), background, 8);
  return ink;
}

struct Rendered {
  hostkit::Drawing drawing;
  hostkit::Raster raster;
};

Rendered render(const std::string& items, double width) {
  auto controller = std::make_shared<PreviewViewController>();
  controller->showPreview(readDocument(items), "test.tavlo");
  hostkit::Drawing drawing = previewDrawing(*controller, width);
  auto raster = hostkit::rasterize(drawing, {});
  EXPECT_TRUE(raster);
  return {drawing, raster ? *raster : hostkit::Raster{}};
}

TEST(PreviewPixels, GridBackgroundInTheGapsAndAHeaderWhereAGroupStarts) {
  // One ungrouped cell, then a group: at width 400 its header is
  // (16, 194, 368, 40) and the label sits 8 points inside it, at the left
  // of the page whichever way its script runs.
  for (const char* group :
       {"Brand", "\u0645\u062C\u0645\u0648\u0639\u0629", "\u05E7\u05D1\u05D5\u05E6\u05D4"}) {
    SCOPED_TRACE(group);
    auto r = render(colorXml("Ink") + groupXml(group, colorXml("Primary")), 400);
    const auto darkest = expected8("Background/Darkest");

    // The left margin, the gap between two rows' sections and the space right of the only cell.
    for (auto [x, y] : {std::pair{8, 100}, std::pair{200, 190}, std::pair{300, 100}, std::pair{390, 300}})
      EXPECT_TRUE(near(r.raster.pixel(x, y), darkest)) << x << "," << y;

    EXPECT_GT(inkIn(r.raster, 24, 120, 202, 226, darkest), 40) << "no header text where the group starts";
    EXPECT_EQ(inkIn(r.raster, 200, 380, 202, 226, darkest), 0) << "header text away from the left";
    // The first section's 4-point header carries no title.
    EXPECT_EQ(inkIn(r.raster, 16, 384, 6, 10, darkest), 0);
  }
}

TEST(PreviewPixels, TheEmptyNoticeIsARoundedBoxWithText) {
  auto r = render("", 400);
  ASSERT_EQ(r.raster.width, 400);
  ASSERT_EQ(r.raster.height, static_cast<int>(minimumPreviewHeight));

  auto placed = r.drawing.layout();
  const auto* box = placed.find([](const auto& n) { return n.kind() == hostkit::NodeKind::clip; });
  ASSERT_TRUE(box);

  const auto normal = expected8("Background/Normal");
  const auto darkest = expected8("Background/Darkest");
  const int top = static_cast<int>(box->frame.minY()), left = static_cast<int>(box->frame.minX()),
            right = static_cast<int>(box->frame.maxX()), middle = static_cast<int>(box->frame.midY());
  // Inside the padding the notice's own background, outside it the grid's.
  EXPECT_TRUE(near(r.raster.pixel(200, top + 4), normal));
  EXPECT_TRUE(near(r.raster.pixel(left + 4, middle), normal));
  EXPECT_TRUE(near(r.raster.pixel(200, top - 4), darkest));
  EXPECT_TRUE(near(r.raster.pixel(left - 4, middle), darkest));
  // The rounded corner lets the grid show through at the very corner.
  EXPECT_FALSE(near(r.raster.pixel(left, top), normal));

  EXPECT_GT(inkIn(r.raster, left + 16, right - 16, middle, middle + 1, normal), 5) << "no text in the notice";
}

}  // namespace
}  // namespace tavlo::previewer
