#include <lcms2.h>
#include <png.h>

#include <csetjmp>
#include <string>
#include <vector>

#include "hostkit/Renderer.h"

namespace hostkit {

namespace {

// The Display P3 profile: the DCI-P3 primaries with the D65 white point and
// the sRGB transfer curve, written once with Little CMS.
const std::vector<unsigned char>& displayP3Profile() {
  static const std::vector<unsigned char> profile = [] {
    std::vector<unsigned char> bytes;
    const cmsCIExyY white{0.3127, 0.3290, 1.0};
    const cmsCIExyYTRIPLE primaries{{0.680, 0.320, 1.0}, {0.265, 0.690, 1.0}, {0.150, 0.060, 1.0}};
    // The sRGB curve as an ICC parametric curve of type 4:
    // Y = (aX + b)^g for X >= d, Y = cX below.
    const cmsFloat64Number params[5] = {2.4, 1.0 / 1.055, 0.055 / 1.055, 1.0 / 12.92, 0.04045};
    cmsToneCurve* curve = cmsBuildParametricToneCurve(nullptr, 4, params);
    if (!curve) return bytes;
    cmsToneCurve* curves[3] = {curve, curve, curve};
    cmsHPROFILE p = cmsCreateRGBProfile(&white, &primaries, curves);
    cmsFreeToneCurve(curve);
    if (!p) return bytes;
    cmsMLU* description = cmsMLUalloc(nullptr, 1);
    cmsMLUsetASCII(description, "en", "US", "Display P3");
    cmsWriteTag(p, cmsSigProfileDescriptionTag, description);
    cmsMLUfree(description);
    cmsUInt32Number size = 0;
    if (cmsSaveProfileToMem(p, nullptr, &size) && size > 0) {
      bytes.resize(size);
      if (!cmsSaveProfileToMem(p, bytes.data(), &size)) bytes.clear();
    }
    cmsCloseProfile(p);
    return bytes;
  }();
  return profile;
}

void appendPng(png_structp png, png_bytep data, png_size_t length) {
  auto* out = static_cast<std::vector<unsigned char>*>(png_get_io_ptr(png));
  out->insert(out->end(), data, data + length);
}

void flushPng(png_structp) {}

struct PngError {
  std::string message;
};

void pngError(png_structp png, png_const_charp message) {
  auto* error = static_cast<PngError*>(png_get_error_ptr(png));
  if (error) error->message = message ? message : "PNG error";
  png_longjmp(png, 1);
}

void pngWarning(png_structp, png_const_charp) {}

}  // namespace

std::optional<std::vector<unsigned char>> encodePNG(const Raster& raster, std::string* error) {
  auto fail = [&](std::string message) -> std::optional<std::vector<unsigned char>> {
    if (error) *error = std::move(message);
    return std::nullopt;
  };
  if (raster.width <= 0 || raster.height <= 0 ||
      raster.pixels.size() !=
          static_cast<std::size_t>(raster.width) * static_cast<std::size_t>(raster.height))
    return fail("cannot write an empty image");

  // One straight (unpremultiplied) RGBA row at a time, as PNG wants them;
  // bands are large, so the whole image is never copied.
  std::vector<unsigned char> row(static_cast<std::size_t>(raster.width) * 4);

  std::vector<unsigned char> out;
  PngError pngFailure;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, &pngFailure, pngError, pngWarning);
  if (!png) return fail("cannot start the PNG writer");
  png_infop info = png_create_info_struct(png);
  if (!info) {
    png_destroy_write_struct(&png, nullptr);
    return fail("cannot start the PNG writer");
  }
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    return fail("cannot encode the PNG: " + pngFailure.message);
  }
  png_set_write_fn(png, &out, appendPng, flushPng);
  // Previews are large flat areas: a fast zlib level with the sub filter
  // costs a fraction of the default's time for files barely larger.
  png_set_compression_level(png, 2);
  png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_SUB);
  png_set_IHDR(png, info, static_cast<png_uint_32>(raster.width), static_cast<png_uint_32>(raster.height), 8,
               PNG_COLOR_TYPE_RGB_ALPHA, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
               PNG_FILTER_TYPE_DEFAULT);
  if (raster.outputSpace == OutputSpace::displayP3) {
    const auto& profile = displayP3Profile();
    if (profile.empty()) {
      png_destroy_write_struct(&png, &info);
      return fail("cannot make the Display P3 profile");
    }
    png_set_iCCP(png, info, "Display P3", PNG_COMPRESSION_TYPE_BASE, profile.data(),
                 static_cast<png_uint_32>(profile.size()));
  } else {
    png_set_sRGB(png, info, PNG_sRGB_INTENT_PERCEPTUAL);
  }
  png_write_info(png, info);
  for (int y = 0; y < raster.height; ++y) {
    for (int x = 0; x < raster.width; ++x) {
      const Rgba8 p = raster.pixel(x, y);
      unsigned char* o = &row[static_cast<std::size_t>(x) * 4];
      o[0] = p.r, o[1] = p.g, o[2] = p.b, o[3] = p.a;
    }
    png_write_row(png, row.data());
  }
  png_write_end(png, info);
  png_destroy_write_struct(&png, &info);
  return out;
}

}  // namespace hostkit
