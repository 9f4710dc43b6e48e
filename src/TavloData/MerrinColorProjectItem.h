// A node of the project tree: one tagged object that carries exactly one kind
// object (a group, a colour, a ramp, an alias, ...), chosen by `itemType`.
// Nodes are shared by reference and compare by their uuid.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <tuple>
#include <variant>
#include <vector>

#include "TavloData/Observable.h"
#include "TavloData/ProjectItemType.h"
#include "TavloData/ProjectKinds.h"
#include "TavloData/TestPosition.h"

namespace tavlo {

class ColorAssignable;
class TextSearchTerm;

class MerrinColorProjectItem : public Observable,
                               public std::enable_shared_from_this<MerrinColorProjectItem> {
  struct Key {};  // only the named constructors below make nodes

 public:
  // One named constructor per kind. The caller supplies the uuid (the reader
  // takes it from the document or makes a fresh one). Every node starts with
  // no build or test group, `testPosition` both and collapsed.
  static MerrinColorProjectItemPtr makeGroup(std::string uuid, std::shared_ptr<MerrinColorGroup> group,
                                             std::string name, ProjectItemType type = ProjectItemType::group);
  static MerrinColorProjectItemPtr makeColorItem(std::string uuid, std::shared_ptr<MerrinColorItem> colorItem,
                                                 std::string name);
  static MerrinColorProjectItemPtr makeColorSet(std::string uuid, std::shared_ptr<MerrinColorSet> colorSet,
                                                std::string name);
  static MerrinColorProjectItemPtr makeAlias(std::string uuid, std::shared_ptr<MerrinColorAlias> alias,
                                             std::string name);
  static MerrinColorProjectItemPtr makeNumberItem(std::string uuid,
                                                  std::shared_ptr<MerrinColorNumber> numberItem,
                                                  std::string name);
  static MerrinColorProjectItemPtr makeNumberAlias(std::string uuid,
                                                   std::shared_ptr<MerrinColorNumberAlias> numberAlias,
                                                   std::string name);
  static MerrinColorProjectItemPtr makeBooleanItem(std::string uuid,
                                                   std::shared_ptr<MerrinColorBoolean> booleanItem,
                                                   std::string name);
  static MerrinColorProjectItemPtr makeBooleanAlias(std::string uuid,
                                                    std::shared_ptr<MerrinColorBooleanAlias> booleanAlias,
                                                    std::string name);
  static MerrinColorProjectItemPtr makeStringItem(std::string uuid,
                                                  std::shared_ptr<MerrinColorString> stringItem,
                                                  std::string name);
  static MerrinColorProjectItemPtr makeStringAlias(std::string uuid,
                                                   std::shared_ptr<MerrinColorStringAlias> stringAlias,
                                                   std::string name);
  static MerrinColorProjectItemPtr makeShadowItem(std::string uuid,
                                                  std::shared_ptr<MerrinColorShadow> shadowItem,
                                                  std::string name);
  static MerrinColorProjectItemPtr makeShadowSet(std::string uuid,
                                                 std::shared_ptr<MerrinColorShadowSet> shadowSet,
                                                 std::string name);
  static MerrinColorProjectItemPtr makeShadowAlias(std::string uuid,
                                                   std::shared_ptr<MerrinColorShadowAlias> shadowAlias,
                                                   std::string name);

  MerrinColorProjectItem(Key, std::string uuid, std::string name, ProjectItemType type);
  MerrinColorProjectItem(const MerrinColorProjectItem&) = delete;
  MerrinColorProjectItem& operator=(const MerrinColorProjectItem&) = delete;
  ~MerrinColorProjectItem() override;

  // Kind objects; the one matching itemType() is present.
  const std::shared_ptr<MerrinColorGroup>& group() const { return kindObject<MerrinColorGroup>(); }
  const std::shared_ptr<MerrinColorItem>& color() const { return kindObject<MerrinColorItem>(); }
  const std::shared_ptr<MerrinColorSet>& colorSet() const { return kindObject<MerrinColorSet>(); }
  const std::shared_ptr<MerrinColorAlias>& colorAlias() const { return kindObject<MerrinColorAlias>(); }
  const std::shared_ptr<MerrinColorNumber>& number() const { return kindObject<MerrinColorNumber>(); }
  const std::shared_ptr<MerrinColorNumberAlias>& numberAlias() const {
    return kindObject<MerrinColorNumberAlias>();
  }
  const std::shared_ptr<MerrinColorBoolean>& boolean() const { return kindObject<MerrinColorBoolean>(); }
  const std::shared_ptr<MerrinColorBooleanAlias>& booleanAlias() const {
    return kindObject<MerrinColorBooleanAlias>();
  }
  const std::shared_ptr<MerrinColorString>& string() const { return kindObject<MerrinColorString>(); }
  const std::shared_ptr<MerrinColorStringAlias>& stringAlias() const {
    return kindObject<MerrinColorStringAlias>();
  }
  const std::shared_ptr<MerrinColorShadow>& shadow() const { return kindObject<MerrinColorShadow>(); }
  const std::shared_ptr<MerrinColorShadowSet>& shadowSet() const {
    return kindObject<MerrinColorShadowSet>();
  }
  const std::shared_ptr<MerrinColorShadowAlias>& shadowAlias() const {
    return kindObject<MerrinColorShadowAlias>();
  }

  void setGroup(std::shared_ptr<MerrinColorGroup> value);
  void setColor(std::shared_ptr<MerrinColorItem> value);
  void setColorSet(std::shared_ptr<MerrinColorSet> value);
  void setColorAlias(std::shared_ptr<MerrinColorAlias> value);
  void setNumber(std::shared_ptr<MerrinColorNumber> value);
  void setNumberAlias(std::shared_ptr<MerrinColorNumberAlias> value);
  void setBoolean(std::shared_ptr<MerrinColorBoolean> value);
  void setBooleanAlias(std::shared_ptr<MerrinColorBooleanAlias> value);
  void setString(std::shared_ptr<MerrinColorString> value);
  void setStringAlias(std::shared_ptr<MerrinColorStringAlias> value);
  void setShadow(std::shared_ptr<MerrinColorShadow> value);
  void setShadowSet(std::shared_ptr<MerrinColorShadowSet> value);
  void setShadowAlias(std::shared_ptr<MerrinColorShadowAlias> value);

  const std::shared_ptr<BuildGroup>& buildGroup() const { return rare_ ? rare_->buildGroup : kNoBuildGroup; }
  void setBuildGroup(std::shared_ptr<BuildGroup> value);
  const std::shared_ptr<TestGroup>& testGroup() const { return rare_ ? rare_->testGroup : kNoTestGroup; }
  void setTestGroup(std::shared_ptr<TestGroup> value);

  TestPosition testPosition() const { return testPosition_; }
  void setTestPosition(TestPosition value);
  bool isExpanded() const { return isExpanded_; }
  void setIsExpanded(bool value);
  const std::string& name() const { return name_; }
  void setName(std::string value);

  // The tag is fixed when the node is made, like the uuid.
  ProjectItemType itemType() const { return itemType_; }
  const std::string& uuid() const { return uuid_; }
  const std::string& id() const { return uuid_; }

  bool isGroup() const { return itemType_ == ProjectItemType::group; }
  bool isColor() const { return itemType_ == ProjectItemType::color; }
  bool isColorSet() const { return itemType_ == ProjectItemType::colorSet; }
  bool isColorAlias() const { return itemType_ == ProjectItemType::colorAlias; }
  bool isNumber() const { return itemType_ == ProjectItemType::number; }
  bool isNumberAlias() const { return itemType_ == ProjectItemType::numberAlias; }
  bool isBoolean() const { return itemType_ == ProjectItemType::boolean; }
  bool isBooleanAlias() const { return itemType_ == ProjectItemType::booleanAlias; }
  bool isString() const { return itemType_ == ProjectItemType::string; }
  bool isStringAlias() const { return itemType_ == ProjectItemType::stringAlias; }
  bool isShadow() const { return itemType_ == ProjectItemType::shadow; }
  bool isShadowSet() const { return itemType_ == ProjectItemType::shadowSet; }
  bool isShadowAlias() const { return itemType_ == ProjectItemType::shadowAlias; }
  // Any of the five alias kinds.
  bool isAnyAlias() const;

  // The colour-bearing kind object that can take a new working space: the
  // ramp, else the colour, else the colour alias; empty for every other kind.
  std::shared_ptr<ColorAssignable> assignable() const;

  // Whether the node survives a search for the term: by its name, a ramp also
  // by its entries' names, a group also by anything beneath it. An empty term
  // matches every node that carries a kind object.
  bool matches(std::string_view searchTerm) const;
  bool matches(const TextSearchTerm& searchTerm) const;

  // The node followed by everything beneath it (filtered by each group's search filter).
  MerrinColorProjectItemList allItems() const;
  // The leaves beneath the node's group (see MerrinColorGroup::allNonGroupItems).
  MerrinColorProjectItemList allNonGroupItems() const;

  // Whether the node's alias object resolves any of its references to that uuid.
  bool doAnyAliasesReference(std::string_view itemUuid) const;

  bool operator==(const MerrinColorProjectItem& other) const { return uuid_ == other.uuid_; }

 private:
  friend class MerrinColorGroup;  // takes subtrees apart when a group is destroyed

  // Every kind object the node can carry. Its own kind, the one it was made
  // with, sits in kind_; the other kinds and the group links, which few nodes
  // ever get, live in rare_, made on first use. A kind's value is in kind_
  // exactly when kind_ holds that kind.
  using KindObject =
      std::variant<std::monostate, std::shared_ptr<MerrinColorGroup>, std::shared_ptr<MerrinColorItem>,
                   std::shared_ptr<MerrinColorSet>, std::shared_ptr<MerrinColorAlias>,
                   std::shared_ptr<MerrinColorNumber>, std::shared_ptr<MerrinColorNumberAlias>,
                   std::shared_ptr<MerrinColorBoolean>, std::shared_ptr<MerrinColorBooleanAlias>,
                   std::shared_ptr<MerrinColorString>, std::shared_ptr<MerrinColorStringAlias>,
                   std::shared_ptr<MerrinColorShadow>, std::shared_ptr<MerrinColorShadowSet>,
                   std::shared_ptr<MerrinColorShadowAlias>>;
  struct Rare {
    std::tuple<std::shared_ptr<MerrinColorGroup>, std::shared_ptr<MerrinColorItem>,
               std::shared_ptr<MerrinColorSet>, std::shared_ptr<MerrinColorAlias>,
               std::shared_ptr<MerrinColorNumber>, std::shared_ptr<MerrinColorNumberAlias>,
               std::shared_ptr<MerrinColorBoolean>, std::shared_ptr<MerrinColorBooleanAlias>,
               std::shared_ptr<MerrinColorString>, std::shared_ptr<MerrinColorStringAlias>,
               std::shared_ptr<MerrinColorShadow>, std::shared_ptr<MerrinColorShadowSet>,
               std::shared_ptr<MerrinColorShadowAlias>>
        otherKinds;
    std::shared_ptr<BuildGroup> buildGroup;
    std::shared_ptr<TestGroup> testGroup;
  };

  template <class Kind>
  const std::shared_ptr<Kind>& kindObject() const {
    if (const auto* own = std::get_if<std::shared_ptr<Kind>>(&kind_)) return *own;
    if (rare_) return std::get<std::shared_ptr<Kind>>(rare_->otherKinds);
    return kNoKind<Kind>;
  }
  template <class Kind>
  void storeKindObject(std::shared_ptr<Kind> value);
  Rare& rare();

  template <class Kind>
  inline static const std::shared_ptr<Kind> kNoKind;
  inline static const std::shared_ptr<BuildGroup> kNoBuildGroup;
  inline static const std::shared_ptr<TestGroup> kNoTestGroup;

  KindObject kind_;
  std::unique_ptr<Rare> rare_;
  TestPosition testPosition_ = TestPosition::both;
  bool isExpanded_ = false;
  std::string name_;
  const ProjectItemType itemType_;
  const std::string uuid_;
};

}  // namespace tavlo

template <>
struct std::hash<tavlo::MerrinColorProjectItem> {
  std::size_t operator()(const tavlo::MerrinColorProjectItem& item) const {
    return std::hash<std::string>()(item.uuid());
  }
};
