// How the entries of a ramp are named: by position (1, 2, 3 or 10, 20, 30
// or 100, 200, 300) or by hand.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tavlo {

// The raw order is not the numeric order: manual sits between largeNumeric
// and mediumNumeric because mediumNumeric was added last.
enum class ColorNamingScheme {
  smallNumeric,
  largeNumeric,
  manual,
  mediumNumeric,
};

inline constexpr std::array<ColorNamingScheme, 4> allColorNamingSchemes{
    ColorNamingScheme::smallNumeric, ColorNamingScheme::largeNumeric, ColorNamingScheme::manual,
    ColorNamingScheme::mediumNumeric};

std::int64_t rawValue(ColorNamingScheme scheme);
std::optional<ColorNamingScheme> colorNamingSchemeFromRaw(std::int64_t raw);
// The document stores the raw value plus one (1 ... 4).
std::int64_t documentCode(ColorNamingScheme scheme);
std::optional<ColorNamingScheme> colorNamingSchemeFromCode(std::int64_t code);
std::string_view caseName(ColorNamingScheme scheme);
std::optional<ColorNamingScheme> colorNamingSchemeFromCaseName(std::string_view name);
// "1, 2, 3…", "100, 200, 300…", "Manual Naming", "10, 20, 30…".
std::string_view displayName(ColorNamingScheme scheme);

// The name of the entry at `index` (0-based); absent for the manual scheme,
// which leaves names as the user set them.
std::optional<std::string> entryName(ColorNamingScheme scheme, std::int64_t index);

}  // namespace tavlo
