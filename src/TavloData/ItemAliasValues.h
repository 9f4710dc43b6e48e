// The value building of number, boolean and string aliases, written once:
// each reference resolves to the node's item of the alias's kind, or to
// nothing.
#pragma once

#include <memory>
#include <optional>

#include "TavloData/AliasReferences.h"

namespace tavlo::ItemAliasValues {

// `themeableOf(node)` gives the referenced node's themeable value (null when
// the node carries another kind); `unresolvedLight` is the kind's zero value.
template <class Themeable, class ThemeableOf>
std::shared_ptr<Themeable> asThemedValue(const ItemAliasSettable& alias, ThemeableOf themeableOf,
                                         typename Themeable::Value unresolvedLight) {
  auto resolved = [&](ColorSource source) -> std::shared_ptr<Themeable> {
    auto node = alias.referencedItemFor(source);
    return node ? themeableOf(*node) : nullptr;
  };
  auto optionalVariant = [&](ColorSource source) -> std::optional<typename Themeable::Value> {
    auto value = resolved(source);
    if (!value) return std::nullopt;
    return value->displayVariantFor(source);
  };
  auto light = resolved(ColorSource::light);
  return std::make_shared<Themeable>(
      light ? light->lightVariant() : std::move(unresolvedLight), optionalVariant(ColorSource::dark),
      optionalVariant(ColorSource::lightHighContrast), optionalVariant(ColorSource::darkHighContrast));
}

}  // namespace tavlo::ItemAliasValues
