// A number whose variants come from other number items.
#pragma once

#include <memory>

#include "TavloData/AliasReferences.h"
#include "TavloData/ThemeableNumber.h"

namespace tavlo {

class MerrinColorNumberAlias : public ItemAliasSettable {
 public:
  // Nothing referenced, appearance none, auto contrast 0.
  MerrinColorNumberAlias();
  MerrinColorNumberAlias(ItemAliasType aliasType, ItemAliasType darkAliasType,
                         ItemAliasType highContrastAliasType, ItemAliasType darkHighContrastAliasType,
                         AppearanceType appearanceType, double autoContrastAmount);

  // A new value from the four stored references; an unresolved light
  // reference gives the kind's zero value, the other variants stay absent.
  std::shared_ptr<ThemeableNumber> asThemedNumber() const;
};

}  // namespace tavlo
