// The tree's hooks into the alias kinds (ProjectItemKindHooks.h).
#include "TavloData/ItemUuidIndex.h"
#include "TavloData/MerrinColorAlias.h"
#include "TavloData/MerrinColorBooleanAlias.h"
#include "TavloData/MerrinColorNumberAlias.h"
#include "TavloData/MerrinColorProject.h"
#include "TavloData/MerrinColorProjectItem.h"
#include "TavloData/MerrinColorSet.h"
#include "TavloData/MerrinColorShadowAlias.h"
#include "TavloData/MerrinColorShadowSet.h"
#include "TavloData/MerrinColorStringAlias.h"
#include "TavloData/ProjectItemKindHooks.h"
#include "TavloData/ReadDiagnostics.h"

namespace tavlo {

namespace {

// Calls `apply` with the node's alias object, whichever of the five it is.
template <class Apply>
bool withAliasOf(const MerrinColorProjectItem& node, Apply&& apply) {
  if (const auto& alias = node.colorAlias()) return apply(*alias), true;
  if (const auto& alias = node.numberAlias()) return apply(*alias), true;
  if (const auto& alias = node.booleanAlias()) return apply(*alias), true;
  if (const auto& alias = node.stringAlias()) return apply(*alias), true;
  if (const auto& alias = node.shadowAlias()) return apply(*alias), true;
  return false;
}

// What a reference of each alias kind can resolve to: an item of its value
// kind, or a ramp of it for colour and shadow aliases.
bool resolvesFrom(const MerrinColorAlias&, const MerrinColorProjectItem& node) {
  return node.isColor() || node.isColorSet();
}
bool resolvesFrom(const MerrinColorShadowAlias&, const MerrinColorProjectItem& node) {
  return node.isShadow() || node.isShadowSet();
}
bool resolvesFrom(const MerrinColorNumberAlias&, const MerrinColorProjectItem& node) {
  return node.isNumber();
}
bool resolvesFrom(const MerrinColorBooleanAlias&, const MerrinColorProjectItem& node) {
  return node.isBoolean();
}
bool resolvesFrom(const MerrinColorStringAlias&, const MerrinColorProjectItem& node) {
  return node.isString();
}

// The steps a ramp node holds; absent for nodes that are no ramp.
std::optional<std::size_t> rampSteps(const MerrinColorProjectItem& node) {
  if (node.isColorSet() && node.colorSet()) return node.colorSet()->entries().size();
  if (node.isShadowSet() && node.shadowSet()) return node.shadowSet()->entries().size();
  return std::nullopt;
}

// Reports each resolved reference of `alias` that yields nothing: one that
// matches no item, points at another alias or at an item of another kind, or
// picks a step its ramp does not hold.
template <class Alias>
void checkReferences(const Alias& alias, ReadDiagnostics& diagnostics) {
  const ReadDiagnostics::AliasSource* source = diagnostics.aliasSource(aliasKey(alias));
  if (!source) return;  // not read from this document
  for (ColorSource variant : {ColorSource::light, ColorSource::lightHighContrast, ColorSource::dark,
                              ColorSource::darkHighContrast}) {
    const auto& type = alias.aliasTypeFor(variant);
    if (type.isNotSet()) continue;
    const auto at = source->references[static_cast<std::size_t>(variant)];
    const std::string which = std::string(displayName(variant)) + " reference '" + type.uuid() + "'";
    const auto node = alias.referencedItemFor(variant);
    if (!node) {
      diagnostics.report(DiagnosticCode::danglingReference, at, which + " matches no item", source->item);
      continue;
    }
    const std::string target = "'" + (node->name().empty() ? node->uuid() : node->name()) + "'";
    if (node->isAnyAlias()) {
      diagnostics.report(DiagnosticCode::aliasToAlias, at,
                         which + " points at the alias " + target + "; aliases are not followed",
                         source->item);
    } else if (!resolvesFrom(alias, *node)) {
      diagnostics.report(DiagnosticCode::wrongKindReference, at,
                         which + " points at " + target + ", a " + std::string(caseName(node->itemType())) +
                             " item of another kind",
                         source->item);
    } else if constexpr (std::is_base_of_v<SetAliasSettable, Alias>) {
      const std::optional<std::size_t> steps = rampSteps(*node);
      const std::optional<std::int64_t> index = type.index();
      if (steps && index && (*index < 0 || static_cast<std::size_t>(*index) >= *steps))
        diagnostics.report(DiagnosticCode::stepOutOfRange, at,
                           which + " asks for step " + std::to_string(*index) + " of " + target +
                               ", which has " + std::to_string(*steps) +
                               (*steps ? "; its first step is used" : "; nothing is used"),
                           source->item);
    }
  }
}

}  // namespace

bool doAnyAliasesReference(const MerrinColorProjectItem& node, std::string_view itemUuid) {
  bool found = false;
  withAliasOf(node, [&](const auto& alias) { found = alias.doAnyAliasesReference(itemUuid); });
  return found;
}

void inflateAliasOfItem(MerrinColorProjectItem& node, MerrinColorProject& project) {
  withAliasOf(node, [&](auto& alias) { alias.inflate(project); });
}

void inflateAliasOfItem(MerrinColorProjectItem& node, const ItemUuidIndex& index) {
  ReadDiagnostics* const diagnostics = activeReadDiagnostics();
  withAliasOf(node, [&](auto& alias) {
    alias.inflate(index);
    if (diagnostics) checkReferences(alias, *diagnostics);
  });
}

}  // namespace tavlo
