// The tag of a project node: which of its kind fields is present.
#pragma once

#include <array>
#include <optional>
#include <string_view>

namespace tavlo {

enum class ProjectItemType {
  group,
  color,
  colorSet,
  colorAlias,
  number,
  numberAlias,
  boolean,
  booleanAlias,
  string,
  stringAlias,
  shadow,
  shadowSet,
  shadowAlias,
};

inline constexpr std::array<ProjectItemType, 13> allProjectItemTypes{
    ProjectItemType::group,       ProjectItemType::color,        ProjectItemType::colorSet,
    ProjectItemType::colorAlias,  ProjectItemType::number,       ProjectItemType::numberAlias,
    ProjectItemType::boolean,     ProjectItemType::booleanAlias, ProjectItemType::string,
    ProjectItemType::stringAlias, ProjectItemType::shadow,       ProjectItemType::shadowSet,
    ProjectItemType::shadowAlias};

// What the preview shows for the kind: "Group", "Color Set", "Alias", ...
std::string_view displayName(ProjectItemType type);
// The case's own name ("colorSet"), for tools that print the tree.
std::string_view caseName(ProjectItemType type);
std::optional<ProjectItemType> projectItemTypeFromCaseName(std::string_view name);

}  // namespace tavlo
