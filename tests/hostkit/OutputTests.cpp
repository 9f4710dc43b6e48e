#include <gtest/gtest.h>
#include <lcms2.h>
#include <png.h>

#include <cstdio>
#include <string>

#include "Orvik/Orvik.h"
#include "hostkit/Renderer.h"
#include "shared/ProcessSupport.h"

using namespace hostkit;

namespace {

struct PngInfo {
  bool ok = false;
  bool hasSRGB = false;
  std::string iccName;
  std::vector<unsigned char> icc;
  png_uint_32 width = 0, height = 0;
};

PngInfo inspect(std::vector<unsigned char> bytes) {
  PngInfo info;
  FILE* file = fmemopen(bytes.data(), bytes.size(), "rb");
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop pinfo = png_create_info_struct(png);
  if (!setjmp(png_jmpbuf(png))) {
    png_init_io(png, file);
    png_read_info(png, pinfo);
    info.width = png_get_image_width(png, pinfo);
    info.height = png_get_image_height(png, pinfo);
    int intent = 0;
    info.hasSRGB = png_get_sRGB(png, pinfo, &intent) != 0;
    png_charp name = nullptr;
    int compression = 0;
    png_bytep profile = nullptr;
    png_uint_32 length = 0;
    if (png_get_iCCP(png, pinfo, &name, &compression, &profile, &length)) {
      info.iccName = name;
      info.icc.assign(profile, profile + length);
    }
    info.ok = true;
  }
  png_destroy_read_struct(&png, &pinfo, nullptr);
  std::fclose(file);
  return info;
}

const View swatch = ColorView(mcu::PlatformColor::colorWithDisplayP3Red(1, 0, 0, 1));

}  // namespace

TEST(Output, PngsCarryTheirSpaceAtTheScaledSize) {
  const struct {
    OutputSpace space;
    double scale;
    png_uint_32 width, height;
    bool hasSRGB;
    const char* iccName;
  } cases[] = {
      {OutputSpace::displayP3, 1, 12, 8, false, "Display P3"},
      {OutputSpace::sRGB, 2, 24, 16, true, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.iccName);
    auto raster = rasterize(Drawing(swatch, 12, 8), {c.space, c.scale});
    ASSERT_TRUE(raster);
    auto png = encodePNG(*raster);
    ASSERT_TRUE(png);
    const PngInfo info = inspect(*png);
    ASSERT_TRUE(info.ok);
    EXPECT_EQ(info.width, c.width);
    EXPECT_EQ(info.height, c.height);
    EXPECT_EQ(info.hasSRGB, c.hasSRGB);
    EXPECT_EQ(info.iccName, c.iccName);
    if (info.icc.empty()) continue;
    // The profile is a real RGB display profile with P3's red primary.
    cmsHPROFILE profile =
        cmsOpenProfileFromMem(info.icc.data(), static_cast<cmsUInt32Number>(info.icc.size()));
    ASSERT_NE(profile, nullptr);
    EXPECT_EQ(cmsGetColorSpace(profile), cmsSigRgbData);
    char description[64] = {};
    cmsGetProfileInfoASCII(profile, cmsInfoDescription, "en", "US", description, sizeof description);
    EXPECT_STREQ(description, c.iccName);
    // P3 red is x 0.680, y 0.320; the profile's D50 colorant moves it a little.
    const auto* red = static_cast<const cmsCIEXYZ*>(cmsReadTag(profile, cmsSigRedColorantTag));
    ASSERT_NE(red, nullptr);
    cmsCIExyY xyY;
    cmsXYZ2xyY(&xyY, red);
    EXPECT_NEAR(xyY.x, 0.68, 0.03);
    EXPECT_NEAR(xyY.y, 0.32, 0.03);
    cmsCloseProfile(profile);
  }
}

TEST(Output, VectorFormatsAndPages) {
  const testprocess::ScratchFolder dir;
  const View v = VStack({Text("Page"), swatch.frame(20, 300)});
  const Drawing drawing(v, 100);

  ASSERT_TRUE(writePDF(drawing, dir / "a.pdf", splitIntoBands(drawing.size().height, 120)).ok);
  const std::string pdf = testprocess::slurp(dir / "a.pdf");
  ASSERT_EQ(pdf.rfind("%PDF", 0), 0u);
  EXPECT_NE(pdf.find("/Count 3"), std::string::npos);

  auto raster = rasterize(drawing, {});
  ASSERT_TRUE(raster);
  EXPECT_TRUE(writePNG(*raster, dir / "a.png").ok);
  const RenderResult failed = writePNG(*raster, dir / "missing" / "a.png");
  EXPECT_FALSE(failed.ok);
  EXPECT_NE(failed.error.find("cannot write"), std::string::npos);
}

// Swatches as the preview draws them: rounded cards clipped to their outline,
// a checkerboard under the colour, text and a border inside. What the SVG
// holds per card decides its size for documents of thousands of items.
TEST(Output, SvgSharesOneCheckerboardAndClipsOnlyWhatReachesOut) {
  const testprocess::ScratchFolder dir;
  auto cards = [](double alpha, int count) {
    std::vector<Placement> placed;
    const View board = orvik::image(orvik::checkerboardImage).resizable(ResizingMode::tile);
    for (int i = 0; i < count; ++i) {
      const View fill = ColorView(mcu::PlatformColor::colorWithSRGBRed(0.2, 0.4, 0.6, alpha));
      const View card = ZStack({ZStack({board, fill}), Text("Name").view().padding(12),
                                Shape::roundedRectangle(8).strokeBorder(mcu::PlatformColor::sRGBWhite())})
                            .clipShape(Shape::roundedRectangle(8));
      placed.push_back({{16 + 176.0 * (i % 5), 16 + 176.0 * (i / 5), 160, 160}, card});
    }
    return Drawing(PlacedGroup({896, 16 + 176.0 * ((count + 4) / 5)}, std::move(placed)), 896);
  };
  auto count = [](const std::string& text, const std::string& what) {
    std::size_t n = 0;
    for (auto at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
    return n;
  };
  struct Case {
    double alpha;
    std::size_t images;
    std::size_t bytesPerCard;
  };
  // Translucent swatches show one shared checkerboard; opaque ones hide it.
  // The cards' rounded outline, border and caption are held once: an opaque
  // card is little more than its colour and its place.
  for (const auto& [alpha, images, bytesPerCard] : {Case{0.5, 1, 1600}, Case{1, 0, 400}}) {
    SCOPED_TRACE(alpha);
    const auto path = dir / "cards.svg";
    // 60 rows, taller than one band of drawing: the rows across a band's
    // edge are drawn once.
    ASSERT_TRUE(writeSVG(cards(alpha, 300), path).ok);
    const std::string svg = testprocess::slurp(path);
    EXPECT_EQ(count(svg, "rgb(20%,40%,60%)"), 300u);
    EXPECT_EQ(count(svg, "<image"), images);
    // The text and the border lie inside their card: no card needs a clip
    // (what is shared keeps to its own bounds).
    EXPECT_LE(count(svg, "<clipPath"), 2u);
    EXPECT_LT(svg.size(), 300u * bytesPerCard);
  }
  // A failed write leaves nothing behind, not even the temporary file.
  EXPECT_FALSE(writeSVG(cards(1, 1), dir / "missing" / "a.svg").ok);
  std::filesystem::remove(dir / "cards.svg");
  EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
}
