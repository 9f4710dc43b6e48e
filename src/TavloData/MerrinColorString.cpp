#include "TavloData/MerrinColorString.h"

#include "TavloData/AppearanceAdjustment.h"

namespace tavlo {

MerrinColorString::MerrinColorString(std::shared_ptr<ThemeableString> value, AppearanceType appearanceType,
                                     double autoContrastAmount)
    : value_(std::move(value)), appearanceType_(appearanceType), autoContrastAmount_(autoContrastAmount) {}

void MerrinColorString::setValue(std::shared_ptr<ThemeableString> value) {
  setAndNotify(value_, std::move(value), "value");
}

void MerrinColorString::setAppearanceType(AppearanceType type) {
  if (type == appearanceType_) return;
  setAndNotify(appearanceType_, type, "appearanceType");
  adjustVariantsForAppearance(*value_, type, sameValue);
}

void MerrinColorString::changeValue(std::optional<std::string> value, ColorSource source) {
  if (source == ColorSource::light)
    value_->setLightVariant(value.value_or(std::string()));
  else
    value_->setVariant(source, std::move(value));
}

}  // namespace tavlo
