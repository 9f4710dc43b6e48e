// A text whose variants come from other text items.
#pragma once

#include <memory>

#include "TavloData/AliasReferences.h"
#include "TavloData/ThemeableString.h"

namespace tavlo {

class MerrinColorStringAlias : public ItemAliasSettable {
 public:
  using ItemAliasSettable::ItemAliasSettable;

  // A new value from the four stored references; an unresolved light
  // reference gives the kind's zero value, the other variants stay absent.
  std::shared_ptr<ThemeableString> asThemedString() const;
};

}  // namespace tavlo
