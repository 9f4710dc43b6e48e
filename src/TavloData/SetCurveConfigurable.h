// What an editor of ramp parameters needs, whichever kind of ramp it holds.
#pragma once

#include <cstdint>

#include "TavloData/ColorNamingScheme.h"
#include "TavloData/CurveType.h"
#include "TavloData/InterpolationMethod.h"
#include "TavloData/SetType.h"

namespace tavlo {

// The closed range of step counts a ramp may be given.
struct StepsRange {
  std::int64_t lowerBound;
  std::int64_t upperBound;
  constexpr bool contains(std::int64_t steps) const { return steps >= lowerBound && steps <= upperBound; }
};

class SetCurveConfigurable {
 public:
  virtual ~SetCurveConfigurable() = default;

  virtual InterpolationMethod interpolationMethod() const = 0;
  virtual void setInterpolationMethod(InterpolationMethod method) = 0;
  virtual CurveType curveType() const = 0;
  virtual void setCurveType(CurveType curve) = 0;
  virtual double curveAmount() const = 0;
  virtual void setCurveAmount(double amount) = 0;
  virtual SetType type() const = 0;
  virtual void setType(SetType type) = 0;
  virtual std::int64_t steps() const = 0;
  virtual void setSteps(std::int64_t steps) = 0;
  virtual ColorNamingScheme namingScheme() const = 0;
  virtual void setNamingScheme(ColorNamingScheme scheme) = 0;
  virtual double middleLocation() const = 0;
  virtual void setMiddleLocation(double location) = 0;

  // Resizes the ramp; counts outside 3 ... 32 are ignored.
  virtual void changeSteps(std::int64_t newSteps) = 0;
  // Moves the middle anchor (its colours travel with it) and regenerates.
  virtual void changeMiddle(double newMiddle) = 0;

 protected:
  SetCurveConfigurable() = default;
  SetCurveConfigurable(const SetCurveConfigurable&) = default;
  SetCurveConfigurable& operator=(const SetCurveConfigurable&) = default;
};

}  // namespace tavlo
