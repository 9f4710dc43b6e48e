// The persistent reference of one appearance of a colour or shadow alias: a
// single item, a whole ramp, one step of a ramp, or nothing.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tavlo {

class AliasSetType {
 public:
  enum class Kind { item, set, setItem, notSet };

  static constexpr std::string_view itemRaw = "1";
  static constexpr std::string_view setRaw = "2";
  static constexpr std::string_view setItemRaw = "3";
  static constexpr std::string_view notSetRaw = "4";

  AliasSetType() = default;  // notSet
  static AliasSetType item(std::string itemUuid) { return {Kind::item, std::move(itemUuid), 0}; }
  static AliasSetType set(std::string setUuid) { return {Kind::set, std::move(setUuid), 0}; }
  static AliasSetType setItem(std::string setUuid, std::int64_t index) {
    return {Kind::setItem, std::move(setUuid), index};
  }
  static AliasSetType notSet() { return {}; }

  Kind kind() const { return kind_; }
  bool isNotSet() const { return kind_ == Kind::notSet; }
  // The item uuid of `item`, the set uuid of `set` and `setItem`; empty for notSet.
  const std::string& uuid() const { return uuid_; }
  // The step index of `setItem`; absent otherwise.
  std::optional<std::int64_t> index() const {
    return kind_ == Kind::setItem ? std::optional<std::int64_t>(index_) : std::nullopt;
  }
  std::string_view rawValue() const;

  friend bool operator==(const AliasSetType&, const AliasSetType&) = default;

 private:
  AliasSetType(Kind kind, std::string uuid, std::int64_t index)
      : kind_(kind), uuid_(std::move(uuid)), index_(index) {}

  Kind kind_ = Kind::notSet;
  std::string uuid_;
  std::int64_t index_ = 0;
};

inline std::string_view AliasSetType::rawValue() const {
  switch (kind_) {
    case Kind::item:
      return itemRaw;
    case Kind::set:
      return setRaw;
    case Kind::setItem:
      return setItemRaw;
    case Kind::notSet:
      break;
  }
  return notSetRaw;
}

}  // namespace tavlo
