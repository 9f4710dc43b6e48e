#include "MerrinColorUtils/ColorOperations.h"

#include <cmath>

namespace mcu {

namespace {

bool isOneOf(const PlatformColor& color, std::initializer_list<PlatformColorSpace> spaces) {
  for (const PlatformColorSpace& space : spaces) {
    if (color.colorSpace() == space) return true;
  }
  return false;
}

double clampFraction(double fraction) {
  if (!(fraction > 0.0)) return 0.0;
  return fraction > 1.0 ? 1.0 : fraction;
}

bool anyOutsideUnit(double v) {
  return v < 0.0 || v > 1.0;
}

// RGB components made in `space`. Spaces without red, green and blue receive
// the colour made in extended sRGB and converted.
PlatformColor makeRGB(const PlatformColorSpace& space, double r, double g, double b, double alpha) {
  if (space.colorSpaceModel() == ColorSpaceModel::rgb)
    return PlatformColor::colorWithColorSpace(space, {r, g, b, alpha});
  const PlatformColor color =
      PlatformColor::colorWithColorSpace(PlatformColorSpace::extendedSRGB(), {r, g, b, alpha});
  return color.colorUsingColorSpace(space).value_or(color);
}

// Values above the middle move towards 1.15, the rest (0.5 included) towards
// -0.15, so that a full increase overshoots the gamut on purpose.
double contrastStep(double v, double amount) {
  return (1.0 - amount) * v + (v > 0.5 ? 1.15 * amount : -0.15 * amount);
}

}  // namespace

bool isInRGBColorSpace(const PlatformColor& color) {
  return isOneOf(color, {PlatformColorSpace::adobeRGB1998(), PlatformColorSpace::deviceRGB(),
                         PlatformColorSpace::displayP3(), PlatformColorSpace::extendedSRGB(),
                         PlatformColorSpace::genericRGB(), PlatformColorSpace::sRGB()});
}

bool isInWhiteColorSpace(const PlatformColor& color) {
  return isOneOf(color, {PlatformColorSpace::deviceGray(), PlatformColorSpace::extendedGenericGamma22Gray(),
                         PlatformColorSpace::genericGamma22Gray(), PlatformColorSpace::genericGray()});
}

bool isInCMYKColorSpace(const PlatformColor& color) {
  return isOneOf(color, {PlatformColorSpace::deviceCMYK(), PlatformColorSpace::genericCMYK()});
}

std::optional<PlatformColor> toSRGBColorSpace(const PlatformColor& color) {
  return color.colorUsingColorSpace(PlatformColorSpace::sRGB());
}

std::optional<PlatformColor> toExtendedSRGBColorSpace(const PlatformColor& color) {
  return color.colorUsingColorSpace(PlatformColorSpace::extendedSRGB());
}

std::array<double, 4> rgbaComponentValues(const PlatformColor& color) {
  return {color.redComponent(), color.greenComponent(), color.blueComponent(), color.alphaComponent()};
}

std::array<double, 4> argbComponentValues(const PlatformColor& color) {
  return {color.alphaComponent(), color.redComponent(), color.greenComponent(), color.blueComponent()};
}

std::array<double, 4> hsbComponentValues(const PlatformColor& color) {
  return {color.hueComponent(), color.saturationComponent(), color.brightnessComponent(),
          color.alphaComponent()};
}

std::array<double, 5> cmykComponentValues(const PlatformColor& color) {
  return {color.cyanComponent(), color.magentaComponent(), color.yellowComponent(), color.blackComponent(),
          color.alphaComponent()};
}

PlatformColor withHue(const PlatformColor& color, double hue) {
  return PlatformColor::colorWithHue(color.colorSpace(), hue, color.saturationComponent(),
                                     color.brightnessComponent(), color.alphaComponent());
}

PlatformColor withSaturation(const PlatformColor& color, double saturation) {
  return PlatformColor::colorWithHue(color.colorSpace(), color.hueComponent(), saturation,
                                     color.brightnessComponent(), color.alphaComponent());
}

PlatformColor withBrightness(const PlatformColor& color, double brightness) {
  return PlatformColor::colorWithHue(color.colorSpace(), color.hueComponent(), color.saturationComponent(),
                                     brightness, color.alphaComponent());
}

RawLABValues linearsRGBToOKLAB(const PlatformColor& color) {
  return RawLABValues::fromLinearSRGB(color.redComponent(), color.greenComponent(), color.blueComponent(),
                                      color.alphaComponent());
}

RawLCHValues linearSRGBtoOKLCH(const PlatformColor& color) {
  return RawLCHValues::linearsRGBToOKLCH(color.redComponent(), color.greenComponent(), color.blueComponent(),
                                         color.alphaComponent());
}

bool isWideColor(const PlatformColor& color) {
  const PlatformColorSpace& space = color.colorSpace();
  if (space == PlatformColorSpace::displayP3()) return true;
  if (space == PlatformColorSpace::sRGB() || space == PlatformColorSpace::extendedSRGB()) {
    return anyOutsideUnit(color.blueComponent()) || anyOutsideUnit(color.redComponent()) ||
           anyOutsideUnit(color.greenComponent());
  }
  return false;
}

bool wouldClipInSRGB(const PlatformColor& color) {
  const PlatformColorSpace& space = color.colorSpace();
  if (space == PlatformColorSpace::displayP3()) {
    const auto extended = toExtendedSRGBColorSpace(color);
    return extended && isWideColor(*extended);
  }
  if (space == PlatformColorSpace::extendedSRGB()) return isWideColor(color);
  return false;
}

double luminance(const PlatformColor& color) {
  // Display P3 and the other RGB spaces are read as they are: the weights are
  // applied to gamma-encoded components, which is what the tiles' choice of
  // text colour was tuned on.
  std::optional<PlatformColor> rgb =
      isInRGBColorSpace(color) ? std::optional(color) : toSRGBColorSpace(color);
  if (!rgb) return 0.0;
  return 0.2126 * rgb->redComponent() + 0.7152 * rgb->greenComponent() + 0.0722 * rgb->blueComponent();
}

PlatformColor increaseContrast(const PlatformColor& color, double amount) {
  const PlatformColorSpace& space = color.colorSpace();
  switch (space.colorSpaceModel()) {
    case ColorSpaceModel::rgb:
      return PlatformColor::colorWithColorSpace(
          space, {contrastStep(color.redComponent(), amount), contrastStep(color.greenComponent(), amount),
                  contrastStep(color.blueComponent(), amount), color.alphaComponent()});
    case ColorSpaceModel::grey:
      return PlatformColor::colorWithColorSpace(
          space, {contrastStep(color.whiteComponent(), amount), color.alphaComponent()});
    case ColorSpaceModel::cmyk:
      break;
  }
  const auto rgb = toExtendedSRGBColorSpace(color);
  if (!rgb) return color;
  return makeRGB(space, contrastStep(rgb->redComponent(), amount),
                 contrastStep(rgb->greenComponent(), amount), contrastStep(rgb->blueComponent(), amount),
                 color.alphaComponent());
}

PlatformColor increaseContrastLCH(const PlatformColor& color, double amount) {
  const auto linear = color.colorUsingColorSpace(PlatformColorSpace::extendedLinearSRGB());
  if (!linear) return color;
  RawLCHValues lch = linearSRGBtoOKLCH(*linear);
  lch.lightness = (1.0 - amount) * lch.lightness + (lch.lightness > 0.5 ? 1.15 : -0.15) * amount;
  const RawRGBValues back = lch.toLinearSRGB();
  const PlatformColor result = PlatformColor::colorWithColorSpace(
      PlatformColorSpace::extendedLinearSRGB(), {back.red, back.green, back.blue, back.alpha});
  return result.colorUsingColorSpace(color.colorSpace()).value_or(color);
}

std::optional<PlatformColor> lerpColor(const PlatformColor& color, const PlatformColor& other,
                                       double fraction, bool convertColorSpaceIfNeeded) {
  const double t = clampFraction(fraction);
  std::optional<PlatformColor> from = color;
  std::optional<PlatformColor> to = other;
  if (convertColorSpaceIfNeeded) {
    if (!isInRGBColorSpace(color)) from = toExtendedSRGBColorSpace(color);
    if (!isInRGBColorSpace(other)) to = toExtendedSRGBColorSpace(other);
    if (!from || !to) return std::nullopt;
  }
  auto step = [t](double a, double b) { return a + t * (b - a); };
  const double r = step(from->redComponent(), to->redComponent());
  const double g = step(from->greenComponent(), to->greenComponent());
  const double b = step(from->blueComponent(), to->blueComponent());
  const double a = step(from->alphaComponent(), to->alphaComponent());
  const PlatformColorSpace& space = color.colorSpace();
  // The components were read as they are stored, so they belong to the
  // receiver's space; only a receiver without RGB components (grey, CMYK)
  // needs its result converted back from the extended sRGB it was read in.
  if (space.colorSpaceModel() == ColorSpaceModel::rgb &&
      (space == from->colorSpace() || !convertColorSpaceIfNeeded)) {
    return PlatformColor::colorWithColorSpace(space, {r, g, b, a});
  }
  const PlatformColor made = PlatformColor::colorWithColorSpace(
      from->colorSpace().colorSpaceModel() == ColorSpaceModel::rgb ? from->colorSpace()
                                                                   : PlatformColorSpace::extendedSRGB(),
      {r, g, b, a});
  return made.colorUsingColorSpace(space);
}

PlatformColor compositedColor(const PlatformColor& color, const PlatformColor& background) {
  const double alpha = color.alphaComponent();
  if (alpha == 1.0) return color;
  return lerpColor(color.colorWithAlphaComponent(1.0), background, 1.0 - alpha, true).value_or(color);
}

bool isEffectivelyEqual(const PlatformColor& color, const PlatformColor& other, double precision) {
  if (!isInRGBColorSpace(color) || !isInRGBColorSpace(other)) return false;
  if (color.colorSpace() != other.colorSpace()) return false;
  return std::fabs(color.redComponent() - other.redComponent()) < precision &&
         std::fabs(color.greenComponent() - other.greenComponent()) < precision &&
         std::fabs(color.blueComponent() - other.blueComponent()) < precision &&
         std::fabs(color.alphaComponent() - other.alphaComponent()) < precision;
}

}  // namespace mcu
