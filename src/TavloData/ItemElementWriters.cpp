#include "TavloData/ItemElementWriters.h"

#include <array>
#include <charconv>
#include <cmath>
#include <string>
#include <string_view>
#include <system_error>
#include <type_traits>

#include "TavloData/AliasReferences.h"
#include "TavloData/MerrinColorAlias.h"
#include "TavloData/MerrinColorBoolean.h"
#include "TavloData/MerrinColorBooleanAlias.h"
#include "TavloData/MerrinColorFileWriter.h"
#include "TavloData/MerrinColorItem.h"
#include "TavloData/MerrinColorNumber.h"
#include "TavloData/MerrinColorNumberAlias.h"
#include "TavloData/MerrinColorProjectItem.h"
#include "TavloData/MerrinColorSet.h"
#include "TavloData/MerrinColorShadow.h"
#include "TavloData/MerrinColorShadowAlias.h"
#include "TavloData/MerrinColorShadowSet.h"
#include "TavloData/MerrinColorSpace.h"
#include "TavloData/MerrinColorString.h"
#include "TavloData/MerrinColorStringAlias.h"

namespace tavlo {

namespace {

using xmltree::XMLPtr;

// printf's "%.<precision>g" as the C locale writes it. std::to_chars is
// defined that way and never looks at the user's locale, which could turn
// the decimal point into a comma.
std::string generalText(double value, int precision) {
  std::array<char, 64> buffer{};
  const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                    std::chars_format::general, precision);
  return std::string(buffer.data(), result.ptr);
}

// The shortest decimal text that reads back to the same number, never in
// exponent form and always with a fraction part: 1 is "1.0", 0.0001 is
// "0.0001". Infinities and NaN stay as they are; the reader takes them back.
std::string shortestDecimalText(double value) {
  // The longest shortest fixed forms: 309 integer digits for -1.8e308, 324
  // fraction digits for the smallest subnormal.
  std::array<char, 400> buffer{};
  const auto result =
      std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                    std::isfinite(value) ? std::chars_format::fixed : std::chars_format::general);
  std::string text(buffer.data(), result.ptr);
  if (std::isfinite(value) && text.find('.') == std::string::npos) text += ".0";
  return text;
}

// Red, green, blue and alpha of the stored colour, five significant digits each.
std::string componentsText(const mcu::PlatformColor& color) {
  return generalText(color.redComponent(), 5) + ' ' + generalText(color.greenComponent(), 5) + ' ' +
         generalText(color.blueComponent(), 5) + ' ' + generalText(color.alphaComponent(), 5);
}

std::string profileWord(mcu::ColorSpace space) {
  return std::string(rawValue(merrinColorSpaceFrom(space)));
}

std::string codeText(std::int64_t code) {
  return std::to_string(code);
}

// `appearance` unless it is none, and `autoContrast` only for the automatic types.
void addAppearance(xmltree::XML& element, AppearanceType type, double autoContrastAmount) {
  if (type != AppearanceType::none) element.addChild(merrinElement("appearance", rawValue(type)));
  if (isAutoHighContrast(type))
    element.addChild(merrinElement("autoContrast", generalText(autoContrastAmount, 2)));
}

void addIdAndName(xmltree::XML& element, const MerrinColorProjectItem& item) {
  element.addChild(merrinElement("id", item.uuid()));
  element.addChild(merrinElement("name", item.name()));
}

// A themeable value: `name` when given and not empty, then `variants` with
// light first (no type attribute) and the others in the order dark, high
// contrast, dark high contrast. FILL puts a variant's content into its element.
template <class T, class Fill>
XMLPtr themeableElement(std::string elementName, const ThemeableVariants<T>& value,
                        const std::string* valueName, Fill fill) {
  XMLPtr element = merrinElement(std::move(elementName));
  if (valueName && !valueName->empty()) element->addChild(merrinElement("name", *valueName));
  XMLPtr variants = merrinElement("variants");
  auto addVariant = [&](const T& variantValue, std::string_view type) {
    XMLPtr variant = merrinElement("variant");
    if (!type.empty()) variant->addAttribute("type", type);
    fill(*variant, variantValue);
    variants->addChild(variant);
  };
  addVariant(value.lightVariant(), {});
  if (const auto& dark = value.darkVariant()) addVariant(*dark, "dark");
  if (const auto& contrast = value.lightVariantHighContrast()) addVariant(*contrast, "highContrast");
  if (const auto& darkContrast = value.darkVariantHighContrast())
    addVariant(*darkContrast, "darkHighContrast");
  element->addChild(variants);
  return element;
}

