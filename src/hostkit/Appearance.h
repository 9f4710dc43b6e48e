#pragma once

#include <optional>
#include <string_view>

#include "MerrinColorUtils/platform/PlatformColor.h"

namespace hostkit {

// The look named colours and pictures resolve for. Dark is the default, as in
// a design tool's preview.
enum class Appearance { dark, light };

std::string_view rawValue(Appearance appearance);
std::optional<Appearance> appearanceFromRaw(std::string_view raw);

// The process-wide appearance (main thread only). Views resolve named colours
// when they are built, so set it before building.
Appearance currentAppearance();
void setCurrentAppearance(Appearance appearance);

// The platform colour with its alpha multiplied by `opacity` (clamped to 0..1).
mcu::PlatformColor withOpacity(const mcu::PlatformColor& color, double opacity);

}  // namespace hostkit
