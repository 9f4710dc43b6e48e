// What every alias shares: one persistent reference per appearance variant
// (light, light high contrast, dark, dark high contrast), the nodes those
// references resolve to after inflation, and the rules for which reference
// stands for a variant. SetAliasSettable (colour and shadow aliases, which
// can point into ramps) and ItemAliasSettable (number, boolean and string
// aliases) are the two instances.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string_view>

#include "TavloData/AliasSetType.h"
#include "TavloData/AppearanceSettable.h"
#include "TavloData/ItemAliasType.h"
#include "TavloData/NameSearchable.h"
#include "TavloData/Observable.h"
#include "TavloData/ProjectKinds.h"

namespace tavlo {

class ItemUuidIndex;

template <class ReferenceType>
class AliasReferences : public Observable, public AppearanceSettable, public NameSearchable {
 public:
  // The persistent references.
  const ReferenceType& aliasType() const { return ref(ColorSource::light).type; }
  const ReferenceType& highContrastAliasType() const { return ref(ColorSource::lightHighContrast).type; }
  const ReferenceType& darkAliasType() const { return ref(ColorSource::dark).type; }
  const ReferenceType& darkHighContrastAliasType() const { return ref(ColorSource::darkHighContrast).type; }
  void setAliasType(ReferenceType type) { setAliasTypeFor(ColorSource::light, std::move(type)); }
  void setHighContrastAliasType(ReferenceType type) {
    setAliasTypeFor(ColorSource::lightHighContrast, std::move(type));
  }
  void setDarkAliasType(ReferenceType type) { setAliasTypeFor(ColorSource::dark, std::move(type)); }
  void setDarkHighContrastAliasType(ReferenceType type) {
    setAliasTypeFor(ColorSource::darkHighContrast, std::move(type));
  }
  // The same, addressed by the variant whose reference it is.
  const ReferenceType& aliasTypeFor(ColorSource source) const { return ref(source).type; }
  void setAliasTypeFor(ColorSource source, ReferenceType type);

  // The resolved nodes (held weakly: the tree owns them).
  std::shared_ptr<MerrinColorProjectItem> referencedProjectItem() const {
    return referencedItemFor(ColorSource::light);
  }
  std::shared_ptr<MerrinColorProjectItem> referencedProjectItemHighContrast() const {
    return referencedItemFor(ColorSource::lightHighContrast);
  }
  std::shared_ptr<MerrinColorProjectItem> referencedProjectItemDark() const {
    return referencedItemFor(ColorSource::dark);
  }
  std::shared_ptr<MerrinColorProjectItem> referencedProjectItemDarkHighContrast() const {
    return referencedItemFor(ColorSource::darkHighContrast);
  }
  void setReferencedProjectItem(const std::shared_ptr<MerrinColorProjectItem>& node) {
    setReferencedItemFor(ColorSource::light, node);
  }
  void setReferencedProjectItemHighContrast(const std::shared_ptr<MerrinColorProjectItem>& node) {
    setReferencedItemFor(ColorSource::lightHighContrast, node);
  }
  void setReferencedProjectItemDark(const std::shared_ptr<MerrinColorProjectItem>& node) {
    setReferencedItemFor(ColorSource::dark, node);
  }
  void setReferencedProjectItemDarkHighContrast(const std::shared_ptr<MerrinColorProjectItem>& node) {
    setReferencedItemFor(ColorSource::darkHighContrast, node);
  }
  std::shared_ptr<MerrinColorProjectItem> referencedItemFor(ColorSource source) const {
    return ref(source).node.lock();
  }
  void setReferencedItemFor(ColorSource source, const std::shared_ptr<MerrinColorProjectItem>& node);

  AppearanceType appearanceType() const override { return appearanceType_; }
  // Drops the references the new type does not use.
  void setAppearanceType(AppearanceType type) override;
  double autoContrastAmount() const { return autoContrastAmount_; }
  void setAutoContrastAmount(double amount) {
    setAndNotify(autoContrastAmount_, amount, "autoContrastAmount");
  }

  // Resolves the four references (light, dark, light high contrast, dark
  // high contrast) to the first nodes with their uuids. The kind of the
  // found node is not checked here.
  void inflate(const MerrinColorProject& project);
  // The same against an index shared by every alias of one inflation pass.
  void inflate(const ItemUuidIndex& index);

  // The node that stands for the variant under the current appearance type.
  std::shared_ptr<MerrinColorProjectItem> referencedItemToUse(ColorSource source) const {
    return ref(sourceToUse(source)).node.lock();
  }

