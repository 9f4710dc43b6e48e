#include "TavloData/ItemElementReaders.h"

#include <array>
#include <unordered_map>
#include <utility>

#include "TavloData/BuildGroup.h"
#include "TavloData/MerrinColorGroup.h"
#include "TavloData/MerrinColorProject.h"
#include "TavloData/MerrinColorProjectItem.h"
#include "TavloData/TestGroup.h"
#include "TavloData/UUID.h"

namespace tavlo {

const xmltree::XML* firstChildElement(const xmltree::XML& element, std::string_view name) {
  for (const auto& child : element.xmlChildren())
    if (child->xmlName() == name) return child.get();
  return nullptr;
}

std::optional<std::string_view> childText(const xmltree::XML& element, std::string_view name) {
  const xmltree::XML* child = firstChildElement(element, name);
  if (!child || !child->xmlValue()) return std::nullopt;
  return std::string_view(*child->xmlValue());
}

bool childFlag(const xmltree::XML& element, std::string_view name) {
  return childText(element, name) == "1";
}

std::string readItemName(const xmltree::XML& element) {
  return std::string(childText(element, "name").value_or(std::string_view()));
}

std::string readIdentifier(const xmltree::XML& element, bool generateNewIds) {
  if (!generateNewIds)
    if (std::optional<std::string_view> id = childText(element, "id")) return std::string(*id);
  return makeUUIDString();
}

namespace {

// What every item parser of one read passes down to the items beneath it.
struct ItemReadContext {
  MerrinColorProject& project;
  bool generateNewIds;
  ItemGroupLinks* deferredLinks;
  // The members of the group element being read, when they were read before
  // it; otherwise its item children are read as its members.
  MerrinColorProjectItemList* groupMembers = nullptr;
};

MerrinColorProjectItemPtr readItem(const xmltree::XML& element, const ItemReadContext& context);

ParsedItem<MerrinColorGroup> readGroupItem(const xmltree::XML& element, const ItemReadContext& context) {
  ParsedItem<MerrinColorGroup> parsed{readItemName(element), readIdentifier(element, context.generateNewIds),
                                      std::make_shared<MerrinColorGroup>()};
  if (context.groupMembers) {
    parsed.item->setItems(std::move(*context.groupMembers));
    return parsed;
  }
  // The group's members are its item elements; `id`, `name`, `expanded` and
  // the rest are no item elements and fall out. Groups recurse here, one call
  // level per element level, and the element tree refuses documents nested
  // deeper than xmltree::kMaxElementDepth, which bounds the recursion.
  for (const auto& child : element.xmlChildren())
    if (MerrinColorProjectItemPtr node = readItem(*child, context)) parsed.item->appendItem(std::move(node));
  return parsed;
}

using ItemElementReader = MerrinColorProjectItemPtr (*)(const xmltree::XML&, const ItemReadContext&);

// Runs a kind parser and builds the node when the parse succeeded.
template <class Kind, ParsedItem<Kind> (*Parse)(const xmltree::XML&, bool),
          MerrinColorProjectItemPtr (*Make)(std::string, std::shared_ptr<Kind>, std::string)>
MerrinColorProjectItemPtr readKind(const xmltree::XML& element, const ItemReadContext& context) {
  ParsedItem<Kind> parsed = Parse(element, context.generateNewIds);
  if (!parsed.name || !parsed.item) return nullptr;
  return Make(std::move(parsed.id), std::move(parsed.item), std::move(*parsed.name));
}

MerrinColorProjectItemPtr readGroup(const xmltree::XML& element, const ItemReadContext& context) {
  ParsedItem<MerrinColorGroup> parsed = readGroupItem(element, context);
  MerrinColorProjectItemPtr node = MerrinColorProjectItem::makeGroup(
      std::move(parsed.id), parsed.item, std::move(*parsed.name), ProjectItemType::group);
  if (childFlag(element, "expanded")) node->setIsExpanded(true);
  if (childFlag(element, "namespace")) parsed.item->setProvidesNamespace(true);
  return node;
}

struct ItemElementEntry {
  std::string_view elementName;
  ItemElementReader read;
};

using Item = MerrinColorProjectItem;

// The item elements, in the order they are tried; elements of any other name
// are skipped.
constexpr ItemElementEntry kItemElements[] = {
    {"group", readGroup},
    {"colorItem", readKind<MerrinColorItem, parseColorItem, &Item::makeColorItem>},
    {"alias", readKind<MerrinColorAlias, parseColorAlias, &Item::makeAlias>},
    {"colorSet", readKind<MerrinColorSet, parseColorSet, &Item::makeColorSet>},
    {"numberItem", readKind<MerrinColorNumber, parseNumberItem, &Item::makeNumberItem>},
    {"numberAlias", readKind<MerrinColorNumberAlias, parseNumberAlias, &Item::makeNumberAlias>},
    {"booleanItem", readKind<MerrinColorBoolean, parseBooleanItem, &Item::makeBooleanItem>},
    {"booleanAlias", readKind<MerrinColorBooleanAlias, parseBooleanAlias, &Item::makeBooleanAlias>},
    {"stringItem", readKind<MerrinColorString, parseStringItem, &Item::makeStringItem>},
    {"stringAlias", readKind<MerrinColorStringAlias, parseStringAlias, &Item::makeStringAlias>},
    {"shadowItem", readKind<MerrinColorShadow, parseShadowItem, &Item::makeShadowItem>},
    {"shadowSet", readKind<MerrinColorShadowSet, parseShadowSet, &Item::makeShadowSet>},
    {"shadowAlias", readKind<MerrinColorShadowAlias, parseShadowAlias, &Item::makeShadowAlias>},
};

template <class Group>
std::shared_ptr<Group> groupWithUuid(const std::vector<std::shared_ptr<Group>>& groups,
                                     std::string_view uuid) {
  for (const auto& group : groups)
    if (group && group->uuid() == uuid) return group;
  return nullptr;
}

// The first group of each uuid, so that many links to many groups stay linear.
template <class Group>
std::unordered_map<std::string_view, std::shared_ptr<Group>> firstGroupByUuid(
    const std::vector<std::shared_ptr<Group>>& groups) {
  std::unordered_map<std::string_view, std::shared_ptr<Group>> byUuid;
  byUuid.reserve(groups.size());
  for (const auto& group : groups)
    if (group) byUuid.try_emplace(group->uuid(), group);
  return byUuid;
}

template <class Group>
std::shared_ptr<Group> groupFrom(const std::unordered_map<std::string_view, std::shared_ptr<Group>>& byUuid,
                                 std::string_view uuid) {
  const auto found = byUuid.find(uuid);
  return found == byUuid.end() ? nullptr : found->second;
}

// The reader of an item element; null for elements of any other name.
ItemElementReader readerOf(std::string_view elementName) {
  for (const auto& entry : kItemElements)
    if (entry.elementName == elementName) return entry.read;
  return nullptr;
}

MerrinColorProjectItemPtr readItem(const xmltree::XML& element, const ItemReadContext& context) {
  const ItemElementReader read = readerOf(element.xmlName());
  if (!read) return nullptr;
  MerrinColorProjectItemPtr node = read(element, context);
  if (!node) return nullptr;

  // Links go by the texts in the document, also when fresh ids are asked for.
  const std::optional<std::string_view> buildGroupId = childText(element, "buildGroupId");
  const std::optional<std::string_view> testGroupId = childText(element, "testGroupId");
  if (context.deferredLinks) {
    if (buildGroupId || testGroupId) context.deferredLinks->add(node, buildGroupId, testGroupId);
  } else {
    if (buildGroupId) node->setBuildGroup(groupWithUuid(context.project.buildGroups(), *buildGroupId));
    if (testGroupId) node->setTestGroup(groupWithUuid(context.project.testGroups(), *testGroupId));
  }
  if (std::optional<std::string_view> position = childText(element, "testPosition"))
    node->setTestPosition(testPositionFromRaw(*position).value_or(TestPosition::both));
  return node;
}

}  // namespace

ParsedItem<MerrinColorGroup> parseGroupItem(const xmltree::XML& element, MerrinColorProject& project,
                                            bool generateNewIds) {
  return readGroupItem(element, ItemReadContext{project, generateNewIds, nullptr});
}

MerrinColorProjectItemPtr parseItem(const xmltree::XML& element, MerrinColorProject& project,
                                    bool generateNewIds, ItemGroupLinks* deferredLinks) {
  return readItem(element, ItemReadContext{project, generateNewIds, deferredLinks});
}

void ItemGroupLinks::add(MerrinColorProjectItemPtr node, std::optional<std::string_view> buildGroupId,
                         std::optional<std::string_view> testGroupId) {
  pending_.push_back({std::move(node),
                      buildGroupId ? std::optional<std::string>(*buildGroupId) : std::nullopt,
                      testGroupId ? std::optional<std::string>(*testGroupId) : std::nullopt});
}

void ItemGroupLinks::resolve(const MerrinColorProject& project) {
  if (pending_.empty()) return;
  const auto buildGroups = firstGroupByUuid(project.buildGroups());
  const auto testGroups = firstGroupByUuid(project.testGroups());
  for (Pending& link : pending_) {
    if (link.buildGroupId) link.node->setBuildGroup(groupFrom(buildGroups, *link.buildGroupId));
    if (link.testGroupId) link.node->setTestGroup(groupFrom(testGroups, *link.testGroupId));
  }
  pending_.clear();
}

const xmltree::XML::HandOver& ItemElementStream::handOver() {
  static const xmltree::XML::HandOver kItems{{"project", "colorItems"}, "group"};
  return kItems;
}

bool ItemElementStream::take(const xmltree::XMLPtr& element, std::size_t level) {
  const ItemElementReader read = readerOf(element->xmlName());
  // A group's other children (`id`, `name`, ...) stay for the group to read;
  // nothing else reads what stands among the top-level items.
  if (!read) return level == 0;
  if (members_.size() < level + 2) members_.resize(level + 2);
  MerrinColorProjectItemList& beneath = members_[level + 1];
  const bool isGroup = read == readGroup;
  MerrinColorProjectItemPtr node =
      readItem(*element, ItemReadContext{project_, generateNewIds_, &links_, isGroup ? &beneath : nullptr});
  if (isGroup) beneath.clear();  // moved into the group; the next group of this level starts afresh
  if (node) members_[level].push_back(std::move(node));
  return true;
}

MerrinColorProjectItemList ItemElementStream::takeItems() {
  MerrinColorProjectItemList items = members_.empty() ? MerrinColorProjectItemList{} : std::move(members_[0]);
  members_.clear();
  return items;
}

}  // namespace tavlo
