#include "TavloData/ItemElementReaders.h"

#include <array>
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

ParsedItem<MerrinColorGroup> parseGroupItem(const xmltree::XML& element, MerrinColorProject& project,
                                            bool generateNewIds) {
  ParsedItem<MerrinColorGroup> parsed{readItemName(element), readIdentifier(element, generateNewIds),
                                      std::make_shared<MerrinColorGroup>()};
  // The group's members are its item elements; `id`, `name`, `expanded` and
  // the rest are no item elements and fall out. Groups recurse here, one call
  // level per element level, and the element tree refuses documents nested
  // deeper than xmltree::kMaxElementDepth, which bounds the recursion.
  for (const auto& child : element.xmlChildren())
    if (MerrinColorProjectItemPtr node = parseItem(*child, project, generateNewIds))
      parsed.item->appendItem(std::move(node));
  return parsed;
}

namespace {

using ItemElementReader = MerrinColorProjectItemPtr (*)(const xmltree::XML&, MerrinColorProject&, bool);

// Runs a kind parser and builds the node when the parse succeeded.
template <class Kind, ParsedItem<Kind> (*Parse)(const xmltree::XML&, bool),
          MerrinColorProjectItemPtr (*Make)(std::string, std::shared_ptr<Kind>, std::string)>
MerrinColorProjectItemPtr readKind(const xmltree::XML& element, MerrinColorProject&, bool generateNewIds) {
  ParsedItem<Kind> parsed = Parse(element, generateNewIds);
  if (!parsed.name || !parsed.item) return nullptr;
  return Make(std::move(parsed.id), std::move(parsed.item), std::move(*parsed.name));
}

MerrinColorProjectItemPtr readGroup(const xmltree::XML& element, MerrinColorProject& project,
                                    bool generateNewIds) {
  ParsedItem<MerrinColorGroup> parsed = parseGroupItem(element, project, generateNewIds);
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

}  // namespace

MerrinColorProjectItemPtr parseItem(const xmltree::XML& element, MerrinColorProject& project,
                                    bool generateNewIds) {
  ItemElementReader read = nullptr;
  for (const auto& entry : kItemElements) {
    if (entry.elementName == element.xmlName()) {
      read = entry.read;
      break;
    }
  }
  if (!read) return nullptr;
  MerrinColorProjectItemPtr node = read(element, project, generateNewIds);
  if (!node) return nullptr;

  // Links go by the texts in the document, also when fresh ids are asked for.
  if (std::optional<std::string_view> id = childText(element, "buildGroupId"))
    node->setBuildGroup(groupWithUuid(project.buildGroups(), *id));
  if (std::optional<std::string_view> id = childText(element, "testGroupId"))
    node->setTestGroup(groupWithUuid(project.testGroups(), *id));
  if (std::optional<std::string_view> position = childText(element, "testPosition"))
    node->setTestPosition(testPositionFromRaw(*position).value_or(TestPosition::both));
  return node;
}

}  // namespace tavlo
