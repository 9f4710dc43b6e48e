// The extension's own colours and pictures that the item tiles draw with.
#pragma once

#include <string_view>

#include "hostkit/ResourceCatalog.h"
#include "hostkit/View.h"

namespace tavlo::previewer {

// The small pictures in front of a shadow's four numbers.
inline constexpr std::string_view shadowLabelX = "properties-label-table-x";
inline constexpr std::string_view shadowLabelY = "properties-label-table-y";
inline constexpr std::string_view shadowLabelBlur = "properties-label-table-blur";
inline constexpr std::string_view shadowLabelThickness = "properties-label-table-thickness";

// The symbol in front of the name an alias refers to.
inline constexpr std::string_view aliasReferenceSymbol = "arrowshape.turn.up.right.circle.fill";

// The side of a shadow label picture, in points.
inline constexpr double shadowLabelSide = 12;

// Adds the overlay text colours and the shadow label pictures, each with a
// dark and a light look, to the extension's catalogue.
void registerTileResources(hostkit::ResourceCatalog& catalog);

// A picture of the extension's catalogue for the current appearance.
hostkit::Image tileImage(std::string_view name);

}  // namespace tavlo::previewer
