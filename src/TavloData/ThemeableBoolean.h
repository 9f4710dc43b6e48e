// A truth value in up to four appearance variants.
#pragma once

#include "TavloData/ThemeableVariants.h"

namespace tavlo {

class ThemeableBoolean : public ThemeableVariants<bool> {
 public:
  explicit ThemeableBoolean(bool lightVariant, std::optional<bool> darkVariant = std::nullopt,
                            std::optional<bool> lightVariantHighContrast = std::nullopt,
                            std::optional<bool> darkVariantHighContrast = std::nullopt)
      : ThemeableVariants(lightVariant, darkVariant, lightVariantHighContrast, darkVariantHighContrast) {}

  bool operator==(const ThemeableBoolean& other) const { return sameVariants(other); }
};

}  // namespace tavlo
