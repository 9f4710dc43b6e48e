// Forward declarations of every object a project node can carry, so that the
// tree (MerrinColorProjectItem, MerrinColorProject) needs none of their
// definitions. Code that looks inside a kind includes that kind's own header.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

namespace tavlo {

// The tree itself.
class MerrinColorProject;
class MerrinColorProjectItem;
class MerrinColorGroup;

// Value items.
class MerrinColorItem;
class MerrinColorNumber;
class MerrinColorBoolean;
class MerrinColorString;
class MerrinColorShadow;

// Ramps.
class MerrinColorSet;
class MerrinColorShadowSet;

// Aliases.
class MerrinColorAlias;
class MerrinColorNumberAlias;
class MerrinColorBooleanAlias;
class MerrinColorStringAlias;
class MerrinColorShadowAlias;

// Export tasks and contrast tests a node can be linked to.
class BuildGroup;
class BuildTask;
class TestGroup;
class TestTask;

using MerrinColorProjectItemPtr = std::shared_ptr<MerrinColorProjectItem>;
using MerrinColorProjectItemList = std::vector<MerrinColorProjectItemPtr>;

// Positions from the top-level list down to a node.
using IndexPath = std::vector<std::int64_t>;

}  // namespace tavlo
