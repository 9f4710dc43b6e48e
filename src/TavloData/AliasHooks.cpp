// The tree's hooks into the alias kinds (ProjectItemKindHooks.h).
#include "TavloData/ItemUuidIndex.h"
#include "TavloData/MerrinColorAlias.h"
#include "TavloData/MerrinColorBooleanAlias.h"
#include "TavloData/MerrinColorNumberAlias.h"
#include "TavloData/MerrinColorProject.h"
#include "TavloData/MerrinColorProjectItem.h"
#include "TavloData/MerrinColorShadowAlias.h"
#include "TavloData/MerrinColorStringAlias.h"
#include "TavloData/ProjectItemKindHooks.h"

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
  withAliasOf(node, [&](auto& alias) { alias.inflate(index); });
}

}  // namespace tavlo
