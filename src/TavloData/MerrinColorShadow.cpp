#include "TavloData/MerrinColorShadow.h"

#include "MerrinColorUtils/ColorOperations.h"
#include "TavloData/AppearanceAdjustment.h"

namespace tavlo {

namespace {

// The shadow's colour converted into `space`, in place; kept when the
// conversion fails.
void convertColor(const std::optional<ShadowDetailsRef>& shadow, const mcu::PlatformColorSpace& space) {
  if (!shadow || (*shadow)->color().colorSpace() == space) return;
  if (auto converted = (*shadow)->color().colorUsingColorSpace(space)) (*shadow)->setColor(*converted);
}

}  // namespace

MerrinColorShadow::MerrinColorShadow(std::shared_ptr<ThemeableShadow> shadow, mcu::ColorSpace colorSpace,
                                     AppearanceType appearanceType, double autoContrastAmount)
    : shadow_(std::move(shadow)),
      appearanceType_(appearanceType),
      autoContrastAmount_(autoContrastAmount),
      colorSpace_(colorSpace) {}

void MerrinColorShadow::setShadow(std::shared_ptr<ThemeableShadow> shadow) {
  setAndNotify(shadow_, std::move(shadow), "shadow");
}

void MerrinColorShadow::setAppearanceType(AppearanceType type) {
  if (type == appearanceType_) return;
  setAndNotify(appearanceType_, type, "appearanceType");
  if (isAutoHighContrast(type))
    deriveAutomaticHighContrast();
  else
    adjustVariantsForAppearance(*shadow_, type,
                                [](const ShadowDetailsRef& shadow) { return shadow->clone(); });
}

void MerrinColorShadow::setIgnoreColorspaceChange(bool ignore) {
  setAndNotify(ignoreColorspaceChange_, ignore, "ignoreColorspaceChange");
}

void MerrinColorShadow::setColorSpace(mcu::ColorSpace space) {
  if (!changeAndNotify(colorSpace_, space, "colorSpace") || ignoreColorspaceChange_) return;
  const mcu::PlatformColorSpace target = mcu::toNSColorSpace(space);
  convertColor(shadow_->lightVariant(), target);
  convertColor(shadow_->darkVariant(), target);
  if (isAutoHighContrast(appearanceType_)) {
    deriveAutomaticHighContrast();
  } else {
    convertColor(shadow_->lightVariantHighContrast(), target);
    convertColor(shadow_->darkVariantHighContrast(), target);
  }
}

void MerrinColorShadow::changeColor(const mcu::PlatformColor& color, ColorSource source) {
  if (auto variant = shadow_->variantFor(source)) (*variant)->setColor(color);
  if (source == ColorSource::light || source == ColorSource::dark) deriveAutomaticHighContrast();
}

void MerrinColorShadow::changeXOffset(double value, ColorSource source) {
  if (auto variant = shadow_->variantFor(source)) (*variant)->setXOffset(value);
}

void MerrinColorShadow::changeYOffset(double value, ColorSource source) {
  if (auto variant = shadow_->variantFor(source)) (*variant)->setYOffset(value);
}

void MerrinColorShadow::changeBlur(double value, ColorSource source) {
  if (auto variant = shadow_->variantFor(source)) (*variant)->setBlur(value);
}

void MerrinColorShadow::changeSpread(double value, ColorSource source) {
  if (auto variant = shadow_->variantFor(source)) (*variant)->setSpread(value);
}

// Only the colours of variants that exist change: offsets, blur and spread
// of a high-contrast shadow stay as the user set them.
void MerrinColorShadow::deriveAutomaticHighContrast() {
  if (!isAutoHighContrast(appearanceType_)) return;
  const ShadowDetailsRef& light = shadow_->lightVariant();
  if (const auto& lightHighContrast = shadow_->lightVariantHighContrast())
    (*lightHighContrast)->setColor(mcu::increaseContrastLCH(light->color(), autoContrastAmount_));
  if (appearanceType_ != AppearanceType::lightDarkHighContrastAuto) return;
  if (!shadow_->darkVariant()) shadow_->setDarkVariant(light->clone());
  if (const auto& darkHighContrast = shadow_->darkVariantHighContrast())
    (*darkHighContrast)
        ->setColor(mcu::increaseContrastLCH((*shadow_->darkVariant())->color(), autoContrastAmount_));
}

}  // namespace tavlo
