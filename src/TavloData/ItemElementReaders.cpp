#include "TavloData/ItemElementReaders.h"

#include <array>
#include <span>
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
  // The children the kind reads besides the common ones; any other is skipped.
  std::span<const std::string_view> children;
};

using Item = MerrinColorProjectItem;

// Children every item element reads.
constexpr std::string_view kCommonChildren[] = {"id", "name", "buildGroupId", "testGroupId", "testPosition"};
// And each kind (a group's item elements are its members).
constexpr std::string_view kGroupChildren[] = {"expanded", "namespace"};
constexpr std::string_view kColorItemChildren[] = {"profile", "appearance", "autoContrast", "color"};
constexpr std::string_view kShadowItemChildren[] = {"profile", "appearance", "autoContrast", "shadow"};
constexpr std::string_view kNumberItemChildren[] = {"number", "min",        "max",
                                                    "steps",  "appearance", "autoContrast"};
constexpr std::string_view kBooleanItemChildren[] = {"boolean", "appearance", "autoContrast"};
constexpr std::string_view kStringItemChildren[] = {"string", "appearance", "autoContrast"};
constexpr std::string_view kColorSetChildren[] = {"profile", "appearance",  "autoContrast", "interpolation",
                                                  "curve",   "curveAmount", "type",         "middle",
                                                  "naming",  "steps",       "colors"};
constexpr std::string_view kShadowSetChildren[] = {"profile", "appearance",  "autoContrast", "interpolation",
                                                   "curve",   "curveAmount", "type",         "middle",
                                                   "naming",  "steps",       "shadows"};
// Colour and shadow aliases read all of these; number, boolean and string
// aliases all but the last four (kItemAliasChildren).
constexpr std::string_view kSetAliasChildren[] = {"type",
                                                  "typeLightHighContrast",
                                                  "typeDark",
                                                  "typeDarkHighContrast",
                                                  "referencedItemId",
                                                  "referencedItemIdLightHighContrast",
                                                  "referencedItemIdDark",
                                                  "referencedItemIdDarkHighContrast",
                                                  "appearance",
                                                  "autoContrast",
                                                  "subIndex",
                                                  "subIndexLightHighContrast",
                                                  "subIndexDark",
                                                  "subIndexDarkHighContrast"};
constexpr std::span<const std::string_view> kItemAliasChildren = std::span(kSetAliasChildren).first(10);

