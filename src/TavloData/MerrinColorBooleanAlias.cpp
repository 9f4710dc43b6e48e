#include "TavloData/MerrinColorBooleanAlias.h"

#include "TavloData/ItemAliasValues.h"
#include "TavloData/MerrinColorBoolean.h"
#include "TavloData/MerrinColorProjectItem.h"

namespace tavlo {

std::shared_ptr<ThemeableBoolean> MerrinColorBooleanAlias::asThemedBoolean() const {
  return ItemAliasValues::asThemedValue<ThemeableBoolean>(
      *this,
      [](const MerrinColorProjectItem& node) { return node.boolean() ? node.boolean()->value() : nullptr; },
      false);
}

}  // namespace tavlo
