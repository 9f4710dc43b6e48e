// Which filters and editors a node kind belongs to. Groups belong to every
// filter, since anything may sit beneath them.
#pragma once

#include "TavloData/ProjectItemType.h"

namespace tavlo {

bool isColorRelated(ProjectItemType type);
bool isNumberRelated(ProjectItemType type);
bool isBooleanRelated(ProjectItemType type);
bool isStringRelated(ProjectItemType type);
bool isShadowRelated(ProjectItemType type);
bool supportsColorSpace(ProjectItemType type);
bool supportsTesting(ProjectItemType type);

}  // namespace tavlo
