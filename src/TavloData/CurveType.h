// Easing curves that reshape the fraction between two ramp anchors before
// the colours are mixed, so a ramp can bunch its steps towards either end.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace tavlo {

enum class CurveType {
  linear,
  cosine,
  hermite3,
  hermite5,
  lame,
};

inline constexpr std::array<CurveType, 5> allCurveTypes{
    CurveType::linear, CurveType::cosine, CurveType::hermite3, CurveType::hermite5, CurveType::lame};

// The closed range of amounts a curve accepts.
struct CurveAmountRange {
  double lowerBound;
  double upperBound;
  bool contains(double amount) const { return amount >= lowerBound && amount <= upperBound; }
};

std::int64_t rawValue(CurveType curve);
std::optional<CurveType> curveTypeFromRaw(std::int64_t raw);
// The document stores the raw value plus one (1 ... 5).
std::int64_t documentCode(CurveType curve);
std::optional<CurveType> curveTypeFromCode(std::int64_t code);
std::string_view caseName(CurveType curve);
std::optional<CurveType> curveTypeFromCaseName(std::string_view name);
std::string_view displayName(CurveType curve);

// The amounts an editor may offer for the curve. For cosine and the Hermite
// curves the amount blends between the straight line (0) and the full curve
// (1); for the Lamé curve it is the exponent.
CurveAmountRange range(CurveType curve);
double defaultValue(CurveType curve);
// False for the straight line, whose amount means nothing.
bool isAlterable(CurveType curve);
// Whether an editor shows the default amount as a labelled position.
bool shouldDisplayDefault(CurveType curve);

// The curve applied to a fraction t in [0, 1].
double alter(CurveType curve, double fraction, double amount);

}  // namespace tavlo
