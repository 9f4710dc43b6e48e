#pragma once

#include <memory>
#include <string_view>

#include "MerrinColorUtils/platform/PlatformColor.h"
#include "hostkit/Geometry.h"
#include "hostkit/PlatformView.h"
#include "hostkit/ResourceCatalog.h"

// The interface toolkit's resource catalogue (named colours and pictures)
// and its view helpers.

namespace orvik {

// Names of the toolkit's colours and pictures.
inline constexpr std::string_view backgroundNormal = "Background/Normal";
inline constexpr std::string_view backgroundDarkest = "Background/Darkest";
inline constexpr std::string_view grey50 = "Grey 50%";
inline constexpr std::string_view grey85 = "Grey 85%";
inline constexpr std::string_view checkerboardImage = "oui-checkerboard";

// The toolkit's catalogue, filled on first use.
const hostkit::ResourceCatalog& catalog();

// A named colour of the toolkit for the current appearance.
mcu::PlatformColor color(std::string_view name);
// A named picture of the toolkit for the current appearance.
hostkit::Image image(std::string_view name);

// Pins `self`'s four edges to those of `view`, inset by `insets`, and turns
// off the frame-based placement of `self`.
void anchorToAllSidesOf(hostkit::PlatformView& self, const std::shared_ptr<hostkit::PlatformView>& view,
                        const hostkit::EdgeInsets& insets = {});

// The declarative counterpart: `content` filling its container, inset by `insets`.
hostkit::View anchoredToAllSides(const hostkit::View& content, const hostkit::EdgeInsets& insets = {});

}  // namespace orvik
