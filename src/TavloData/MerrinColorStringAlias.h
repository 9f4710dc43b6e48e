// A text whose variants come from other text items.
#pragma once

#include <memory>

#include "TavloData/AliasReferences.h"
#include "TavloData/ThemeableString.h"

namespace tavlo {

class MerrinColorStringAlias : public ItemAliasSettable {
 public:
  // Nothing referenced, appearance none, auto contrast 0.
  MerrinColorStringAlias();
  MerrinColorStringAlias(ItemAliasType aliasType, ItemAliasType darkAliasType,
                         ItemAliasType highContrastAliasType, ItemAliasType darkHighContrastAliasType,
                         AppearanceType appearanceType, double autoContrastAmount);

  // A new value from the four stored references; an unresolved light
  // reference gives the kind's zero value, the other variants stay absent.
  std::shared_ptr<ThemeableString> asThemedString() const;
};

}  // namespace tavlo
