#include "TavloData/ProjectItemTypeClassification.h"

#include <initializer_list>

namespace tavlo {

namespace {

bool isOneOf(ProjectItemType type, std::initializer_list<ProjectItemType> types) {
  for (ProjectItemType candidate : types)
    if (candidate == type) return true;
  return false;
}

using T = ProjectItemType;

}  // namespace

bool isColorRelated(ProjectItemType type) {
  return isOneOf(type, {T::group, T::color, T::colorSet, T::colorAlias});
}
bool isNumberRelated(ProjectItemType type) {
  return isOneOf(type, {T::group, T::number, T::numberAlias});
}
bool isBooleanRelated(ProjectItemType type) {
  return isOneOf(type, {T::group, T::boolean, T::booleanAlias});
}
bool isStringRelated(ProjectItemType type) {
  return isOneOf(type, {T::group, T::string, T::stringAlias});
}
bool isShadowRelated(ProjectItemType type) {
  return isOneOf(type, {T::group, T::shadow, T::shadowSet, T::shadowAlias});
}
bool supportsColorSpace(ProjectItemType type) {
  return isOneOf(type, {T::group, T::color, T::colorSet, T::shadow, T::shadowSet});
}
bool supportsTesting(ProjectItemType type) {
  return isOneOf(type, {T::group, T::color, T::colorSet, T::colorAlias});
}

}  // namespace tavlo
