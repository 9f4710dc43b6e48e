// The kind object of a colour ramp: an ordered list of themeable colours
// generated from two or three anchors, or edited by hand. References into a
// ramp use the ramp's identifier and an index, because every regeneration
// gives the entries new identifiers.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "MerrinColorUtils/ColorSpace.h"
#include "MerrinColorUtils/platform/PlatformColor.h"
#include "TavloData/ColorAssignable.h"
#include "TavloData/RampSet.h"
#include "TavloData/ThemeableColor.h"

namespace tavlo {

class TextSearchTerm;

// What RampSet needs to know about colour entries.
struct ColorRampTraits {
  using Entry = ThemeableColor;
  using Value = mcu::PlatformColor;
  static constexpr std::string_view entriesProperty = "colors";

  static std::vector<Value> interpolate(const Value& start, const Value* middle, const Value& end,
                                        InterpolationMethod method, std::int64_t steps,
                                        std::int64_t middleIndex, CurveType curve, double curveAmount);
  static Value increaseContrast(const Value& value, double amount);
  static std::optional<Value> converted(const Value& value, const mcu::PlatformColorSpace& space);
  static const mcu::PlatformColorSpace& spaceOf(const Value& value) { return value.colorSpace(); }
  static Value copy(const Value& value) { return value; }
  // What a manual ramp grows from when it is empty: white in the light
  // variants, black in the dark ones.
  static Value blankVariant(ColorSource source);
};

class MerrinColorSet final : public RampSet<ColorRampTraits>, public ColorAssignable {
 public:
  // A two-value ramp. The working space follows the start colour (Display P3
  // when it is in none of sRGB, extended sRGB and Display P3).
  MerrinColorSet(const mcu::PlatformColor& startColor, const mcu::PlatformColor& endColor, std::int64_t steps,
                 InterpolationMethod interpolation, CurveType curve, ColorNamingScheme namingScheme,
                 AppearanceType appearanceType);
  // A three-value ramp with its middle anchor at the centre.
  MerrinColorSet(const mcu::PlatformColor& startColor, const mcu::PlatformColor& middleColor,
                 const mcu::PlatformColor& endColor, std::int64_t steps, mcu::ColorSpace colorSpace,
                 InterpolationMethod interpolation, CurveType curve, ColorNamingScheme namingScheme,
                 AppearanceType appearanceType);
  // Exactly these entries, as stored in a document: nothing is generated and
  // `steps` is their count.
  MerrinColorSet(std::vector<std::shared_ptr<ThemeableColor>> themeableColors,
                 InterpolationMethod interpolation, CurveType curve, double curveAmount,
                 double middleColorLocation, double autoContrastAmount, SetType type,
                 ColorNamingScheme namingScheme, mcu::ColorSpace colorSpace, AppearanceType appearanceType);

  const Entries& colors() const { return entries(); }
  void setColors(Entries colors) { setEntries(std::move(colors)); }

  // The entry at the middle index; null when the list is shorter.
  std::shared_ptr<ThemeableColor> middleColor() const { return middleEntry(); }
  // One variant of one entry; absent for an index outside the list or a
  // variant the entry does not have.
  std::optional<mcu::PlatformColor> color(std::int64_t index, ColorSource source) const;

  // Stores the colour as given into one variant of the entry (the index must
  // be valid), then regenerates.
  void changeSetColor(std::int64_t index, const mcu::PlatformColor& color, ColorSource source);

  void regenerateColorsIfNeeded() { regenerateIfNeeded(); }
  void autoNameColorsIfNeeded() { autoNameIfNeeded(); }

  // Reinterprets the light and dark variants of every entry in the new space
  // (same component values); the entries are not regenerated.
  void assign(mcu::ColorSpace colorSpace) override;
  void assign(mcu::ColorSpace colorSpace, mcu::ColorSpace andConvertTo) override;
};

}  // namespace tavlo
