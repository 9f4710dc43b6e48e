// A shadow in up to four appearance variants. Also the step of a shadow
// ramp, hence the name and identifier. Variants are shared ShadowDetails
// objects; an absent variant is an empty optional, never a null pointer.
#pragma once

#include <memory>
#include <string>

#include "TavloData/ShadowDetails.h"
#include "TavloData/ThemeableVariants.h"

namespace tavlo {

using ShadowDetailsRef = std::shared_ptr<ShadowDetails>;

class ThemeableShadow : public NamedThemeableVariants<ShadowDetailsRef> {
 public:
  using NamedThemeableVariants::NamedThemeableVariants;

  // A new value with the given identity sharing the four ShadowDetails of `other`.
  static std::shared_ptr<ThemeableShadow> takingValuesFrom(std::string uuid, std::string name,
                                                           const ThemeableShadow& other) {
    return withVariantsOf(std::move(uuid), std::move(name), other);
  }
};

}  // namespace tavlo
