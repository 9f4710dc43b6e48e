#include "TavloData/ColorNamingScheme.h"

#include "TavloData/EnumTable.h"

namespace tavlo {

namespace {

struct SchemeRow : EnumEntry<ColorNamingScheme> {
  std::int64_t multiplier;  // 0: names are not generated
};

// One row per case, in raw order; the raw column holds the case name.
constexpr std::array<SchemeRow, 4> kSchemes{{
    {{ColorNamingScheme::smallNumeric, "smallNumeric", "1, 2, 3\u2026"}, 1},
    {{ColorNamingScheme::largeNumeric, "largeNumeric", "100, 200, 300\u2026"}, 100},
    {{ColorNamingScheme::manual, "manual", "Manual Naming"}, 0},
    {{ColorNamingScheme::mediumNumeric, "mediumNumeric", "10, 20, 30\u2026"}, 10},
}};

}  // namespace

std::int64_t rawValue(ColorNamingScheme scheme) {
  return static_cast<std::int64_t>(scheme);
}
std::optional<ColorNamingScheme> colorNamingSchemeFromRaw(std::int64_t raw) {
  return enumFromCode(kSchemes, raw);
}
std::int64_t documentCode(ColorNamingScheme scheme) {
  return rawValue(scheme) + 1;
}
std::optional<ColorNamingScheme> colorNamingSchemeFromCode(std::int64_t code) {
  return enumFromDocumentCode(kSchemes, code);
}
std::string_view caseName(ColorNamingScheme scheme) {
  return enumEntry(kSchemes, scheme).raw;
}
std::optional<ColorNamingScheme> colorNamingSchemeFromCaseName(std::string_view name) {
  return enumFromRaw(kSchemes, name);
}
std::string_view displayName(ColorNamingScheme scheme) {
  return enumEntry(kSchemes, scheme).display;
}

std::optional<std::string> entryName(ColorNamingScheme scheme, std::int64_t index) {
  std::int64_t multiplier = enumEntry(kSchemes, scheme).multiplier;
  if (multiplier == 0) return std::nullopt;
  return std::to_string((index + 1) * multiplier);
}

}  // namespace tavlo
