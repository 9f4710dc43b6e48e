#include "TavloContrast/ContrastMembers.h"

#include <unordered_set>

#include "TavloData/ItemTreeWalk.h"
#include "TavloData/MerrinColorAlias.h"
#include "TavloData/MerrinColorItem.h"
#include "TavloData/MerrinColorSet.h"
#include "TavloData/ProjectGroupLinks.h"

namespace tavlo::contrast {

namespace {

// Adds what `node` carries; nothing for nodes without colours.
void addColorsOf(const MerrinColorProjectItem& node, TestPosition role,
                 std::vector<ContrastMember>& members) {
  if (const auto& item = node.color()) {
    if (item->color()) members.push_back({node.name(), role, item->color()});
  } else if (const auto& alias = node.colorAlias()) {
    // An alias that resolves to nothing has no colour to measure; the model
    // would show it as clear.
    if (MerrinColorAlias::mainColor(alias->referencedItemToUse(ColorSource::light),
                                    alias->referenceIndexToUse(ColorSource::light)))
      members.push_back({node.name(), role, alias->asThemedColor()});
  } else if (const auto& ramp = node.colorSet()) {
    for (const auto& entry : ramp->colors())
      if (entry) members.push_back({node.name() + "/" + entry->name(), role, entry});
  }
}

}  // namespace

std::vector<ContrastMember> membersOfTestGroup(const MerrinColorProject& project, const TestGroup& group) {
  std::vector<ContrastMember> members;
  std::unordered_set<const MerrinColorProjectItem*> seen;
  auto add = [&](const MerrinColorProjectItemPtr& node, TestPosition role) {
    if (seen.insert(node.get()).second) addColorsOf(*node, role, members);
  };
  for (const MerrinColorProjectItemPtr& linked : allItemsWithTestGroup(project, group)) {
    if (!linked) continue;
    const TestPosition role = linked->testPosition();
    add(linked, role);
    if (linked->group())
      forEachItemInTree(linked->group()->items(),
                        [&](const MerrinColorProjectItemPtr& node) { add(node, role); });
  }
  return members;
}

}  // namespace tavlo::contrast
