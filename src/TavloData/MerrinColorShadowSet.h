// The kind object of a shadow ramp: the colour ramp's twin whose entries are
// themeable shadows. Colours are interpolated like a colour ramp's; offsets,
// blur and spread follow the same curve.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "MerrinColorUtils/ColorSpace.h"
#include "MerrinColorUtils/platform/PlatformColor.h"
#include "TavloData/RampSet.h"
#include "TavloData/ThemeableShadow.h"

namespace tavlo {

// What RampSet needs to know about shadow entries.
struct ShadowRampTraits {
  using Entry = ThemeableShadow;
  using Value = ShadowDetailsRef;
  static constexpr std::string_view entriesProperty = "shadows";

  static std::vector<Value> interpolate(const Value& start, const Value* middle, const Value& end,
                                        InterpolationMethod method, std::int64_t steps,
                                        std::int64_t middleIndex, CurveType curve, double curveAmount);
  static Value increaseContrast(const Value& value, double amount);
  // The same object when its colour is already in `space`, else a new shadow
  // with the converted colour.
  static std::optional<Value> converted(const Value& value, const mcu::PlatformColorSpace& space);
  static const mcu::PlatformColorSpace& spaceOf(const Value& value) { return value->color().colorSpace(); }
  // Entries never share their ShadowDetails with one another.
  static Value copy(const Value& value) { return value->clone(); }
  // An empty clear shadow in every variant.
  static Value blankVariant(ColorSource) { return ShadowDetails::noShadow(); }
};

class MerrinColorShadowSet final : public RampSet<ShadowRampTraits> {
 public:
  MerrinColorShadowSet(const ShadowDetailsRef& start, const ShadowDetailsRef& end, std::int64_t steps,
                       mcu::ColorSpace colorSpace, InterpolationMethod interpolation, CurveType curve,
                       ColorNamingScheme namingScheme, AppearanceType appearanceType);
  MerrinColorShadowSet(const ShadowDetailsRef& start, const ShadowDetailsRef& middle,
                       const ShadowDetailsRef& end, std::int64_t steps, mcu::ColorSpace colorSpace,
                       InterpolationMethod interpolation, CurveType curve, ColorNamingScheme namingScheme,
                       AppearanceType appearanceType);
  // Exactly these entries, as stored in a document.
  MerrinColorShadowSet(std::vector<std::shared_ptr<ThemeableShadow>> themeableShadows,
                       InterpolationMethod interpolation, CurveType curve, double curveAmount,
                       double middleShadowLocation, double autoContrastAmount, SetType type,
                       ColorNamingScheme namingScheme, mcu::ColorSpace colorSpace,
                       AppearanceType appearanceType);

  const Entries& shadows() const { return entries(); }
  void setShadows(Entries shadows) { setEntries(std::move(shadows)); }

  std::shared_ptr<ThemeableShadow> middleShadow() const { return middleEntry(); }
  // The colour of one variant of one entry; absent for an index outside the
  // list or a variant the entry does not have.
  std::optional<mcu::PlatformColor> color(std::int64_t index, ColorSource source) const;

  // Each sets one field of one variant of the entry (the index must be
  // valid; an absent variant stays absent), then regenerates.
  void changeSetColor(std::int64_t index, const mcu::PlatformColor& color, ColorSource source);
  void changeSetX(std::int64_t index, double value, ColorSource source);
  void changeSetY(std::int64_t index, double value, ColorSource source);
  void changeSetBlur(std::int64_t index, double value, ColorSource source);
  void changeSetSpread(std::int64_t index, double value, ColorSource source);

  void regenerateShadowsIfNeeded() { regenerateIfNeeded(); }
  void autoNameShadowsIfNeeded() { autoNameIfNeeded(); }

 private:
  template <class Change>
  void changeVariant(std::int64_t index, ColorSource source, Change&& change);
};

}  // namespace tavlo
