#include "TavloData/ValueElementReader.h"

#include <algorithm>
#include <utility>

#include "TavloData/ItemElementReaders.h"
#include "TavloData/MerrinColorBoolean.h"
#include "TavloData/MerrinColorItem.h"
#include "TavloData/MerrinColorNumber.h"
#include "TavloData/MerrinColorShadow.h"
#include "TavloData/MerrinColorSpace.h"
#include "TavloData/MerrinColorString.h"
#include "TavloData/ReadDiagnostics.h"
#include "TavloData/ThemeableBoolean.h"
#include "TavloData/ThemeableColor.h"
#include "TavloData/ThemeableNumber.h"
#include "TavloData/ThemeableShadow.h"
#include "TavloData/ThemeableString.h"
#include "xmltree/StringProvider.h"

namespace tavlo {

namespace {

using xmltree::XML;

// The four variants as read by a member parser; `light` is required.
template <class T>
struct ReadVariants {
  T light;
  std::optional<T> dark;
  std::optional<T> lightHighContrast;
  std::optional<T> darkHighContrast;
};

// The first child of `variants` that carries no `type` attribute is the
// light variant; the others are found by their exact `type` word. Element
// names inside `variants` do not matter.
const XML* variantElement(const XML& variants, std::optional<std::string_view> type) {
  for (const auto& child : variants.xmlChildren()) {
    const auto& attributes = child->xmlAttributes();
    auto found = attributes.find("type");
    if (!type) {
      if (found == attributes.end()) return child.get();
    } else if (found != attributes.end() && found->second == *type) {
      return child.get();
    }
  }
  return nullptr;
}

constexpr std::string_view kVariantTypes[] = {"dark", "highContrast", "darkHighContrast"};

// Reports the children of `variants` that no variant lookup reaches: those
// with a `type` word of no variant, and every later one of a type already
// seen (only the first of each type is read).
void reportUnreadVariants(const XML& variants, ReadDiagnostics& diagnostics) {
  bool seen[4] = {};  // light, then kVariantTypes
  for (const auto& child : variants.xmlChildren()) {
    const auto& attributes = child->xmlAttributes();
    const auto type = attributes.find("type");
    std::size_t slot = 0;
    if (type != attributes.end()) {
      const auto known = std::find(std::begin(kVariantTypes), std::end(kVariantTypes), type->second);
      if (known == std::end(kVariantTypes)) {
        diagnostics.report(
            DiagnosticCode::unknownElement, *child,
            "variant type '" + type->second + "' is none of dark, highContrast, darkHighContrast; skipped");
        continue;
      }
      slot = 1 + static_cast<std::size_t>(known - std::begin(kVariantTypes));
    }
    if (std::exchange(seen[slot], true))
      diagnostics.report(
          DiagnosticCode::unknownElement, *child,
          std::string("a second ") +
              (slot == 0 ? "light variant (no type)" : "variant of type '" + type->second + "'") +
              "; only the first is read");
  }
}

// The `variants` of a value element, and its light variant; absent (with
// the cause noted) when either is missing.
std::optional<std::pair<const XML*, const XML*>> variantsAndLight(const XML& element) {
  const XML* variants = firstChildElement(element, "variants");
  if (!variants) {
    noteDropCause(element, element.xmlName(), " has no variants");
    return std::nullopt;
  }
  if (ReadDiagnostics* diagnostics = activeReadDiagnostics()) reportUnreadVariants(*variants, *diagnostics);
  const XML* lightElement = variantElement(*variants, std::nullopt);
  if (!lightElement) {
    noteDropCause(*variants, "no variant without a type attribute, which would be the light variant");
    return std::nullopt;
  }
  return std::pair{variants, lightElement};
}

// `parse(variantElement)` gives an optional value; `readable` says what a
// variant needs to be read, for the findings.
template <class T, class Parse>
std::optional<ReadVariants<T>> readVariants(const XML& element, Parse parse, std::string_view readable) {
  const auto found = variantsAndLight(element);
  if (!found) return std::nullopt;
  // Named pointers, not a structured binding: clang 14 cannot capture those in a lambda.
  const XML* variants = found->first;
  const XML* lightElement = found->second;
  auto light = parse(*lightElement);
  if (!light) {
    noteDropCause(*lightElement, "its light variant cannot be read: ", readable);
    return std::nullopt;
  }
  auto other = [&](std::string_view type) -> std::optional<T> {
    const XML* found = variantElement(*variants, type);
    if (!found) return std::nullopt;
    auto value = parse(*found);
    if (!value) {
      if (ReadDiagnostics* diagnostics = activeReadDiagnostics())
        diagnostics->report(DiagnosticCode::itemDropped, *found,
                            "variant '" + std::string(type) + "' left out: " + std::string(readable));
      return std::nullopt;
    }
    return T(std::move(*value));
  };
  ReadVariants<T> read{T(std::move(*light)), {}, {}, {}};
  read.dark = other("dark");
  read.lightHighContrast = other("highContrast");
  read.darkHighContrast = other("darkHighContrast");
  return read;
}

std::optional<double> childDouble(const XML& element, std::string_view name) {
  auto text = childText(element, name);
  return text ? xmltree::text::toDouble(*text) : std::nullopt;
}

// The `doubleValue` rule: absent or unparsable is 0.
double childDoubleValue(const XML& element, std::string_view name) {
  return childDouble(element, name).value_or(0);
}

}  // namespace

ParsedAppearance parseAppearance(const XML& itemElement) {
  ParsedAppearance parsed;
  if (auto word = childText(itemElement, "appearance"))
    parsed.appearance = appearanceTypeFromRaw(*word).value_or(AppearanceType::none);
  parsed.autoContrast =
      xmltree::text::toDouble(childText(itemElement, "autoContrast").value_or("0.5")).value_or(0.5);
  return parsed;
}

mcu::ColorSpace colorSpaceFromProfile(std::optional<std::string_view> colorProfile) {
  return asColorSpace(merrinColorSpaceFromString(colorProfile));
}

std::optional<mcu::PlatformColor> colorFromComponents(std::string_view rgbaText,
                                                      std::optional<std::string_view> colorProfile) {
  double components[4];
  std::size_t count = 0;
  // Single spaces separate the numbers; runs of spaces leave empty pieces,
  // which do not count. Any other whitespace makes a piece unreadable.
  std::size_t start = 0;
  while (start <= rgbaText.size()) {
    std::size_t end = rgbaText.find(' ', start);
    if (end == std::string_view::npos) end = rgbaText.size();
    std::string_view piece = rgbaText.substr(start, end - start);
    if (!piece.empty()) {
      if (count == 4) return std::nullopt;
      auto number = xmltree::text::toDouble(piece);
      if (!number) return std::nullopt;
      components[count++] = *number;
    }
    start = end + 1;
  }
  if (count != 4 || !colorProfile) return std::nullopt;
  return mcu::PlatformColor::colorWithColorSpace(
      asNSColorSpace(merrinColorSpaceFromString(colorProfile)),
      {components[0], components[1], components[2], components[3]});
}

std::optional<mcu::PlatformColor> parseVariant(const XML& variant,
                                               std::optional<std::string_view> colorProfile) {
  auto rgba = childText(variant, "rgba");
  if (!rgba) return std::nullopt;
  return colorFromComponents(*rgba, colorProfile);
}

std::shared_ptr<ShadowDetails> parseShadowVariant(const XML& variant,
                                                  std::optional<std::string_view> colorProfile) {
  const XML* details = firstChildElement(variant, "shadowDetails");
  if (!details) return nullptr;
  auto rgba = childText(*details, "colorRgba");
  if (!rgba) return nullptr;
  auto color = colorFromComponents(*rgba, colorProfile);
  if (!color) return nullptr;
  return std::make_shared<ShadowDetails>(childDoubleValue(*details, "x"), childDoubleValue(*details, "y"),
                                         childDoubleValue(*details, "blur"),
                                         childDoubleValue(*details, "spread"), std::move(*color));
}

std::optional<double> parseNumberVariant(const XML& variant) {
  return childDouble(variant, "value");
}

std::optional<bool> parseBooleanVariant(const XML& variant) {
  auto text = childText(variant, "value");
  return text ? xmltree::text::toBool(*text) : std::nullopt;
}

std::optional<std::string> parseStringVariant(const XML& variant) {
  auto text = childText(variant, "value");
  return text ? std::optional<std::string>(*text) : std::nullopt;
}

constexpr std::string_view kReadableColor = "it needs an rgba of four numbers separated by spaces";
constexpr std::string_view kReadableShadow =
    "it needs shadowDetails with a colorRgba of four numbers separated by spaces";

std::shared_ptr<ThemeableColor> parseThemeableColor(const XML& element,
                                                    std::optional<std::string_view> colorProfile) {
  auto read = readVariants<mcu::PlatformColor>(
      element, [&](const XML& variant) { return parseVariant(variant, colorProfile); }, kReadableColor);
  if (!read) return nullptr;
  return std::make_shared<ThemeableColor>(std::string(), readItemName(element), std::move(read->light),
                                          std::move(read->dark), std::move(read->lightHighContrast),
                                          std::move(read->darkHighContrast));
}

std::shared_ptr<ThemeableShadow> parseThemeableShadow(const XML& element,
                                                      std::optional<std::string_view> colorProfile) {
  auto read = readVariants<ShadowDetailsRef>(
      element,
      [&](const XML& variant) -> std::optional<ShadowDetailsRef> {
        auto shadow = parseShadowVariant(variant, colorProfile);
        return shadow ? std::optional(std::move(shadow)) : std::nullopt;
      },
      kReadableShadow);
  if (!read) return nullptr;
  return std::make_shared<ThemeableShadow>(std::string(), readItemName(element), std::move(read->light),
                                           std::move(read->dark), std::move(read->lightHighContrast),
                                           std::move(read->darkHighContrast));
}

std::shared_ptr<ThemeableNumber> parseThemeableNumber(const XML& element) {
  auto read = readVariants<double>(element, parseNumberVariant, "it needs a value that is a number");
  if (!read) return nullptr;
  return std::make_shared<ThemeableNumber>(read->light, read->dark, read->lightHighContrast,
                                           read->darkHighContrast);
}

std::shared_ptr<ThemeableBoolean> parseThemeableBoolean(const XML& element) {
  auto read = readVariants<bool>(element, parseBooleanVariant, "it needs a value of true or false");
  if (!read) return nullptr;
  return std::make_shared<ThemeableBoolean>(read->light, read->dark, read->lightHighContrast,
                                            read->darkHighContrast);
}

std::shared_ptr<ThemeableString> parseThemeableString(const XML& element) {
  // A light variant without `value` is the empty text; the other variants
  // are absent without one.
  const auto found = variantsAndLight(element);
  if (!found) return nullptr;
  // Named pointers, not a structured binding: clang 14 cannot capture those in a lambda.
  const XML* variants = found->first;
  const XML* lightElement = found->second;
  auto other = [&](std::string_view type) -> std::optional<std::string> {
    const XML* found = variantElement(*variants, type);
    return found ? parseStringVariant(*found) : std::nullopt;
  };
  return std::make_shared<ThemeableString>(parseStringVariant(*lightElement).value_or(std::string()),
                                           other("dark"), other("highContrast"), other("darkHighContrast"));
}

// The item kinds. Each reads its value first and gives up (leaving the node
// out) when the value is unreadable; name and identifier come after, which
// changes nothing visible and spares an identifier for dropped items.

namespace {

// A dropped item's result, once why is noted.
struct DroppedItem {
  template <class Kind>
  operator ParsedItem<Kind>() const {
    return {};
  }
};

DroppedItem missingValue(const XML& element, std::string_view valueName) {
  noteDropCause(element, "it has no ", valueName, " element");
  return {};
}

// Without a profile no colour of the item is readable, whatever its rgba says.
DroppedItem unreadableValue(const XML& element, std::optional<std::string_view> profile) {
  if (!profile) noteDropCause(element, "it has no profile, so none of its colours can be read");
  return {};
}

}  // namespace

ParsedItem<MerrinColorItem> parseColorItem(const XML& element, bool generateNewIds) {
  const XML* colorElement = firstChildElement(element, "color");
  if (!colorElement) return missingValue(element, "color");
  const auto profile = childText(element, "profile");
  auto color = parseThemeableColor(*colorElement, profile);
  if (!color) return unreadableValue(element, profile);
  const ParsedAppearance appearance = parseAppearance(element);
  return {readItemName(element), readIdentifier(element, generateNewIds),
          std::make_shared<MerrinColorItem>(std::move(color), colorSpaceFromProfile(profile),
                                            appearance.appearance, appearance.autoContrast)};
}

ParsedItem<MerrinColorNumber> parseNumberItem(const XML& element, bool generateNewIds) {
  const XML* numberElement = firstChildElement(element, "number");
  if (!numberElement) return missingValue(element, "number");
  auto value = parseThemeableNumber(*numberElement);
  if (!value) return {};
  // A present hint element counts even when its text is unreadable (0).
  auto hint = [&](std::string_view name) -> std::optional<double> {
    if (!firstChildElement(element, name)) return std::nullopt;
    return childDoubleValue(element, name);
  };
  std::optional<std::int64_t> steps;
  if (firstChildElement(element, "steps")) {
    auto text = childText(element, "steps");
    steps = (text ? xmltree::text::toInt64(*text) : std::nullopt).value_or(0);
  }
  // Numbers have no automatic contrast: whatever `autoContrast` says, 0.
  return {readItemName(element), readIdentifier(element, generateNewIds),
          std::make_shared<MerrinColorNumber>(std::move(value), hint("min"), hint("max"), steps,
                                              parseAppearance(element).appearance, 0)};
}

ParsedItem<MerrinColorBoolean> parseBooleanItem(const XML& element, bool generateNewIds) {
  const XML* booleanElement = firstChildElement(element, "boolean");
  if (!booleanElement) return missingValue(element, "boolean");
  auto value = parseThemeableBoolean(*booleanElement);
  if (!value) return {};
  return {readItemName(element), readIdentifier(element, generateNewIds),
          std::make_shared<MerrinColorBoolean>(std::move(value), parseAppearance(element).appearance, 0)};
}

ParsedItem<MerrinColorString> parseStringItem(const XML& element, bool generateNewIds) {
  const XML* stringElement = firstChildElement(element, "string");
  if (!stringElement) return missingValue(element, "string");
  auto value = parseThemeableString(*stringElement);
  if (!value) return {};
  return {readItemName(element), readIdentifier(element, generateNewIds),
          std::make_shared<MerrinColorString>(std::move(value), parseAppearance(element).appearance, 0)};
}

ParsedItem<MerrinColorShadow> parseShadowItem(const XML& element, bool generateNewIds) {
  const XML* shadowElement = firstChildElement(element, "shadow");
  if (!shadowElement) return missingValue(element, "shadow");
  const auto profile = childText(element, "profile");
  auto shadow = parseThemeableShadow(*shadowElement, profile);
  if (!shadow) return unreadableValue(element, profile);
  const ParsedAppearance appearance = parseAppearance(element);
  return {readItemName(element), readIdentifier(element, generateNewIds),
          std::make_shared<MerrinColorShadow>(std::move(shadow), colorSpaceFromProfile(profile),
                                              appearance.appearance, appearance.autoContrast)};
}

}  // namespace tavlo
