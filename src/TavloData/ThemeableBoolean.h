// A truth value in up to four appearance variants.
#pragma once

#include "TavloData/ThemeableVariants.h"

namespace tavlo {

class ThemeableBoolean : public ThemeableValue<bool> {
 public:
  using ThemeableValue::ThemeableValue;
};

}  // namespace tavlo
