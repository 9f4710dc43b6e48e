#include "TavloData/DefaultColors.h"

#include "TavloData/UUID.h"

namespace tavlo::DefaultColors {

namespace {

std::shared_ptr<ThemeableColor> make(std::string name, mcu::PlatformColor light) {
  return std::make_shared<ThemeableColor>(makeUUIDString(), std::move(name), std::move(light));
}

}  // namespace

const std::shared_ptr<ThemeableColor>& white() {
  static const auto color = make("White", mcu::PlatformColor::sRGBWhite());
  return color;
}

const std::shared_ptr<ThemeableColor>& black() {
  static const auto color = make("Black", mcu::PlatformColor::sRGBBlack());
  return color;
}

// The two greys are spelled differently; documents and exports carry these names.
const std::shared_ptr<ThemeableColor>& lightGray() {
  static const auto color = make("Light Grey", mcu::PlatformColor::colorWithSRGBRed(0.83, 0.83, 0.83, 1));
  return color;
}

const std::shared_ptr<ThemeableColor>& darkGray() {
  static const auto color = make("Dark Gray", mcu::PlatformColor::colorWithSRGBRed(0.66, 0.66, 0.66, 1));
  return color;
}

}  // namespace tavlo::DefaultColors
