#include "TavloData/RampSet.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "TavloData/MerrinColorSet.h"
#include "TavloData/MerrinColorShadowSet.h"
#include "TavloData/TextSearch.h"
#include "TavloData/UUID.h"

namespace tavlo {

namespace {

bool isAutomaticHighContrast(AppearanceType type) {
  return type == AppearanceType::highContrastAuto || type == AppearanceType::lightDarkHighContrastAuto;
}

template <class Traits>
std::optional<typename Traits::Value> copyOptional(const std::optional<typename Traits::Value>& value) {
  if (!value) return std::nullopt;
  return Traits::copy(*value);
}

}  // namespace

template <class Traits>
RampSet<Traits>::RampSet(Entries entries, const RampParameters& parameters)
    : entries_(std::move(entries)),
      colorSpace_(parameters.colorSpace),
      appearanceType_(parameters.appearanceType),
      autoContrastAmount_(parameters.autoContrastAmount),
      interpolationMethod_(parameters.interpolationMethod),
      curveType_(parameters.curveType),
      curveAmount_(parameters.curveAmount),
      type_(parameters.type),
      steps_(static_cast<std::int64_t>(entries_.size())),
      namingScheme_(parameters.namingScheme),
      middleLocation_(parameters.middleLocation) {}

template <class Traits>
RampSet<Traits>::RampSet(EntryPtr start, EntryPtr middle, EntryPtr end, std::int64_t steps,
                         const RampParameters& parameters)
    : RampSet(Entries{}, parameters) {
  steps_ = steps;
  entries_ = generate(start, middle, end);
}

// --- stored properties ---------------------------------------------------

template <class Traits>
void RampSet<Traits>::setEntries(Entries entries) {
  setAndNotify(entries_, std::move(entries), Traits::entriesProperty);
}

template <class Traits>
void RampSet<Traits>::setIgnoreColorspaceChange(bool ignore) {
  setAndNotify(ignoreColorspaceChange_, ignore, "ignoreColorspaceChange");
}

template <class Traits>
void RampSet<Traits>::setColorSpace(mcu::ColorSpace space) {
  if (!changeAndNotify(colorSpace_, space, "colorSpace") || ignoreColorspaceChange_) return;
  convertColorsForSpaceChange();
  regenerateIfNeeded();
}

template <class Traits>
void RampSet<Traits>::convertColorsForSpaceChange() {
  const mcu::PlatformColorSpace target = mcu::toNSColorSpace(colorSpace_);
  for (const auto& entry : entries_) {
    for (ColorSource source : allColorSources) {
      std::optional<Value> variant = entry->variantFor(source);
      if (!variant || Traits::spaceOf(*variant) == target) continue;
      if (auto converted = Traits::converted(*variant, target))
        entry->setVariant(source, std::move(*converted));
    }
  }
}

template <class Traits>
void RampSet<Traits>::setAppearanceType(AppearanceType type) {
  if (type == appearanceType_) return;
  adjustVariantsForAppearance(type);
  setAndNotify(appearanceType_, type, "appearanceType");
  regenerateIfNeeded();
}

template <class Traits>
void RampSet<Traits>::adjustVariantsForAppearance(AppearanceType type) {
  for (const auto& entry : entries_) {
    const Value& light = entry->lightVariant();
    switch (type) {
      case AppearanceType::none:
      case AppearanceType::highContrastAuto:
        entry->setDarkVariant(std::nullopt);
        entry->setLightVariantHighContrast(std::nullopt);
        entry->setDarkVariantHighContrast(std::nullopt);
        break;
      case AppearanceType::lightAndDark:
      case AppearanceType::lightDarkHighContrastAuto:
        // Automatic high-contrast variants come back with the regeneration.
        entry->setDarkVariant(Traits::copy(light));
        entry->setLightVariantHighContrast(std::nullopt);
        entry->setDarkVariantHighContrast(std::nullopt);
        break;
      case AppearanceType::highContrast:
        entry->setDarkVariant(std::nullopt);
        entry->setLightVariantHighContrast(Traits::copy(light));
        entry->setDarkVariantHighContrast(std::nullopt);
        break;
      case AppearanceType::lightDarkHighContrast:
        if (!entry->darkVariant()) entry->setDarkVariant(Traits::copy(light));
        if (!entry->lightVariantHighContrast()) entry->setLightVariantHighContrast(Traits::copy(light));
        if (!entry->darkVariantHighContrast())
          entry->setDarkVariantHighContrast(Traits::copy(*entry->darkVariant()));
        break;
    }
  }
}

template <class Traits>
void RampSet<Traits>::setAutoContrastAmount(double amount) {
  if (changeAndNotify(autoContrastAmount_, amount, "autoContrastAmount")) regenerateIfNeeded();
}

template <class Traits>
void RampSet<Traits>::setInterpolationMethod(InterpolationMethod method) {
  if (changeAndNotify(interpolationMethod_, method, "interpolationMethod")) regenerateIfNeeded();
}

template <class Traits>
void RampSet<Traits>::setCurveType(CurveType curve) {
  if (changeAndNotify(curveType_, curve, "curveType")) regenerateIfNeeded();
}

template <class Traits>
void RampSet<Traits>::setCurveAmount(double amount) {
  if (changeAndNotify(curveAmount_, amount, "curveAmount")) regenerateIfNeeded();
}

template <class Traits>
void RampSet<Traits>::setType(SetType type) {
  if (!changeAndNotify(type_, type, "type")) return;
  // The entry at the centre becomes the middle anchor; nothing is carried
  // over from an earlier middle position.
  if (type == SetType::threeItems) setAndNotify(middleLocation_, 0.5, "middleLocation");
  regenerateIfNeeded();
}

template <class Traits>
void RampSet<Traits>::setSteps(std::int64_t steps) {
  setAndNotify(steps_, steps, "steps");
}

template <class Traits>
void RampSet<Traits>::setNamingScheme(ColorNamingScheme scheme) {
  if (changeAndNotify(namingScheme_, scheme, "namingScheme")) autoNameIfNeeded();
}

template <class Traits>
void RampSet<Traits>::setMiddleLocation(double location) {
  if (location == middleLocation_) {
    setAndNotify(middleLocation_, location, "middleLocation");
    return;
  }
  changeMiddle(location);
}

// --- queries ---------------------------------------------------------------

template <class Traits>
std::int64_t RampSet<Traits>::middleIndex() const {
  double position = std::trunc(middleLocation_ * static_cast<double>(steps_));
  // A location read from a document may be anything; keep the conversion defined.
  constexpr double limit = static_cast<double>(std::int64_t{1} << 62);
  std::int64_t index = 0;
  if (std::isfinite(position)) index = static_cast<std::int64_t>(std::clamp(position, -limit, limit));
  if (index == 0) return 1;
  if (index < steps_ - 1) return index;
  return steps_ - 2;
}

template <class Traits>
typename RampSet<Traits>::EntryPtr RampSet<Traits>::entryAt(std::int64_t index) const {
  if (index < 0 || index >= static_cast<std::int64_t>(entries_.size())) return nullptr;
  return entries_[static_cast<std::size_t>(index)];
}

template <class Traits>
typename RampSet<Traits>::EntryPtr RampSet<Traits>::middleEntry() const {
  return entryAt(middleIndex());
}

template <class Traits>
bool RampSet<Traits>::isIndexEditable(std::int64_t index, ColorSource source) const {
  std::int64_t last = static_cast<std::int64_t>(entries_.size()) - 1;
  bool position = false;
  switch (type_) {
    case SetType::twoItems:
      position = index == 0 || index == last;
      break;
    case SetType::threeItems:
      position = index == 0 || index == last || index == middleIndex();
      break;
    case SetType::manual:
      position = true;
      break;
  }
  if (!position) return false;
  if (source == ColorSource::light || source == ColorSource::dark) return true;
  return !isAutomaticHighContrast(appearanceType_);
}

// --- operations ------------------------------------------------------------

template <class Traits>
void RampSet<Traits>::changeSteps(std::int64_t newSteps) {
  if (!stepsRange.contains(newSteps) || newSteps == steps_) return;
  if (type_ != SetType::threeItems) {
    setSteps(newSteps);
    regenerateIfNeeded();
    autoNameIfNeeded();
    return;
  }
  // The middle anchor keeps its colours while its index follows the new count.
  EntryPtr middle = middleEntry();
  EntryPtr first = entries_.empty() ? nullptr : entries_.front();
  EntryPtr last = entries_.empty() ? nullptr : entries_.back();
  setSteps(newSteps);
  setEntries(generate(first, middle, last));
  autoNameIfNeeded();
}

template <class Traits>
void RampSet<Traits>::changeMiddle(double newMiddle) {
  EntryPtr old = middleEntry();
  setAndNotify(middleLocation_, newMiddle, "middleLocation");
  if (old) {
    if (EntryPtr target = middleEntry(); target && target != old) {
      // Absent variants travel too, so the new middle is exactly the old one.
      target->setLightVariant(Traits::copy(old->lightVariant()));
      target->setDarkVariant(copyOptional<Traits>(old->darkVariant()));
      target->setLightVariantHighContrast(copyOptional<Traits>(old->lightVariantHighContrast()));
      target->setDarkVariantHighContrast(copyOptional<Traits>(old->darkVariantHighContrast()));
    }
  }
  regenerateIfNeeded();
}

template <class Traits>
void RampSet<Traits>::regenerateIfNeeded() {
  if (type_ == SetType::manual)
    resizeManually();
  else
    setEntries(generate());
}

template <class Traits>
typename RampSet<Traits>::EntryPtr RampSet<Traits>::makeEntry(std::string name, Value light,
                                                              std::optional<Value> dark,
                                                              std::optional<Value> lightHighContrast,
                                                              std::optional<Value> darkHighContrast) {
  return std::make_shared<Entry>(makeUUIDString(), std::move(name), std::move(light), std::move(dark),
                                 std::move(lightHighContrast), std::move(darkHighContrast));
}

template <class Traits>
typename RampSet<Traits>::EntryPtr RampSet<Traits>::blankEntry() {
  return makeEntry("Unnamed", Traits::blankVariant(ColorSource::light),
                   Traits::blankVariant(ColorSource::dark),
                   Traits::blankVariant(ColorSource::lightHighContrast),
                   Traits::blankVariant(ColorSource::darkHighContrast));
}

template <class Traits>
void RampSet<Traits>::resizeManually() {
  Entries entries = entries_;
  const std::size_t wanted = static_cast<std::size_t>(std::max<std::int64_t>(steps_, 0));
  if (entries.size() < wanted) {
    EntryPtr templateEntry = entries.empty() ? blankEntry() : entries.back();
    while (entries.size() < wanted) {
      Value light = Traits::copy(templateEntry->lightVariant());
      std::optional<Value> dark = copyOptional<Traits>(templateEntry->darkVariant());
      std::optional<Value> lightHighContrast =
          copyOptional<Traits>(templateEntry->lightVariantHighContrast());
      std::optional<Value> darkHighContrast = copyOptional<Traits>(templateEntry->darkVariantHighContrast());
      if (isAutomaticHighContrast(appearanceType_))
        lightHighContrast = Traits::increaseContrast(light, autoContrastAmount_);
      if (appearanceType_ == AppearanceType::lightDarkHighContrastAuto && dark)
        darkHighContrast = Traits::increaseContrast(*dark, autoContrastAmount_);
      entries.push_back(makeEntry("Unnamed", std::move(light), std::move(dark), std::move(lightHighContrast),
                                  std::move(darkHighContrast)));
    }
  }
  if (entries.size() > wanted) entries.resize(wanted);
  setEntries(std::move(entries));
}

template <class Traits>
void RampSet<Traits>::autoNameIfNeeded() {
  if (namingScheme_ == ColorNamingScheme::manual) return;
  for (std::size_t i = 0; i < entries_.size(); ++i)
    entries_[i]->setName(*entryName(namingScheme_, static_cast<std::int64_t>(i)));
}

template <class Traits>
bool RampSet<Traits>::anyEntryNameMatches(const TextSearchTerm& term) const {
  for (const auto& entry : entries_)
    if (term.isFoundIn(entry->name())) return true;
  return false;
}

template <class Traits>
typename RampSet<Traits>::Entries RampSet<Traits>::generate(const EntryPtr& givenStart,
                                                            const EntryPtr& givenMiddle,
                                                            const EntryPtr& givenEnd) const {
  if (type_ == SetType::manual) return {};
  const bool threeAnchors = type_ == SetType::threeItems;
  const std::int64_t middleAt = middleIndex();
  EntryPtr start = givenStart ? givenStart : (entries_.empty() ? nullptr : entries_.front());
  EntryPtr end = givenEnd ? givenEnd : (entries_.empty() ? nullptr : entries_.back());
  EntryPtr middle = givenMiddle ? givenMiddle : entryAt(middleAt);
  if (!start || !end || (threeAnchors && !middle)) return {};

  // One list per variant, from that variant of every anchor; absent when an
  // anchor lacks it.
  auto interpolateVariant = [&](ColorSource source) -> std::optional<std::vector<Value>> {
    std::optional<Value> from = start->variantFor(source);
    std::optional<Value> to = end->variantFor(source);
    std::optional<Value> through;
    if (threeAnchors) {
      through = middle->variantFor(source);
      if (!through) return std::nullopt;
    }
    if (!from || !to) return std::nullopt;
    return Traits::interpolate(*from, threeAnchors ? &*through : nullptr, *to, interpolationMethod_, steps_,
                               middleAt, curveType_, curveAmount_);
  };
  auto withMoreContrast = [&](const std::vector<Value>& values) {
    std::vector<Value> result;
    result.reserve(values.size());
    for (const Value& value : values) result.push_back(Traits::increaseContrast(value, autoContrastAmount_));
    return result;
  };

  std::vector<Value> light = *interpolateVariant(ColorSource::light);
  std::optional<std::vector<Value>> dark, lightHighContrast, darkHighContrast;
  if (supportsDark(appearanceType_)) dark = interpolateVariant(ColorSource::dark);
  switch (appearanceType_) {
    case AppearanceType::highContrast:
      lightHighContrast = interpolateVariant(ColorSource::lightHighContrast);
      break;
    case AppearanceType::lightDarkHighContrast:
      lightHighContrast = interpolateVariant(ColorSource::lightHighContrast);
      darkHighContrast = interpolateVariant(ColorSource::darkHighContrast);
      break;
    case AppearanceType::highContrastAuto:
      lightHighContrast = withMoreContrast(light);
      break;
    case AppearanceType::lightDarkHighContrastAuto:
      lightHighContrast = withMoreContrast(light);
      if (dark) darkHighContrast = withMoreContrast(*dark);
      break;
    case AppearanceType::none:
    case AppearanceType::lightAndDark:
      break;
  }

  const mcu::PlatformColorSpace target = mcu::toNSColorSpace(colorSpace_);
  auto convertedAt = [&](const std::optional<std::vector<Value>>& list,
                         std::size_t i) -> std::optional<Value> {
    if (!list || i >= list->size()) return std::nullopt;
    return Traits::converted((*list)[i], target);
  };

  Entries result;
  result.reserve(light.size());
  for (std::size_t i = 0; i < light.size(); ++i) {
    std::optional<Value> lightValue = Traits::converted(light[i], target);
    // A step that cannot be shown in the ramp's space is left out.
    if (!lightValue) continue;
    // Manual names stay with their position; new positions are "Unnamed".
    std::string name = "Unnamed";
    if (auto schemeName = entryName(namingScheme_, static_cast<std::int64_t>(i)))
      name = std::move(*schemeName);
    else if (i < entries_.size())
      name = entries_[i]->name();
    result.push_back(makeEntry(std::move(name), std::move(*lightValue), convertedAt(dark, i),
                               convertedAt(lightHighContrast, i), convertedAt(darkHighContrast, i)));
  }
  return result;
}

template class RampSet<ColorRampTraits>;
template class RampSet<ShadowRampTraits>;

}  // namespace tavlo
