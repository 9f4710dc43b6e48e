// The variant bookkeeping that runs when a value item's appearance type
// changes to a type whose variants the user picks. Automatic types are the
// item's own business (colour and shadow items derive, the others do
// nothing).
#pragma once

#include <optional>

#include "TavloData/AppearanceType.h"
#include "TavloData/ThemeableVariants.h"

namespace tavlo {

// `copy` makes the value a new variant starts from: the value itself for
// colours, numbers and texts, a clone for shadows (never the shared object).
template <class T, class Copy>
void adjustVariantsForAppearance(ThemeableVariants<T>& value, AppearanceType newType, Copy copy) {
  switch (newType) {
    case AppearanceType::none:
      value.setLightVariantHighContrast(std::nullopt);
      value.setDarkVariant(std::nullopt);
      value.setDarkVariantHighContrast(std::nullopt);
      break;
    case AppearanceType::lightAndDark:
      if (!value.darkVariant()) value.setDarkVariant(copy(value.lightVariant()));
      value.setLightVariantHighContrast(std::nullopt);
      value.setDarkVariantHighContrast(std::nullopt);
      break;
    case AppearanceType::highContrast:
      if (!value.lightVariantHighContrast()) value.setLightVariantHighContrast(copy(value.lightVariant()));
      value.setDarkVariant(std::nullopt);
      value.setDarkVariantHighContrast(std::nullopt);
      break;
    case AppearanceType::lightDarkHighContrast:
      if (!value.darkVariant()) value.setDarkVariant(copy(value.lightVariant()));
      if (!value.lightVariantHighContrast()) value.setLightVariantHighContrast(copy(value.lightVariant()));
      if (!value.darkVariantHighContrast())
        value.setDarkVariantHighContrast(
            copy(value.darkVariant() ? *value.darkVariant() : value.lightVariant()));
      break;
    case AppearanceType::highContrastAuto:
    case AppearanceType::lightDarkHighContrastAuto:
      break;
  }
}

inline constexpr auto sameValue = [](const auto& value) { return value; };

}  // namespace tavlo
