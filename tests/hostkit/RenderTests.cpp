#include <gtest/gtest.h>

#include <unistd.h>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

#include "Orvik/Orvik.h"
#include "hostkit/Renderer.h"
#include "hostkit/TextEngine.h"
#include "hostkit/View.h"

using namespace hostkit;

namespace {

const auto white = mcu::PlatformColor::sRGBWhite();
const auto black = mcu::PlatformColor::sRGBBlack();

Raster draw(const View& v, double w, double h, RenderOptions options = {}) {
  std::string error;
  auto r = rasterize(Drawing(v, w, h), options, std::nullopt, std::nullopt, &error);
  EXPECT_TRUE(r) << error;
  return r ? *r : Raster{};
}

void expectNear(Rgba8 got, Rgba8 want, int tolerance) {
  EXPECT_NEAR(got.r, want.r, tolerance);
  EXPECT_NEAR(got.g, want.g, tolerance);
  EXPECT_NEAR(got.b, want.b, tolerance);
  EXPECT_NEAR(got.a, want.a, tolerance);
}

int coveredInRow(const Raster& r, int y) {
  int n = 0;
  for (int x = 0; x < r.width; ++x) n += r.pixel(x, y).a >= 128;
  return n;
}

// The family the text engine picks for the toolkit's font list.
std::string resolvedFamily() {
  PangoContext* context = detail::newContext();
  PangoFontDescription* wanted = pango_font_description_from_string("Inter, DejaVu Sans 13");
  PangoFont* font = pango_font_map_load_font(detail::fontMap(), context, wanted);
  std::string family;
  if (font) {
    PangoFontDescription* got = pango_font_describe(font);
    family = pango_font_description_get_family(got);
    pango_font_description_free(got);
    g_object_unref(font);
  }
  pango_font_description_free(wanted);
  g_object_unref(context);
  return family;
}

int darkPixels(const Raster& r) {
  int n = 0;
  for (int y = 0; y < r.height; ++y)
    for (int x = 0; x < r.width; ++x) n += r.pixel(x, y).r < 100;
  return n;
}

}  // namespace

