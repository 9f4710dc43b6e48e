#include "TavloData/MerrinColorProjectItem.h"

#include <utility>

#include "TavloData/MerrinColorAlias.h"
#include "TavloData/MerrinColorGroup.h"
#include "TavloData/MerrinColorItem.h"
#include "TavloData/MerrinColorSet.h"
#include "TavloData/ProjectItemKindHooks.h"
#include "TavloData/TextSearch.h"

namespace tavlo {

MerrinColorProjectItem::MerrinColorProjectItem(Key, std::string uuid, std::string name, ProjectItemType type)
    : name_(std::move(name)), itemType_(type), uuid_(std::move(uuid)) {}

MerrinColorProjectItem::~MerrinColorProjectItem() = default;

#define TAVLO_NAMED_CONSTRUCTOR(function, Kind, type)                                                      \
  MerrinColorProjectItemPtr MerrinColorProjectItem::function(std::string uuid, std::shared_ptr<Kind> kind, \
                                                             std::string name) {                           \
    auto node = std::make_shared<MerrinColorProjectItem>(Key{}, std::move(uuid), std::move(name), type);   \
    node->kind_ = std::move(kind);                                                                         \
    return node;                                                                                           \
  }

TAVLO_NAMED_CONSTRUCTOR(makeColorItem, MerrinColorItem, ProjectItemType::color)
TAVLO_NAMED_CONSTRUCTOR(makeColorSet, MerrinColorSet, ProjectItemType::colorSet)
TAVLO_NAMED_CONSTRUCTOR(makeAlias, MerrinColorAlias, ProjectItemType::colorAlias)
TAVLO_NAMED_CONSTRUCTOR(makeNumberItem, MerrinColorNumber, ProjectItemType::number)
TAVLO_NAMED_CONSTRUCTOR(makeNumberAlias, MerrinColorNumberAlias, ProjectItemType::numberAlias)
TAVLO_NAMED_CONSTRUCTOR(makeBooleanItem, MerrinColorBoolean, ProjectItemType::boolean)
TAVLO_NAMED_CONSTRUCTOR(makeBooleanAlias, MerrinColorBooleanAlias, ProjectItemType::booleanAlias)
TAVLO_NAMED_CONSTRUCTOR(makeStringItem, MerrinColorString, ProjectItemType::string)
TAVLO_NAMED_CONSTRUCTOR(makeStringAlias, MerrinColorStringAlias, ProjectItemType::stringAlias)
TAVLO_NAMED_CONSTRUCTOR(makeShadowItem, MerrinColorShadow, ProjectItemType::shadow)
TAVLO_NAMED_CONSTRUCTOR(makeShadowSet, MerrinColorShadowSet, ProjectItemType::shadowSet)
TAVLO_NAMED_CONSTRUCTOR(makeShadowAlias, MerrinColorShadowAlias, ProjectItemType::shadowAlias)
#undef TAVLO_NAMED_CONSTRUCTOR

// The group constructor alone takes its tag from the caller.
MerrinColorProjectItemPtr MerrinColorProjectItem::makeGroup(std::string uuid,
                                                            std::shared_ptr<MerrinColorGroup> group,
                                                            std::string name, ProjectItemType type) {
  auto node = std::make_shared<MerrinColorProjectItem>(Key{}, std::move(uuid), std::move(name), type);
  node->kind_ = std::move(group);
  return node;
}

MerrinColorProjectItem::Rare& MerrinColorProjectItem::rare() {
  if (!rare_) rare_ = std::make_unique<Rare>();
  return *rare_;
}

template <class Kind>
void MerrinColorProjectItem::storeKindObject(std::shared_ptr<Kind> value) {
  if (auto* own = std::get_if<std::shared_ptr<Kind>>(&kind_)) {
    *own = std::move(value);
  } else if (std::holds_alternative<std::monostate>(kind_)) {
    kind_ = std::move(value);
  } else if (value || rare_) {
    std::get<std::shared_ptr<Kind>>(rare().otherKinds) = std::move(value);
  }
}

#define TAVLO_KIND_SETTER(setter, Kind, property)                    \
  void MerrinColorProjectItem::setter(std::shared_ptr<Kind> value) { \
    storeKindObject(std::move(value));                               \
    notifyChanged(property);                                         \
  }

TAVLO_KIND_SETTER(setGroup, MerrinColorGroup, "group")
TAVLO_KIND_SETTER(setColor, MerrinColorItem, "color")
TAVLO_KIND_SETTER(setColorSet, MerrinColorSet, "colorSet")
TAVLO_KIND_SETTER(setColorAlias, MerrinColorAlias, "colorAlias")
TAVLO_KIND_SETTER(setNumber, MerrinColorNumber, "number")
TAVLO_KIND_SETTER(setNumberAlias, MerrinColorNumberAlias, "numberAlias")
TAVLO_KIND_SETTER(setBoolean, MerrinColorBoolean, "boolean")
TAVLO_KIND_SETTER(setBooleanAlias, MerrinColorBooleanAlias, "booleanAlias")
TAVLO_KIND_SETTER(setString, MerrinColorString, "string")
TAVLO_KIND_SETTER(setStringAlias, MerrinColorStringAlias, "stringAlias")
TAVLO_KIND_SETTER(setShadow, MerrinColorShadow, "shadow")
TAVLO_KIND_SETTER(setShadowSet, MerrinColorShadowSet, "shadowSet")
TAVLO_KIND_SETTER(setShadowAlias, MerrinColorShadowAlias, "shadowAlias")
#undef TAVLO_KIND_SETTER

void MerrinColorProjectItem::setBuildGroup(std::shared_ptr<BuildGroup> value) {
  if (value || rare_) rare().buildGroup = std::move(value);
  notifyChanged("buildGroup");
}
void MerrinColorProjectItem::setTestGroup(std::shared_ptr<TestGroup> value) {
  if (value || rare_) rare().testGroup = std::move(value);
  notifyChanged("testGroup");
}

void MerrinColorProjectItem::setTestPosition(TestPosition value) {
  setAndNotify(testPosition_, value, "testPosition");
}
void MerrinColorProjectItem::setIsExpanded(bool value) {
  setAndNotify(isExpanded_, value, "isExpanded");
}
void MerrinColorProjectItem::setName(std::string value) {
  setAndNotify(name_, std::move(value), "name");
}

std::shared_ptr<ColorAssignable> MerrinColorProjectItem::assignable() const {
  if (const auto& set = colorSet()) return set;
  if (const auto& item = color()) return item;
  return colorAlias();
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
  if (const auto& group = this->group()) {
    MerrinColorProjectItemList beneath = group->allItems();
    result.insert(result.end(), std::make_move_iterator(beneath.begin()),
                  std::make_move_iterator(beneath.end()));
  }
  return result;
}

MerrinColorProjectItemList MerrinColorProjectItem::allNonGroupItems() const {
  const auto& group = this->group();
  return group ? group->allNonGroupItems() : MerrinColorProjectItemList{};
}

bool MerrinColorProjectItem::doAnyAliasesReference(std::string_view itemUuid) const {
  return isAnyAlias() && tavlo::doAnyAliasesReference(*this, itemUuid);
}

}  // namespace tavlo
