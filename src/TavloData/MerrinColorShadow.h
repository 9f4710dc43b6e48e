// The kind object of a shadow node: one themeable shadow with its appearance
// type, automatic-contrast amount and working colour space.
#pragma once

#include <memory>

#include "MerrinColorUtils/ColorSpace.h"
#include "TavloData/AppearanceSettable.h"
#include "TavloData/NameSearchable.h"
#include "TavloData/Observable.h"
#include "TavloData/ThemeableShadow.h"

namespace tavlo {

class MerrinColorShadow : public Observable, public AppearanceSettable, public NameSearchable {
 public:
  MerrinColorShadow(std::shared_ptr<ThemeableShadow> shadow, mcu::ColorSpace colorSpace,
                    AppearanceType appearanceType, double autoContrastAmount);

  const std::shared_ptr<ThemeableShadow>& shadow() const { return shadow_; }
  void setShadow(std::shared_ptr<ThemeableShadow> shadow);

  AppearanceType appearanceType() const override { return appearanceType_; }
  // Adjusts the variants to the new type; copies are clones, never shared.
  void setAppearanceType(AppearanceType type) override;
  double autoContrastAmount() const { return autoContrastAmount_; }
  void setAutoContrastAmount(double amount) {
    setAndNotify(autoContrastAmount_, amount, "autoContrastAmount");
  }
  bool ignoreColorspaceChange() const { return ignoreColorspaceChange_; }
  void setIgnoreColorspaceChange(bool ignore);
  mcu::ColorSpace colorSpace() const { return colorSpace_; }
  // Converts the shadow colours; offsets, blur and spread stay.
  void setColorSpace(mcu::ColorSpace space);

  // Each changes the named variant when it exists and leaves an absent one absent.
  void changeColor(const mcu::PlatformColor& color, ColorSource source);
  void changeXOffset(double value, ColorSource source);
  void changeYOffset(double value, ColorSource source);
  void changeBlur(double value, ColorSource source);
  void changeSpread(double value, ColorSource source);

  // For automatic types, the high-contrast colours from the regular ones.
  void deriveAutomaticHighContrast();

 private:
  std::shared_ptr<ThemeableShadow> shadow_;
  AppearanceType appearanceType_;
  double autoContrastAmount_;
  bool ignoreColorspaceChange_ = false;
  mcu::ColorSpace colorSpace_;
};

}  // namespace tavlo
