// The kind object of a number node. The range and step hints are for
// editors; the value is never clamped or snapped to them.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>

#include "TavloData/ThemeableNumber.h"
#include "TavloData/ValueItemKind.h"

namespace tavlo {

class MerrinColorNumber : public ValueItemKind<ThemeableNumber> {
 public:
  MerrinColorNumber(std::shared_ptr<ThemeableNumber> value, std::optional<double> minValue,
                    std::optional<double> maxValue, std::optional<std::int64_t> steps,
                    AppearanceType appearanceType, double autoContrastAmount = 0)
      : ValueItemKind(std::move(value), appearanceType, autoContrastAmount),
        minValue_(minValue),
        maxValue_(maxValue),
        steps_(steps) {}

  std::optional<double> minValue() const { return minValue_; }
  void setMinValue(std::optional<double> value) { setAndNotify(minValue_, value, "minValue"); }
  std::optional<double> maxValue() const { return maxValue_; }
  void setMaxValue(std::optional<double> value) { setAndNotify(maxValue_, value, "maxValue"); }
  std::optional<std::int64_t> steps() const { return steps_; }
  void setSteps(std::optional<std::int64_t> value) { setAndNotify(steps_, value, "steps"); }

 private:
  std::optional<double> minValue_;
  std::optional<double> maxValue_;
  std::optional<std::int64_t> steps_;
};

}  // namespace tavlo
