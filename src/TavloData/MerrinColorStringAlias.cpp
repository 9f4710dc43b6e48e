#include "TavloData/MerrinColorStringAlias.h"

#include "TavloData/ItemAliasValues.h"
#include "TavloData/MerrinColorProjectItem.h"
#include "TavloData/MerrinColorString.h"

namespace tavlo {

std::shared_ptr<ThemeableString> MerrinColorStringAlias::asThemedString() const {
  return ItemAliasValues::asThemedValue<ThemeableString>(
      *this,
      [](const MerrinColorProjectItem& node) { return node.string() ? node.string()->value() : nullptr; },
      std::string());
}

}  // namespace tavlo