TEST(Render, ColoursAreConvertedIntoTheOutputSpace) {
  struct Case {
    const char* name;
    mcu::PlatformColor color;
    OutputSpace space;
    Rgba8 expected;
  };
  using P = mcu::PlatformColor;
  const Case cases[] = {
      // Display P3 colours outside sRGB are clipped there, exact in P3.
      {"P3 red in P3", P::colorWithDisplayP3Red(1, 0, 0, 1), OutputSpace::displayP3, {255, 0, 0, 255}},
      {"P3 green in sRGB", P::colorWithDisplayP3Red(0, 1, 0, 1), OutputSpace::sRGB, {0, 255, 0, 255}},
      // sRGB red inside P3 is a less saturated P3 value.
      {"sRGB red in P3", P::colorWithSRGBRed(1, 0, 0, 1), OutputSpace::displayP3, {234, 51, 35, 255}},
      {"sRGB red in sRGB", P::colorWithSRGBRed(1, 0, 0, 1), OutputSpace::sRGB, {255, 0, 0, 255}},
      {"translucent grey",
       P::colorWithSRGBRed(0.5, 0.5, 0.5, 0.5),
       OutputSpace::displayP3,
       {128, 128, 128, 128}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const Raster r = draw(ColorView(c.color), 8, 8, {c.space, 1});
    expectNear(r.pixel(4, 4), c.expected, 2);
  }
}

TEST(Render, ContinuousCornersDifferFromCircularOnes) {
  const double radius = 40;
  const Raster continuous =
      draw(Shape::roundedRectangle(radius, RoundedCornerStyle::continuous).fill(black), 200, 200);
  const Raster circular =
      draw(Shape::roundedRectangle(radius, RoundedCornerStyle::circular).fill(black), 200, 200);
  // A continuous corner starts curving about 1.53 radii from the corner, a
  // circular one at exactly one radius: the top edge is shorter. Further in,
  // the continuous corner bends faster and is the fuller of the two.
  EXPECT_LE(coveredInRow(continuous, 0), coveredInRow(circular, 0) - 6);
  EXPECT_GT(coveredInRow(continuous, 11), coveredInRow(circular, 11));
  // The straight part of each edge is still there.
  EXPECT_EQ(continuous.pixel(100, 0).a, 255);
  EXPECT_EQ(continuous.pixel(0, 100).a, 255);
}

TEST(Render, StrokeBorderStaysInsideTheEdge) {
  const Raster inside = draw(Shape::rectangle().strokeBorder(black, {4}).padding(10), 60, 60);
  const Raster centred = draw(Shape::rectangle().stroke(black, {4}).padding(10), 60, 60);
  EXPECT_EQ(inside.pixel(12, 30).a, 255);  // within 4 points inside the edge at x = 10
  EXPECT_EQ(inside.pixel(8, 30).a, 0);     // nothing outside
  EXPECT_EQ(centred.pixel(8, 30).a, 255);  // a centred stroke reaches 2 points out
}

TEST(Render, BlurMakesASoftEdge) {
  const View square = ColorView(black).frame(40, 40);
  auto scene = [&](double blur) { return draw(ZStack({ColorView(white), square.blur(blur)}), 100, 100); };
  const Raster sharp = scene(0);
  const Raster soft = scene(4);
  // Sharp: full black just inside, white just outside the edge at x = 30.
  EXPECT_LT(sharp.pixel(31, 50).r, 5);
  EXPECT_GT(sharp.pixel(28, 50).r, 250);
  // Blurred: a gradient across the edge, dark in the middle.
  const int outside = soft.pixel(24, 50).r, edge = soft.pixel(30, 50).r, inside = soft.pixel(36, 50).r;
  EXPECT_GT(outside, edge + 20);
  EXPECT_GT(edge, inside + 20);
  EXPECT_GT(edge, 60);
  EXPECT_LT(edge, 200);
  EXPECT_LT(soft.pixel(50, 50).r, 5);
}

TEST(Render, OffsetBlurredShadowSitsUnderTheCard) {
  const Shape card = Shape::roundedRectangle(3);
  const View v =
      ZStack({ColorView(white), ZStack({card.fill(black).padding(-2).blur(2).offset(10, 10),
                                        card.fill(mcu::PlatformColor::colorWithSRGBRed(1, 0, 0, 1))})
                                    .frame(40, 40)});
  const Raster r = draw(v, 100, 100);
  expectNear(r.pixel(50, 50), {255, 0, 0, 255}, 1);  // the card covers the shadow
  EXPECT_LT(r.pixel(75, 75).r, 60);                  // the shadow shows below right
  EXPECT_GT(r.pixel(25, 25).r, 250);                 // and not above left
}

TEST(Render, OpacityAndClippingAndSymbols) {
  const Raster faded = draw(ZStack({ColorView(white), ColorView(black).opacity(0.5)}), 10, 10);
  EXPECT_NEAR(faded.pixel(5, 5).r, 128, 2);
  const Raster clipped = draw(ColorView(black).frame(100, 100).clipShape(Shape::ellipse()), 100, 100);
  EXPECT_EQ(clipped.pixel(2, 2).a, 0);
  EXPECT_EQ(clipped.pixel(50, 50).a, 255);
  const Raster symbol =
      draw(Image::systemName("circle.fill").resizable().view().foregroundColor(black), 20, 20);
  EXPECT_EQ(symbol.pixel(10, 10).a, 255);
  EXPECT_EQ(symbol.pixel(0, 0).a, 0);
}

TEST(Render, HostileNumbersDoNotPoisonTheDrawing) {
  const double nan = std::nan("");
  const View hostile = ZStack({
      ColorView(white),
      ColorView(black).frame(nan, HUGE_VAL).offset(nan, -HUGE_VAL),
      Shape::roundedRectangle(nan).stroke(black, {HUGE_VAL, LineCap::round, LineJoin::round, nan}),
      ColorView(black).blur(HUGE_VAL).padding(-HUGE_VAL),
      Shape::custom([nan](const Rect&) {
        Path p;
        p.moveTo({nan, 0});
        p.lineTo({HUGE_VAL, 1});
        return p;
      }).fill(black),
      ColorView(mcu::PlatformColor::colorWithSRGBRed(nan, HUGE_VAL, -HUGE_VAL, nan)),
      Text("x").font(Font{nan, FontWeight::bold}),
  });
  const View marker = ColorView(mcu::PlatformColor::colorWithSRGBRed(0, 0, 1, 1)).frame(10, 10);
  std::string error;
  auto r =
      rasterize(Drawing(VStack(HorizontalAlignment::leading, 0, {hostile.frame(50, 50), marker}), 50, 60), {},
                std::nullopt, std::nullopt, &error);
  ASSERT_TRUE(r) << error;
  // Drawing carried on after the hostile subtree.
  expectNear(r->pixel(5, 55), {0, 0, 255, 255}, 1);
}

TEST(Render, OversizedImagesAreRefusedAndBandsDrawAPart) {
  const View stripes = VStack(HorizontalAlignment::leading, 0,
                              {ColorView(black).frame(10, 40000), ColorView(white).frame(10, 40000)});
  const Drawing tall(stripes, 10);
  EXPECT_EQ(tall.size().height, 80000);
  std::string error;
  EXPECT_FALSE(rasterize(tall, {}, std::nullopt, std::nullopt, &error));
  EXPECT_NE(error.find("bands"), std::string::npos);
  auto band = rasterize(tall, {}, 39990, 20, &error);
  ASSERT_TRUE(band) << error;
  EXPECT_EQ(band->height, 20);
  EXPECT_LT(band->pixel(5, 5).r, 5);
  EXPECT_GT(band->pixel(5, 15).r, 250);
}

TEST(Render, BandsMeetWithoutASeam) {
  // A blurred disc across the boundary between two bands must look the same
  // as in one drawing of the whole.
  const View scene = ZStack({ColorView(white), Shape::ellipse().fill(black).frame(60, 60).blur(6)});
  const Drawing d(scene, 100, 100);
  auto whole = rasterize(d, {});
  auto upper = rasterize(d, {}, 0, 50);
  auto lower = rasterize(d, {}, 50, 50);
  ASSERT_TRUE(whole && upper && lower);
  for (int x = 0; x < 100; x += 7) {
    EXPECT_NEAR(whole->pixel(x, 49).r, upper->pixel(x, 49).r, 2) << x;
    EXPECT_NEAR(whole->pixel(x, 50).r, lower->pixel(x, 0).r, 2) << x;
  }
}

TEST(Render, FarAwayBandsStillDraw) {
  // A grid millions of points tall: the background spans all of it and one
  // marker sits near the end.
  const double height = 6.0e6;
  const View marker = ColorView(mcu::PlatformColor::colorWithSRGBRed(0, 0, 1, 1));
  const View scene = PlacedGroup({40, height}, {{{10, height - 30, 20, 20}, marker}})
                         .background(mcu::PlatformColor::colorWithSRGBRed(0, 1, 0, 1));
  auto band = rasterize(Drawing(scene, 40, height), {OutputSpace::sRGB, 2}, height - 40, 40);
  ASSERT_TRUE(band);
  expectNear(band->pixel(2, 2), {0, 255, 0, 255}, 1);
  expectNear(band->pixel(40, 40), {0, 0, 255, 255}, 1);
}

TEST(Render, SplitsIntoBands) {
  struct Case {
    double total, max;
    std::vector<double> heights;
  };
  const Case cases[] = {{100, 40, {40, 40, 20}},
                        {80, 40, {40, 40}},
                        {0, 40, {0}},
                        {10, std::nan(""), {1, 1, 1, 1, 1, 1, 1, 1, 1, 1}}};
  for (const auto& c : cases) {
    const auto bands = splitIntoBands(c.total, c.max);
    ASSERT_EQ(bands.size(), c.heights.size());
    double top = 0;
    for (std::size_t i = 0; i < bands.size(); ++i) {
      EXPECT_EQ(bands[i].top, top);
      EXPECT_EQ(bands[i].height, c.heights[i]);
      top += bands[i].height;
    }
  }
  EXPECT_EQ(maxBandHeight({OutputSpace::sRGB, 2}), 16383);
}

TEST(Render, TextDrawsGlyphsAndInlineSymbols) {
  const View v =
      ZStack({ColorView(white), Text("Hamburgefonstiv").font(Font::title()).foregroundColor(black)});
  EXPECT_GT(darkPixels(draw(v, 220, 40)), 100);
  // A symbol alone in a text: a filled disc about one em wide.
  const View symbol =
      ZStack(Alignment::topLeading(),
             {ColorView(white), (Text::symbol("circle.fill").font(Font::system(40)).foregroundColor(black))});
  const Raster r = draw(symbol, 100, 60);
  EXPECT_GT(darkPixels(r), 600);
  EXPECT_LT(darkPixels(r), 2000);
  EXPECT_EQ(resolvedFamily(), "Inter");
}

// Fonts must resolve without the system's font configuration, for every
// script, and without a word from fontconfig on standard error, where a
// thumbnailer's output is read. The text tests run again in a child process
// whose fontconfig is pointed at nothing, because fontconfig reads its
// configuration once per process.
TEST(FontFallback, TextRendersWithoutFontconfig) {
  char self[4096] = {};
  const ssize_t n = readlink("/proc/self/exe", self, sizeof self - 1);
  ASSERT_GT(n, 0);
  const std::string errors = testing::TempDir() + "font-child-" + std::to_string(::getpid()) + ".err";
  const std::string command =
      std::string("FONTCONFIG_FILE=/nonexistent FONTCONFIG_PATH=/nonexistent '") + self +
      "' --gtest_filter=Render.TextDrawsGlyphsAndInlineSymbols:Text.EveryScriptDrawsWithRealGlyphs "
      ">/dev/null "
      "2>'" +
      errors + "'";
  EXPECT_EQ(std::system(command.c_str()), 0);
  std::ifstream in(errors);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "");
  std::remove(errors.c_str());
}