XMLPtr colorElement(const ThemeableColor& color) {
  return themeableElement("color", color, &color.name(),
                          [](xmltree::XML& variant, const mcu::PlatformColor& c) {
                            variant.addChild(merrinElement("rgba", componentsText(c)));
                          });
}

XMLPtr shadowElement(const ThemeableShadow& shadow) {
  return themeableElement("shadow", shadow, &shadow.name(),
                          [](xmltree::XML& variant, const ShadowDetailsRef& s) {
                            XMLPtr details = merrinElement("shadowDetails");
                            details->addChild(merrinElement("x", s->xOffset()));
                            details->addChild(merrinElement("y", s->yOffset()));
                            details->addChild(merrinElement("blur", s->blur()));
                            details->addChild(merrinElement("spread", s->spread()));
                            details->addChild(merrinElement("colorRgba", componentsText(s->color())));
                            variant.addChild(details);
                          });
}

// Colour and shadow ramps differ only in the container and the member element.
template <class Ramp, class MemberElement>
XMLPtr rampElement(std::string elementName, const MerrinColorProjectItem& item, const Ramp& ramp,
                   std::string containerName, MemberElement memberElement) {
  XMLPtr element = merrinElement(std::move(elementName));
  addIdAndName(*element, item);
  element->addChild(merrinElement("profile", profileWord(ramp.colorSpace())));
  addAppearance(*element, ramp.appearanceType(), ramp.autoContrastAmount());
  element->addChild(merrinElement("steps", codeText(ramp.steps())));
  element->addChild(merrinElement("interpolation", codeText(documentCode(ramp.interpolationMethod()))));
  element->addChild(merrinElement("curve", codeText(documentCode(ramp.curveType()))));
  element->addChild(merrinElement("curveAmount", shortestDecimalText(ramp.curveAmount())));
  element->addChild(merrinElement("type", codeText(documentCode(ramp.type()))));
  element->addChild(merrinElement("middle", shortestDecimalText(ramp.middleLocation())));
  element->addChild(merrinElement("naming", codeText(documentCode(ramp.namingScheme()))));
  XMLPtr container = merrinElement(std::move(containerName));
  for (const auto& member : ramp.entries())
    if (member) container->addChild(memberElement(*member));
  element->addChild(container);
  return element;
}

// The element names of one appearance's reference, by ColorSource order.
struct ReferenceNames {
  ColorSource source;
  std::string_view type;
  std::string_view reference;
  std::string_view index;
};

constexpr std::array<ReferenceNames, 4> kReferenceNames{{
    {ColorSource::light, "type", "referencedItemId", "subIndex"},
    {ColorSource::lightHighContrast, "typeLightHighContrast", "referencedItemIdLightHighContrast",
     "subIndexLightHighContrast"},
    {ColorSource::dark, "typeDark", "referencedItemIdDark", "subIndexDark"},
    {ColorSource::darkHighContrast, "typeDarkHighContrast", "referencedItemIdDarkHighContrast",
     "subIndexDarkHighContrast"},
}};

std::optional<std::int64_t> referenceIndex(const AliasSetType& type) {
  return type.index();
}
std::optional<std::int64_t> referenceIndex(const ItemAliasType&) {
  return std::nullopt;
}

// Every alias kind: no `id` (aliases get a fresh one when read), `name`, the
// light type always and the other types when set, the appearance, then per
// appearance its reference and, for ramp steps, the index.
template <class Alias>
XMLPtr aliasElement(std::string elementName, const MerrinColorProjectItem& item, const Alias& alias) {
  using ReferenceType = std::remove_cvref_t<decltype(alias.aliasType())>;
  XMLPtr element = merrinElement(std::move(elementName));
  element->addChild(merrinElement("name", item.name()));
  for (const auto& names : kReferenceNames) {
    const ReferenceType& type = alias.aliasTypeFor(names.source);
    if (names.source == ColorSource::light || !type.isNotSet())
      element->addChild(merrinElement(std::string(names.type), type.rawValue()));
  }
  addAppearance(*element, alias.appearanceType(), alias.autoContrastAmount());
  for (const auto& names : kReferenceNames) {
    const ReferenceType& type = alias.aliasTypeFor(names.source);
    if (type.isNotSet()) continue;
    element->addChild(merrinElement(std::string(names.reference), type.uuid()));
    if (auto index = referenceIndex(type))
      element->addChild(merrinElement(std::string(names.index), codeText(*index)));
  }
  return element;
}

}  // namespace

