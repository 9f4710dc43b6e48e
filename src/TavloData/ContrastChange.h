// Changing the contrast choice of a node and of everything beneath it, as
// the editor's contrast menu does for a selected group.
#pragma once

#include "TavloData/AppearanceType.h"
#include "TavloData/ProjectKinds.h"

namespace tavlo {

// Colour, ramp, shadow and colour/shadow alias kinds get the contrast as
// changeContrast(to:) sets it; numbers, booleans, texts and their aliases
// are left alone. Groups pass it on to every child (unfiltered).
void changeContrastForItemAndAllSubItems(MerrinColorProjectItem& item, DisplayableContrast to);

}  // namespace tavlo
