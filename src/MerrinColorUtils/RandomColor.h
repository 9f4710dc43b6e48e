// Random colours of a chosen character: pastel, primary, grey, metallic, cool
// or warm. Each algorithm draws hue, saturation and brightness from fixed ranges.
#pragma once

#include "MerrinColorUtils/platform/PlatformColor.h"

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace mcu {

enum class RandomColorAlgorithm { pastel, primary, monochrome, metal, cool, warm };

int rawValue(RandomColorAlgorithm algorithm);
std::optional<RandomColorAlgorithm> randomColorAlgorithmFromRaw(int raw);
// From the case name ("pastel"); exact and case-sensitive.
std::optional<RandomColorAlgorithm> randomColorAlgorithmFromRaw(std::string_view caseName);
std::string_view caseName(RandomColorAlgorithm algorithm);
// The English drop-down title ("Pastels").
std::string_view displayName(RandomColorAlgorithm algorithm);
// The drop-down title through the localisation table.
std::string description(RandomColorAlgorithm algorithm);
const std::array<RandomColorAlgorithm, 6>& allRandomColorAlgorithms();

// One uniform draw from the closed interval [0, 1].
using UniformDraw = std::function<double()>;

// The system source: an integer uniform on 0 ... 2^53 times 2^-53, so both 0
// and 1 can occur.
double uniformClosedUnit();

struct RandomHSB {
  double hue = 0;  // turns; the warm range reaches down to -0.1
  double saturation = 0;
  double brightness = 0;
};

// The hue, saturation and brightness an algorithm picks from the draws.
RandomHSB randomHSB(RandomColorAlgorithm algorithm, const UniformDraw& draw = uniformClosedUnit);

// A light, moderately saturated colour in device RGB.
PlatformColor randomColor(const UniformDraw& draw = uniformClosedUnit);
// The algorithm's triple as a colour in extended linear sRGB (so the triple is
// read in linear light), alpha 1.
PlatformColor randomColor(RandomColorAlgorithm algorithm, const UniformDraw& draw = uniformClosedUnit);
// The same, converted to `colorSpace`; unconverted when the conversion fails.
PlatformColor randomColor(RandomColorAlgorithm algorithm, const PlatformColorSpace& colorSpace,
                          const UniformDraw& draw = uniformClosedUnit);

}  // namespace mcu
