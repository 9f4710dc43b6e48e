#include "TavloData/MerrinColorShadowAlias.h"

#include "TavloData/MerrinColorShadow.h"
#include "TavloData/MerrinColorShadowSet.h"
#include "TavloData/SetAliasValues.h"

namespace tavlo {

namespace {

struct ShadowAliasTraits {
  using Themeable = ThemeableShadow;
  static std::shared_ptr<ThemeableShadow> single(const MerrinColorProjectItem& node) {
    return node.shadow() ? node.shadow()->shadow() : nullptr;
  }
  static const std::shared_ptr<MerrinColorShadowSet>& ramp(const MerrinColorProjectItem& node) {
    return node.shadowSet();
  }
  static ShadowDetailsRef unresolvedLight() { return ShadowDetails::noShadow(); }
};

}  // namespace

MerrinColorShadowAlias::MerrinColorShadowAlias()
    : MerrinColorShadowAlias({}, {}, {}, {}, AppearanceType::none, 0.5) {}

MerrinColorShadowAlias::MerrinColorShadowAlias(AliasSetType aliasType, AliasSetType darkAliasType,
                                               AliasSetType highContrastAliasType,
                                               AliasSetType darkHighContrastAliasType,
                                               AppearanceType appearanceType, double autoContrastAmount)
    : SetAliasSettable(std::move(aliasType), std::move(darkAliasType), std::move(highContrastAliasType),
                       std::move(darkHighContrastAliasType), appearanceType, autoContrastAmount) {}

std::shared_ptr<ThemeableShadow> MerrinColorShadowAlias::mainShadow(
    const std::shared_ptr<MerrinColorProjectItem>& fromItem, std::optional<std::int64_t> atIndex) {
  return SetAliasValues::mainValue<ShadowAliasTraits>(fromItem, atIndex);
}

std::shared_ptr<ThemeableShadow> MerrinColorShadowAlias::asThemedShadow() const {
  return SetAliasValues::asThemedValue<ShadowAliasTraits>(*this);
}

std::shared_ptr<MerrinColorShadowSet> MerrinColorShadowAlias::lightShadowSet() const {
  return SetAliasValues::rampFor<ShadowAliasTraits>(*this, ColorSource::light);
}
std::shared_ptr<MerrinColorShadowSet> MerrinColorShadowAlias::highContrastShadowSet() const {
  return SetAliasValues::rampFor<ShadowAliasTraits>(*this, ColorSource::lightHighContrast);
}
std::shared_ptr<MerrinColorShadowSet> MerrinColorShadowAlias::darkShadowSet() const {
  return SetAliasValues::rampFor<ShadowAliasTraits>(*this, ColorSource::dark);
}
std::shared_ptr<MerrinColorShadowSet> MerrinColorShadowAlias::darkHighContrastShadowSet() const {
  return SetAliasValues::rampFor<ShadowAliasTraits>(*this, ColorSource::darkHighContrast);
}

bool MerrinColorShadowAlias::isShadowSetAlias() const {
  return SetAliasValues::isSetAlias<ShadowAliasTraits>(*this);
}

std::int64_t MerrinColorShadowAlias::shdadowSetStepCount() const {
  return SetAliasValues::setStepCount<ShadowAliasTraits>(*this);
}

std::vector<std::shared_ptr<ThemeableShadow>> MerrinColorShadowAlias::asThemedSetShadows() const {
  return SetAliasValues::asThemedSetValues<ShadowAliasTraits>(*this);
}

}  // namespace tavlo
