// A shadow whose variants come from other shadows, shadow ramps or steps.
#pragma once

#include <memory>
#include <optional>
#include <vector>

#include "TavloData/AliasReferences.h"
#include "TavloData/ThemeableShadow.h"

namespace tavlo {

class MerrinColorShadowAlias : public SetAliasSettable {
 public:
  // Nothing referenced, appearance none, auto contrast 0.5.
  MerrinColorShadowAlias();
  MerrinColorShadowAlias(AliasSetType aliasType, AliasSetType darkAliasType,
                         AliasSetType highContrastAliasType, AliasSetType darkHighContrastAliasType,
                         AppearanceType appearanceType, double autoContrastAmount);

  static std::shared_ptr<ThemeableShadow> mainShadow(const std::shared_ptr<MerrinColorProjectItem>& fromItem,
                                                     std::optional<std::int64_t> atIndex);

  // Variants are the referenced ShadowDetails themselves (shared); an
  // unresolved light reference gives a new no-shadow.
  std::shared_ptr<ThemeableShadow> asThemedShadow() const;

  std::shared_ptr<MerrinColorShadowSet> lightShadowSet() const;
  std::shared_ptr<MerrinColorShadowSet> highContrastShadowSet() const;
  std::shared_ptr<MerrinColorShadowSet> darkShadowSet() const;
  std::shared_ptr<MerrinColorShadowSet> darkHighContrastShadowSet() const;
  bool isShadowSetAlias() const;
  std::int64_t shdadowSetStepCount() const;
  std::vector<std::shared_ptr<ThemeableShadow>> asThemedSetShadows() const;
};

}  // namespace tavlo
