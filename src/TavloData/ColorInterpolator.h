// The interpolators that fill a ramp between its anchors: MethodInterpolator
// for each InterpolationMethod. All of them walk the same positions (see
// ColorInterpolator::steps and middleColorIndex) and differ only in the space
// the colours are mixed in.
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

class ColorInterpolator {
 public:
  using Colors = std::vector<mcu::PlatformColor>;
  using Shadows = std::vector<std::shared_ptr<ShadowDetails>>;

  // `steps` values are produced, anchors included (at least 2). In a
  // three-anchor ramp the middle anchor sits at `middleColorIndex`.
  ColorInterpolator(std::int64_t steps, std::int64_t middleColorIndex)
      : steps_(steps), middleColorIndex_(middleColorIndex) {}
  virtual ~ColorInterpolator() = default;

  std::int64_t steps() const { return steps_; }
  std::int64_t middleColorIndex() const { return middleColorIndex_; }

  // The ramp from start to end. Empty when an anchor cannot be brought into
  // the method's working space. Entries come back in that working space
  // (extended linear sRGB for every method but linearLegacy).
  virtual Colors interpolateColors(const mcu::PlatformColor& startColor, const mcu::PlatformColor& endColor,
                                   CurveType curveType, double curveAmount) const = 0;
  // The ramp start → middle → end; each half eases from its own anchor.
  virtual Colors interpolateColors(const mcu::PlatformColor& startColor,
                                   const mcu::PlatformColor& middleColor, const mcu::PlatformColor& endColor,
                                   CurveType curveType, double curveAmount) const = 0;

  // The linear working space of three of the methods.
  static std::optional<mcu::PlatformColorSpace> extendedLinearSRGBSpace();

  // Offsets, blur and spread of a shadow ramp, rounded to three decimals.
  // The anchors are returned as the very objects passed in; new entries carry
  // a clear colour (the caller fills colours in).
  Shadows interpolateShadowValues(const std::shared_ptr<ShadowDetails>& startValue,
                                  const std::shared_ptr<ShadowDetails>& endValue, CurveType curveType,
                                  double curveAmount) const;
  Shadows interpolateShadowValues(const std::shared_ptr<ShadowDetails>& startValue,
                                  const std::shared_ptr<ShadowDetails>& middleValue,
                                  const std::shared_ptr<ShadowDetails>& endValue, CurveType curveType,
                                  double curveAmount) const;

 private:
  std::int64_t steps_;
  std::int64_t middleColorIndex_;
};

// The interpolator of one method: the ramp walk is shared, the method only
// decides the space the colours are mixed in.
template <InterpolationMethod Method>
class MethodInterpolator final : public ColorInterpolator {
 public:
  using ColorInterpolator::ColorInterpolator;
  Colors interpolateColors(const mcu::PlatformColor& startColor, const mcu::PlatformColor& endColor,
                           CurveType curveType, double curveAmount) const override;
  Colors interpolateColors(const mcu::PlatformColor& startColor, const mcu::PlatformColor& middleColor,
                           const mcu::PlatformColor& endColor, CurveType curveType,
                           double curveAmount) const override;
};

// Mixes red, green, blue and alpha in extended linear sRGB.
using LinearInterpolator = MethodInterpolator<InterpolationMethod::linear>;
// Mixes the gamma-encoded components of the colours' own RGB space, as ramps
// made before linear mixing existed did.
using LinearLegacyInterpolator = MethodInterpolator<InterpolationMethod::linearLegacy>;
// Mixes lightness, chroma and hue, turning the short way round the hue circle.
using OKLCHInterpolator = MethodInterpolator<InterpolationMethod::oklch>;
// Mixes L, a and b of OKLab.
using OKLABInterpolator = MethodInterpolator<InterpolationMethod::oklab>;

extern template class MethodInterpolator<InterpolationMethod::linear>;
extern template class MethodInterpolator<InterpolationMethod::linearLegacy>;
extern template class MethodInterpolator<InterpolationMethod::oklch>;
extern template class MethodInterpolator<InterpolationMethod::oklab>;

std::unique_ptr<ColorInterpolator> makeInterpolator(InterpolationMethod method, std::int64_t steps,
                                                    std::int64_t middleIndex);

}  // namespace tavlo
