#include "TavloData/MerrinColorItem.h"

#include "MerrinColorUtils/ColorOperations.h"
#include "TavloData/AppearanceAdjustment.h"
#include "TavloData/UUID.h"

namespace tavlo {

namespace {

// The colour converted into `space` when it is not there already; unchanged
// when the conversion fails.
mcu::PlatformColor convertedInto(const mcu::PlatformColor& color, const mcu::PlatformColorSpace& space) {
  if (color.colorSpace() == space) return color;
  return color.colorUsingColorSpace(space).value_or(color);
}

std::optional<mcu::PlatformColor> convertedInto(const std::optional<mcu::PlatformColor>& color,
                                                const mcu::PlatformColorSpace& space) {
  if (!color) return std::nullopt;
  return convertedInto(*color, space);
}

}  // namespace

void reinterpretLightAndDark(ThemeableColor& color, mcu::ColorSpace colorSpace) {
  const mcu::PlatformColorSpace space = mcu::toNSColorSpace(colorSpace);
  auto reinterpreted = [&](const mcu::PlatformColor& c) {
    return mcu::PlatformColor::colorWithColorSpace(
        space, {c.redComponent(), c.greenComponent(), c.blueComponent(), c.alphaComponent()});
  };
  color.setLightVariant(reinterpreted(color.lightVariant()));
  if (color.darkVariant()) color.setDarkVariant(reinterpreted(*color.darkVariant()));
}

mcu::ColorSpace workingColorSpaceFor(const mcu::PlatformColorSpace& space) {
  if (space == mcu::PlatformColorSpace::sRGB()) return mcu::ColorSpace::sRGB;
  if (space == mcu::PlatformColorSpace::extendedSRGB()) return mcu::ColorSpace::sRGBExtended;
  return mcu::ColorSpace::displayP3;
}

mcu::PlatformColor normalizedColor(const mcu::PlatformColor& color) {
  const mcu::PlatformColorSpace& space = color.colorSpace();
  if (space == mcu::PlatformColorSpace::displayP3() || space == mcu::PlatformColorSpace::sRGB() ||
      space == mcu::PlatformColorSpace::extendedSRGB())
    return color;
  if (space == mcu::PlatformColorSpace::genericGamma22Gray())
    return color.colorUsingColorSpace(mcu::PlatformColorSpace::sRGB()).value_or(color);
  return color.colorUsingColorSpace(mcu::PlatformColorSpace::displayP3()).value_or(color);
}

MerrinColorItem::MerrinColorItem(std::shared_ptr<ThemeableColor> color, mcu::ColorSpace colorSpace,
                                 AppearanceType appearanceType, double autoContrastAmount)
    : color_(std::move(color)),
      appearanceType_(appearanceType),
      autoContrastAmount_(autoContrastAmount),
      colorSpace_(colorSpace) {}

MerrinColorItem::MerrinColorItem(const mcu::PlatformColor& lightColor,
                                 const std::optional<mcu::PlatformColor>& darkColor,
                                 AppearanceType appearanceType, double autoContrastAmount)
    : appearanceType_(appearanceType),
      autoContrastAmount_(autoContrastAmount),
      colorSpace_(workingColorSpaceFor(lightColor.colorSpace())) {
  std::optional<mcu::PlatformColor> dark;
  if (darkColor) dark = normalizedColor(*darkColor);
  color_ =
      std::make_shared<ThemeableColor>(makeUUIDString(), std::string(), normalizedColor(lightColor), dark);
}

void MerrinColorItem::setColor(std::shared_ptr<ThemeableColor> color) {
  setAndNotify(color_, std::move(color), "color");
}

void MerrinColorItem::setAppearanceType(AppearanceType type) {
  if (type == appearanceType_) return;
  setAndNotify(appearanceType_, type, "appearanceType");
  if (isAutoHighContrast(type))
    deriveAutomaticHighContrast();
  else
    adjustVariantsForAppearance(*color_, type, sameValue);
}

void MerrinColorItem::setAutoContrastAmount(double amount) {
  setAndNotify(autoContrastAmount_, amount, "autoContrastAmount");
  deriveAutomaticHighContrast();
}

void MerrinColorItem::setIgnoreColorspaceChange(bool ignore) {
  setAndNotify(ignoreColorspaceChange_, ignore, "ignoreColorspaceChange");
}

void MerrinColorItem::setColorSpace(mcu::ColorSpace space) {
  if (!changeAndNotify(colorSpace_, space, "colorSpace") || ignoreColorspaceChange_) return;
  const mcu::PlatformColorSpace target = mcu::toNSColorSpace(space);
  color_->setLightVariant(convertedInto(color_->lightVariant(), target));
  color_->setDarkVariant(convertedInto(color_->darkVariant(), target));
  if (isAutoHighContrast(appearanceType_)) {
    deriveAutomaticHighContrast();
  } else {
    color_->setLightVariantHighContrast(convertedInto(color_->lightVariantHighContrast(), target));
    color_->setDarkVariantHighContrast(convertedInto(color_->darkVariantHighContrast(), target));
  }
}

void MerrinColorItem::changeColor(const mcu::PlatformColor& color, ColorSource source) {
  color_->setVariant(source, color);
  if (source == ColorSource::light || source == ColorSource::dark) deriveAutomaticHighContrast();
}

void MerrinColorItem::assign(mcu::ColorSpace colorSpace) {
  setIgnoreColorspaceChange(true);
  setColorSpace(colorSpace);
  reinterpretLightAndDark(*color_, colorSpace);
  setIgnoreColorspaceChange(false);
}

void MerrinColorItem::assign(mcu::ColorSpace colorSpace, mcu::ColorSpace andConvertTo) {
  assign(colorSpace);
  setColorSpace(andConvertTo);
}

void MerrinColorItem::deriveAutomaticHighContrast() {
  if (!isAutoHighContrast(appearanceType_)) return;
  color_->setLightVariantHighContrast(mcu::increaseContrastLCH(color_->lightVariant(), autoContrastAmount_));
  if (appearanceType_ != AppearanceType::lightDarkHighContrastAuto) return;
  if (!color_->darkVariant()) color_->setDarkVariant(color_->lightVariant());
  color_->setDarkVariantHighContrast(mcu::increaseContrastLCH(*color_->darkVariant(), autoContrastAmount_));
}

}  // namespace tavlo
