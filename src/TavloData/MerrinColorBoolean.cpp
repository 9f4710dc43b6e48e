#include "TavloData/MerrinColorBoolean.h"

#include "TavloData/AppearanceAdjustment.h"

namespace tavlo {

MerrinColorBoolean::MerrinColorBoolean(std::shared_ptr<ThemeableBoolean> value, AppearanceType appearanceType,
                                       double autoContrastAmount)
    : value_(std::move(value)), appearanceType_(appearanceType), autoContrastAmount_(autoContrastAmount) {}

void MerrinColorBoolean::setValue(std::shared_ptr<ThemeableBoolean> value) {
  setAndNotify(value_, std::move(value), "value");
}

void MerrinColorBoolean::setAppearanceType(AppearanceType type) {
  if (type == appearanceType_) return;
  setAndNotify(appearanceType_, type, "appearanceType");
  adjustVariantsForAppearance(*value_, type, sameValue);
}

void MerrinColorBoolean::changeValue(std::optional<bool> value, ColorSource source) {
  if (source == ColorSource::light)
    value_->setLightVariant(value.value_or(false));
  else
    value_->setVariant(source, value);
}

}  // namespace tavlo
