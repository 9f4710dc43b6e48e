// A number in up to four appearance variants.
#pragma once

#include "TavloData/ThemeableVariants.h"

namespace tavlo {

class ThemeableNumber : public ThemeableVariants<double> {
 public:
  explicit ThemeableNumber(double lightVariant, std::optional<double> darkVariant = std::nullopt,
                           std::optional<double> lightVariantHighContrast = std::nullopt,
                           std::optional<double> darkVariantHighContrast = std::nullopt)
      : ThemeableVariants(lightVariant, darkVariant, lightVariantHighContrast, darkVariantHighContrast) {}

  bool operator==(const ThemeableNumber& other) const { return sameVariants(other); }
};

}  // namespace tavlo
