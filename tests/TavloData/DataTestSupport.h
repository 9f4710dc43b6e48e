// What the document model's tests share: the model's headers, and small
// helpers for building and reading projects.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
#include <map>
#include <memory>
#include <numbers>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "MerrinColorUtils/ColorOperations.h"
#include "MerrinColorUtils/RawValues.h"
#include "TavloData/AppearanceType.h"
#include "TavloData/BuildGroup.h"
#include "TavloData/ColorHelper.h"
#include "TavloData/ColorInterpolator.h"
#include "TavloData/ContrastChange.h"
#include "TavloData/CurveType.h"
#include "TavloData/DocumentSetting.h"
#include "TavloData/ExportHelper.h"
#include "TavloData/GroupElementReader.h"
#include "TavloData/ItemElementReaders.h"
#include "TavloData/ItemUuidIndex.h"
#include "TavloData/MerrinColorAlias.h"
#include "TavloData/MerrinColorBoolean.h"
#include "TavloData/MerrinColorBooleanAlias.h"
#include "TavloData/MerrinColorFileReader.h"
#include "TavloData/MerrinColorFileWriter.h"
#include "TavloData/MerrinColorGroup.h"
#include "TavloData/MerrinColorItem.h"
#include "TavloData/MerrinColorNumber.h"
#include "TavloData/MerrinColorNumberAlias.h"
#include "TavloData/MerrinColorProject.h"
#include "TavloData/MerrinColorProjectItem.h"
#include "TavloData/MerrinColorProjectStatistics.h"
#include "TavloData/MerrinColorReaderHelper.h"
#include "TavloData/MerrinColorSet.h"
#include "TavloData/MerrinColorShadow.h"
#include "TavloData/MerrinColorShadowAlias.h"
#include "TavloData/MerrinColorShadowSet.h"
#include "TavloData/MerrinColorSpace.h"
#include "TavloData/MerrinColorString.h"
#include "TavloData/MerrinColorStringAlias.h"
#include "TavloData/NumberFormatting.h"
#include "TavloData/ProjectGroupLinks.h"
#include "TavloData/ProjectItemTypeClassification.h"
#include "TavloData/ShadowDetails.h"
#include "TavloData/TestGroup.h"
#include "TavloData/TextCasing.h"
#include "TavloData/TextSearch.h"
#include "TavloData/ThemeableBoolean.h"
#include "TavloData/ThemeableColor.h"
#include "TavloData/ThemeableNumber.h"
#include "TavloData/ThemeableString.h"
#include "TavloData/UUID.h"
#include "xmltree/XML.h"

namespace tavlo::testsupport {

using Names = std::vector<std::string>;

inline std::string readFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// The names (or identifiers) of nodes, ramp entries or anything else named.
inline std::vector<std::string> names(const auto& list) {
  std::vector<std::string> result;
  for (const auto& named : list) result.push_back(named->name());
  return result;
}

inline std::vector<std::string> uuids(const auto& list) {
  std::vector<std::string> result;
  for (const auto& named : list) result.push_back(named->uuid());
  return result;
}

inline mcu::PlatformColor grey(double white) {
  return mcu::PlatformColor::colorWithSRGBRed(white, white, white, 1);
}

// A document whose `colorItems` holds `items`, after the project's `more` children.
inline std::string documentWith(const std::string& items, const std::string& more = "") {
  return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<tavlo><project>" + more + "<colorItems>" + items +
         "</colorItems></project></tavlo>";
}

inline std::shared_ptr<MerrinColorProject> readItems(const std::string& items, const std::string& more = "") {
  return MerrinColorFileReader().parse(documentWith(items, more));
}

}  // namespace tavlo::testsupport
