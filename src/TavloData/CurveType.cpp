#include "TavloData/CurveType.h"

#include <cmath>
#include <numbers>

#include "TavloData/EnumTable.h"

namespace tavlo {

namespace {

struct CurveRow : EnumEntry<CurveType> {
  CurveAmountRange range;
  double defaultValue;
  bool isAlterable;
  bool shouldDisplayDefault;
};

// One row per case, in raw order; the raw column holds the case name. The
// Lamé curve stops at 0.565: below that the exponent bends the curve so far
// that neighbouring steps coincide.
constexpr std::array<CurveRow, 5> kCurves{{
    {{CurveType::linear, "linear", "Linear"}, {1.0, 1.0}, 1.0, false, false},
    {{CurveType::cosine, "cosine", "Cosine"}, {0.0, 1.0}, 1.0, true, true},
    {{CurveType::hermite3, "hermite3", "Hermite 3"}, {0.0, 1.0}, 1.0, true, true},
    {{CurveType::hermite5, "hermite5", "Hermite 5"}, {0.0, 1.0}, 1.0, true, true},
    {{CurveType::lame, "lame", "Lam\u00e9"}, {0.565, 2.0}, 2.0, true, false},
}};

const CurveRow& row(CurveType curve) {
  return enumEntry(kCurves, curve);
}

}  // namespace

std::int64_t rawValue(CurveType curve) {
  return static_cast<std::int64_t>(curve);
}
std::optional<CurveType> curveTypeFromRaw(std::int64_t raw) {
  return enumFromCode(kCurves, raw);
}
std::int64_t documentCode(CurveType curve) {
  return rawValue(curve) + 1;
}
std::optional<CurveType> curveTypeFromCode(std::int64_t code) {
  return enumFromDocumentCode(kCurves, code);
}
std::string_view caseName(CurveType curve) {
  return row(curve).raw;
}
std::optional<CurveType> curveTypeFromCaseName(std::string_view name) {
  return enumFromRaw(kCurves, name);
}
std::string_view displayName(CurveType curve) {
  return row(curve).display;
}
CurveAmountRange range(CurveType curve) {
  return row(curve).range;
}
double defaultValue(CurveType curve) {
  return row(curve).defaultValue;
}
bool isAlterable(CurveType curve) {
  return row(curve).isAlterable;
}
bool shouldDisplayDefault(CurveType curve) {
  return row(curve).shouldDisplayDefault;
}

double alter(CurveType curve, double t, double amount) {
  switch (curve) {
    case CurveType::linear:
      return t;
    case CurveType::cosine: {
      double eased = 0.5 - 0.5 * std::cos(std::numbers::pi * t);
      return t + (eased - t) * amount;
    }
    case CurveType::hermite3: {
      double eased = t * t * (3.0 - 2.0 * t);
      return t + (eased - t) * amount;
    }
    case CurveType::hermite5: {
      double eased = t * t * t * (t * (6.0 * t - 15.0) + 10.0);
      return t + (eased - t) * amount;
    }
    case CurveType::lame:
      // A superellipse quadrant: the amount is the exponent, 2 a quarter circle.
      return 1.0 - std::pow(1.0 - std::pow(t, amount), 1.0 / amount);
  }
  return t;
}

}  // namespace tavlo
