#include "TavloData/ColorInterpolator.h"

#include <algorithm>
#include <cmath>
#include <tuple>
#include <type_traits>

#include "MerrinColorUtils/ColorOperations.h"
#include "MerrinColorUtils/Numeric.h"
#include "MerrinColorUtils/RawValues.h"
#include "TavloData/ShadowDetails.h"

namespace tavlo {

namespace {

using mcu::PlatformColor;
using mcu::PlatformColorSpace;

enum class Anchor { start, middle, end };

// Walks the positions 0 ... steps - 1 of a ramp in order and reports each one
// either as an anchor or as a mix between two anchors at an eased fraction.
// Position 0 is the start anchor. With a middle anchor each half eases from
// its own anchor. A fraction of exactly 1 is the far anchor itself, so the
// last position never carries rounding from the curve.
template <class OnAnchor, class OnBetween>
void walkRamp(std::int64_t steps, std::optional<std::int64_t> middleIndex, CurveType curve, double amount,
              OnAnchor&& onAnchor, OnBetween&& onBetween) {
  onAnchor(Anchor::start);
  for (std::int64_t k = 1; k < steps; ++k) {
    if (!middleIndex) {
      double t = static_cast<double>(k) / static_cast<double>(steps - 1);
      if (t == 1.0)
        onAnchor(Anchor::end);
      else
        onBetween(Anchor::start, Anchor::end, alter(curve, t, amount));
      continue;
    }
    std::int64_t m = *middleIndex;
    if (k < m) {
      double t = static_cast<double>(k) / static_cast<double>(m);
      onBetween(Anchor::start, Anchor::middle, alter(curve, t, amount));
    } else if (k == m) {
      onAnchor(Anchor::middle);
    } else {
      double t = static_cast<double>(k - m) / static_cast<double>(steps - 1 - m);
      if (t == 1.0)
        onAnchor(Anchor::end);
      else
        onBetween(Anchor::middle, Anchor::end, alter(curve, t, amount));
    }
  }
}

// The anchor in linear light, or absent when it cannot be put there. A colour
// with a component that is not a finite number counts as unconvertible too:
// mixing it would only spread the NaN over the whole ramp.
std::optional<PlatformColor> toLinear(const PlatformColor& color) {
  auto space = ColorInterpolator::extendedLinearSRGBSpace();
  if (!space) return std::nullopt;
  auto linear = color.colorUsingColorSpace(*space);
  if (!linear) return std::nullopt;
  for (double component : linear->components())
    if (!std::isfinite(component)) return std::nullopt;
  return linear;
}

PlatformColor makeLinear(const mcu::RawRGBValues& values) {
  return PlatformColor::colorWithColorSpace(PlatformColorSpace::extendedLinearSRGB(),
                                            {values.red, values.green, values.blue, values.alpha});
}

// A method is a working form of the anchors (`prepare`, absent when the
// colour cannot be brought there), the entry an anchor contributes, and the
// mix of two working forms.
struct LinearMethod {
  using Working = PlatformColor;
  static std::optional<Working> prepare(const PlatformColor& color) { return toLinear(color); }
  // The middle anchor goes out as it came in; the outer anchors in linear light.
  static PlatformColor anchor(const PlatformColor& original, const Working& working, Anchor role) {
    return role == Anchor::middle ? original : working;
  }
  static std::optional<PlatformColor> mix(const Working& from, const Working& to, double t) {
    return mcu::lerpColor(from, to, t, false);
  }
};

struct LinearLegacyMethod {
  using Working = PlatformColor;
  static std::optional<Working> prepare(const PlatformColor& color) { return color; }
  static PlatformColor anchor(const PlatformColor& original, const Working&, Anchor) { return original; }
  static std::optional<PlatformColor> mix(const Working& from, const Working& to, double t) {
    return mcu::lerpColor(from, to, t, true);
  }
};

// OKLab and OKLCH mix perceptual coordinates; every anchor, the middle one
// included, goes out in linear light.
template <class Coordinates, Coordinates (*fromLinear)(const PlatformColor&)>
struct PerceptualMethod {
  struct Working {
    PlatformColor linear;
    Coordinates coordinates;
  };
  static std::optional<Working> prepare(const PlatformColor& color) {
    auto linear = toLinear(color);
    if (!linear) return std::nullopt;
    return Working{*linear, fromLinear(*linear)};
  }
  static PlatformColor anchor(const PlatformColor&, const Working& working, Anchor) { return working.linear; }
};

struct OKLABMethod : PerceptualMethod<mcu::RawLABValues, mcu::linearsRGBToOKLAB> {
  static std::optional<PlatformColor> mix(const Working& from, const Working& to, double t) {
    const mcu::RawLABValues& a = from.coordinates;
    const mcu::RawLABValues& b = to.coordinates;
    double clamped = std::clamp(t, 0.0, 1.0);
    mcu::RawLABValues lab{mcu::mix(a.l, b.l, clamped), mcu::mix(a.a, b.a, clamped),
                          mcu::mix(a.b, b.b, clamped), mcu::mix(a.alpha, b.alpha, clamped)};
    return makeLinear(lab.toLinearSRGB());
  }
};

struct OKLCHMethod : PerceptualMethod<mcu::RawLCHValues, mcu::linearSRGBtoOKLCH> {
  static std::optional<PlatformColor> mix(const Working& from, const Working& to, double t) {
    return makeLinear(from.coordinates.lerpColor(to.coordinates, t).toLinearSRGB());
  }
};

// The mixing of each InterpolationMethod, in the enumeration's order.
using Mixings = std::tuple<LinearMethod, LinearLegacyMethod, OKLCHMethod, OKLABMethod>;
template <InterpolationMethod Method>
using MixingOf = std::tuple_element_t<static_cast<std::size_t>(Method), Mixings>;
static_assert(std::is_same_v<MixingOf<InterpolationMethod::oklab>, OKLABMethod>);

// The one body of every colour operation. `middle` is null for a
// two-anchor ramp.
template <class Method>
std::vector<PlatformColor> interpolate(const ColorInterpolator& interpolator, const PlatformColor& start,
                                       const PlatformColor* middle, const PlatformColor& end, CurveType curve,
                                       double amount) {
  auto startWorking = Method::prepare(start);
  auto endWorking = Method::prepare(end);
  std::optional<typename Method::Working> middleWorking;
  if (middle) middleWorking = Method::prepare(*middle);
  if (!startWorking || !endWorking || (middle && !middleWorking)) return {};

  auto original = [&](Anchor role) -> const PlatformColor& {
    return role == Anchor::start ? start : role == Anchor::end ? end : *middle;
  };
  auto working = [&](Anchor role) -> const typename Method::Working& {
    return role == Anchor::start ? *startWorking : role == Anchor::end ? *endWorking : *middleWorking;
  };

  std::vector<PlatformColor> result;
  result.reserve(static_cast<std::size_t>(std::max<std::int64_t>(interpolator.steps(), 0)));
  std::optional<std::int64_t> middleIndex;
  if (middle) middleIndex = interpolator.middleColorIndex();
  walkRamp(
      interpolator.steps(), middleIndex, curve, amount,
      [&](Anchor role) { result.push_back(Method::anchor(original(role), working(role), role)); },
      [&](Anchor from, Anchor to, double t) {
        // A mix the platform cannot make leaves its position out.
        if (auto mixed = Method::mix(working(from), working(to), t)) result.push_back(std::move(*mixed));
      });
  return result;
}

double mixRounded(double from, double to, double t) {
  return mcu::roundTo(from + (to - from) * t, 3);
}

ColorInterpolator::Shadows interpolateShadowValuesImpl(const ColorInterpolator& interpolator,
                                                       const std::shared_ptr<ShadowDetails>& start,
                                                       const std::shared_ptr<ShadowDetails>* middle,
                                                       const std::shared_ptr<ShadowDetails>& end,
                                                       CurveType curve, double amount) {
  auto anchor = [&](Anchor role) -> const std::shared_ptr<ShadowDetails>& {
    return role == Anchor::start ? start : role == Anchor::end ? end : *middle;
  };
  ColorInterpolator::Shadows result;
  std::optional<std::int64_t> middleIndex;
  if (middle) middleIndex = interpolator.middleColorIndex();
  walkRamp(
      interpolator.steps(), middleIndex, curve, amount, [&](Anchor role) { result.push_back(anchor(role)); },
      [&](Anchor fromRole, Anchor toRole, double t) {
        const ShadowDetails& from = *anchor(fromRole);
        const ShadowDetails& to = *anchor(toRole);
        // Offsets are edited in points with three decimals; rounding keeps the
        // generated steps printable without noise.
        result.push_back(std::make_shared<ShadowDetails>(
            mixRounded(from.xOffset(), to.xOffset(), t), mixRounded(from.yOffset(), to.yOffset(), t),
            mixRounded(from.blur(), to.blur(), t), mixRounded(from.spread(), to.spread(), t),
            PlatformColor::sRGBClear()));
      });
  return result;
}

}  // namespace

std::optional<mcu::PlatformColorSpace> ColorInterpolator::extendedLinearSRGBSpace() {
  return PlatformColorSpace::extendedLinearSRGB();
}

ColorInterpolator::Shadows ColorInterpolator::interpolateShadowValues(
    const std::shared_ptr<ShadowDetails>& startValue, const std::shared_ptr<ShadowDetails>& endValue,
    CurveType curveType, double curveAmount) const {
  return interpolateShadowValuesImpl(*this, startValue, nullptr, endValue, curveType, curveAmount);
}

ColorInterpolator::Shadows ColorInterpolator::interpolateShadowValues(
    const std::shared_ptr<ShadowDetails>& startValue, const std::shared_ptr<ShadowDetails>& middleValue,
    const std::shared_ptr<ShadowDetails>& endValue, CurveType curveType, double curveAmount) const {
  return interpolateShadowValuesImpl(*this, startValue, &middleValue, endValue, curveType, curveAmount);
}

template <InterpolationMethod Method>
ColorInterpolator::Colors MethodInterpolator<Method>::interpolateColors(const PlatformColor& startColor,
                                                                        const PlatformColor& endColor,
                                                                        CurveType curveType,
                                                                        double curveAmount) const {
  return interpolate<MixingOf<Method>>(*this, startColor, nullptr, endColor, curveType, curveAmount);
}

template <InterpolationMethod Method>
ColorInterpolator::Colors MethodInterpolator<Method>::interpolateColors(const PlatformColor& startColor,
                                                                        const PlatformColor& middleColor,
                                                                        const PlatformColor& endColor,
                                                                        CurveType curveType,
                                                                        double curveAmount) const {
  return interpolate<MixingOf<Method>>(*this, startColor, &middleColor, endColor, curveType, curveAmount);
}

template class MethodInterpolator<InterpolationMethod::linear>;
template class MethodInterpolator<InterpolationMethod::linearLegacy>;
template class MethodInterpolator<InterpolationMethod::oklch>;
template class MethodInterpolator<InterpolationMethod::oklab>;

std::unique_ptr<ColorInterpolator> makeInterpolator(InterpolationMethod method, std::int64_t steps,
                                                    std::int64_t middleIndex) {
  switch (method) {
    case InterpolationMethod::linear:
      return std::make_unique<LinearInterpolator>(steps, middleIndex);
    case InterpolationMethod::linearLegacy:
      return std::make_unique<LinearLegacyInterpolator>(steps, middleIndex);
    case InterpolationMethod::oklch:
      return std::make_unique<OKLCHInterpolator>(steps, middleIndex);
    case InterpolationMethod::oklab:
      return std::make_unique<OKLABInterpolator>(steps, middleIndex);
  }
  return std::make_unique<LinearInterpolator>(steps, middleIndex);
}

}  // namespace tavlo