XMLPtr colorItemElement(const MerrinColorProjectItem& item) {
  const MerrinColorItem& color = *item.color();
  XMLPtr element = merrinElement("colorItem");
  addIdAndName(*element, item);
  element->addChild(merrinElement("profile", profileWord(color.colorSpace())));
  addAppearance(*element, color.appearanceType(), color.autoContrastAmount());
  element->addChild(colorElement(*color.color()));
  return element;
}

XMLPtr colorSetElement(const MerrinColorProjectItem& item) {
  return rampElement("colorSet", item, *item.colorSet(), "colors", colorElement);
}

XMLPtr shadowSetElement(const MerrinColorProjectItem& item) {
  return rampElement("shadowSet", item, *item.shadowSet(), "shadows", shadowElement);
}

XMLPtr shadowItemElement(const MerrinColorProjectItem& item) {
  const MerrinColorShadow& shadow = *item.shadow();
  XMLPtr element = merrinElement("shadowItem");
  addIdAndName(*element, item);
  element->addChild(merrinElement("profile", profileWord(shadow.colorSpace())));
  addAppearance(*element, shadow.appearanceType(), shadow.autoContrastAmount());
  element->addChild(shadowElement(*shadow.shadow()));
  return element;
}

XMLPtr numberItemElement(const MerrinColorProjectItem& item) {
  const MerrinColorNumber& number = *item.number();
  XMLPtr element = merrinElement("numberItem");
  addIdAndName(*element, item);
  element->addChild(
      themeableElement("number", *number.value(), nullptr, [](xmltree::XML& variant, double value) {
        std::string text = writerNumberText(value);
        variant.addChild(merrinElement("value", text.empty() ? std::string("0") : text));
      }));
  if (number.minValue()) element->addChild(merrinElement("min", *number.minValue()));
  if (number.maxValue()) element->addChild(merrinElement("max", *number.maxValue()));
  if (number.steps()) element->addChild(merrinElement("steps", *number.steps()));
  addAppearance(*element, number.appearanceType(), number.autoContrastAmount());
  return element;
}

XMLPtr booleanItemElement(const MerrinColorProjectItem& item) {
  const MerrinColorBoolean& boolean = *item.boolean();
  XMLPtr element = merrinElement("booleanItem");
  addIdAndName(*element, item);
  element->addChild(
      themeableElement("boolean", *boolean.value(), nullptr, [](xmltree::XML& variant, bool value) {
        variant.addChild(merrinElement("value", value ? "true" : "false"));
      }));
  addAppearance(*element, boolean.appearanceType(), boolean.autoContrastAmount());
  return element;
}

XMLPtr stringItemElement(const MerrinColorProjectItem& item) {
  const MerrinColorString& string = *item.string();
  XMLPtr element = merrinElement("stringItem");
  addIdAndName(*element, item);
  element->addChild(themeableElement("string", *string.value(), nullptr,
                                     [](xmltree::XML& variant, const std::string& value) {
                                       variant.addChild(merrinElement("value", value));
                                     }));
  addAppearance(*element, string.appearanceType(), string.autoContrastAmount());
  return element;
}

XMLPtr colorAliasElement(const MerrinColorProjectItem& item) {
  return aliasElement("alias", item, *item.colorAlias());
}

XMLPtr shadowAliasElement(const MerrinColorProjectItem& item) {
  return aliasElement("shadowAlias", item, *item.shadowAlias());
}

XMLPtr numberAliasElement(const MerrinColorProjectItem& item) {
  return aliasElement("numberAlias", item, *item.numberAlias());
}

XMLPtr booleanAliasElement(const MerrinColorProjectItem& item) {
  return aliasElement("booleanAlias", item, *item.booleanAlias());
}

XMLPtr stringAliasElement(const MerrinColorProjectItem& item) {
  return aliasElement("stringAlias", item, *item.stringAlias());
}

}  // namespace tavlo
