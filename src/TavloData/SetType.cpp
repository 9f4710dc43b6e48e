#include "TavloData/SetType.h"

namespace tavlo {

namespace {

struct SetTypeRow {
  SetType type;
  std::string_view caseName;
  std::string_view displayName;
};

constexpr std::array<SetTypeRow, 3> kSetTypes{{
    {SetType::twoItems, "twoItems", "Auto with 2 Values"},
    {SetType::threeItems, "threeItems", "Auto with 3 Values"},
    {SetType::manual, "manual", "Manual Values"},
}};

}  // namespace

std::int64_t rawValue(SetType type) {
  return static_cast<std::int64_t>(type);
}

std::optional<SetType> setTypeFromRaw(std::int64_t raw) {
  if (raw < 0 || raw >= static_cast<std::int64_t>(kSetTypes.size())) return std::nullopt;
  return kSetTypes[static_cast<std::size_t>(raw)].type;
}

std::int64_t documentCode(SetType type) {
  return rawValue(type) + 1;
}
std::optional<SetType> setTypeFromCode(std::int64_t code) {
  return setTypeFromRaw(code - 1);
}

std::string_view caseName(SetType type) {
  return kSetTypes[static_cast<std::size_t>(type)].caseName;
}

std::optional<SetType> setTypeFromCaseName(std::string_view name) {
  for (const auto& row : kSetTypes)
    if (row.caseName == name) return row.type;
  return std::nullopt;
}

std::string_view displayName(SetType type) {
  return kSetTypes[static_cast<std::size_t>(type)].displayName;
}

}  // namespace tavlo
