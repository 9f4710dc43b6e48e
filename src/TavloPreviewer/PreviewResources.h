// The preview extension's own named colours, in a catalogue beside the
// interface toolkit's.
#pragma once

#include <string_view>

#include "MerrinColorUtils/platform/PlatformColor.h"
#include "hostkit/ResourceCatalog.h"

namespace tavlo::previewer {

inline constexpr std::string_view accentColor = "AccentColor";
inline constexpr std::string_view colorOverlayLightText = "colorOverlayLightText";
inline constexpr std::string_view colorOverlayDarkText = "colorOverlayDarkText";

// The extension's catalogue, filled on first use (main thread).
hostkit::ResourceCatalog& previewCatalog();

// A named colour of the extension for the current appearance.
mcu::PlatformColor previewColor(std::string_view name);

}  // namespace tavlo::previewer
