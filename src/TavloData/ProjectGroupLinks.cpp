#include "TavloData/ProjectGroupLinks.h"

#include "TavloData/BuildGroup.h"
#include "TavloData/ItemTreeWalk.h"
#include "TavloData/MerrinColorGroup.h"
#include "TavloData/MerrinColorProject.h"
#include "TavloData/MerrinColorProjectItem.h"
#include "TavloData/TestGroup.h"

namespace tavlo {

namespace {

// Groups and their members are scanned the same way in both outlines.
template <class Item, class Groups, class Members>
std::optional<Item> firstOutlineItem(const Groups& groups, Members members, std::string_view uuid) {
  for (const auto& group : groups) {
    if (!group) continue;
    if (group->uuid() == uuid) return Item(group);
    for (const auto& member : members(*group))
      if (member && member->uuid() == uuid) return Item(member);
  }
  return std::nullopt;
}

template <class Groups, class Members, class Member>
typename Groups::value_type parentOutlineGroup(const Groups& groups, Members members, const Member& of) {
  for (const auto& group : groups) {
    if (!group) continue;
    for (const auto& member : members(*group))
      if (member && member->uuid() == of.uuid()) return group;
  }
  return nullptr;
}

// LINK gives the node's link (a shared pointer to a build or test group).
template <class Link>
MerrinColorProjectItemList linkedItems(const MerrinColorProjectItemList& top, std::string_view groupUuid,
                                       Link link) {
  MerrinColorProjectItemList found;
  walkItemTree(top, [&](const MerrinColorProjectItemPtr& node, const std::vector<ItemWalkLevel>&) {
    const auto& linked = link(*node);
    if (linked && linked->uuid() == groupUuid) {
      found.push_back(node);
      return WalkStep::skipChildren;
    }
    return WalkStep::descend;
  });
  return found;
}

const std::shared_ptr<BuildGroup>& buildLink(const MerrinColorProjectItem& node) {
  return node.buildGroup();
}
const std::shared_ptr<TestGroup>& testLink(const MerrinColorProjectItem& node) {
  return node.testGroup();
}

void relinkBuildGroups(const MerrinColorProjectItemList& top, const MerrinColorProject& project) {
  forEachItemInTree(top, [&](const MerrinColorProjectItemPtr& node) {
    const auto& linked = node->buildGroup();
    if (!linked) return;
    std::shared_ptr<BuildGroup> replacement;
    for (const auto& group : project.buildGroups()) {
      if (group && group->uuid() == linked->uuid()) {
        replacement = group;
        break;
      }
    }
    if (replacement != linked) node->setBuildGroup(std::move(replacement));
  });
}

}  // namespace

std::optional<BuildItem> firstBuildItem(const MerrinColorProject& project, std::string_view uuid) {
  return firstOutlineItem<BuildItem>(
      project.buildGroups(), [](const BuildGroup& group) -> const auto& { return group.tasks(); }, uuid);
}

std::optional<TestItem> firstTestItem(const MerrinColorProject& project, std::string_view uuid) {
  return firstOutlineItem<TestItem>(
      project.testGroups(), [](const TestGroup& group) -> const auto& { return group.tests(); }, uuid);
}

std::shared_ptr<BuildGroup> parentBuildGroup(const MerrinColorProject& project, const BuildTask& forTask) {
  return parentOutlineGroup(
      project.buildGroups(), [](const BuildGroup& group) -> const auto& { return group.tasks(); }, forTask);
}

std::shared_ptr<TestGroup> parentTestGroup(const MerrinColorProject& project, const TestTask& forTest) {
  return parentOutlineGroup(
      project.testGroups(), [](const TestGroup& group) -> const auto& { return group.tests(); }, forTest);
}

MerrinColorProjectItemList allItemsWithBuildGroup(const MerrinColorProject& project,
                                                  const BuildGroup& group) {
  return linkedItems(project.items(), group.uuid(), buildLink);
}

MerrinColorProjectItemList allItemsWithBuildGroup(const MerrinColorGroup& within, const BuildGroup& group) {
  return linkedItems(within.items(), group.uuid(), buildLink);
}

MerrinColorProjectItemList allItemsWithTestGroup(const MerrinColorProject& project, const TestGroup& group) {
  return linkedItems(project.items(), group.uuid(), testLink);
}

MerrinColorProjectItemList allItemsWithTestGroup(const MerrinColorGroup& within, const TestGroup& group) {
  return linkedItems(within.items(), group.uuid(), testLink);
}

void relinkAllBuildGroups(MerrinColorProject& project) {
  relinkBuildGroups(project.items(), project);
}

void relinkAllBuildGroups(const MerrinColorGroup& within, const MerrinColorProject& project) {
  relinkBuildGroups(within.items(), project);
}

void removeBuildGroupIfLinked(MerrinColorProjectItem& item, std::string_view groupUuid) {
  auto unlink = [&](MerrinColorProjectItem& node) {
    if (node.buildGroup() && node.buildGroup()->uuid() == groupUuid) node.setBuildGroup(nullptr);
  };
  unlink(item);
  if (item.group())
    forEachItemInTree(item.group()->items(), [&](const MerrinColorProjectItemPtr& node) { unlink(*node); });
}

bool validTestsExist(const MerrinColorProject& project, const std::vector<std::shared_ptr<TestGroup>>& in) {
  for (const auto& group : in) {
    if (!group) continue;
    // The first linked node is enough: nothing else about the group counts.
    bool linked = false;
    walkItemTree(project.items(),
                 [&](const MerrinColorProjectItemPtr& node, const std::vector<ItemWalkLevel>&) {
                   linked = node->testGroup() && node->testGroup()->uuid() == group->uuid();
                   return linked ? WalkStep::stop : WalkStep::descend;
                 });
    if (linked) return true;
  }
  return false;
}

}  // namespace tavlo
