#include "MerrinColorUtils/Numeric.h"

#include <cmath>

namespace mcu {

double roundTo(double value, int places) {
  // Powers of ten up to 10^22 are exact doubles; colour texts round every component.
  static constexpr double kPowers[] = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9, 1e10, 1e11};
  const double p = places >= 0 && places < 12 ? kPowers[places] : std::pow(10.0, places);
  // std::round rounds halves away from zero, which is how colour components are shown.
  return std::round(value * p) / p;
}

double rounded(double value, double scaleFactor) {
  return std::round(value * scaleFactor) / scaleFactor;
}

double mix(double value, double other, double amount) {
  return value + (other - value) * amount;
}

bool isInteger(double value) {
  return std::fmod(value, 1.0) == 0.0;
}

double clamp(double value, ColorSpace space) {
  return clampIfRequired(space, value);
}

}  // namespace mcu
