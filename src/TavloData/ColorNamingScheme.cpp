#include "TavloData/ColorNamingScheme.h"

namespace tavlo {

namespace {

struct SchemeRow {
  ColorNamingScheme scheme;
  std::string_view caseName;
  std::string_view displayName;
  std::int64_t multiplier;  // 0: names are not generated
};

constexpr std::array<SchemeRow, 4> kSchemes{{
    {ColorNamingScheme::smallNumeric, "smallNumeric", "1, 2, 3\u2026", 1},
    {ColorNamingScheme::largeNumeric, "largeNumeric", "100, 200, 300\u2026", 100},
    {ColorNamingScheme::manual, "manual", "Manual Naming", 0},
    {ColorNamingScheme::mediumNumeric, "mediumNumeric", "10, 20, 30\u2026", 10},
}};

const SchemeRow& row(ColorNamingScheme scheme) {
  return kSchemes[static_cast<std::size_t>(scheme)];
}

}  // namespace

std::int64_t rawValue(ColorNamingScheme scheme) {
  return static_cast<std::int64_t>(scheme);
}

std::optional<ColorNamingScheme> colorNamingSchemeFromRaw(std::int64_t raw) {
  if (raw < 0 || raw >= static_cast<std::int64_t>(kSchemes.size())) return std::nullopt;
  return kSchemes[static_cast<std::size_t>(raw)].scheme;
}

std::int64_t documentCode(ColorNamingScheme scheme) {
  return rawValue(scheme) + 1;
}

std::optional<ColorNamingScheme> colorNamingSchemeFromCode(std::int64_t code) {
  return colorNamingSchemeFromRaw(code - 1);
}

std::string_view caseName(ColorNamingScheme scheme) {
  return row(scheme).caseName;
}

std::optional<ColorNamingScheme> colorNamingSchemeFromCaseName(std::string_view name) {
  for (const auto& entry : kSchemes)
    if (entry.caseName == name) return entry.scheme;
  return std::nullopt;
}

std::string_view displayName(ColorNamingScheme scheme) {
  return row(scheme).displayName;
}

std::optional<std::string> entryName(ColorNamingScheme scheme, std::int64_t index) {
  std::int64_t multiplier = row(scheme).multiplier;
  if (multiplier == 0) return std::nullopt;
  return std::to_string((index + 1) * multiplier);
}

}  // namespace tavlo
