// Items as plain text, as they are put on the clipboard: one line per
// appearance variant, "Name (dark): value", colours in the notation asked for.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "MerrinColorUtils/ColorFormat.h"
#include "MerrinColorUtils/platform/PlatformColor.h"
#include "TavloData/ProjectKinds.h"

namespace tavlo {

class ShadowDetails;

// The value texts of one themeable value, one per variant it has.
struct VariantTexts {
  std::string light;
  std::optional<std::string> dark;
  std::optional<std::string> lightHighContrast;
  std::optional<std::string> darkHighContrast;
};

class ExportHelper {
 public:
  ExportHelper() = delete;

  // The texts of the nodes, separated by line feeds. Each node is named by
  // its name unless it is the only node passed; groups contribute nothing.
  static std::string exportString(const MerrinColorProjectItemList& forItems, mcu::ColorFormat format);

  // One node's text; absent for a node that exports nothing (a group). Ramps
  // (and aliases of whole ramps) give the lines of each member in turn, named
  // "<name> <member name>". Aliases export what they resolve to.
  static std::optional<std::string> exportString(const MerrinColorProjectItem& item,
                                                 std::optional<std::string_view> name,
                                                 mcu::ColorFormat format);

  // The layout every value shares: light, dark, light high contrast, dark
  // high contrast, one line each. Light has no label when it is the only
  // variant; light high contrast is "high contrast" when there is no dark
  // variant. A line is "name (label): value", "(label): value", "name: value"
  // or the bare value.
  static std::string exportLines(std::optional<std::string_view> name, const VariantTexts& texts);

  // A colour in FORMAT, expressed in the colour's own space (4 decimal places;
  // Display P3 values marked "p3: " where the notation takes the marker).
  static std::string colorText(const mcu::PlatformColor& color, mcu::ColorFormat format);
  // "X: 0, Y: 8, Blur: 8, Spread: 0, Color: #000000" (numbers in the user's format).
  static std::string shadowText(const ShadowDetails& shadow, mcu::ColorFormat format);
};

}  // namespace tavlo
