// What a contrast test requires of each pair it measures.
#pragma once

#include "TavloData/TestGroup.h"

namespace tavlo::contrast {

struct ContrastRequirement {
  TestTaskType method = TestTaskType::wcagContrastTest;
  // A WCAG ratio (4.5 for 4.5:1) or an APCA |Lc|.
  double required = 4.5;
};

// With no threshold type or `luminosity`: the test's threshold (WCAG reads a
// threshold above 21 as tenths, so 45 is 4.5:1; 4.5 when absent; APCA 60 when
// absent). With `textSize`: the requirement for the test's font size (16 px
// when absent) and weight (400 when absent); the threshold is not read.
ContrastRequirement requirementFor(const TestTask& test);

// At least the requirement, as measured: 4.499 does not meet 4.5. APCA
// compares the magnitude, so light text on dark passes as dark text on light.
bool meetsRequirement(const ContrastRequirement& requirement, double value);

}  // namespace tavlo::contrast
