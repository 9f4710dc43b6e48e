#include "TavloData/MerrinColorNumberAlias.h"

#include "TavloData/ItemAliasValues.h"
#include "TavloData/MerrinColorNumber.h"
#include "TavloData/MerrinColorProjectItem.h"

namespace tavlo {

std::shared_ptr<ThemeableNumber> MerrinColorNumberAlias::asThemedNumber() const {
  return ItemAliasValues::asThemedValue<ThemeableNumber>(
      *this,
      [](const MerrinColorProjectItem& node) { return node.number() ? node.number()->value() : nullptr; },
      0.0);
}

}  // namespace tavlo
