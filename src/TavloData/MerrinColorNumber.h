// The kind object of a number node. The range and step hints are for
// editors; the value is never clamped or snapped to them.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>

#include "TavloData/AppearanceSettable.h"
#include "TavloData/NameSearchable.h"
#include "TavloData/Observable.h"
#include "TavloData/ThemeableNumber.h"

namespace tavlo {

class MerrinColorNumber : public Observable, public AppearanceSettable, public NameSearchable {
 public:
  MerrinColorNumber(std::shared_ptr<ThemeableNumber> value, std::optional<double> minValue,
                    std::optional<double> maxValue, std::optional<std::int64_t> steps,
                    AppearanceType appearanceType, double autoContrastAmount = 0);

  const std::shared_ptr<ThemeableNumber>& value() const { return value_; }
  void setValue(std::shared_ptr<ThemeableNumber> value);
  std::optional<double> minValue() const { return minValue_; }
  void setMinValue(std::optional<double> value) { setAndNotify(minValue_, value, "minValue"); }
  std::optional<double> maxValue() const { return maxValue_; }
  void setMaxValue(std::optional<double> value) { setAndNotify(maxValue_, value, "maxValue"); }
  std::optional<std::int64_t> steps() const { return steps_; }
  void setSteps(std::optional<std::int64_t> value) { setAndNotify(steps_, value, "steps"); }

  AppearanceType appearanceType() const override { return appearanceType_; }
  void setAppearanceType(AppearanceType type) override;
  double autoContrastAmount() const { return autoContrastAmount_; }
  void setAutoContrastAmount(double amount) {
    setAndNotify(autoContrastAmount_, amount, "autoContrastAmount");
  }

  // Light: the value, or 0 when absent. Other sources: exactly the optional.
  void changeValue(std::optional<double> value, ColorSource source);

 private:
  std::shared_ptr<ThemeableNumber> value_;
  std::optional<double> minValue_;
  std::optional<double> maxValue_;
  std::optional<std::int64_t> steps_;
  AppearanceType appearanceType_;
  double autoContrastAmount_;
};

}  // namespace tavlo
