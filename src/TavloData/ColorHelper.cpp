#include "TavloData/ColorHelper.h"

#include "TavloData/ColorInterpolator.h"
#include "TavloData/ShadowDetails.h"

namespace tavlo::ColorHelper {

std::vector<mcu::PlatformColor> interpolateColors(const mcu::PlatformColor& startColor,
                                                  const std::optional<mcu::PlatformColor>& middleColor,
                                                  const mcu::PlatformColor& endColor,
                                                  InterpolationMethod method, std::int64_t steps,
                                                  std::int64_t middleIndex, CurveType curveType,
                                                  double curveAmount) {
  auto interpolator = makeInterpolator(method, steps, middleIndex);
  if (middleColor)
    return interpolator->interpolateColors(startColor, *middleColor, endColor, curveType, curveAmount);
  return interpolator->interpolateColors(startColor, endColor, curveType, curveAmount);
}

std::vector<std::shared_ptr<ShadowDetails>> interpolateShadows(
    const std::shared_ptr<ShadowDetails>& startShadow, const std::shared_ptr<ShadowDetails>& middleShadow,
    const std::shared_ptr<ShadowDetails>& endShadow, InterpolationMethod method, std::int64_t steps,
    std::int64_t middleIndex, CurveType curveType, double curveAmount) {
  auto interpolator = makeInterpolator(method, steps, middleIndex);
  std::vector<mcu::PlatformColor> colors;
  ColorInterpolator::Shadows values;
  if (middleShadow) {
    colors = interpolator->interpolateColors(startShadow->color(), middleShadow->color(), endShadow->color(),
                                             curveType, curveAmount);
    values =
        interpolator->interpolateShadowValues(startShadow, middleShadow, endShadow, curveType, curveAmount);
  } else {
    colors =
        interpolator->interpolateColors(startShadow->color(), endShadow->color(), curveType, curveAmount);
    values = interpolator->interpolateShadowValues(startShadow, endShadow, curveType, curveAmount);
  }
  // A colour that could not be converted shortens the colour list; a partial
  // ramp would pair colours with the wrong offsets.
  if (colors.size() != values.size()) return {};

  std::vector<std::shared_ptr<ShadowDetails>> result;
  result.reserve(values.size());
  for (std::size_t i = 0; i < values.size(); ++i) {
    const ShadowDetails& value = *values[i];
    result.push_back(std::make_shared<ShadowDetails>(value.xOffset(), value.yOffset(), value.blur(),
                                                     value.spread(), colors[i]));
  }
  return result;
}

}  // namespace tavlo::ColorHelper
