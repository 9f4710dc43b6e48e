// A truth value whose variants come from other truth value items.
#pragma once

#include <memory>

#include "TavloData/AliasReferences.h"
#include "TavloData/ThemeableBoolean.h"

namespace tavlo {

class MerrinColorBooleanAlias : public ItemAliasSettable {
 public:
  using ItemAliasSettable::ItemAliasSettable;

  // A new value from the four stored references; an unresolved light
  // reference gives the kind's zero value, the other variants stay absent.
  std::shared_ptr<ThemeableBoolean> asThemedBoolean() const;
};

}  // namespace tavlo
