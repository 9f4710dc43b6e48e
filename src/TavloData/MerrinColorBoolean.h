// The kind object of a boolean node.
#pragma once

#include <memory>
#include <optional>

#include "TavloData/AppearanceSettable.h"
#include "TavloData/NameSearchable.h"
#include "TavloData/Observable.h"
#include "TavloData/ThemeableBoolean.h"

namespace tavlo {

class MerrinColorBoolean : public Observable, public AppearanceSettable, public NameSearchable {
 public:
  MerrinColorBoolean(std::shared_ptr<ThemeableBoolean> value, AppearanceType appearanceType,
                     double autoContrastAmount = 0);

  const std::shared_ptr<ThemeableBoolean>& value() const { return value_; }
  void setValue(std::shared_ptr<ThemeableBoolean> value);

  AppearanceType appearanceType() const override { return appearanceType_; }
  void setAppearanceType(AppearanceType type) override;
  double autoContrastAmount() const { return autoContrastAmount_; }
  void setAutoContrastAmount(double amount) {
    setAndNotify(autoContrastAmount_, amount, "autoContrastAmount");
  }

  // Light: the value, or false when absent. Other sources: exactly the optional.
  void changeValue(std::optional<bool> value, ColorSource source);

 private:
  std::shared_ptr<ThemeableBoolean> value_;
  AppearanceType appearanceType_;
  double autoContrastAmount_;
};

}  // namespace tavlo
