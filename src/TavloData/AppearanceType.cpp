#include "TavloData/AppearanceType.h"

#include "TavloData/EnumTable.h"

namespace tavlo {

namespace {

// The raw column holds the document word; the type has no display name of
// its own (editors show its two halves).
struct AppearanceTraits {
  AppearanceType value;
  std::string_view raw;
  bool supportsDark;
  bool supportsHighContrast;
  bool isAuto;
  DisplayableAppearance appearance;
  DisplayableContrast contrast;
};

using DA = DisplayableAppearance;
using DC = DisplayableContrast;

constexpr std::array<AppearanceTraits, 6> appearanceTable{{
    {AppearanceType::none, "none", false, false, false, DA::none, DC::none},
    {AppearanceType::lightAndDark, "lightanddark", true, false, false, DA::lightAndDark, DC::none},
    {AppearanceType::highContrast, "highContrast", false, true, false, DA::none, DC::highContrast},
    {AppearanceType::highContrastAuto, "highContrastAuto", false, true, true, DA::none, DC::highContrastAuto},
    {AppearanceType::lightDarkHighContrast, "lightDarkHighContrast", true, true, false, DA::lightAndDark,
     DC::highContrast},
    {AppearanceType::lightDarkHighContrastAuto, "lightDarkHighContrastAuto", true, true, true,
     DA::lightAndDark, DC::highContrastAuto},
}};

const AppearanceTraits& traits(AppearanceType type) {
  return enumEntry(appearanceTable, type);
}

constexpr std::array<EnumEntry<DisplayableAppearance>, 2> displayableAppearanceTable{{
    {DA::none, "none", "All"},
    {DA::lightAndDark, "lightAndDark", "Light & Dark"},
}};

constexpr std::array<EnumEntry<DisplayableContrast>, 3> displayableContrastTable{{
    {DC::none, "none", "All"},
    {DC::highContrast, "highContrast", "Regular & High Contrast"},
    {DC::highContrastAuto, "highContrastAuto", "Regular & Auto High Contrast"},
}};

// The raw value is the position; the raw column holds the case name.
constexpr std::array<EnumEntry<ColorSource>, 4> colorSourceTable{{
    {ColorSource::light, "light", "Light"},
    {ColorSource::lightHighContrast, "lightHighContrast", "Light High Contrast"},
    {ColorSource::dark, "dark", "Dark"},
    {ColorSource::darkHighContrast, "darkHighContrast", "Dark High Contrast"},
}};

}  // namespace

std::string_view rawValue(AppearanceType type) {
  return traits(type).raw;
}

std::optional<AppearanceType> appearanceTypeFromRaw(std::string_view raw) {
  return enumFromRaw(appearanceTable, raw);
}

bool supportsDark(AppearanceType type) {
  return traits(type).supportsDark;
}
bool supportsHighContrast(AppearanceType type) {
  return traits(type).supportsHighContrast;
}
bool isAutoHighContrast(AppearanceType type) {
  return traits(type).isAuto;
}
DisplayableAppearance asDisplayableAppearance(AppearanceType type) {
  return traits(type).appearance;
}
DisplayableContrast asDisplayableContrast(AppearanceType type) {
  return traits(type).contrast;
}

AppearanceType fromDisplayable(DisplayableAppearance appearance, DisplayableContrast contrast) {
  for (const auto& entry : appearanceTable)
    if (entry.appearance == appearance && entry.contrast == contrast) return entry.value;
  return AppearanceType::none;  // every pair is in the table
}

std::string_view displayName(DisplayableAppearance appearance) {
  return enumEntry(displayableAppearanceTable, appearance).display;
}

std::string_view displayName(DisplayableContrast contrast) {
  return enumEntry(displayableContrastTable, contrast).display;
}

std::int64_t rawValue(ColorSource source) {
  return static_cast<std::int64_t>(source);
}

std::optional<ColorSource> colorSourceFromRaw(std::int64_t raw) {
  return enumFromCode(colorSourceTable, raw);
}

std::string_view displayName(ColorSource source) {
  return enumEntry(colorSourceTable, source).display;
}

std::string_view caseName(ColorSource source) {
  return enumEntry(colorSourceTable, source).raw;
}

std::optional<ColorSource> colorSourceFromCaseName(std::string_view name) {
  return enumFromRaw(colorSourceTable, name);
}

}  // namespace tavlo
