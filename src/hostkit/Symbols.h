#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "hostkit/Path.h"

namespace hostkit {

// The host's symbol set: outlines in the unit square, filled with the
// foreground colour. Known: "arrowshape.turn.up.right.circle.fill",
// "circle.fill", "questionmark.square.dashed" (the stand-in for unknown names).
std::optional<Path> symbolPath(std::string_view name);
// The outline for `name`, or the stand-in outline when the name is unknown.
Path symbolPathOrPlaceholder(std::string_view name);
// Adds or replaces a symbol, for symbols a bundle brings along.
void registerSymbol(std::string name, Path unitPath);

}  // namespace hostkit
