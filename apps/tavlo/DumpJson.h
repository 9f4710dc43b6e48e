// The project as JSON for `tavlo dump` (format: docs/dump-format.md).
#pragma once

#include <nlohmann/json.hpp>

#include "TavloData/MerrinColorProject.h"
#include "TavloData/MerrinColorProjectItem.h"

namespace tavlo::cli {

nlohmann::ordered_json projectToJson(const MerrinColorProject& project);
// One node with its kind's fields and, for groups, its children.
nlohmann::ordered_json itemToJson(const MerrinColorProjectItem& item);

}  // namespace tavlo::cli
