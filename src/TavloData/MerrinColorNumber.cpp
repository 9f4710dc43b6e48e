#include "TavloData/MerrinColorNumber.h"

#include "TavloData/AppearanceAdjustment.h"

namespace tavlo {

MerrinColorNumber::MerrinColorNumber(std::shared_ptr<ThemeableNumber> value, std::optional<double> minValue,
                                     std::optional<double> maxValue, std::optional<std::int64_t> steps,
                                     AppearanceType appearanceType, double autoContrastAmount)
    : value_(std::move(value)),
      minValue_(minValue),
      maxValue_(maxValue),
      steps_(steps),
      appearanceType_(appearanceType),
      autoContrastAmount_(autoContrastAmount) {}

void MerrinColorNumber::setValue(std::shared_ptr<ThemeableNumber> value) {
  setAndNotify(value_, std::move(value), "value");
}

void MerrinColorNumber::setAppearanceType(AppearanceType type) {
  if (type == appearanceType_) return;
  setAndNotify(appearanceType_, type, "appearanceType");
  // Numbers have no automatic high contrast: an automatic type leaves the variants alone.
  adjustVariantsForAppearance(*value_, type, sameValue);
}

void MerrinColorNumber::changeValue(std::optional<double> value, ColorSource source) {
  if (source == ColorSource::light)
    value_->setLightVariant(value.value_or(0));
  else
    value_->setVariant(source, value);
}

}  // namespace tavlo
