// Value texts shared by the style-sheet languages (CSS, SCSS, LESS).
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "TavloData/BuildGroup.h"
#include "TavloExport/ExportJob.h"

namespace tavlo::exports {

struct StyleValue {
  std::string text;
  // Whether the notation clips the value's colour into sRGB.
  bool clipped = false;
};

// The value TOKEN shows under APPEARANCE: colours in the task's notation,
// numbers unitless, booleans true / false, strings quoted, shadows as
// box-shadow values ("0px 8px 8px 0px #0000004D"). With EXACT, a colour the
// notation clips is written exactly instead.
StyleValue styleValue(const ExportJob& job, const Token& token, ColorSource appearance, bool exact = false);

// A quoted CSS string: '"' and '\' escaped, control characters as hex escapes.
std::string cssString(std::string_view text);

// Reports each colour of the token that a notation had to clip.
void reportClipped(const ExportJob& job, const Token& token, std::string_view where,
                   Diagnostics& diagnostics);

}  // namespace tavlo::exports
