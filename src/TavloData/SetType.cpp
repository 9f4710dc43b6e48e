#include "TavloData/SetType.h"

#include "TavloData/EnumTable.h"

namespace tavlo {

namespace {

// One row per case, in raw order; the raw column holds the case name.
constexpr std::array<EnumEntry<SetType>, 3> kSetTypes{{
    {SetType::twoItems, "twoItems", "Auto with 2 Values"},
    {SetType::threeItems, "threeItems", "Auto with 3 Values"},
    {SetType::manual, "manual", "Manual Values"},
}};

}  // namespace

std::int64_t rawValue(SetType type) {
  return static_cast<std::int64_t>(type);
}
std::optional<SetType> setTypeFromRaw(std::int64_t raw) {
  return enumFromCode(kSetTypes, raw);
}
std::int64_t documentCode(SetType type) {
  return rawValue(type) + 1;
}
std::optional<SetType> setTypeFromCode(std::int64_t code) {
  return enumFromDocumentCode(kSetTypes, code);
}
std::string_view caseName(SetType type) {
  return enumEntry(kSetTypes, type).raw;
}
std::optional<SetType> setTypeFromCaseName(std::string_view name) {
  return enumFromRaw(kSetTypes, name);
}
std::string_view displayName(SetType type) {
  return enumEntry(kSetTypes, type).display;
}

}  // namespace tavlo
