// The two contrast measures, on colours as a screen shows them: WCAG 2
// relative luminance and contrast ratio, and the APCA-W3 0.0.98G-4g lightness
// contrast Lc.
#pragma once

#include "MerrinColorUtils/platform/PlatformColor.h"

namespace tavlo::contrast {

// A colour as the measures read it: gamma-encoded extended sRGB components
// (any real value, so a Display P3 or extended colour keeps what sRGB cannot
// hold) and an alpha in 0..1.
struct MeasuredColor {
  double red = 0;
  double green = 0;
  double blue = 0;
  double alpha = 1;
};

// The colour in extended sRGB, converted through extended linear sRGB and
// never clipped. A component that is not a finite number reads as 0; alpha is
// kept within 0..1 (1 when it is not a number).
MeasuredColor measuredColor(const mcu::PlatformColor& color);

// `top` laid over `below` the way screens blend, on the gamma-encoded
// components: top × alpha + below × (1 − alpha). The result takes below's
// alpha, so laying anything over an opaque colour gives an opaque colour.
MeasuredColor composite(const MeasuredColor& top, const MeasuredColor& below);

// Every luminance below is kept within 0..kMaxLuminance: no visible colour has
// a negative one, and the cap keeps numbers from hostile documents finite.
inline constexpr double kMaxLuminance = 1e6;

// WCAG 2 relative luminance: 0.2126 R + 0.7152 G + 0.0722 B on the linear
// components (the sRGB transfer curve, applied to |v| with the sign kept).
double wcagLuminance(const MeasuredColor& color);
// (lighter + 0.05) / (darker + 0.05): 1 to 21 for colours within sRGB.
double wcagContrastRatio(double luminanceA, double luminanceB);

// APCA's estimate of screen luminance: the components through a plain 2.4
// power (sign kept) with coefficients 0.2126729, 0.7151522, 0.0721750.
double apcaLuminance(const MeasuredColor& color);
// Lightness contrast of text on a background, from their APCA luminances:
// positive for dark text on a light background, negative the other way, 0
// below the low clip.
double apcaContrast(double textLuminance, double backgroundLuminance);

// The powers of one APCA luminance that the contrast uses, computed once for
// a colour that is measured against many others. apcaContrast of two
// luminances is apcaContrast of their terms, to the last bit.
struct ApcaTerms {
  double clamped = 0;  // the luminance with near-black lifted
  double asNormalBackground = 0;
  double asNormalText = 0;
  double asReverseBackground = 0;
  double asReverseText = 0;
};
ApcaTerms apcaTerms(double luminance);
double apcaContrast(const ApcaTerms& text, const ApcaTerms& background);

}  // namespace tavlo::contrast
