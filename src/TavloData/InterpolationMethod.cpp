#include "TavloData/InterpolationMethod.h"

namespace tavlo {

namespace {

struct MethodRow {
  InterpolationMethod method;
  std::string_view caseName;
  std::string_view displayName;
};

// One row per case, in raw order.
constexpr std::array<MethodRow, 4> kMethods{{
    {InterpolationMethod::linear, "linear", "Linear"},
    {InterpolationMethod::linearLegacy, "linearLegacy", "Linear (Legacy)"},
    {InterpolationMethod::oklch, "oklch", "OKLCH"},
    {InterpolationMethod::oklab, "oklab", "OKLAB"},
}};

const MethodRow& row(InterpolationMethod method) {
  return kMethods[static_cast<std::size_t>(method)];
}

}  // namespace

std::int64_t rawValue(InterpolationMethod method) {
  return static_cast<std::int64_t>(method);
}

std::optional<InterpolationMethod> interpolationMethodFromRaw(std::int64_t raw) {
  if (raw < 0 || raw >= static_cast<std::int64_t>(kMethods.size())) return std::nullopt;
  return kMethods[static_cast<std::size_t>(raw)].method;
}

std::int64_t documentCode(InterpolationMethod method) {
  return rawValue(method) + 1;
}

std::optional<InterpolationMethod> interpolationMethodFromCode(std::int64_t code) {
  return interpolationMethodFromRaw(code - 1);
}

std::string_view caseName(InterpolationMethod method) {
  return row(method).caseName;
}

std::optional<InterpolationMethod> interpolationMethodFromCaseName(std::string_view name) {
  for (const auto& entry : kMethods)
    if (entry.caseName == name) return entry.method;
  return std::nullopt;
}

std::string_view displayName(InterpolationMethod method) {
  return row(method).displayName;
}

}  // namespace tavlo
