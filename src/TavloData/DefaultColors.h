// Four shared colours, each made once with a fresh uuid and only a light
// variant.
#pragma once

#include <memory>

#include "TavloData/ThemeableColor.h"

namespace tavlo::DefaultColors {

const std::shared_ptr<ThemeableColor>& white();      // "White", sRGB white
const std::shared_ptr<ThemeableColor>& black();      // "Black", sRGB black
const std::shared_ptr<ThemeableColor>& lightGray();  // "Light Grey", sRGB 0.83
const std::shared_ptr<ThemeableColor>& darkGray();   // "Dark Gray", sRGB 0.66

}  // namespace tavlo::DefaultColors
