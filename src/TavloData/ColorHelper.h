// Whole-ramp interpolation of colours and shadows: picks the interpolator for
// a method and runs it over two or three anchors.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "MerrinColorUtils/platform/PlatformColor.h"
#include "TavloData/CurveType.h"
#include "TavloData/InterpolationMethod.h"

namespace tavlo {

class ShadowDetails;

namespace ColorHelper {

// `steps` colours from start to end, through the middle colour at
// `middleIndex` when one is given. Empty when an anchor cannot be converted.
std::vector<mcu::PlatformColor> interpolateColors(const mcu::PlatformColor& startColor,
                                                  const std::optional<mcu::PlatformColor>& middleColor,
                                                  const mcu::PlatformColor& endColor,
                                                  InterpolationMethod method, std::int64_t steps,
                                                  std::int64_t middleIndex, CurveType curveType,
                                                  double curveAmount);

// `steps` new shadows (the anchors are copied, never shared with the input):
// colours interpolated by the method, offsets, blur and spread by the curve.
// Empty when a colour cannot be converted.
std::vector<std::shared_ptr<ShadowDetails>> interpolateShadows(
    const std::shared_ptr<ShadowDetails>& startShadow, const std::shared_ptr<ShadowDetails>& middleShadow,
    const std::shared_ptr<ShadowDetails>& endShadow, InterpolationMethod method, std::int64_t steps,
    std::int64_t middleIndex, CurveType curveType, double curveAmount);

}  // namespace ColorHelper

}  // namespace tavlo
