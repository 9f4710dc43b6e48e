#include "MerrinColorUtils/Numeric.h"

#include <cmath>

namespace mcu {

double roundTo(double value, int places) {
  const double p = std::pow(10.0, places);
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
