// The behaviour that colour ramps and shadow ramps share: the twelve stored
// parameters with their observers, generation of the entries from two or
// three anchors in all four appearance variants, manual resizing, step and
// middle changes. MerrinColorSet and MerrinColorShadowSet are this template
// with their entry type (see ColorRampTraits and ShadowRampTraits) plus the
// operations named after colours or shadows.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "MerrinColorUtils/ColorSpace.h"
#include "TavloData/AppearanceSettable.h"
#include "TavloData/AppearanceType.h"
#include "TavloData/Observable.h"
#include "TavloData/SetCurveConfigurable.h"

namespace tavlo {

class TextSearchTerm;

// The parameters every ramp is made with.
struct RampParameters {
  InterpolationMethod interpolationMethod = InterpolationMethod::linear;
  CurveType curveType = CurveType::linear;
  double curveAmount = 1.0;
  SetType type = SetType::twoItems;
  ColorNamingScheme namingScheme = ColorNamingScheme::largeNumeric;
  double middleLocation = 0.5;
  mcu::ColorSpace colorSpace = mcu::ColorSpace::displayP3;
  AppearanceType appearanceType = AppearanceType::none;
  double autoContrastAmount = 0.5;
};

// The parameters of a ramp generated from its anchors; the others keep
// their defaults.
inline RampParameters generatedRampParameters(SetType type, mcu::ColorSpace colorSpace,
                                              InterpolationMethod interpolation, CurveType curve,
                                              ColorNamingScheme namingScheme, AppearanceType appearanceType) {
  RampParameters parameters;
  parameters.type = type;
  parameters.colorSpace = colorSpace;
  parameters.interpolationMethod = interpolation;
  parameters.curveType = curve;
  parameters.namingScheme = namingScheme;
  parameters.appearanceType = appearanceType;
  return parameters;
}

template <class Traits>
class RampSet : public Observable, public SetCurveConfigurable, public AppearanceSettable {
 public:
  using Entry = typename Traits::Entry;
  using EntryPtr = std::shared_ptr<Entry>;
  using Entries = std::vector<EntryPtr>;
  using Value = typename Traits::Value;

  // The step counts an editor may offer and changeSteps accepts.
  static constexpr StepsRange stepsRange{3, 32};

  // --- stored properties -------------------------------------------------

  const Entries& entries() const { return entries_; }
  // Replaces the entries as they are (no regeneration).
  void setEntries(Entries entries);

  bool ignoreColorspaceChange() const { return ignoreColorspaceChange_; }
  void setIgnoreColorspaceChange(bool ignore);

  mcu::ColorSpace colorSpace() const { return colorSpace_; }
  // Converts every stored colour into the new space and regenerates, unless
  // ignoreColorspaceChange is set.
  void setColorSpace(mcu::ColorSpace space);

  AppearanceType appearanceType() const override { return appearanceType_; }
  // Adjusts the variants of every entry to the new type, then regenerates.
  void setAppearanceType(AppearanceType type) override;

  double autoContrastAmount() const { return autoContrastAmount_; }
  void setAutoContrastAmount(double amount);

  InterpolationMethod interpolationMethod() const override { return interpolationMethod_; }
  void setInterpolationMethod(InterpolationMethod method) override;
  CurveType curveType() const override { return curveType_; }
  void setCurveType(CurveType curve) override;
  double curveAmount() const override { return curveAmount_; }
  void setCurveAmount(double amount) override;
  SetType type() const override { return type_; }
  // Switching to three values puts the middle back at 0.5.
  void setType(SetType type) override;
  std::int64_t steps() const override { return steps_; }
  // Stores only; changeSteps is the operation that resizes.
  void setSteps(std::int64_t steps) override;
  ColorNamingScheme namingScheme() const override { return namingScheme_; }
  void setNamingScheme(ColorNamingScheme scheme) override;
  double middleLocation() const override { return middleLocation_; }
  // A different location moves the middle anchor as changeMiddle does.
  void setMiddleLocation(double location) override;

  // --- queries -----------------------------------------------------------

  // The index of the middle anchor: middleLocation × steps, kept within
  // 1 ... steps − 2.
  std::int64_t middleIndex() const;
  // The entry at middleIndex; null when the list is shorter.
  EntryPtr middleEntry() const;
  // Which entries an editor may change: the anchors of generated ramps,
  // every entry of manual ones; derived high-contrast variants never.
  bool isIndexEditable(std::int64_t index, ColorSource source) const;
  // The entry at `index`, null when out of range.
  EntryPtr entryAt(std::int64_t index) const;

  // --- operations --------------------------------------------------------

  void changeSteps(std::int64_t newSteps) override;
  void changeMiddle(double newMiddle) override;
  // Generated ramps are rebuilt from their anchors; manual ramps are resized
  // to `steps`.
  void regenerateIfNeeded();
  // Names every entry by the naming scheme, unless it is manual.
  void autoNameIfNeeded();

  // Whether the name of any entry contains the search term.
  bool anyEntryNameMatches(const TextSearchTerm& term) const;

 protected:
  // From two or three anchors (`middle` null for two), generated at once.
  RampSet(EntryPtr start, EntryPtr middle, EntryPtr end, std::int64_t steps,
          const RampParameters& parameters);
  // Exactly the given entries, as the document reader found them.
  RampSet(Entries entries, const RampParameters& parameters);

  // The generated list for the current parameters. Absent anchors are taken
  // from the current entries; empty for manual ramps and when an anchor is
  // missing or cannot be converted.
  Entries generate(const EntryPtr& start = nullptr, const EntryPtr& middle = nullptr,
                   const EntryPtr& end = nullptr) const;

 private:
  // A new entry with a fresh identifier.
  static EntryPtr makeEntry(std::string name, Value light, std::optional<Value> dark,
                            std::optional<Value> lightHighContrast, std::optional<Value> darkHighContrast);
  // What a manual ramp grows from when it is empty.
  static EntryPtr blankEntry();
  void resizeManually();
  void adjustVariantsForAppearance(AppearanceType type);
  void convertColorsForSpaceChange();

  Entries entries_;
  bool ignoreColorspaceChange_ = false;
  mcu::ColorSpace colorSpace_;
  AppearanceType appearanceType_;
  double autoContrastAmount_;
  InterpolationMethod interpolationMethod_;
  CurveType curveType_;
  double curveAmount_;
  SetType type_;
  std::int64_t steps_;
  ColorNamingScheme namingScheme_;
  double middleLocation_;
};

}  // namespace tavlo
