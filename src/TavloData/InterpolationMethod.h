// How the in-between values of a ramp are mixed: the four interpolation
// methods a set can be generated with.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace tavlo {

enum class InterpolationMethod {
  linear,        // extended linear sRGB, per component
  linearLegacy,  // the colours' own gamma-encoded RGB space, per component
  oklch,         // OKLCH along the shortest hue arc
  oklab,         // OKLab, per component
};

// All four methods in raw order.
inline constexpr std::array<InterpolationMethod, 4> allInterpolationMethods{
    InterpolationMethod::linear, InterpolationMethod::linearLegacy, InterpolationMethod::oklch,
    InterpolationMethod::oklab};

// Raw value: the position in allInterpolationMethods (0 ... 3).
std::int64_t rawValue(InterpolationMethod method);
std::optional<InterpolationMethod> interpolationMethodFromRaw(std::int64_t raw);
// The document stores the raw value plus one (1 ... 4).
std::int64_t documentCode(InterpolationMethod method);
std::optional<InterpolationMethod> interpolationMethodFromCode(std::int64_t code);
// The case name as written on the command line and in the dump ("oklch").
std::string_view caseName(InterpolationMethod method);
std::optional<InterpolationMethod> interpolationMethodFromCaseName(std::string_view name);
// The English display text ("Linear (Legacy)"); the lookup key for translations.
std::string_view displayName(InterpolationMethod method);

}  // namespace tavlo
