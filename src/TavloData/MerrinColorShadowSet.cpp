#include "TavloData/MerrinColorShadowSet.h"

#include <cassert>

#include "TavloData/ColorHelper.h"
#include "TavloData/MerrinColorItem.h"
#include "TavloData/ProjectItemKindHooks.h"
#include "TavloData/UUID.h"

namespace tavlo {

// --- traits ----------------------------------------------------------------

std::vector<ShadowDetailsRef> ShadowRampTraits::interpolate(const Value& start, const Value* middle,
                                                            const Value& end, InterpolationMethod method,
                                                            std::int64_t steps, std::int64_t middleIndex,
                                                            CurveType curve, double curveAmount) {
  return ColorHelper::interpolateShadows(start, middle ? *middle : nullptr, end, method, steps, middleIndex,
                                         curve, curveAmount);
}

ShadowDetailsRef ShadowRampTraits::increaseContrast(const Value& value, double amount) {
  return value->increaseContrastLCH(amount);
}

std::optional<ShadowDetailsRef> ShadowRampTraits::converted(const Value& value,
                                                            const mcu::PlatformColorSpace& space) {
  if (value->color().colorSpace() == space) return value;
  auto color = value->color().colorUsingColorSpace(space);
  if (!color) return std::nullopt;
  return std::make_shared<ShadowDetails>(value->xOffset(), value->yOffset(), value->blur(), value->spread(),
                                         std::move(*color));
}

// --- MerrinColorShadowSet ----------------------------------------------------

namespace {

std::shared_ptr<ThemeableShadow> anchorEntry(const ShadowDetailsRef& shadow) {
  if (!shadow) return nullptr;
  auto normalized = std::make_shared<ShadowDetails>(shadow->xOffset(), shadow->yOffset(), shadow->blur(),
                                                    shadow->spread(), normalizedColor(shadow->color()));
  return std::make_shared<ThemeableShadow>(makeUUIDString(), std::string(), std::move(normalized));
}

}  // namespace

MerrinColorShadowSet::MerrinColorShadowSet(const ShadowDetailsRef& start, const ShadowDetailsRef& end,
                                           std::int64_t steps, mcu::ColorSpace colorSpace,
                                           InterpolationMethod interpolation, CurveType curve,
                                           ColorNamingScheme namingScheme, AppearanceType appearanceType)
    : RampSet(anchorEntry(start), nullptr, anchorEntry(end), steps,
              generatedRampParameters(SetType::twoItems, colorSpace, interpolation, curve, namingScheme,
                                      appearanceType)) {}

MerrinColorShadowSet::MerrinColorShadowSet(const ShadowDetailsRef& start, const ShadowDetailsRef& middle,
                                           const ShadowDetailsRef& end, std::int64_t steps,
                                           mcu::ColorSpace colorSpace, InterpolationMethod interpolation,
                                           CurveType curve, ColorNamingScheme namingScheme,
                                           AppearanceType appearanceType)
    : RampSet(anchorEntry(start), anchorEntry(middle), anchorEntry(end), steps,
              generatedRampParameters(SetType::threeItems, colorSpace, interpolation, curve, namingScheme,
                                      appearanceType)) {}

MerrinColorShadowSet::MerrinColorShadowSet(std::vector<std::shared_ptr<ThemeableShadow>> themeableShadows,
                                           InterpolationMethod interpolation, CurveType curve,
                                           double curveAmount, double middleShadowLocation,
                                           double autoContrastAmount, SetType type,
                                           ColorNamingScheme namingScheme, mcu::ColorSpace colorSpace,
                                           AppearanceType appearanceType)
    : RampSet(std::move(themeableShadows),
              RampParameters{interpolation, curve, curveAmount, type, namingScheme, middleShadowLocation,
                             colorSpace, appearanceType, autoContrastAmount}) {}

std::optional<mcu::PlatformColor> MerrinColorShadowSet::color(std::int64_t index, ColorSource source) const {
  auto entry = entryAt(index);
  if (!entry) return std::nullopt;
  auto variant = entry->variantFor(source);
  if (!variant) return std::nullopt;
  return (*variant)->color();
}

template <class Change>
void MerrinColorShadowSet::changeVariant(std::int64_t index, ColorSource source, Change&& change) {
  auto entry = entryAt(index);
  assert(entry && "shadow ramp changes need an index within the ramp");
  if (!entry) return;
  if (auto variant = entry->variantFor(source)) change(**variant);
  regenerateShadowsIfNeeded();
}

void MerrinColorShadowSet::changeSetColor(std::int64_t index, const mcu::PlatformColor& color,
                                          ColorSource source) {
  changeVariant(index, source, [&](ShadowDetails& shadow) { shadow.setColor(color); });
}

void MerrinColorShadowSet::changeSetX(std::int64_t index, double value, ColorSource source) {
  changeVariant(index, source, [&](ShadowDetails& shadow) { shadow.setXOffset(value); });
}

void MerrinColorShadowSet::changeSetY(std::int64_t index, double value, ColorSource source) {
  changeVariant(index, source, [&](ShadowDetails& shadow) { shadow.setYOffset(value); });
}

void MerrinColorShadowSet::changeSetBlur(std::int64_t index, double value, ColorSource source) {
  changeVariant(index, source, [&](ShadowDetails& shadow) { shadow.setBlur(value); });
}

void MerrinColorShadowSet::changeSetSpread(std::int64_t index, double value, ColorSource source) {
  changeVariant(index, source, [&](ShadowDetails& shadow) { shadow.setSpread(value); });
}

bool anyShadowSetEntryNameMatches(const MerrinColorShadowSet& set, const TextSearchTerm& term) {
  return set.anyEntryNameMatches(term);
}

}  // namespace tavlo
