// A shadow in up to four appearance variants. Also the step of a shadow
// ramp, hence the name and identifier. Variants are shared ShadowDetails
// objects; an absent variant is an empty optional, never a null pointer.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "TavloData/ShadowDetails.h"
#include "TavloData/ThemeableVariants.h"

namespace tavlo {

using ShadowDetailsRef = std::shared_ptr<ShadowDetails>;

class ThemeableShadow : public ThemeableVariants<ShadowDetailsRef> {
 public:
  ThemeableShadow(std::string uuid, std::string name, ShadowDetailsRef lightVariant,
                  std::optional<ShadowDetailsRef> darkVariant = std::nullopt,
                  std::optional<ShadowDetailsRef> lightVariantHighContrast = std::nullopt,
                  std::optional<ShadowDetailsRef> darkVariantHighContrast = std::nullopt);

  // A new value with the given identity sharing the four ShadowDetails of `other`.
  static std::shared_ptr<ThemeableShadow> takingValuesFrom(std::string uuid, std::string name,
                                                           const ThemeableShadow& other);

  const std::string& name() const { return name_; }
  void setName(std::string name) { setAndNotify(name_, std::move(name), "name"); }
  // An empty uuid given to the constructor stands for a fresh one, made when
  // it is first read: values read from documents never store theirs, and
  // most are never asked for it.
  const std::string& uuid() const;
  const std::string& id() const { return uuid(); }

 private:
  std::string name_;
  mutable std::string uuid_;
};

}  // namespace tavlo
