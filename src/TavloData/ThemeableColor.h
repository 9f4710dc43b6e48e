// A colour in up to four appearance variants. Also the step of a colour
// ramp, which is why it carries a name and its own identifier.
#pragma once

#include <memory>
#include <string>

#include "MerrinColorUtils/platform/PlatformColor.h"
#include "TavloData/ThemeableVariants.h"

namespace tavlo {

class ThemeableColor : public NamedThemeableVariants<mcu::PlatformColor> {
 public:
  using NamedThemeableVariants::NamedThemeableVariants;

  // A new value with the given identity and the four colours of `other`.
  static std::shared_ptr<ThemeableColor> takingColorsFrom(std::string uuid, std::string name,
                                                          const ThemeableColor& other) {
    return withVariantsOf(std::move(uuid), std::move(name), other);
  }

  // Same uuid, name and variants (a variant absent in both counts as equal).
  bool operator==(const ThemeableColor& other) const {
    return uuid() == other.uuid() && name() == other.name() && sameVariants(other);
  }
};

}  // namespace tavlo
