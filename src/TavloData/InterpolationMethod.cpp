#include "TavloData/InterpolationMethod.h"

#include "TavloData/EnumTable.h"

namespace tavlo {

namespace {

// One row per case, in raw order; the raw column holds the case name.
constexpr std::array<EnumEntry<InterpolationMethod>, 4> kMethods{{
    {InterpolationMethod::linear, "linear", "Linear"},
    {InterpolationMethod::linearLegacy, "linearLegacy", "Linear (Legacy)"},
    {InterpolationMethod::oklch, "oklch", "OKLCH"},
    {InterpolationMethod::oklab, "oklab", "OKLAB"},
}};

}  // namespace

std::int64_t rawValue(InterpolationMethod method) {
  return static_cast<std::int64_t>(method);
}
std::optional<InterpolationMethod> interpolationMethodFromRaw(std::int64_t raw) {
  return enumFromCode(kMethods, raw);
}
std::int64_t documentCode(InterpolationMethod method) {
  return rawValue(method) + 1;
}
std::optional<InterpolationMethod> interpolationMethodFromCode(std::int64_t code) {
  return enumFromDocumentCode(kMethods, code);
}
std::string_view caseName(InterpolationMethod method) {
  return enumEntry(kMethods, method).raw;
}
std::optional<InterpolationMethod> interpolationMethodFromCaseName(std::string_view name) {
  return enumFromRaw(kMethods, name);
}
std::string_view displayName(InterpolationMethod method) {
  return enumEntry(kMethods, method).display;
}

}  // namespace tavlo
