// How a ramp gets its entries: generated from two or three anchors, or
// edited one by one.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace tavlo {

enum class SetType {
  twoItems,    // generated from the first and the last entry
  threeItems,  // generated from the first, the middle and the last entry
  manual,      // edited by hand; generation only resizes the list
};

inline constexpr std::array<SetType, 3> allSetTypes{SetType::twoItems, SetType::threeItems, SetType::manual};

std::int64_t rawValue(SetType type);
std::optional<SetType> setTypeFromRaw(std::int64_t raw);
// The document stores the raw value plus one (1 ... 3).
std::int64_t documentCode(SetType type);
std::optional<SetType> setTypeFromCode(std::int64_t code);
std::string_view caseName(SetType type);
std::optional<SetType> setTypeFromCaseName(std::string_view name);
// "Auto with 2 Values", "Auto with 3 Values", "Manual Values".
std::string_view displayName(SetType type);

}  // namespace tavlo
