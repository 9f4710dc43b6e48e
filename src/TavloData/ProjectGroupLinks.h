// The project's lookups that involve build groups and test groups: finding a
// group or task by identifier, the group that holds a task, the nodes linked
// to a group, and keeping node links pointing at the project's own groups.
#pragma once

#include <memory>
#include <optional>
#include <string_view>
#include <variant>
#include <vector>

#include "TavloData/ProjectKinds.h"

namespace tavlo {

// What an identifier in the build outline names: a group or one of its tasks.
using BuildItem = std::variant<std::shared_ptr<BuildGroup>, std::shared_ptr<BuildTask>>;
// What an identifier in the test outline names: a group or one of its tests.
using TestItem = std::variant<std::shared_ptr<TestGroup>, std::shared_ptr<TestTask>>;

// Groups in order; a group whose uuid matches wins over its own tasks, which
// are scanned next, before the following group.
std::optional<BuildItem> firstBuildItem(const MerrinColorProject& project, std::string_view uuid);
std::optional<TestItem> firstTestItem(const MerrinColorProject& project, std::string_view uuid);

// The first group holding a task (test) with the same uuid; empty when none does.
std::shared_ptr<BuildGroup> parentBuildGroup(const MerrinColorProject& project, const BuildTask& forTask);
std::shared_ptr<TestGroup> parentTestGroup(const MerrinColorProject& project, const TestTask& forTest);

// Nodes linked to a group with the same uuid, depth-first over the unfiltered
// tree. A linked node is listed and its subtree is not searched; an unlinked
// group is searched.
MerrinColorProjectItemList allItemsWithBuildGroup(const MerrinColorProject& project, const BuildGroup& group);
MerrinColorProjectItemList allItemsWithBuildGroup(const MerrinColorGroup& within, const BuildGroup& group);
MerrinColorProjectItemList allItemsWithTestGroup(const MerrinColorProject& project, const TestGroup& group);
MerrinColorProjectItemList allItemsWithTestGroup(const MerrinColorGroup& within, const TestGroup& group);

// Points every node's build-group link at the project's first build group
// with the same uuid, or drops the link when the project has none. Test-group
// links are left as they are.
void relinkAllBuildGroups(MerrinColorProject& project);
void relinkAllBuildGroups(const MerrinColorGroup& within, const MerrinColorProject& project);

// Drops the node's build-group link when it names that group, in the node
// and everything beneath it.
void removeBuildGroupIfLinked(MerrinColorProjectItem& item, std::string_view groupUuid);

// Whether any node of the project is linked to one of the given test groups
// (normally the project's own). Tests are not evaluated here.
bool validTestsExist(const MerrinColorProject& project, const std::vector<std::shared_ptr<TestGroup>>& in);

}  // namespace tavlo