  // Clears what `newType` does not use; nothing when the types are equal.
  void updateReferencesForAppearanceChange(AppearanceType previous, AppearanceType newType);
  void clearLightReferences() { clearReference(ColorSource::light); }
  void clearHighContrastReferences() { clearReference(ColorSource::lightHighContrast); }
  void clearDarkReferences() { clearReference(ColorSource::dark); }
  void clearDarkHighContrastReferences() { clearReference(ColorSource::darkHighContrast); }

  // Looks at the resolved nodes, so it is false before inflation.
  bool doAnyAliasesReference(std::string_view itemUuid) const;

 protected:
  struct Reference {
    ReferenceType type;
    std::weak_ptr<MerrinColorProjectItem> node;
    std::optional<std::int64_t> index;  // set aliases only
  };

  AliasReferences(ReferenceType aliasType, ReferenceType darkAliasType, ReferenceType highContrastAliasType,
                  ReferenceType darkHighContrastAliasType, AppearanceType appearanceType,
                  double autoContrastAmount);

  const Reference& ref(ColorSource source) const { return references_[static_cast<std::size_t>(source)]; }
  Reference& ref(ColorSource source) { return references_[static_cast<std::size_t>(source)]; }
  // Which stored reference stands for `source` (see referencedItemToUse).
  ColorSource sourceToUse(ColorSource source) const;
  void clearReference(ColorSource source);
  void setReferencedIndexFor(ColorSource source, std::optional<std::int64_t> index);

 private:
  template <class Lookup>
  void inflateWith(const Lookup& lookup);

  // Indexed by ColorSource: light, light high contrast, dark, dark high contrast.
  std::array<Reference, 4> references_;
  AppearanceType appearanceType_;
  double autoContrastAmount_;
};

// Colour and shadow aliases: references may point at a ramp or a ramp step.
class SetAliasSettable : public AliasReferences<AliasSetType> {
 public:
  std::optional<std::int64_t> referencedSetIndex() const { return referencedIndexFor(ColorSource::light); }
  std::optional<std::int64_t> referencedSetIndexHighContrast() const {
    return referencedIndexFor(ColorSource::lightHighContrast);
  }
  std::optional<std::int64_t> referencedSetIndexDark() const { return referencedIndexFor(ColorSource::dark); }
  std::optional<std::int64_t> referencedSetIndexDarkHighContrast() const {
    return referencedIndexFor(ColorSource::darkHighContrast);
  }
  void setReferencedSetIndex(std::optional<std::int64_t> index) {
    setReferencedIndexFor(ColorSource::light, index);
  }
  void setReferencedSetIndexHighContrast(std::optional<std::int64_t> index) {
    setReferencedIndexFor(ColorSource::lightHighContrast, index);
  }
  void setReferencedSetIndexDark(std::optional<std::int64_t> index) {
    setReferencedIndexFor(ColorSource::dark, index);
  }
  void setReferencedSetIndexDarkHighContrast(std::optional<std::int64_t> index) {
    setReferencedIndexFor(ColorSource::darkHighContrast, index);
  }
  std::optional<std::int64_t> referencedIndexFor(ColorSource source) const { return ref(source).index; }
  using AliasReferences::setReferencedIndexFor;

  // The step index that goes with referencedItemToUse(source).
  std::optional<std::int64_t> referenceIndexToUse(ColorSource source) const {
    return ref(sourceToUse(source)).index;
  }

 protected:
  using AliasReferences::AliasReferences;
};

// Number, boolean and string aliases: each reference is one item or nothing.
// The three kinds differ only in the value they build, so they take this
// constructor as it is.
class ItemAliasSettable : public AliasReferences<ItemAliasType> {
 public:
  // Nothing referenced, appearance none and auto contrast 0 unless given.
  explicit ItemAliasSettable(ItemAliasType aliasType = {}, ItemAliasType darkAliasType = {},
                             ItemAliasType highContrastAliasType = {},
                             ItemAliasType darkHighContrastAliasType = {},
                             AppearanceType appearanceType = AppearanceType::none,
                             double autoContrastAmount = 0)
      : AliasReferences(std::move(aliasType), std::move(darkAliasType), std::move(highContrastAliasType),
                        std::move(darkHighContrastAliasType), appearanceType, autoContrastAmount) {}
};

extern template class AliasReferences<AliasSetType>;
extern template class AliasReferences<ItemAliasType>;

}  // namespace tavlo
