// A colour in up to four appearance variants. Also the step of a colour
// ramp, which is why it carries a name and its own identifier.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "MerrinColorUtils/platform/PlatformColor.h"
#include "TavloData/ThemeableVariants.h"

namespace tavlo {

class ThemeableColor : public ThemeableVariants<mcu::PlatformColor> {
 public:
  // Dark comes before light high contrast, as everywhere the model builds values.
  ThemeableColor(std::string uuid, std::string name, mcu::PlatformColor lightVariant,
                 std::optional<mcu::PlatformColor> darkVariant = std::nullopt,
                 std::optional<mcu::PlatformColor> lightVariantHighContrast = std::nullopt,
                 std::optional<mcu::PlatformColor> darkVariantHighContrast = std::nullopt);

  // A new value with the given identity and the four colours of `other`.
  static std::shared_ptr<ThemeableColor> takingColorsFrom(std::string uuid, std::string name,
                                                          const ThemeableColor& other);

  const std::string& name() const { return name_; }
  void setName(std::string name) { setAndNotify(name_, std::move(name), "name"); }
  // An empty uuid given to the constructor stands for a fresh one, made when
  // it is first read: values read from documents never store theirs, and
  // most are never asked for it.
  const std::string& uuid() const;
  const std::string& id() const { return uuid(); }

  // Same uuid, name and variants (a variant absent in both counts as equal).
  bool operator==(const ThemeableColor& other) const;

 private:
  std::string name_;
  mutable std::string uuid_;
};

}  // namespace tavlo
