// The kind object of a text node.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "TavloData/AppearanceSettable.h"
#include "TavloData/NameSearchable.h"
#include "TavloData/Observable.h"
#include "TavloData/ThemeableString.h"

namespace tavlo {

class MerrinColorString : public Observable, public AppearanceSettable, public NameSearchable {
 public:
  MerrinColorString(std::shared_ptr<ThemeableString> value, AppearanceType appearanceType,
                    double autoContrastAmount = 0);

  const std::shared_ptr<ThemeableString>& value() const { return value_; }
  void setValue(std::shared_ptr<ThemeableString> value);

  AppearanceType appearanceType() const override { return appearanceType_; }
  void setAppearanceType(AppearanceType type) override;
  double autoContrastAmount() const { return autoContrastAmount_; }
  void setAutoContrastAmount(double amount) {
    setAndNotify(autoContrastAmount_, amount, "autoContrastAmount");
  }

  // Light: the text, or the empty text when absent. Other sources: exactly the optional.
  void changeValue(std::optional<std::string> value, ColorSource source);

 private:
  std::shared_ptr<ThemeableString> value_;
  AppearanceType appearanceType_;
  double autoContrastAmount_;
};

}  // namespace tavlo
