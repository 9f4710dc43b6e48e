// Fresh identifiers for nodes, values, groups and tasks.
#pragma once

#include <string>

namespace tavlo {

// A random (version 4) UUID in canonical upper-case form,
// "XXXXXXXX-XXXX-4XXX-YXXX-XXXXXXXXXXXX" (36 characters).
std::string makeUUIDString();

}  // namespace tavlo
