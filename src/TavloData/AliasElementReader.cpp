// Reading the five alias elements. References are recorded as the texts in
// the document; inflateAllAliases() resolves them once the tree is complete.
#include "TavloData/ItemElementReaders.h"
#include "TavloData/MerrinColorAlias.h"
#include "TavloData/MerrinColorBooleanAlias.h"
#include "TavloData/MerrinColorNumberAlias.h"
#include "TavloData/MerrinColorShadowAlias.h"
#include "TavloData/MerrinColorStringAlias.h"
#include "TavloData/ValueElementReader.h"
#include "xmltree/StringProvider.h"

namespace tavlo {

namespace {

using xmltree::XML;

// The element names of one appearance's reference.
struct ReferenceElements {
  std::string_view type;
  std::string_view reference;
  std::string_view index;
};

// Light, dark, light high contrast, dark high contrast: the order the alias
// constructors take them in.
constexpr ReferenceElements kLight{"type", "referencedItemId", "subIndex"};
constexpr ReferenceElements kDark{"typeDark", "referencedItemIdDark", "subIndexDark"};
constexpr ReferenceElements kLightHighContrast{"typeLightHighContrast", "referencedItemIdLightHighContrast",
                                               "subIndexLightHighContrast"};
constexpr ReferenceElements kDarkHighContrast{"typeDarkHighContrast", "referencedItemIdDarkHighContrast",
                                              "subIndexDarkHighContrast"};

std::string referenceText(const XML& element, const ReferenceElements& names) {
  return std::string(childText(element, names.reference).value_or(std::string_view()));
}

// Colour and shadow aliases: a missing type is "4" (nothing).
AliasSetType readSetAliasType(const XML& element, const ReferenceElements& names) {
  const std::string_view code = childText(element, names.type).value_or(AliasSetType::notSetRaw);
  if (code == AliasSetType::itemRaw) return AliasSetType::item(referenceText(element, names));
  if (code == AliasSetType::setRaw) return AliasSetType::set(referenceText(element, names));
  if (code == AliasSetType::setItemRaw) {
    auto index = childText(element, names.index);
    return AliasSetType::setItem(referenceText(element, names),
                                 (index ? xmltree::text::toInt64(*index) : std::nullopt).value_or(0));
  }
  return AliasSetType::notSet();
}

// Number, boolean and string aliases: a missing type is "1" (nothing).
ItemAliasType readItemAliasType(const XML& element, const ReferenceElements& names) {
  const std::string_view code = childText(element, names.type).value_or(ItemAliasType::notSetRaw);
  if (code == ItemAliasType::itemRaw) return ItemAliasType::item(referenceText(element, names));
  return ItemAliasType::notSet();
}

template <class Alias>
ParsedItem<Alias> parseSetAliasElement(const XML& element, bool generateNewIds) {
  std::string id = readIdentifier(element, generateNewIds);
  std::string name = readItemName(element);
  const ParsedAppearance appearance = parseAppearance(element);
  return {std::move(name), std::move(id),
          std::make_shared<Alias>(readSetAliasType(element, kLight), readSetAliasType(element, kDark),
                                  readSetAliasType(element, kLightHighContrast),
                                  readSetAliasType(element, kDarkHighContrast), appearance.appearance,
                                  appearance.autoContrast)};
}

// Unlike number, boolean and string items, their aliases keep `autoContrast`.
template <class Alias>
ParsedItem<Alias> parseItemAliasElement(const XML& element, bool generateNewIds) {
  std::string id = readIdentifier(element, generateNewIds);
  std::string name = readItemName(element);
  const ParsedAppearance appearance = parseAppearance(element);
  return {std::move(name), std::move(id),
          std::make_shared<Alias>(readItemAliasType(element, kLight), readItemAliasType(element, kDark),
                                  readItemAliasType(element, kLightHighContrast),
                                  readItemAliasType(element, kDarkHighContrast), appearance.appearance,
                                  appearance.autoContrast)};
}

}  // namespace

ParsedItem<MerrinColorAlias> parseColorAlias(const XML& element, bool generateNewIds) {
  return parseSetAliasElement<MerrinColorAlias>(element, generateNewIds);
}

ParsedItem<MerrinColorShadowAlias> parseShadowAlias(const XML& element, bool generateNewIds) {
  return parseSetAliasElement<MerrinColorShadowAlias>(element, generateNewIds);
}

ParsedItem<MerrinColorNumberAlias> parseNumberAlias(const XML& element, bool generateNewIds) {
  return parseItemAliasElement<MerrinColorNumberAlias>(element, generateNewIds);
}

ParsedItem<MerrinColorBooleanAlias> parseBooleanAlias(const XML& element, bool generateNewIds) {
  return parseItemAliasElement<MerrinColorBooleanAlias>(element, generateNewIds);
}

ParsedItem<MerrinColorStringAlias> parseStringAlias(const XML& element, bool generateNewIds) {
  return parseItemAliasElement<MerrinColorStringAlias>(element, generateNewIds);
}

}  // namespace tavlo
