// The test groups' sections of the preview: under each group's name, a card
// listing the pairs that fail its contrast tests, or that all of them pass.
#pragma once

#include <cstddef>
#include <vector>

#include "TavloContrast/ContrastEvaluation.h"
#include "TavloPreviewer/ItemGridSection.h"

namespace tavlo::previewer {

// A card lists at most this many failing results, then how many more there are,
// so that a document with thousands of failing pairs keeps its preview short.
inline constexpr std::size_t maxContrastRows = 20;
// Every line of the card is this high (points).
inline constexpr double contrastRowHeight = 18;
// What a card says when none of the group's pairs fails, and when the group
// has no pair to measure (no tests, or not a foreground and a background).
inline constexpr std::string_view allPairsPassMessage = "All pairs pass";
inline constexpr std::string_view noPairsMessage = "No pairs to test";

// The card of one evaluated group: for each test with failures its name, its
// method and what it requires, then each failing pair (both colours, the
// appearance, the value measured and the value required).
SectionPanel contrastPanel(const contrast::GroupEvaluation& group);

// Appends one section per test group of `project`, in document order.
void appendContrastSections(const MerrinColorProject& project, std::vector<ItemGridSection>& into);

}  // namespace tavlo::previewer
