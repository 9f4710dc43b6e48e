#include "MerrinColorUtils/platform/PlatformColorSpace.h"

#include <array>

namespace mcu {

namespace {

struct SpaceInfo {
  PlatformColorSpaceName name;
  std::string_view displayName;
  ColorSpaceModel model;
  bool extended;
};

// One row per named space, in declaration order.
constexpr std::array<SpaceInfo, 14> kSpaces{{
    {PlatformColorSpaceName::sRGB, "sRGB", ColorSpaceModel::rgb, false},
    {PlatformColorSpaceName::extendedSRGB, "Extended sRGB", ColorSpaceModel::rgb, true},
    {PlatformColorSpaceName::displayP3, "Display P3", ColorSpaceModel::rgb, false},
    {PlatformColorSpaceName::extendedDisplayP3, "Extended Display P3", ColorSpaceModel::rgb, true},
    {PlatformColorSpaceName::extendedLinearSRGB, "Extended Linear sRGB", ColorSpaceModel::rgb, true},
    {PlatformColorSpaceName::adobeRGB1998, "Adobe RGB (1998)", ColorSpaceModel::rgb, false},
    {PlatformColorSpaceName::deviceRGB, "Device RGB", ColorSpaceModel::rgb, false},
    {PlatformColorSpaceName::genericRGB, "Generic RGB", ColorSpaceModel::rgb, false},
    {PlatformColorSpaceName::deviceGray, "Device Gray", ColorSpaceModel::grey, false},
    {PlatformColorSpaceName::genericGray, "Generic Gray", ColorSpaceModel::grey, false},
    {PlatformColorSpaceName::genericGamma22Gray, "Generic Gray Gamma 2.2", ColorSpaceModel::grey, false},
    {PlatformColorSpaceName::extendedGenericGamma22Gray, "Extended Generic Gray Gamma 2.2",
     ColorSpaceModel::grey, true},
    {PlatformColorSpaceName::deviceCMYK, "Device CMYK", ColorSpaceModel::cmyk, false},
    {PlatformColorSpaceName::genericCMYK, "Generic CMYK", ColorSpaceModel::cmyk, false},
}};

constexpr bool tableInOrder() {
  for (std::size_t i = 0; i < kSpaces.size(); ++i) {
    if (static_cast<std::size_t>(kSpaces[i].name) != i) return false;
  }
  return true;
}
static_assert(tableInOrder(), "kSpaces must list the spaces in declaration order");

const SpaceInfo& info(PlatformColorSpaceName name) {
  return kSpaces[static_cast<std::size_t>(name)];
}

}  // namespace

std::string_view displayName(PlatformColorSpaceName name) {
  return info(name).displayName;
}

ColorSpaceModel PlatformColorSpace::colorSpaceModel() const {
  return info(name_).model;
}

int PlatformColorSpace::numberOfColorComponents() const {
  switch (colorSpaceModel()) {
    case ColorSpaceModel::rgb:
      return 3;
    case ColorSpaceModel::grey:
      return 1;
    case ColorSpaceModel::cmyk:
      return 4;
  }
  return 3;
}

bool PlatformColorSpace::isExtended() const {
  return info(name_).extended;
}

}  // namespace mcu
