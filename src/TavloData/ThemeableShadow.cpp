#include "TavloData/ThemeableShadow.h"

#include "TavloData/UUID.h"

namespace tavlo {

ThemeableShadow::ThemeableShadow(std::string uuid, std::string name, ShadowDetailsRef lightVariant,
                                 std::optional<ShadowDetailsRef> darkVariant,
                                 std::optional<ShadowDetailsRef> lightVariantHighContrast,
                                 std::optional<ShadowDetailsRef> darkVariantHighContrast)
    : ThemeableVariants(std::move(lightVariant), std::move(darkVariant), std::move(lightVariantHighContrast),
                        std::move(darkVariantHighContrast)),
      name_(std::move(name)),
      uuid_(std::move(uuid)) {}

std::shared_ptr<ThemeableShadow> ThemeableShadow::takingValuesFrom(std::string uuid, std::string name,
                                                                   const ThemeableShadow& other) {
  return std::make_shared<ThemeableShadow>(std::move(uuid), std::move(name), other.lightVariant(),
                                           other.darkVariant(), other.lightVariantHighContrast(),
                                           other.darkVariantHighContrast());
}

const std::string& ThemeableShadow::uuid() const {
  if (uuid_.empty()) uuid_ = makeUUIDString();
  return uuid_;
}

}  // namespace tavlo
