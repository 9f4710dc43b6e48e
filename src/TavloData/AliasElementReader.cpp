// Reading the five alias elements. References are recorded as the texts in
// the document; inflateAllAliases() resolves them once the tree is complete.
#include "TavloData/ItemElementReaders.h"
#include "TavloData/MerrinColorAlias.h"
#include "TavloData/MerrinColorBooleanAlias.h"
#include "TavloData/MerrinColorNumberAlias.h"
#include "TavloData/MerrinColorShadowAlias.h"
#include "TavloData/MerrinColorStringAlias.h"
#include "TavloData/ReadDiagnostics.h"
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

// Where each reference is written, by ColorSource: its reference element,
// else its type element, else the alias element itself.
ReadDiagnostics::AliasSource referenceSource(const XML& element, ReadDiagnostics& diagnostics) {
  ReadDiagnostics::AliasSource source{{}, diagnostics.currentItem()};
  const ReferenceElements* bySource[] = {&kLight, &kLightHighContrast, &kDark, &kDarkHighContrast};
  for (std::size_t i = 0; i < 4; ++i) {
    const XML* at = firstChildElement(element, bySource[i]->reference);
    if (!at) at = firstChildElement(element, bySource[i]->type);
    source.references[i] = ReadDiagnostics::positionOf(at ? *at : element);
  }
  return source;
}

// Every alias element: the four references read by `readReference`, then
// the appearance. Unlike number, boolean and string items, their aliases
// keep `autoContrast`.
template <class Alias, class ReadReference>
ParsedItem<Alias> parseAliasElement(const XML& element, bool generateNewIds, ReadReference readReference) {
  std::string id = readIdentifier(element, generateNewIds);
  std::string name = readItemName(element);
  const ParsedAppearance appearance = parseAppearance(element);
  auto alias = std::make_shared<Alias>(readReference(element, kLight), readReference(element, kDark),
                                       readReference(element, kLightHighContrast),
                                       readReference(element, kDarkHighContrast), appearance.appearance,
                                       appearance.autoContrast);
  // The references are checked when they are resolved, after the whole document is read.
  if (ReadDiagnostics* diagnostics = activeReadDiagnostics())
    diagnostics->recordAlias(aliasKey(*alias), referenceSource(element, *diagnostics));
  return {std::move(name), std::move(id), std::move(alias)};
}

}  // namespace

ParsedItem<MerrinColorAlias> parseColorAlias(const XML& element, bool generateNewIds) {
  return parseAliasElement<MerrinColorAlias>(element, generateNewIds, readSetAliasType);
}

ParsedItem<MerrinColorShadowAlias> parseShadowAlias(const XML& element, bool generateNewIds) {
  return parseAliasElement<MerrinColorShadowAlias>(element, generateNewIds, readSetAliasType);
}

ParsedItem<MerrinColorNumberAlias> parseNumberAlias(const XML& element, bool generateNewIds) {
  return parseAliasElement<MerrinColorNumberAlias>(element, generateNewIds, readItemAliasType);
}

ParsedItem<MerrinColorBooleanAlias> parseBooleanAlias(const XML& element, bool generateNewIds) {
  return parseAliasElement<MerrinColorBooleanAlias>(element, generateNewIds, readItemAliasType);
}

ParsedItem<MerrinColorStringAlias> parseStringAlias(const XML& element, bool generateNewIds) {
  return parseAliasElement<MerrinColorStringAlias>(element, generateNewIds, readItemAliasType);
}

}  // namespace tavlo
