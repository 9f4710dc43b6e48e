// A text in up to four appearance variants.
#pragma once

#include <string>

#include "TavloData/ThemeableVariants.h"

namespace tavlo {

class ThemeableString : public ThemeableValue<std::string> {
 public:
  using ThemeableValue::ThemeableValue;
};

}  // namespace tavlo
