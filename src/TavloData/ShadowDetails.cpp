#include "TavloData/ShadowDetails.h"

#include "MerrinColorUtils/ColorOperations.h"
#include "TavloData/NumberFormatting.h"

namespace tavlo {

ShadowDetails::ShadowDetails()
    : ShadowDetails(0, 8, 8, 0, mcu::PlatformColor::colorWithSRGBRed(0, 0, 0, 0.3)) {}

ShadowDetails::ShadowDetails(double xOffset, double yOffset, double blur, double spread,
                             mcu::PlatformColor color)
    : xOffset_(xOffset), yOffset_(yOffset), blur_(blur), spread_(spread), color_(std::move(color)) {}

std::shared_ptr<ShadowDetails> ShadowDetails::noShadow() {
  return std::make_shared<ShadowDetails>(0, 0, 0, 0, mcu::PlatformColor::sRGBClear());
}

std::shared_ptr<ShadowDetails> ShadowDetails::clone() const {
  return std::make_shared<ShadowDetails>(xOffset_, yOffset_, blur_, spread_, color_);
}

std::shared_ptr<ShadowDetails> ShadowDetails::increaseContrastLCH(double amount) const {
  return std::make_shared<ShadowDetails>(xOffset_, yOffset_, blur_, spread_,
                                         mcu::increaseContrastLCH(color_, amount));
}

std::string ShadowDetails::stringValuesSummary() const {
  return "X: " + formattedNumber(xOffset_) + ", Y: " + formattedNumber(yOffset_) +
         ", Blur: " + formattedNumber(blur_) + ", Spread: " + formattedNumber(spread_);
}

bool ShadowDetails::operator==(const ShadowDetails& other) const {
  return xOffset_ == other.xOffset_ && yOffset_ == other.yOffset_ && blur_ == other.blur_ &&
         spread_ == other.spread_ && color_ == other.color_;
}

}  // namespace tavlo
