#include "TavloData/AliasReferences.h"

#include "TavloData/ItemUuidIndex.h"
#include "TavloData/MerrinColorProject.h"
#include "TavloData/MerrinColorProjectItem.h"

namespace tavlo {

namespace {

struct ReferenceProperties {
  std::string_view type;
  std::string_view node;
  std::string_view index;
};

// Indexed by ColorSource.
constexpr ReferenceProperties referenceProperties[] = {
    {"aliasType", "referencedProjectItem", "referencedSetIndex"},
    {"highContrastAliasType", "referencedProjectItemHighContrast", "referencedSetIndexHighContrast"},
    {"darkAliasType", "referencedProjectItemDark", "referencedSetIndexDark"},
    {"darkHighContrastAliasType", "referencedProjectItemDarkHighContrast",
     "referencedSetIndexDarkHighContrast"},
};

const ReferenceProperties& properties(ColorSource source) {
  return referenceProperties[static_cast<std::size_t>(source)];
}

}  // namespace

template <class ReferenceType>
AliasReferences<ReferenceType>::AliasReferences(ReferenceType aliasType, ReferenceType darkAliasType,
                                                ReferenceType highContrastAliasType,
                                                ReferenceType darkHighContrastAliasType,
                                                AppearanceType appearanceType, double autoContrastAmount)
    : appearanceType_(appearanceType), autoContrastAmount_(autoContrastAmount) {
  ref(ColorSource::light).type = std::move(aliasType);
  ref(ColorSource::lightHighContrast).type = std::move(highContrastAliasType);
  ref(ColorSource::dark).type = std::move(darkAliasType);
  ref(ColorSource::darkHighContrast).type = std::move(darkHighContrastAliasType);
}

template <class ReferenceType>
void AliasReferences<ReferenceType>::setAliasTypeFor(ColorSource source, ReferenceType type) {
  setAndNotify(ref(source).type, std::move(type), properties(source).type);
}

template <class ReferenceType>
void AliasReferences<ReferenceType>::setReferencedItemFor(
    ColorSource source, const std::shared_ptr<MerrinColorProjectItem>& node) {
  setAndNotify(ref(source).node, node, properties(source).node);
}

template <class ReferenceType>
void AliasReferences<ReferenceType>::setReferencedIndexFor(ColorSource source,
                                                           std::optional<std::int64_t> index) {
  setAndNotify(ref(source).index, index, properties(source).index);
}

template <class ReferenceType>
void AliasReferences<ReferenceType>::setAppearanceType(AppearanceType type) {
  const AppearanceType previous = appearanceType_;
  setAndNotify(appearanceType_, type, "appearanceType");
  updateReferencesForAppearanceChange(previous, type);
}

template <class ReferenceType>
template <class Lookup>
void AliasReferences<ReferenceType>::inflateWith(const Lookup& lookup) {
  for (ColorSource source : {ColorSource::light, ColorSource::dark, ColorSource::lightHighContrast,
                             ColorSource::darkHighContrast}) {
    const ReferenceType& type = ref(source).type;
    if (type.isNotSet()) {
      setReferencedItemFor(source, nullptr);
      setReferencedIndexFor(source, std::nullopt);
      continue;
    }
    setReferencedItemFor(source, lookup(type.uuid()));
    if constexpr (std::is_same_v<ReferenceType, AliasSetType>)
      setReferencedIndexFor(source, type.index());
    else
      setReferencedIndexFor(source, std::nullopt);
  }
}

template <class ReferenceType>
void AliasReferences<ReferenceType>::inflate(const MerrinColorProject& project) {
  inflateWith([&](std::string_view uuid) { return project.firstItem(uuid); });
}

template <class ReferenceType>
void AliasReferences<ReferenceType>::inflate(const ItemUuidIndex& index) {
  inflateWith([&](std::string_view uuid) { return index.firstItem(uuid); });
}

template <class ReferenceType>
ColorSource AliasReferences<ReferenceType>::sourceToUse(ColorSource source) const {
  switch (source) {
    case ColorSource::light:
      return ColorSource::light;
    case ColorSource::lightHighContrast:
      return supportsHighContrast(appearanceType_) ? ColorSource::lightHighContrast : ColorSource::light;
    case ColorSource::dark:
      return supportsDark(appearanceType_) ? ColorSource::dark : ColorSource::light;
    case ColorSource::darkHighContrast:
      if (supportsHighContrast(appearanceType_)) return ColorSource::darkHighContrast;
      return ref(ColorSource::dark).node.lock() ? ColorSource::dark : ColorSource::light;
  }
  return ColorSource::light;
}

template <class ReferenceType>
void AliasReferences<ReferenceType>::clearReference(ColorSource source) {
  setAliasTypeFor(source, ReferenceType::notSet());
  setReferencedItemFor(source, nullptr);
  setReferencedIndexFor(source, std::nullopt);
}

template <class ReferenceType>
void AliasReferences<ReferenceType>::updateReferencesForAppearanceChange(AppearanceType previous,
                                                                         AppearanceType newType) {
  if (previous == newType) return;
  // The automatic types drop their high-contrast references: those variants
  // are derived, not picked.
  const bool keepsDark = supportsDark(newType);
  const bool keepsHighContrast = supportsHighContrast(newType) && !isAutoHighContrast(newType);
  const bool keepsLightHighContrast = keepsHighContrast;
  const bool keepsDarkHighContrast = keepsHighContrast && keepsDark;
  if (!keepsDark) clearDarkReferences();
  if (!keepsLightHighContrast) clearHighContrastReferences();
  if (!keepsDarkHighContrast) clearDarkHighContrastReferences();
}

template <class ReferenceType>
bool AliasReferences<ReferenceType>::doAnyAliasesReference(std::string_view itemUuid) const {
  for (const Reference& reference : references_)
    if (auto node = reference.node.lock(); node && node->uuid() == itemUuid) return true;
  return false;
}

template class AliasReferences<AliasSetType>;
template class AliasReferences<ItemAliasType>;

}  // namespace tavlo
