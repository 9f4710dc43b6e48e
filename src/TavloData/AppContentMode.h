// How the editor lays out the project: a grid of groups or one table. The
// document keeps the choice as the setting "DisplayMode".
#pragma once

#include <optional>
#include <string_view>

namespace tavlo {

enum class AppContentMode { grid, table };

// The setting key under which the mode is stored.
inline constexpr std::string_view appContentModeStorageKey = "DisplayMode";

// `grid` is stored as "group" (its name from before the grid existed), `table` as "table".
std::string_view rawValue(AppContentMode mode);
// Exactly "group" or "table"; anything else is absent.
std::optional<AppContentMode> appContentModeFromRaw(std::string_view raw);

}  // namespace tavlo