// The item elements, in the order they are tried; elements of any other name
// are skipped.
constexpr ItemElementEntry kItemElements[] = {
    {"group", readGroup, kGroupChildren},
    {"colorItem", readKind<MerrinColorItem, parseColorItem, &Item::makeColorItem>, kColorItemChildren},
    {"alias", readKind<MerrinColorAlias, parseColorAlias, &Item::makeAlias>, kSetAliasChildren},
    {"colorSet", readKind<MerrinColorSet, parseColorSet, &Item::makeColorSet>, kColorSetChildren},
    {"numberItem", readKind<MerrinColorNumber, parseNumberItem, &Item::makeNumberItem>, kNumberItemChildren},
    {"numberAlias", readKind<MerrinColorNumberAlias, parseNumberAlias, &Item::makeNumberAlias>,
     kItemAliasChildren},
    {"booleanItem", readKind<MerrinColorBoolean, parseBooleanItem, &Item::makeBooleanItem>,
     kBooleanItemChildren},
    {"booleanAlias", readKind<MerrinColorBooleanAlias, parseBooleanAlias, &Item::makeBooleanAlias>,
     kItemAliasChildren},
    {"stringItem", readKind<MerrinColorString, parseStringItem, &Item::makeStringItem>, kStringItemChildren},
    {"stringAlias", readKind<MerrinColorStringAlias, parseStringAlias, &Item::makeStringAlias>,
     kItemAliasChildren},
    {"shadowItem", readKind<MerrinColorShadow, parseShadowItem, &Item::makeShadowItem>, kShadowItemChildren},
    {"shadowSet", readKind<MerrinColorShadowSet, parseShadowSet, &Item::makeShadowSet>, kShadowSetChildren},
    {"shadowAlias", readKind<MerrinColorShadowAlias, parseShadowAlias, &Item::makeShadowAlias>,
     kSetAliasChildren},
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

// The entry of an item element; null for elements of any other name.
const ItemElementEntry* entryOf(std::string_view elementName) {
  for (const auto& entry : kItemElements)
    if (entry.elementName == elementName) return &entry;
  return nullptr;
}

bool contains(std::span<const std::string_view> names, std::string_view name) {
  return std::find(names.begin(), names.end(), name) != names.end();
}

// Findings of a read with diagnostics.

void reportSkippedAmongItems(const xmltree::XML& element, ReadDiagnostics& diagnostics) {
  diagnostics.report(DiagnosticCode::unknownElement, element,
                     "'" + element.xmlName() + "' is no item element; skipped");
}

void reportUnknownChildren(const xmltree::XML& element, const ItemElementEntry& entry,
                           ReadDiagnostics& diagnostics) {
  const bool isGroup = entry.read == readGroup;
  for (const auto& child : element.xmlChildren()) {
    const std::string& name = child->xmlName();
    if (contains(kCommonChildren, name) || contains(entry.children, name) || (isGroup && entryOf(name)))
      continue;
    diagnostics.report(DiagnosticCode::unknownElement, *child,
                       "'" + name + "' is not read in " + std::string(entry.elementName) + "; skipped");
  }
}

void reportDropped(const xmltree::XML& element, ReadDiagnostics& diagnostics) {
  std::optional<ReadDiagnostics::DropCause> cause = diagnostics.takeDropCause();
  if (!cause)
    cause = ReadDiagnostics::DropCause{ReadDiagnostics::positionOf(element), "its value cannot be read"};
  diagnostics.report(DiagnosticCode::itemDropped, cause->at,
                     element.xmlName() + " left out: " + cause->reason, diagnostics.currentItem());
}

void reportUnknownGroup(DiagnosticCode code, std::string_view idName, std::string_view id,
                        ReadDiagnostics::Position at, const MerrinColorProjectItem& node,
                        ReadDiagnostics& diagnostics) {
  const bool build = code == DiagnosticCode::unknownBuildGroup;
  diagnostics.report(code, at,
                     std::string(idName) + " '" + std::string(id) + "' matches no " +
                         (build ? "build" : "test") + " group; the item is linked to none",
                     node.name().empty() ? node.uuid() : node.name());
}

ReadDiagnostics::Position childPosition(const xmltree::XML& element, std::string_view name) {
  const xmltree::XML* child = firstChildElement(element, name);
  return child ? ReadDiagnostics::positionOf(*child) : ReadDiagnostics::Position{};
}

MerrinColorProjectItemPtr readItem(const xmltree::XML& element, const ItemReadContext& context) {
  const ItemElementEntry* entry = entryOf(element.xmlName());
  if (!entry) return nullptr;
  const ItemBeingRead reading(element);
  ReadDiagnostics* const diagnostics = reading.diagnostics();
  MerrinColorProjectItemPtr node = entry->read(element, context);
  if (diagnostics) reportUnknownChildren(element, *entry, *diagnostics);
  if (!node) {
    if (diagnostics) reportDropped(element, *diagnostics);
    return nullptr;
  }
  if (diagnostics && !context.generateNewIds)
    if (const xmltree::XML* id = firstChildElement(element, "id"); id && id->xmlValue())
      diagnostics->recordId(*node, *id);

  // Links go by the texts in the document, also when fresh ids are asked for.
  const std::optional<std::string_view> buildGroupId = childText(element, "buildGroupId");
  const std::optional<std::string_view> testGroupId = childText(element, "testGroupId");
  if (context.deferredLinks) {
    if (buildGroupId || testGroupId) {
      if (diagnostics)
        context.deferredLinks->add(node, buildGroupId, testGroupId, childPosition(element, "buildGroupId"),
                                   childPosition(element, "testGroupId"));
      else
        context.deferredLinks->add(node, buildGroupId, testGroupId);
    }
  } else {
    if (buildGroupId) {
      node->setBuildGroup(groupWithUuid(context.project.buildGroups(), *buildGroupId));
      if (diagnostics && !node->buildGroup())
        reportUnknownGroup(DiagnosticCode::unknownBuildGroup, "buildGroupId", *buildGroupId,
                           childPosition(element, "buildGroupId"), *node, *diagnostics);
    }
    if (testGroupId) {
      node->setTestGroup(groupWithUuid(context.project.testGroups(), *testGroupId));
      if (diagnostics && !node->testGroup())
        reportUnknownGroup(DiagnosticCode::unknownTestGroup, "testGroupId", *testGroupId,
                           childPosition(element, "testGroupId"), *node, *diagnostics);
    }
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
                         std::optional<std::string_view> testGroupId,
                         ReadDiagnostics::Position buildGroupIdAt, ReadDiagnostics::Position testGroupIdAt) {
  pending_.push_back(
      {std::move(node), buildGroupId ? std::optional<std::string>(*buildGroupId) : std::nullopt,
       testGroupId ? std::optional<std::string>(*testGroupId) : std::nullopt, buildGroupIdAt, testGroupIdAt});
}

void ItemGroupLinks::resolve(const MerrinColorProject& project) {
  if (pending_.empty()) return;
  const auto buildGroups = firstGroupByUuid(project.buildGroups());
  const auto testGroups = firstGroupByUuid(project.testGroups());
  ReadDiagnostics* const diagnostics = activeReadDiagnostics();
  for (Pending& link : pending_) {
    if (link.buildGroupId) {
      link.node->setBuildGroup(groupFrom(buildGroups, *link.buildGroupId));
      if (diagnostics && !link.node->buildGroup())
        reportUnknownGroup(DiagnosticCode::unknownBuildGroup, "buildGroupId", *link.buildGroupId,
                           link.buildGroupIdAt, *link.node, *diagnostics);
    }
    if (link.testGroupId) {
      link.node->setTestGroup(groupFrom(testGroups, *link.testGroupId));
      if (diagnostics && !link.node->testGroup())
        reportUnknownGroup(DiagnosticCode::unknownTestGroup, "testGroupId", *link.testGroupId,
                           link.testGroupIdAt, *link.node, *diagnostics);
    }
  }
  pending_.clear();
}

const xmltree::XML::HandOver& ItemElementStream::handOver() {
  static const xmltree::XML::HandOver kItems{{"project", "colorItems"}, "group"};
  return kItems;
}

bool ItemElementStream::take(const xmltree::XMLPtr& element, std::size_t level) {
  const ItemElementEntry* entry = entryOf(element->xmlName());
  // A group's other children (`id`, `name`, ...) stay for the group to read;
  // nothing else reads what stands among the top-level items.
  if (!entry) {
    if (level != 0) return false;
    if (ReadDiagnostics* diagnostics = activeReadDiagnostics())
      reportSkippedAmongItems(*element, *diagnostics);
    return true;
  }
  if (members_.size() < level + 2) members_.resize(level + 2);
  MerrinColorProjectItemList& beneath = members_[level + 1];
  const bool isGroup = entry->read == readGroup;
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
