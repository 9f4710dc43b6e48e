#include "TavloData/AliasRampSteps.h"

#include "TavloData/MerrinColorSet.h"
#include "TavloData/MerrinColorShadowSet.h"

namespace tavlo::AliasRampSteps {

namespace {

template <class Ramp>
auto picked(const Ramp& ramp, std::optional<std::int64_t> index) {
  const auto& entries = ramp.entries();
  using EntryPtr = typename Ramp::EntryPtr;
  if (entries.empty()) return EntryPtr();
  if (index) {
    // A step outside the ramp (it shrank since the alias was made) falls
    // back to the first step.
    if (*index >= 0 && static_cast<std::size_t>(*index) < entries.size()) return entries[*index];
    return entries.front();
  }
  if (auto middle = ramp.middleEntry()) return middle;
  return entries.front();
}

}  // namespace

std::shared_ptr<ThemeableColor> pickedStep(const MerrinColorSet& ramp, std::optional<std::int64_t> index) {
  return picked(ramp, index);
}

std::shared_ptr<ThemeableShadow> pickedStep(const MerrinColorShadowSet& ramp,
                                            std::optional<std::int64_t> index) {
  return picked(ramp, index);
}

std::int64_t configuredSteps(const MerrinColorSet& ramp) {
  return ramp.steps();
}
std::int64_t configuredSteps(const MerrinColorShadowSet& ramp) {
  return ramp.steps();
}

std::shared_ptr<ThemeableColor> stepAt(const MerrinColorSet& ramp, std::int64_t i) {
  return ramp.entryAt(i);
}
std::shared_ptr<ThemeableShadow> stepAt(const MerrinColorShadowSet& ramp, std::int64_t i) {
  return ramp.entryAt(i);
}

}  // namespace tavlo::AliasRampSteps
