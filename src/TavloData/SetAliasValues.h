// The value building that colour and shadow aliases share, written once over
// a traits type that knows the alias's kind: which node field holds a single
// value or a ramp, the fallback light variant and how to make a new value.
#pragma once

#include <algorithm>
#include <array>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "TavloData/AliasRampSteps.h"
#include "TavloData/AliasReferences.h"
#include "TavloData/MerrinColorProjectItem.h"

namespace tavlo::SetAliasValues {

// A reference without a ramp counts this many steps, so it never limits the count.
inline constexpr std::int64_t stepCountWithoutRamp = 99;

template <class Traits>
using ValuePtr = std::shared_ptr<typename Traits::Themeable>;

template <class Traits>
ValuePtr<Traits> mainValue(const std::shared_ptr<MerrinColorProjectItem>& node,
                           std::optional<std::int64_t> index) {
  if (!node) return nullptr;
  if (auto single = Traits::single(*node)) return single;
  if (const auto& ramp = Traits::ramp(*node)) return AliasRampSteps::pickedStep(*ramp, index);
  return nullptr;  // another kind, including another alias
}

// The variant a resolved value supplies for `source`: that variant, or its light one.
template <class Themeable>
auto variantOrLight(const Themeable& value, ColorSource source) {
  return value.displayVariantFor(source);
}

template <class Traits>
ValuePtr<Traits> asThemedValue(const SetAliasSettable& alias) {
  auto resolved = [&](ColorSource source) {
    return mainValue<Traits>(alias.referencedItemFor(source), alias.referencedIndexFor(source));
  };
  auto optionalVariant = [&](ColorSource source) {
    auto value = resolved(source);
    return value ? std::optional(variantOrLight(*value, source)) : std::nullopt;
  };
  auto light = resolved(ColorSource::light);
  return std::make_shared<typename Traits::Themeable>(
      std::string(), std::string(), light ? light->lightVariant() : Traits::unresolvedLight(),
      optionalVariant(ColorSource::dark), optionalVariant(ColorSource::lightHighContrast),
      optionalVariant(ColorSource::darkHighContrast));
}

template <class Traits>
auto rampFor(const SetAliasSettable& alias, ColorSource source) {
  auto node = alias.referencedItemFor(source);
  return node ? Traits::ramp(*node) : std::remove_cvref_t<decltype(Traits::ramp(*node))>();
}

template <class Traits>
bool isSetAlias(const SetAliasSettable& alias) {
  for (ColorSource source : allColorSources)
    if (rampFor<Traits>(alias, source) && !alias.referencedIndexFor(source)) return true;
  return false;
}

template <class Traits>
std::int64_t setStepCount(const SetAliasSettable& alias) {
  if (!isSetAlias<Traits>(alias)) return 0;
  std::int64_t count = stepCountWithoutRamp;
  for (ColorSource source : allColorSources) {
    const auto ramp = rampFor<Traits>(alias, source);
    count = std::min(count, ramp ? AliasRampSteps::configuredSteps(*ramp) : stepCountWithoutRamp);
  }
  return std::max<std::int64_t>(count, 0);
}

template <class Traits>
std::vector<ValuePtr<Traits>> asThemedSetValues(const SetAliasSettable& alias) {
  const std::int64_t count = setStepCount<Traits>(alias);
  std::vector<ValuePtr<Traits>> values;
  values.reserve(static_cast<std::size_t>(count));
  // Light first: the earliest reference that has the step names the value.
  constexpr std::array<ColorSource, 4> order{ColorSource::light, ColorSource::lightHighContrast,
                                             ColorSource::dark, ColorSource::darkHighContrast};
  for (std::int64_t i = 0; i < count; ++i) {
    auto value =
        std::make_shared<typename Traits::Themeable>(std::string(), std::string(), Traits::unresolvedLight());
    std::optional<std::string> name;
    for (ColorSource source : order) {
      const auto ramp = rampFor<Traits>(alias, source);
      const auto step = ramp ? AliasRampSteps::stepAt(*ramp, i) : nullptr;
      if (!step) continue;
      if (source == ColorSource::light)
        value->setLightVariant(step->lightVariant());
      else
        value->setVariant(source, variantOrLight(*step, source));
      if (!name) name = step->name();
    }
    value->setName(name ? *name : std::to_string((i + 1) * 100));
    values.push_back(std::move(value));
  }
  return values;
}

}  // namespace tavlo::SetAliasValues
