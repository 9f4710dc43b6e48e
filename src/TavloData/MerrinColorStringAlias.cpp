#include "TavloData/MerrinColorStringAlias.h"

#include "TavloData/ItemAliasValues.h"
#include "TavloData/MerrinColorProjectItem.h"
#include "TavloData/MerrinColorString.h"

namespace tavlo {

MerrinColorStringAlias::MerrinColorStringAlias()
    : MerrinColorStringAlias({}, {}, {}, {}, AppearanceType::none, 0) {}

MerrinColorStringAlias::MerrinColorStringAlias(ItemAliasType aliasType, ItemAliasType darkAliasType,
                                               ItemAliasType highContrastAliasType,
                                               ItemAliasType darkHighContrastAliasType,
                                               AppearanceType appearanceType, double autoContrastAmount)
    : ItemAliasSettable(std::move(aliasType), std::move(darkAliasType), std::move(highContrastAliasType),
                        std::move(darkHighContrastAliasType), appearanceType, autoContrastAmount) {}

std::shared_ptr<ThemeableString> MerrinColorStringAlias::asThemedString() const {
  return ItemAliasValues::asThemedValue<ThemeableString>(
      *this,
      [](const MerrinColorProjectItem& node) { return node.string() ? node.string()->value() : nullptr; },
      std::string());
}

}  // namespace tavlo
