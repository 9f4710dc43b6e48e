#include "TavloData/MerrinColorSpace.h"

#include <array>

#include "TavloData/EnumTable.h"

namespace tavlo {

namespace {

struct SpaceRow {
  MerrinColorSpace value;
  std::string_view raw;
  mcu::ColorSpace colorSpace;
  mcu::PlatformColorSpace platformSpace;
};

constexpr std::array<SpaceRow, 3> kSpaces{{
    {MerrinColorSpace::rgb, "sRGB", mcu::ColorSpace::sRGB, mcu::PlatformColorSpace::sRGB()},
    {MerrinColorSpace::displayP3, "DisplayP3", mcu::ColorSpace::displayP3,
     mcu::PlatformColorSpace::displayP3()},
    {MerrinColorSpace::sRGBExtended, "extendedSRGB", mcu::ColorSpace::sRGBExtended,
     mcu::PlatformColorSpace::extendedSRGB()},
}};

}  // namespace

std::string_view rawValue(MerrinColorSpace space) {
  return enumEntry(kSpaces, space).raw;
}

std::optional<MerrinColorSpace> merrinColorSpaceFromRaw(std::string_view raw) {
  return enumFromRaw(kSpaces, raw);
}

MerrinColorSpace merrinColorSpaceFromString(std::optional<std::string_view> text) {
  if (!text) return MerrinColorSpace::rgb;
  return merrinColorSpaceFromRaw(*text).value_or(MerrinColorSpace::rgb);
}

MerrinColorSpace merrinColorSpaceFromCSSColorSpace(std::string_view css) {
  return css == "display-p3" ? MerrinColorSpace::displayP3 : MerrinColorSpace::rgb;
}

MerrinColorSpace merrinColorSpaceFrom(mcu::ColorSpace space) {
  for (const auto& row : kSpaces)
    if (row.colorSpace == space) return row.value;
  return MerrinColorSpace::displayP3;
}

MerrinColorSpace merrinColorSpaceFrom(const mcu::PlatformColorSpace& space) {
  for (const auto& row : kSpaces)
    if (row.platformSpace == space) return row.value;
  return MerrinColorSpace::rgb;
}

mcu::ColorSpace asColorSpace(MerrinColorSpace space) {
  return enumEntry(kSpaces, space).colorSpace;
}

mcu::PlatformColorSpace asNSColorSpace(MerrinColorSpace space) {
  return enumEntry(kSpaces, space).platformSpace;
}

}  // namespace tavlo
