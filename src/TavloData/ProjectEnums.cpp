// The tables of the project's small enumerations.
#include <array>

#include "TavloData/AppContentMode.h"
#include "TavloData/EnumTable.h"
#include "TavloData/FilterItem.h"
#include "TavloData/ProjectItemType.h"
#include "TavloData/TestPosition.h"

namespace tavlo {

namespace {

constexpr std::array<EnumEntry<TestPosition>, 3> kTestPositions{{
    {TestPosition::foreground, "foreground", "Foreground"},
    {TestPosition::background, "background", "Background"},
    {TestPosition::both, "both", "Both"},
}};

// The raw column holds the case name: the kind has no document word of its own.
constexpr std::array<EnumEntry<ProjectItemType>, 13> kProjectItemTypes{{
    {ProjectItemType::group, "group", "Group"},
    {ProjectItemType::color, "color", "Color"},
    {ProjectItemType::colorSet, "colorSet", "Color Set"},
    {ProjectItemType::colorAlias, "colorAlias", "Alias"},
    {ProjectItemType::number, "number", "Number"},
    {ProjectItemType::numberAlias, "numberAlias", "Alias"},
    {ProjectItemType::boolean, "boolean", "Boolean"},
    {ProjectItemType::booleanAlias, "booleanAlias", "Alias"},
    {ProjectItemType::string, "string", "String"},
    {ProjectItemType::stringAlias, "stringAlias", "Alias"},
    {ProjectItemType::shadow, "shadow", "Shadow"},
    {ProjectItemType::shadowSet, "shadowSet", "Shadow Set"},
    {ProjectItemType::shadowAlias, "shadowAlias", "Alias"},
}};

constexpr std::array<EnumEntry<AppContentMode>, 2> kAppContentModes{{
    {AppContentMode::grid, "group", "Grid"},
    {AppContentMode::table, "table", "Table"},
}};

constexpr std::array<EnumEntry<FilterType>, 6> kFilterTypes{{
    {FilterType::all, "all", "All"},
    {FilterType::colors, "colors", "Colors"},
    {FilterType::numbers, "numbers", "Numbers"},
    {FilterType::booleans, "booleans", "Booleans"},
    {FilterType::strings, "strings", "Strings"},
    {FilterType::shadows, "shadows", "Shadows"},
}};

}  // namespace

std::string_view rawValue(TestPosition position) {
  return enumEntry(kTestPositions, position).raw;
}
std::optional<TestPosition> testPositionFromRaw(std::string_view raw) {
  return enumFromRaw(kTestPositions, raw);
}
std::string_view displayName(TestPosition position) {
  return enumEntry(kTestPositions, position).display;
}

std::string_view displayName(ProjectItemType type) {
  return enumEntry(kProjectItemTypes, type).display;
}
std::string_view caseName(ProjectItemType type) {
  return enumEntry(kProjectItemTypes, type).raw;
}
std::optional<ProjectItemType> projectItemTypeFromCaseName(std::string_view name) {
  return enumFromRaw(kProjectItemTypes, name);
}

std::string_view rawValue(AppContentMode mode) {
  return enumEntry(kAppContentModes, mode).raw;
}
std::optional<AppContentMode> appContentModeFromRaw(std::string_view raw) {
  return enumFromRaw(kAppContentModes, raw);
}

std::string_view displayName(FilterType filter) {
  return enumEntry(kFilterTypes, filter).display;
}

}  // namespace tavlo
