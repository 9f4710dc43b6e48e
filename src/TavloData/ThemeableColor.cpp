#include "TavloData/ThemeableColor.h"

#include "TavloData/UUID.h"

namespace tavlo {

ThemeableColor::ThemeableColor(std::string uuid, std::string name, mcu::PlatformColor lightVariant,
                               std::optional<mcu::PlatformColor> darkVariant,
                               std::optional<mcu::PlatformColor> lightVariantHighContrast,
                               std::optional<mcu::PlatformColor> darkVariantHighContrast)
    : ThemeableVariants(std::move(lightVariant), std::move(darkVariant), std::move(lightVariantHighContrast),
                        std::move(darkVariantHighContrast)),
      name_(std::move(name)),
      uuid_(std::move(uuid)) {}

std::shared_ptr<ThemeableColor> ThemeableColor::takingColorsFrom(std::string uuid, std::string name,
                                                                 const ThemeableColor& other) {
  return std::make_shared<ThemeableColor>(std::move(uuid), std::move(name), other.lightVariant(),
                                          other.darkVariant(), other.lightVariantHighContrast(),
                                          other.darkVariantHighContrast());
}

bool ThemeableColor::operator==(const ThemeableColor& other) const {
  return uuid() == other.uuid() && name_ == other.name_ && sameVariants(other);
}

const std::string& ThemeableColor::uuid() const {
  if (uuid_.empty()) uuid_ = makeUUIDString();
  return uuid_;
}

}  // namespace tavlo
