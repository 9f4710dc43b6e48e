// The persistent reference of one appearance of a number, boolean or string
// alias. Note the codes: "2" is an item here and "1" nothing, unlike
// AliasSetType.
#pragma once

#include <string>
#include <string_view>

namespace tavlo {

class ItemAliasType {
 public:
  enum class Kind { item, notSet };

  static constexpr std::string_view itemRaw = "2";
  static constexpr std::string_view notSetRaw = "1";

  ItemAliasType() = default;  // notSet
  static ItemAliasType item(std::string itemUuid) { return ItemAliasType(std::move(itemUuid)); }
  static ItemAliasType notSet() { return {}; }

  Kind kind() const { return kind_; }
  bool isNotSet() const { return kind_ == Kind::notSet; }
  // The item uuid; empty for notSet.
  const std::string& uuid() const { return uuid_; }
  std::string_view rawValue() const { return kind_ == Kind::item ? itemRaw : notSetRaw; }

  friend bool operator==(const ItemAliasType&, const ItemAliasType&) = default;

 private:
  explicit ItemAliasType(std::string uuid) : kind_(Kind::item), uuid_(std::move(uuid)) {}

  Kind kind_ = Kind::notSet;
  std::string uuid_;
};

}  // namespace tavlo
