// A number whose variants come from other number items.
#pragma once

#include <memory>

#include "TavloData/AliasReferences.h"
#include "TavloData/ThemeableNumber.h"

namespace tavlo {

class MerrinColorNumberAlias : public ItemAliasSettable {
 public:
  using ItemAliasSettable::ItemAliasSettable;

  // A new value from the four stored references; an unresolved light
  // reference gives the kind's zero value, the other variants stay absent.
  std::shared_ptr<ThemeableNumber> asThemedNumber() const;
};

}  // namespace tavlo
