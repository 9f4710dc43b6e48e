#include "TavloData/MerrinColorProjectItem.h"

#include <utility>

#include "TavloData/MerrinColorGroup.h"
#include "TavloData/ProjectItemKindHooks.h"
#include "TavloData/TextSearch.h"

namespace tavlo {

MerrinColorProjectItem::MerrinColorProjectItem(Key, std::string uuid, std::string name, ProjectItemType type)
    : name_(std::move(name)), itemType_(type), uuid_(std::move(uuid)) {}

MerrinColorProjectItem::~MerrinColorProjectItem() = default;

#define TAVLO_NAMED_CONSTRUCTOR(function, Kind, field, type)                                               \
  MerrinColorProjectItemPtr MerrinColorProjectItem::function(std::string uuid, std::shared_ptr<Kind> kind, \
                                                             std::string name) {                           \
    auto node = std::make_shared<MerrinColorProjectItem>(Key{}, std::move(uuid), std::move(name), type);   \
    node->field = std::move(kind);                                                                         \
    return node;                                                                                           \
  }

TAVLO_NAMED_CONSTRUCTOR(makeColorItem, MerrinColorItem, color_, ProjectItemType::color)
TAVLO_NAMED_CONSTRUCTOR(makeColorSet, MerrinColorSet, colorSet_, ProjectItemType::colorSet)
TAVLO_NAMED_CONSTRUCTOR(makeAlias, MerrinColorAlias, colorAlias_, ProjectItemType::colorAlias)
TAVLO_NAMED_CONSTRUCTOR(makeNumberItem, MerrinColorNumber, number_, ProjectItemType::number)
TAVLO_NAMED_CONSTRUCTOR(makeNumberAlias, MerrinColorNumberAlias, numberAlias_, ProjectItemType::numberAlias)
TAVLO_NAMED_CONSTRUCTOR(makeBooleanItem, MerrinColorBoolean, boolean_, ProjectItemType::boolean)
TAVLO_NAMED_CONSTRUCTOR(makeBooleanAlias, MerrinColorBooleanAlias, booleanAlias_,
                        ProjectItemType::booleanAlias)
TAVLO_NAMED_CONSTRUCTOR(makeStringItem, MerrinColorString, string_, ProjectItemType::string)
TAVLO_NAMED_CONSTRUCTOR(makeStringAlias, MerrinColorStringAlias, stringAlias_, ProjectItemType::stringAlias)
TAVLO_NAMED_CONSTRUCTOR(makeShadowItem, MerrinColorShadow, shadow_, ProjectItemType::shadow)
TAVLO_NAMED_CONSTRUCTOR(makeShadowSet, MerrinColorShadowSet, shadowSet_, ProjectItemType::shadowSet)
TAVLO_NAMED_CONSTRUCTOR(makeShadowAlias, MerrinColorShadowAlias, shadowAlias_, ProjectItemType::shadowAlias)
#undef TAVLO_NAMED_CONSTRUCTOR

// The group constructor alone takes its tag from the caller.
MerrinColorProjectItemPtr MerrinColorProjectItem::makeGroup(std::string uuid,
                                                            std::shared_ptr<MerrinColorGroup> group,
                                                            std::string name, ProjectItemType type) {
  auto node = std::make_shared<MerrinColorProjectItem>(Key{}, std::move(uuid), std::move(name), type);
  node->group_ = std::move(group);
  return node;
}

#define TAVLO_KIND_SETTER(setter, Kind, field, property)             \
  void MerrinColorProjectItem::setter(std::shared_ptr<Kind> value) { \
    setAndNotify(field, std::move(value), property);                 \
  }

TAVLO_KIND_SETTER(setGroup, MerrinColorGroup, group_, "group")
TAVLO_KIND_SETTER(setColor, MerrinColorItem, color_, "color")
TAVLO_KIND_SETTER(setColorSet, MerrinColorSet, colorSet_, "colorSet")
TAVLO_KIND_SETTER(setColorAlias, MerrinColorAlias, colorAlias_, "colorAlias")
TAVLO_KIND_SETTER(setNumber, MerrinColorNumber, number_, "number")
TAVLO_KIND_SETTER(setNumberAlias, MerrinColorNumberAlias, numberAlias_, "numberAlias")
TAVLO_KIND_SETTER(setBoolean, MerrinColorBoolean, boolean_, "boolean")
TAVLO_KIND_SETTER(setBooleanAlias, MerrinColorBooleanAlias, booleanAlias_, "booleanAlias")
TAVLO_KIND_SETTER(setString, MerrinColorString, string_, "string")
TAVLO_KIND_SETTER(setStringAlias, MerrinColorStringAlias, stringAlias_, "stringAlias")
TAVLO_KIND_SETTER(setShadow, MerrinColorShadow, shadow_, "shadow")
TAVLO_KIND_SETTER(setShadowSet, MerrinColorShadowSet, shadowSet_, "shadowSet")
TAVLO_KIND_SETTER(setShadowAlias, MerrinColorShadowAlias, shadowAlias_, "shadowAlias")
TAVLO_KIND_SETTER(setBuildGroup, BuildGroup, buildGroup_, "buildGroup")
TAVLO_KIND_SETTER(setTestGroup, TestGroup, testGroup_, "testGroup")
#undef TAVLO_KIND_SETTER

void MerrinColorProjectItem::setTestPosition(TestPosition value) {
  setAndNotify(testPosition_, value, "testPosition");
}
void MerrinColorProjectItem::setIsExpanded(bool value) {
  setAndNotify(isExpanded_, value, "isExpanded");
}
void MerrinColorProjectItem::setName(std::string value) {
  setAndNotify(name_, std::move(value), "name");
}

bool MerrinColorProjectItem::isAnyAlias() const {
  switch (itemType_) {
    case ProjectItemType::colorAlias:
    case ProjectItemType::numberAlias:
    case ProjectItemType::booleanAlias:
    case ProjectItemType::stringAlias:
    case ProjectItemType::shadowAlias:
      return true;
    default:
      return false;
  }
}

namespace {

enum class OwnMatch { yes, no, lookBeneath };

// The node's own part of the search: its name, a ramp's entry names, and for
// a group whose name does not match, the instruction to look at its children.
// The kind fields are tried in a fixed order; the first present one decides.
OwnMatch ownMatch(const MerrinColorProjectItem& node, const TextSearchTerm& term) {
  auto byName = [&] { return term.isFoundIn(node.name()) ? OwnMatch::yes : OwnMatch::no; };
  if (node.color()) return byName();
  if (node.colorSet())
    return (term.isFoundIn(node.name()) || anyColorSetEntryNameMatches(*node.colorSet(), term))
               ? OwnMatch::yes
               : OwnMatch::no;
  if (node.group()) return term.isFoundIn(node.name()) ? OwnMatch::yes : OwnMatch::lookBeneath;
  if (node.colorAlias() || node.number() || node.numberAlias() || node.boolean() || node.booleanAlias() ||
      node.string() || node.stringAlias() || node.shadow())
    return byName();
  if (node.shadowSet())
    return (term.isFoundIn(node.name()) || anyShadowSetEntryNameMatches(*node.shadowSet(), term))
               ? OwnMatch::yes
               : OwnMatch::no;
  if (node.shadowAlias()) return byName();
  return OwnMatch::no;
}

bool carriesKind(const MerrinColorProjectItem& node) {
  return node.group() || node.color() || node.colorSet() || node.colorAlias() || node.number() ||
         node.numberAlias() || node.boolean() || node.booleanAlias() || node.string() || node.stringAlias() ||
         node.shadow() || node.shadowSet() || node.shadowAlias();
}

}  // namespace

bool MerrinColorProjectItem::matches(std::string_view searchTerm) const {
  return matches(TextSearchTerm(searchTerm));
}

bool MerrinColorProjectItem::matches(const TextSearchTerm& searchTerm) const {
  if (searchTerm.empty()) return carriesKind(*this);
  // A group matches when anything beneath it does; look with an explicit
  // stack so that nesting depth costs no call stack.
  std::vector<const MerrinColorProjectItem*> pending{this};
  while (!pending.empty()) {
    const MerrinColorProjectItem* node = pending.back();
    pending.pop_back();
    switch (ownMatch(*node, searchTerm)) {
      case OwnMatch::yes:
        return true;
      case OwnMatch::no:
        break;
      case OwnMatch::lookBeneath: {
        // Reversed, so children are tried in order.
        const auto& children = node->group()->items();
        for (auto child = children.rbegin(); child != children.rend(); ++child)
          if (*child) pending.push_back(child->get());
        break;
      }
    }
  }
  return false;
}

MerrinColorProjectItemList MerrinColorProjectItem::allItems() const {
  MerrinColorProjectItemList result{std::const_pointer_cast<MerrinColorProjectItem>(shared_from_this())};
  if (group_) {
    MerrinColorProjectItemList beneath = group_->allItems();
    result.insert(result.end(), std::make_move_iterator(beneath.begin()),
                  std::make_move_iterator(beneath.end()));
  }
  return result;
}

MerrinColorProjectItemList MerrinColorProjectItem::allNonGroupItems() const {
  return group_ ? group_->allNonGroupItems() : MerrinColorProjectItemList{};
}

bool MerrinColorProjectItem::doAnyAliasesReference(std::string_view itemUuid) const {
  return isAnyAlias() && tavlo::doAnyAliasesReference(*this, itemUuid);
}

}  // namespace tavlo
