// Who takes part in a test group: the colours linked to it and their roles.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "TavloData/MerrinColorProject.h"
#include "TavloData/TestGroup.h"
#include "TavloData/TestPosition.h"
#include "TavloData/ThemeableColor.h"

namespace tavlo::contrast {

struct ContrastMember {
  // The node's name; a ramp entry is "Ramp/Entry".
  std::string name;
  TestPosition role = TestPosition::both;
  // All four variants; display falls back to the light one.
  std::shared_ptr<const ThemeableColor> color;
};

// The colour-bearing nodes linked to `group` (nodes beneath a linked group
// node take that node's role), in document order: colours, colour aliases
// whose light reference resolves (their resolved colour) and every entry of a
// colour ramp. A node reached twice counts once.
std::vector<ContrastMember> membersOfTestGroup(const MerrinColorProject& project, const TestGroup& group);

}  // namespace tavlo::contrast
