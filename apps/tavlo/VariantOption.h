// The option that picks which appearance variant of every value the preview
// shows, shared by the commands that draw tiles.
#pragma once

#include <CLI/CLI.hpp>

#include "TavloData/AppearanceType.h"

namespace tavlo::cli {

// --variant light|lightHighContrast|dark|darkHighContrast, light unless given.
void addVariantOption(CLI::App& command, ColorSource& variant);

}  // namespace tavlo::cli
