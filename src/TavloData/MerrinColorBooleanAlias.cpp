#include "TavloData/MerrinColorBooleanAlias.h"

#include "TavloData/ItemAliasValues.h"
#include "TavloData/MerrinColorBoolean.h"
#include "TavloData/MerrinColorProjectItem.h"

namespace tavlo {

MerrinColorBooleanAlias::MerrinColorBooleanAlias()
    : MerrinColorBooleanAlias({}, {}, {}, {}, AppearanceType::none, 0) {}

MerrinColorBooleanAlias::MerrinColorBooleanAlias(ItemAliasType aliasType, ItemAliasType darkAliasType,
                                                 ItemAliasType highContrastAliasType,
                                                 ItemAliasType darkHighContrastAliasType,
                                                 AppearanceType appearanceType, double autoContrastAmount)
    : ItemAliasSettable(std::move(aliasType), std::move(darkAliasType), std::move(highContrastAliasType),
                        std::move(darkHighContrastAliasType), appearanceType, autoContrastAmount) {}

std::shared_ptr<ThemeableBoolean> MerrinColorBooleanAlias::asThemedBoolean() const {
  return ItemAliasValues::asThemedValue<ThemeableBoolean>(
      *this,
      [](const MerrinColorProjectItem& node) { return node.boolean() ? node.boolean()->value() : nullptr; },
      false);
}

}  // namespace tavlo
