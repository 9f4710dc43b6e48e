#include "TavloData/MerrinColorNumberAlias.h"

#include "TavloData/ItemAliasValues.h"
#include "TavloData/MerrinColorNumber.h"
#include "TavloData/MerrinColorProjectItem.h"

namespace tavlo {

MerrinColorNumberAlias::MerrinColorNumberAlias()
    : MerrinColorNumberAlias({}, {}, {}, {}, AppearanceType::none, 0) {}

MerrinColorNumberAlias::MerrinColorNumberAlias(ItemAliasType aliasType, ItemAliasType darkAliasType,
                                               ItemAliasType highContrastAliasType,
                                               ItemAliasType darkHighContrastAliasType,
                                               AppearanceType appearanceType, double autoContrastAmount)
    : ItemAliasSettable(std::move(aliasType), std::move(darkAliasType), std::move(highContrastAliasType),
                        std::move(darkHighContrastAliasType), appearanceType, autoContrastAmount) {}

std::shared_ptr<ThemeableNumber> MerrinColorNumberAlias::asThemedNumber() const {
  return ItemAliasValues::asThemedValue<ThemeableNumber>(
      *this,
      [](const MerrinColorProjectItem& node) { return node.number() ? node.number()->value() : nullptr; },
      0.0);
}

}  // namespace tavlo
