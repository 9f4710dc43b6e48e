// Everything that carries an appearance type: the value items, the ramps and
// the aliases. Editors change the two halves of the type separately.
#pragma once

#include "TavloData/AppearanceType.h"

namespace tavlo {

class AppearanceSettable {
 public:
  virtual ~AppearanceSettable() = default;

  virtual AppearanceType appearanceType() const = 0;
  virtual void setAppearanceType(AppearanceType type) = 0;

  // Keeps the current contrast choice.
  void changeAppearance(DisplayableAppearance appearance) {
    setAppearanceType(fromDisplayable(appearance, asDisplayableContrast(appearanceType())));
  }
  // Keeps the current light & dark choice.
  void changeContrast(DisplayableContrast contrast) {
    setAppearanceType(fromDisplayable(asDisplayableAppearance(appearanceType()), contrast));
  }

 protected:
  AppearanceSettable() = default;
  AppearanceSettable(const AppearanceSettable&) = default;
  AppearanceSettable& operator=(const AppearanceSettable&) = default;
};

}  // namespace tavlo
