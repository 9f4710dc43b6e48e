#include "TavloData/MerrinColorSet.h"

#include <cassert>

#include "MerrinColorUtils/ColorOperations.h"
#include "TavloData/ColorHelper.h"
#include "TavloData/MerrinColorItem.h"
#include "TavloData/ProjectItemKindHooks.h"
#include "TavloData/UUID.h"

namespace tavlo {

// --- traits ----------------------------------------------------------------

std::vector<mcu::PlatformColor> ColorRampTraits::interpolate(const Value& start, const Value* middle,
                                                             const Value& end, InterpolationMethod method,
                                                             std::int64_t steps, std::int64_t middleIndex,
                                                             CurveType curve, double curveAmount) {
  std::optional<Value> through;
  if (middle) through = *middle;
  return ColorHelper::interpolateColors(start, through, end, method, steps, middleIndex, curve, curveAmount);
}

mcu::PlatformColor ColorRampTraits::increaseContrast(const Value& value, double amount) {
  return mcu::increaseContrastLCH(value, amount);
}

std::optional<mcu::PlatformColor> ColorRampTraits::converted(const Value& value,
                                                             const mcu::PlatformColorSpace& space) {
  return value.colorUsingColorSpace(space);
}

mcu::PlatformColor ColorRampTraits::blankVariant(ColorSource source) {
  const bool dark = source == ColorSource::dark || source == ColorSource::darkHighContrast;
  return dark ? mcu::PlatformColor::sRGBBlack() : mcu::PlatformColor::sRGBWhite();
}

// --- MerrinColorSet ----------------------------------------------------------

namespace {

std::shared_ptr<ThemeableColor> anchorEntry(const mcu::PlatformColor& color) {
  return std::make_shared<ThemeableColor>(makeUUIDString(), std::string(), normalizedColor(color));
}

}  // namespace

MerrinColorSet::MerrinColorSet(const mcu::PlatformColor& startColor, const mcu::PlatformColor& endColor,
                               std::int64_t steps, InterpolationMethod interpolation, CurveType curve,
                               ColorNamingScheme namingScheme, AppearanceType appearanceType)
    : RampSet(
          anchorEntry(startColor), nullptr, anchorEntry(endColor), steps,
          generatedRampParameters(SetType::twoItems,
                                  mcu::colorSpaceFromNSColorSpace(normalizedColor(startColor).colorSpace(),
                                                                  mcu::ColorSpace::displayP3),
                                  interpolation, curve, namingScheme, appearanceType)) {}

MerrinColorSet::MerrinColorSet(const mcu::PlatformColor& startColor, const mcu::PlatformColor& middleColor,
                               const mcu::PlatformColor& endColor, std::int64_t steps,
                               mcu::ColorSpace colorSpace, InterpolationMethod interpolation, CurveType curve,
                               ColorNamingScheme namingScheme, AppearanceType appearanceType)
    : RampSet(anchorEntry(startColor), anchorEntry(middleColor), anchorEntry(endColor), steps,
              generatedRampParameters(SetType::threeItems, colorSpace, interpolation, curve, namingScheme,
                                      appearanceType)) {}

MerrinColorSet::MerrinColorSet(std::vector<std::shared_ptr<ThemeableColor>> themeableColors,
                               InterpolationMethod interpolation, CurveType curve, double curveAmount,
                               double middleColorLocation, double autoContrastAmount, SetType type,
                               ColorNamingScheme namingScheme, mcu::ColorSpace colorSpace,
                               AppearanceType appearanceType)
    : RampSet(std::move(themeableColors),
              RampParameters{interpolation, curve, curveAmount, type, namingScheme, middleColorLocation,
                             colorSpace, appearanceType, autoContrastAmount}) {}

std::optional<mcu::PlatformColor> MerrinColorSet::color(std::int64_t index, ColorSource source) const {
  auto entry = entryAt(index);
  if (!entry) return std::nullopt;
  return entry->variantFor(source);
}

void MerrinColorSet::changeSetColor(std::int64_t index, const mcu::PlatformColor& color, ColorSource source) {
  auto entry = entryAt(index);
  assert(entry && "changeSetColor needs an index within the ramp");
  if (!entry) return;
  entry->setVariant(source, color);
  regenerateColorsIfNeeded();
}

void MerrinColorSet::assign(mcu::ColorSpace colorSpace) {
  setIgnoreColorspaceChange(true);
  setColorSpace(colorSpace);
  for (const auto& entry : colors()) reinterpretLightAndDark(*entry, colorSpace);
  setIgnoreColorspaceChange(false);
}

void MerrinColorSet::assign(mcu::ColorSpace colorSpace, mcu::ColorSpace andConvertTo) {
  assign(colorSpace);
  setColorSpace(andConvertTo);
}

bool anyColorSetEntryNameMatches(const MerrinColorSet& set, const TextSearchTerm& term) {
  return set.anyEntryNameMatches(term);
}

}  // namespace tavlo
