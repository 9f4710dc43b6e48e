// The role a node plays in the contrast test group it is linked to.
#pragma once

#include <array>
#include <optional>
#include <string_view>

namespace tavlo {

enum class TestPosition { foreground, background, both };

inline constexpr std::array<TestPosition, 3> allTestPositions{TestPosition::foreground,
                                                              TestPosition::background, TestPosition::both};

// "foreground", "background", "both": the words the document stores.
std::string_view rawValue(TestPosition position);
// Exact, case-sensitive; any other text is absent.
std::optional<TestPosition> testPositionFromRaw(std::string_view raw);
std::string_view displayName(TestPosition position);

}  // namespace tavlo
