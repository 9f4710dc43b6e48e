// A colour whose variants come from other colours, ramps or ramp steps.
#pragma once

#include <memory>
#include <optional>
#include <vector>

#include "TavloData/AliasReferences.h"
#include "TavloData/ColorAssignable.h"
#include "TavloData/ThemeableColor.h"

namespace tavlo {

class MerrinColorAlias : public SetAliasSettable, public ColorAssignable {
 public:
  // Nothing referenced, appearance none, auto contrast 0.5.
  MerrinColorAlias();
  // Dark comes before light high contrast.
  MerrinColorAlias(AliasSetType aliasType, AliasSetType darkAliasType, AliasSetType highContrastAliasType,
                   AliasSetType darkHighContrastAliasType, AppearanceType appearanceType,
                   double autoContrastAmount);

  // What one reference resolves to: a colour node's colour, a ramp step
  // (`index`, or the middle step for a whole ramp), or nothing. Aliases are
  // not followed through other aliases.
  static std::shared_ptr<ThemeableColor> mainColor(const std::shared_ptr<MerrinColorProjectItem>& fromItem,
                                                   std::optional<std::int64_t> atIndex);

  // A new value from the four stored references; an unresolved light
  // reference gives clear sRGB, the other variants stay absent.
  std::shared_ptr<ThemeableColor> asThemedColor() const;

  std::shared_ptr<MerrinColorSet> lightColorSet() const;
  std::shared_ptr<MerrinColorSet> highContrastColorSet() const;
  std::shared_ptr<MerrinColorSet> darkColorSet() const;
  std::shared_ptr<MerrinColorSet> darkHighContrastColorSet() const;
  // Some reference points at a whole ramp (a ramp node without an index).
  bool isColorSetAlias() const;
  // The smallest configured step count among the referenced ramps (a
  // reference without a ramp counts 99); 0 for aliases of single colours.
  std::int64_t colorSetStepCount() const;
  std::vector<std::shared_ptr<ThemeableColor>> asThemedSetColors() const;

  // Passes the space on to what the light and dark references point at.
  void assign(mcu::ColorSpace colorSpace) override;
  void assign(mcu::ColorSpace colorSpace, mcu::ColorSpace andConvertTo) override;
};

}  // namespace tavlo
