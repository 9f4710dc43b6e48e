#include "TavloData/MerrinColorSpace.h"

namespace tavlo {

std::string_view rawValue(MerrinColorSpace space) {
  switch (space) {
    case MerrinColorSpace::displayP3:
      return "DisplayP3";
    case MerrinColorSpace::sRGBExtended:
      return "extendedSRGB";
    case MerrinColorSpace::rgb:
      break;
  }
  return "sRGB";
}

std::optional<MerrinColorSpace> merrinColorSpaceFromRaw(std::string_view raw) {
  for (MerrinColorSpace space :
       {MerrinColorSpace::rgb, MerrinColorSpace::displayP3, MerrinColorSpace::sRGBExtended})
    if (rawValue(space) == raw) return space;
  return std::nullopt;
}

MerrinColorSpace merrinColorSpaceFromString(std::optional<std::string_view> text) {
  if (!text) return MerrinColorSpace::rgb;
  return merrinColorSpaceFromRaw(*text).value_or(MerrinColorSpace::rgb);
}

MerrinColorSpace merrinColorSpaceFromCSSColorSpace(std::string_view css) {
  return css == "display-p3" ? MerrinColorSpace::displayP3 : MerrinColorSpace::rgb;
}

MerrinColorSpace merrinColorSpaceFrom(mcu::ColorSpace space) {
  switch (space) {
    case mcu::ColorSpace::sRGB:
      return MerrinColorSpace::rgb;
    case mcu::ColorSpace::sRGBExtended:
      return MerrinColorSpace::sRGBExtended;
    case mcu::ColorSpace::displayP3:
    case mcu::ColorSpace::oklab:
    case mcu::ColorSpace::oklch:
      break;
  }
  return MerrinColorSpace::displayP3;
}

MerrinColorSpace merrinColorSpaceFrom(const mcu::PlatformColorSpace& space) {
  if (space == mcu::PlatformColorSpace::displayP3()) return MerrinColorSpace::displayP3;
  if (space == mcu::PlatformColorSpace::extendedSRGB()) return MerrinColorSpace::sRGBExtended;
  return MerrinColorSpace::rgb;
}

mcu::ColorSpace asColorSpace(MerrinColorSpace space) {
  switch (space) {
    case MerrinColorSpace::displayP3:
      return mcu::ColorSpace::displayP3;
    case MerrinColorSpace::sRGBExtended:
      return mcu::ColorSpace::sRGBExtended;
    case MerrinColorSpace::rgb:
      break;
  }
  return mcu::ColorSpace::sRGB;
}

mcu::PlatformColorSpace asNSColorSpace(MerrinColorSpace space) {
  switch (space) {
    case MerrinColorSpace::displayP3:
      return mcu::PlatformColorSpace::displayP3();
    case MerrinColorSpace::sRGBExtended:
      return mcu::PlatformColorSpace::extendedSRGB();
    case MerrinColorSpace::rgb:
      break;
  }
  return mcu::PlatformColorSpace::sRGB();
}

}  // namespace tavlo
