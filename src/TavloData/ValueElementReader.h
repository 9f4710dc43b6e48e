// Reading the values inside item elements: the appearance of an item, the
// four appearance variants of every themeable value, colours in the item's
// colour profile, numbers, booleans, texts and shadows. The item kinds
// (ItemElementReaders.h) and the ramps build on these.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "MerrinColorUtils/ColorSpace.h"
#include "MerrinColorUtils/platform/PlatformColor.h"
#include "TavloData/AppearanceType.h"
#include "xmltree/XML.h"

namespace tavlo {

class ShadowDetails;
class ThemeableBoolean;
class ThemeableColor;
class ThemeableNumber;
class ThemeableShadow;
class ThemeableString;

struct ParsedAppearance {
  AppearanceType appearance = AppearanceType::none;
  double autoContrast = 0.5;
};

// `appearance` (unknown or missing: none) and `autoContrast` (missing or
// unreadable: 0.5) of an item element.
ParsedAppearance parseAppearance(const xmltree::XML& itemElement);

// The item's `profile` word as a working space: sRGB when missing or unknown.
mcu::ColorSpace colorSpaceFromProfile(std::optional<std::string_view> colorProfile);

// Four space-separated numbers as a colour in the profile's space, unclamped.
// Absent without a profile, or unless exactly four numbers are given.
std::optional<mcu::PlatformColor> colorFromComponents(std::string_view rgbaText,
                                                      std::optional<std::string_view> colorProfile);

// Themeable value elements (`color`, `shadow`, `number`, `boolean`,
// `string`): absent when `variants` or its light variant is missing or
// unreadable. Unreadable other variants are simply absent. Colours and
// shadows get a fresh uuid: their identifiers are never stored.
std::shared_ptr<ThemeableColor> parseThemeableColor(const xmltree::XML& element,
                                                    std::optional<std::string_view> colorProfile);
std::shared_ptr<ThemeableShadow> parseThemeableShadow(const xmltree::XML& element,
                                                      std::optional<std::string_view> colorProfile);
std::shared_ptr<ThemeableNumber> parseThemeableNumber(const xmltree::XML& element);
std::shared_ptr<ThemeableBoolean> parseThemeableBoolean(const xmltree::XML& element);
std::shared_ptr<ThemeableString> parseThemeableString(const xmltree::XML& element);

// One `variant` element of each value kind.
std::optional<mcu::PlatformColor> parseVariant(const xmltree::XML& variant,
                                               std::optional<std::string_view> colorProfile);
std::shared_ptr<ShadowDetails> parseShadowVariant(const xmltree::XML& variant,
                                                  std::optional<std::string_view> colorProfile);
std::optional<double> parseNumberVariant(const xmltree::XML& variant);
std::optional<bool> parseBooleanVariant(const xmltree::XML& variant);
std::optional<std::string> parseStringVariant(const xmltree::XML& variant);

}  // namespace tavlo
