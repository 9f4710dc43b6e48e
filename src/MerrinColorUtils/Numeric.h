#pragma once

#include "MerrinColorUtils/ColorSpace.h"

namespace mcu {

// value rounded half away from zero to `places` decimal places.
double roundTo(double value, int places);
// value rounded half away from zero to a multiple of 1 / scaleFactor.
double rounded(double value, double scaleFactor);
// value + (other - value) × amount; the amount is not clamped.
double mix(double value, double other, double amount);
// True when value has no fractional part (fmod(value, 1) == 0).
bool isInteger(double value);
// The range rule of the working space: sRGB and Display P3 clamp to 0..1,
// extended sRGB to -2..2, OKLab and OKLCH leave the value alone. NaN clamps to
// the lower bound.
double clamp(double value, ColorSpace space);

}  // namespace mcu
