// The kind object of a colour node: one themeable colour, its appearance
// type, the amount used for automatic high contrast, and the working colour
// space its colours are kept in.
#pragma once

#include <memory>
#include <optional>

#include "MerrinColorUtils/ColorSpace.h"
#include "MerrinColorUtils/platform/PlatformColor.h"
#include "TavloData/AppearanceSettable.h"
#include "TavloData/ColorAssignable.h"
#include "TavloData/NameSearchable.h"
#include "TavloData/Observable.h"
#include "TavloData/ThemeableColor.h"

namespace tavlo {

class MerrinColorItem : public Observable,
                        public AppearanceSettable,
                        public ColorAssignable,
                        public NameSearchable {
 public:
  MerrinColorItem(std::shared_ptr<ThemeableColor> color, mcu::ColorSpace colorSpace,
                  AppearanceType appearanceType, double autoContrastAmount);
  // A new colour from platform colours: the working space follows the light
  // colour's own space; colours outside sRGB, extended sRGB and Display P3
  // are brought into Display P3 (grey into sRGB).
  MerrinColorItem(const mcu::PlatformColor& lightColor, const std::optional<mcu::PlatformColor>& darkColor,
                  AppearanceType appearanceType, double autoContrastAmount);

  const std::shared_ptr<ThemeableColor>& color() const { return color_; }
  void setColor(std::shared_ptr<ThemeableColor> color);

  AppearanceType appearanceType() const override { return appearanceType_; }
  // Adjusts the variants to the new type (see adjustVariantsForAppearance).
  void setAppearanceType(AppearanceType type) override;

  double autoContrastAmount() const { return autoContrastAmount_; }
  // Derives the automatic high-contrast variants again.
  void setAutoContrastAmount(double amount);

  bool ignoreColorspaceChange() const { return ignoreColorspaceChange_; }
  void setIgnoreColorspaceChange(bool ignore);

  mcu::ColorSpace colorSpace() const { return colorSpace_; }
  // Converts the stored colours into the new space, unless
  // ignoreColorspaceChange is set or the space is unchanged.
  void setColorSpace(mcu::ColorSpace space);

  // Stores one variant; a new light or dark colour re-derives automatic
  // high contrast.
  void changeColor(const mcu::PlatformColor& color, ColorSource source);

  void assign(mcu::ColorSpace colorSpace) override;
  void assign(mcu::ColorSpace colorSpace, mcu::ColorSpace andConvertTo) override;

  // For automatic types, the high-contrast variants from the regular ones.
  void deriveAutomaticHighContrast();

 private:
  std::shared_ptr<ThemeableColor> color_;
  AppearanceType appearanceType_;
  double autoContrastAmount_;
  bool ignoreColorspaceChange_ = false;
  mcu::ColorSpace colorSpace_;
};

// The working space that colours arriving in `space` are kept in.
mcu::ColorSpace workingColorSpaceFor(const mcu::PlatformColorSpace& space);
// sRGB, extended sRGB and Display P3 colours as they are; grey into sRGB;
// anything else into Display P3 (unchanged when that fails).
mcu::PlatformColor normalizedColor(const mcu::PlatformColor& color);
// What assigning a colour space does, as opposed to converting into it: the
// light and dark variants keep their component values, read in the new space.
void reinterpretLightAndDark(ThemeableColor& color, mcu::ColorSpace colorSpace);

}  // namespace tavlo
