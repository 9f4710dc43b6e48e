// The few places where the tree needs to look inside a kind object. The tree
// only forward-declares its kinds (ProjectKinds.h); each function here is
// defined beside the kind it looks into, in that kind's own source file.
#pragma once

#include <string_view>

#include "TavloData/ProjectKinds.h"

namespace tavlo {

class TextSearchTerm;
class ItemUuidIndex;

// Ramps: whether the name of any entry of the ramp contains the term (the
// ramp's own name is checked by the tree). Defined with MerrinColorSet and
// MerrinColorShadowSet.
bool anyColorSetEntryNameMatches(const MerrinColorSet& set, const TextSearchTerm& term);
bool anyShadowSetEntryNameMatches(const MerrinColorShadowSet& set, const TextSearchTerm& term);

// Aliases: whether any of the four resolved references of the node's alias
// object has that uuid; false for nodes that carry no alias. Defined with the
// alias classes.
bool doAnyAliasesReference(const MerrinColorProjectItem& node, std::string_view itemUuid);

// Aliases: resolves the references of the node's alias object against the
// project (inflate(project:)); does nothing for nodes that carry no alias.
// Defined with the alias classes.
void inflateAliasOfItem(MerrinColorProjectItem& node, MerrinColorProject& project);
// The same against one uuid index shared by a whole pass (ItemUuidIndex.h).
// inflateAllAliases() builds one index and uses this, so that inflating every
// alias of a document costs linear time rather than one tree search per
// reference.
void inflateAliasOfItem(MerrinColorProjectItem& node, const ItemUuidIndex& index);

}  // namespace tavlo
