// Which of the four appearance variants (light, light high contrast, dark,
// dark high contrast) an item defines, and the two halves of that choice as
// a user makes it: light & dark on one side, the kind of high contrast on
// the other.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace tavlo {

enum class AppearanceType {
  none,
  lightAndDark,
  highContrast,
  highContrastAuto,
  lightDarkHighContrast,
  lightDarkHighContrastAuto,
};

inline constexpr std::array<AppearanceType, 6> allAppearanceTypes{AppearanceType::none,
                                                                  AppearanceType::lightAndDark,
                                                                  AppearanceType::highContrast,
                                                                  AppearanceType::highContrastAuto,
                                                                  AppearanceType::lightDarkHighContrast,
                                                                  AppearanceType::lightDarkHighContrastAuto};

enum class DisplayableAppearance { none, lightAndDark };
enum class DisplayableContrast { none, highContrast, highContrastAuto };

// One of the four variants of a themeable value. Persisted as its integer.
enum class ColorSource : std::int64_t { light = 0, lightHighContrast = 1, dark = 2, darkHighContrast = 3 };

inline constexpr std::array<ColorSource, 4> allColorSources{
    ColorSource::light, ColorSource::lightHighContrast, ColorSource::dark, ColorSource::darkHighContrast};

// The document words; light & dark is spelled "lightanddark", all lower case.
std::string_view rawValue(AppearanceType type);
std::optional<AppearanceType> appearanceTypeFromRaw(std::string_view raw);

bool supportsDark(AppearanceType type);
bool supportsHighContrast(AppearanceType type);
// The high-contrast variants are derived, not picked by the user.
bool isAutoHighContrast(AppearanceType type);
DisplayableAppearance asDisplayableAppearance(AppearanceType type);
DisplayableContrast asDisplayableContrast(AppearanceType type);
AppearanceType fromDisplayable(DisplayableAppearance appearance, DisplayableContrast contrast);

// "All", "Light & Dark".
std::string_view displayName(DisplayableAppearance appearance);
// "All", "Regular & High Contrast", "Regular & Auto High Contrast".
std::string_view displayName(DisplayableContrast contrast);

std::int64_t rawValue(ColorSource source);
std::optional<ColorSource> colorSourceFromRaw(std::int64_t raw);
// "Light", "Light High Contrast", "Dark", "Dark High Contrast".
std::string_view displayName(ColorSource source);
// "light", "lightHighContrast", "dark", "darkHighContrast": how commands name a variant.
std::string_view caseName(ColorSource source);
std::optional<ColorSource> colorSourceFromCaseName(std::string_view name);

}  // namespace tavlo
