// A number in up to four appearance variants.
#pragma once

#include "TavloData/ThemeableVariants.h"

namespace tavlo {

class ThemeableNumber : public ThemeableValue<double> {
 public:
  using ThemeableValue::ThemeableValue;
};

}  // namespace tavlo
