#include "TavloData/MerrinColorAlias.h"

#include "TavloData/MerrinColorItem.h"
#include "TavloData/MerrinColorSet.h"
#include "TavloData/SetAliasValues.h"

namespace tavlo {

namespace {

struct ColorAliasTraits {
  using Themeable = ThemeableColor;
  static std::shared_ptr<ThemeableColor> single(const MerrinColorProjectItem& node) {
    return node.color() ? node.color()->color() : nullptr;
  }
  static const std::shared_ptr<MerrinColorSet>& ramp(const MerrinColorProjectItem& node) {
    return node.colorSet();
  }
  static mcu::PlatformColor unresolvedLight() { return mcu::PlatformColor::sRGBClear(); }
};

// The colours and ramps a colour space is assigned through the alias: the
// alias changes what it points at, not itself; high-contrast references and
// single ramp steps are left alone.
template <class Apply>
void forEachReferencedAssignable(const MerrinColorAlias& alias, Apply apply) {
  for (ColorSource source : {ColorSource::light, ColorSource::dark}) {
    auto node = alias.referencedItemFor(source);
    if (!node) continue;
    switch (alias.aliasTypeFor(source).kind()) {
      case AliasSetType::Kind::item:
        if (node->color()) apply(*node->color());
        break;
      case AliasSetType::Kind::set:
        if (node->colorSet()) apply(*node->colorSet());
        break;
      case AliasSetType::Kind::setItem:
      case AliasSetType::Kind::notSet:
        break;
    }
  }
}

}  // namespace

MerrinColorAlias::MerrinColorAlias() : MerrinColorAlias({}, {}, {}, {}, AppearanceType::none, 0.5) {}

MerrinColorAlias::MerrinColorAlias(AliasSetType aliasType, AliasSetType darkAliasType,
                                   AliasSetType highContrastAliasType, AliasSetType darkHighContrastAliasType,
                                   AppearanceType appearanceType, double autoContrastAmount)
    : SetAliasSettable(std::move(aliasType), std::move(darkAliasType), std::move(highContrastAliasType),
                       std::move(darkHighContrastAliasType), appearanceType, autoContrastAmount) {}

std::shared_ptr<ThemeableColor> MerrinColorAlias::mainColor(
    const std::shared_ptr<MerrinColorProjectItem>& fromItem, std::optional<std::int64_t> atIndex) {
  return SetAliasValues::mainValue<ColorAliasTraits>(fromItem, atIndex);
}

std::shared_ptr<ThemeableColor> MerrinColorAlias::asThemedColor() const {
  return SetAliasValues::asThemedValue<ColorAliasTraits>(*this);
}

std::shared_ptr<MerrinColorSet> MerrinColorAlias::lightColorSet() const {
  return SetAliasValues::rampFor<ColorAliasTraits>(*this, ColorSource::light);
}
std::shared_ptr<MerrinColorSet> MerrinColorAlias::highContrastColorSet() const {
  return SetAliasValues::rampFor<ColorAliasTraits>(*this, ColorSource::lightHighContrast);
}
std::shared_ptr<MerrinColorSet> MerrinColorAlias::darkColorSet() const {
  return SetAliasValues::rampFor<ColorAliasTraits>(*this, ColorSource::dark);
}
std::shared_ptr<MerrinColorSet> MerrinColorAlias::darkHighContrastColorSet() const {
  return SetAliasValues::rampFor<ColorAliasTraits>(*this, ColorSource::darkHighContrast);
}

bool MerrinColorAlias::isColorSetAlias() const {
  return SetAliasValues::isSetAlias<ColorAliasTraits>(*this);
}

std::int64_t MerrinColorAlias::colorSetStepCount() const {
  return SetAliasValues::setStepCount<ColorAliasTraits>(*this);
}

std::vector<std::shared_ptr<ThemeableColor>> MerrinColorAlias::asThemedSetColors() const {
  return SetAliasValues::asThemedSetValues<ColorAliasTraits>(*this);
}

void MerrinColorAlias::assign(mcu::ColorSpace colorSpace) {
  forEachReferencedAssignable(*this, [&](ColorAssignable& target) { target.assign(colorSpace); });
}

void MerrinColorAlias::assign(mcu::ColorSpace colorSpace, mcu::ColorSpace andConvertTo) {
  forEachReferencedAssignable(*this,
                              [&](ColorAssignable& target) { target.assign(colorSpace, andConvertTo); });
}

}  // namespace tavlo
