// What a contrast test requires of each pair it measures.
#pragma once

#include <string>

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

// A measured value as people read it: "4.49:1" or "Lc 47.72". Cut, never
// rounded, to two decimals: the value shown is never more than the value
// measured, so a failing 4.499 reads 4.49, not 4.50.
std::string shownValue(const ContrastRequirement& requirement, double value);
// What the test requires, as people read it: "4.5:1" or "Lc 60".
std::string shownRequirement(const ContrastRequirement& requirement);

}  // namespace tavlo::contrast
