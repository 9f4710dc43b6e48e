// What the kind objects of number, boolean and text nodes share: one
// themeable value with its appearance type and automatic-contrast amount.
// These kinds have no automatic high contrast, so an automatic type leaves
// the variants alone.
#pragma once

#include <memory>
#include <optional>
#include <utility>

#include "TavloData/AppearanceAdjustment.h"
#include "TavloData/AppearanceSettable.h"
#include "TavloData/NameSearchable.h"
#include "TavloData/Observable.h"

namespace tavlo {

template <class Themeable>
class ValueItemKind : public Observable, public AppearanceSettable, public NameSearchable {
 public:
  using Value = typename Themeable::Value;

  ValueItemKind(std::shared_ptr<Themeable> value, AppearanceType appearanceType,
                double autoContrastAmount = 0)
      : value_(std::move(value)), appearanceType_(appearanceType), autoContrastAmount_(autoContrastAmount) {}

  const std::shared_ptr<Themeable>& value() const { return value_; }
  void setValue(std::shared_ptr<Themeable> value) { setAndNotify(value_, std::move(value), "value"); }

  AppearanceType appearanceType() const override { return appearanceType_; }
  void setAppearanceType(AppearanceType type) override {
    if (type == appearanceType_) return;
    setAndNotify(appearanceType_, type, "appearanceType");
    adjustVariantsForAppearance(*value_, type, sameValue);
  }
  double autoContrastAmount() const { return autoContrastAmount_; }
  void setAutoContrastAmount(double amount) {
    setAndNotify(autoContrastAmount_, amount, "autoContrastAmount");
  }

  // Light: the value, or the kind's zero value (false, 0, the empty text)
  // when absent. Other sources: exactly the optional.
  void changeValue(std::optional<Value> value, ColorSource source) {
    if (source == ColorSource::light)
      value_->setLightVariant(value ? std::move(*value) : Value{});
    else
      value_->setVariant(source, std::move(value));
  }

 private:
  std::shared_ptr<Themeable> value_;
  AppearanceType appearanceType_;
  double autoContrastAmount_;
};

}  // namespace tavlo
