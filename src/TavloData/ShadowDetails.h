// One drop shadow: offsets, blur and spread in points, and its colour.
// Mutable and shared: a shadow item and the aliases that resolve to it hold
// the same object.
#pragma once

#include <memory>
#include <string>

#include "MerrinColorUtils/platform/PlatformColor.h"
#include "TavloData/Observable.h"

namespace tavlo {

class ShadowDetails : public Observable {
 public:
  // 0, 8, 8, 0 and black at 30 % opacity: the shadow a new item starts with.
  ShadowDetails();
  ShadowDetails(double xOffset, double yOffset, double blur, double spread, mcu::PlatformColor color);

  // All numbers 0 and a clear sRGB colour.
  static std::shared_ptr<ShadowDetails> noShadow();

  double xOffset() const { return xOffset_; }
  double yOffset() const { return yOffset_; }
  double blur() const { return blur_; }
  double spread() const { return spread_; }
  const mcu::PlatformColor& color() const { return color_; }

  void setXOffset(double value) { setAndNotify(xOffset_, value, "xOffset"); }
  void setYOffset(double value) { setAndNotify(yOffset_, value, "yOffset"); }
  void setBlur(double value) { setAndNotify(blur_, value, "blur"); }
  void setSpread(double value) { setAndNotify(spread_, value, "spread"); }
  void setColor(mcu::PlatformColor value) { setAndNotify(color_, std::move(value), "color"); }

  std::shared_ptr<ShadowDetails> clone() const;
  // The same geometry with the colour's OKLCH contrast raised by `amount`.
  std::shared_ptr<ShadowDetails> increaseContrastLCH(double amount) const;

  // "X: 0, Y: 8, Blur: 8, Spread: 0" in the user's number format.
  std::string stringValuesSummary() const;

  bool operator==(const ShadowDetails& other) const;

 private:
  double xOffset_;
  double yOffset_;
  double blur_;
  double spread_;
  mcu::PlatformColor color_;
};

}  // namespace tavlo
