// A text in up to four appearance variants.
#pragma once

#include <string>

#include "TavloData/ThemeableVariants.h"

namespace tavlo {

class ThemeableString : public ThemeableVariants<std::string> {
 public:
  explicit ThemeableString(std::string lightVariant, std::optional<std::string> darkVariant = std::nullopt,
                           std::optional<std::string> lightVariantHighContrast = std::nullopt,
                           std::optional<std::string> darkVariantHighContrast = std::nullopt)
      : ThemeableVariants(std::move(lightVariant), std::move(darkVariant),
                          std::move(lightVariantHighContrast), std::move(darkVariantHighContrast)) {}

  bool operator==(const ThemeableString& other) const { return sameVariants(other); }
};

}  // namespace tavlo
