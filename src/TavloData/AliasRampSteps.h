// What aliases need to know about ramps, in one place: which step a
// reference picks and how many steps a ramp has.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>

#include "TavloData/ProjectKinds.h"

namespace tavlo {

class ThemeableColor;
class ThemeableShadow;

namespace AliasRampSteps {

// The step a reference picks: `index` when it lies within the steps, the
// first step when it does not; without an index the middle step, or the
// first when there is no middle. Null when the ramp has no steps.
std::shared_ptr<ThemeableColor> pickedStep(const MerrinColorSet& ramp, std::optional<std::int64_t> index);
std::shared_ptr<ThemeableShadow> pickedStep(const MerrinColorShadowSet& ramp,
                                            std::optional<std::int64_t> index);

// The ramp's configured step count.
std::int64_t configuredSteps(const MerrinColorSet& ramp);
std::int64_t configuredSteps(const MerrinColorShadowSet& ramp);

// Step i, null when the ramp has no such step.
std::shared_ptr<ThemeableColor> stepAt(const MerrinColorSet& ramp, std::int64_t i);
std::shared_ptr<ThemeableShadow> stepAt(const MerrinColorShadowSet& ramp, std::int64_t i);

}  // namespace AliasRampSteps
}  // namespace tavlo
