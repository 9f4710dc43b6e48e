#include "MerrinColorUtils/MCUColor.h"

#include <cmath>
#include <numbers>

namespace mcu {

namespace {

using std::numbers::pi;

double turnsFromDegrees(double degrees) {
  return (degrees < 0.0 ? degrees + 360.0 : degrees) / 360.0;
}

PlatformColor inExtendedLinearSRGB(const PlatformColor& color) {
  // Conversions into the linear working space cannot fail; the fallback
  // keeps the components should that ever change.
  return color.colorUsingColorSpace(PlatformColorSpace::extendedLinearSRGB()).value_or(color);
}

PlatformColor fromLinearSRGBToDisplayP3(const RawRGBValues& linear) {
  const PlatformColor color = PlatformColor::colorWithColorSpace(
      PlatformColorSpace::extendedLinearSRGB(), {linear.red, linear.green, linear.blue, linear.alpha});
  return color.colorUsingColorSpace(PlatformColorSpace::displayP3()).value_or(color);
}

}  // namespace

MCUColor::MCUColor() : rgbValues_(RawRGBValues(1.0, 1.0, 1.0, 1.0)) {}

MCUColor MCUColor::sRGBWhite() {
  return MCUColor();
}

MCUColor MCUColor::sRGBBlack() {
  return MCUColor(RawRGBValues(0.0, 0.0, 0.0, 1.0), ColorSpace::sRGB);
}

MCUColor::MCUColor(const RawRGBValues& rgbValues, ColorSpace colorSpace)
    : colorSpace_(colorSpace), rgbValues_(rgbValues) {}

MCUColor::MCUColor(const RawLABValues& labValues) : colorSpace_(ColorSpace::oklab), labValues_(labValues) {}

MCUColor::MCUColor(const RawLCHValues& lchValues) : colorSpace_(ColorSpace::oklch), lchValues_(lchValues) {}

MCUColor::MCUColor(const PlatformColor& nsColor, ColorSpace desiredColorSpace)
    : colorSpace_(desiredColorSpace) {
  switch (desiredColorSpace) {
    case ColorSpace::sRGB:
    case ColorSpace::sRGBExtended:
    case ColorSpace::displayP3:
      rgbValues_ =
          RawRGBValues(nsColor.colorUsingColorSpace(toNSColorSpace(desiredColorSpace)).value_or(nsColor));
      break;
    case ColorSpace::oklab: {
      const PlatformColor linear = inExtendedLinearSRGB(nsColor);
      labValues_ = RawLABValues::fromLinearSRGB(linear.redComponent(), linear.greenComponent(),
                                                linear.blueComponent(), linear.alphaComponent());
      break;
    }
    case ColorSpace::oklch: {
      const PlatformColor linear = inExtendedLinearSRGB(nsColor);
      lchValues_ = RawLCHValues::linearsRGBToOKLCH(linear.redComponent(), linear.greenComponent(),
                                                   linear.blueComponent(), linear.alphaComponent());
      break;
    }
  }
}

std::optional<std::array<double, 4>> MCUColor::matchingRecord() const {
  if (isRGB(colorSpace_)) {
    if (!rgbValues_) return std::nullopt;
    return rgbValues_->components();
  }
  if (colorSpace_ == ColorSpace::oklab) {
    if (!labValues_) return std::nullopt;
    return std::array<double, 4>{labValues_->l, labValues_->a, labValues_->b, labValues_->alpha};
  }
  if (!lchValues_) return std::nullopt;
  return std::array<double, 4>{lchValues_->lightness, lchValues_->chroma, lchValues_->hue, lchValues_->alpha};
}

PlatformColor MCUColor::asNSColor() const {
  if (isRGB(colorSpace_)) {
    if (!rgbValues_) return PlatformColor::sRGBClear();
    const RawRGBValues& v = *rgbValues_;
    return PlatformColor::colorWithColorSpace(toNSColorSpace(colorSpace_), {v.red, v.green, v.blue, v.alpha});
  }
  if (colorSpace_ == ColorSpace::oklab) {
    if (!labValues_) return PlatformColor::sRGBClear();
    return fromLinearSRGBToDisplayP3(labValues_->toLinearSRGB());
  }
  if (!lchValues_) return PlatformColor::sRGBClear();
  return fromLinearSRGBToDisplayP3(lchValues_->toLinearSRGB());
}

double MCUColor::alpha() const {
  const auto record = matchingRecord();
  return record ? (*record)[3] : 0.0;
}

double MCUColor::hue() const {
  if (!matchingRecord()) return 0.0;
  switch (colorSpace_) {
    case ColorSpace::oklab:
      return turnsFromDegrees(std::atan2(labValues_->b, labValues_->a) * 180.0 / pi);
    case ColorSpace::oklch:
      return turnsFromDegrees(lchValues_->hue * 180.0 / pi);
    default:
      return asNSColor().hueComponent();
  }
}

double MCUColor::saturation() const {
  return asNSColor().saturationComponent();
}

double MCUColor::brightness() const {
  return asNSColor().brightnessComponent();
}

MCUColor MCUColor::withAlpha(double alpha) const {
  MCUColor result = *this;
  if (!matchingRecord()) return result;
  if (isRGB(colorSpace_)) {
    result.rgbValues_->alpha = alpha;
  } else if (colorSpace_ == ColorSpace::oklab) {
    result.labValues_->alpha = alpha;
  } else {
    result.lchValues_->alpha = alpha;
  }
  return result;
}

MCUColor MCUColor::withHue(double h) const {
  if (!matchingRecord()) return *this;
  if (colorSpace_ == ColorSpace::oklab) {
    RawLABValues lab(labValues_->l, 0.0, 0.0, alpha());
    lab.updateFromHue(h);
    return MCUColor(lab);
  }
  if (colorSpace_ == ColorSpace::oklch) {
    return MCUColor(RawLCHValues(lchValues_->lightness, lchValues_->chroma, h * 360.0 * pi / 180.0, alpha()));
  }
  const PlatformColor color = asNSColor();
  const PlatformColor rotated =
      PlatformColor::colorWithHue(color.colorSpace(), h, color.saturationComponent(),
                                  color.brightnessComponent(), color.alphaComponent());
  return MCUColor(RawRGBValues(rotated), colorSpace_);
}

std::optional<MCUColor> MCUColor::usingColorSpace(ColorSpace target) const {
  if (target == colorSpace_) return *this;
  const PlatformColor color = asNSColor();
  if (isRGB(target)) {
    const auto converted = color.colorUsingColorSpace(toNSColorSpace(target));
    if (!converted) return std::nullopt;
    return MCUColor(RawRGBValues(*converted), target);
  }
  const auto linear = color.colorUsingColorSpace(PlatformColorSpace::extendedLinearSRGB());
  if (!linear) return std::nullopt;
  if (target == ColorSpace::oklch) {
    return MCUColor(RawLCHValues::linearsRGBToOKLCH(linear->redComponent(), linear->greenComponent(),
                                                    linear->blueComponent(), linear->alphaComponent()));
  }
  return MCUColor(RawLABValues::fromLinearSRGB(linear->redComponent(), linear->greenComponent(),
                                               linear->blueComponent(), linear->alphaComponent()));
}

bool operator==(const MCUColor& lhs, const MCUColor& rhs) {
  if (lhs.colorSpace_ != rhs.colorSpace_) return false;
  const auto a = lhs.matchingRecord();
  const auto b = rhs.matchingRecord();
  return a && b && *a == *b;
}

bool MCUColor::isEffectivelyEqual(const MCUColor& other, double precision) const {
  if (colorSpace_ != other.colorSpace_) return false;
  const auto a = matchingRecord();
  const auto b = other.matchingRecord();
  if (!a || !b) return false;
  for (std::size_t i = 0; i < 4; ++i) {
    if (!(std::fabs((*a)[i] - (*b)[i]) < precision)) return false;
  }
  return true;
}

}  // namespace mcu
