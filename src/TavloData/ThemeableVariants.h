// The four appearance variants that every themeable value shares: a light
// variant that is always there and three optional ones. Display falls back to
// the light variant, never to the dark one.
//
// Most values of a document have only their light variant, so the three
// optional ones live in a block that is allocated when the first of them is
// set: a light-only colour then costs one pointer instead of three empty
// optional colours.
#pragma once

#include <array>
#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "TavloData/AppearanceType.h"
#include "TavloData/Observable.h"
#include "TavloData/UUID.h"

namespace tavlo {

template <class T>
class ThemeableVariants : public Observable {
 public:
  using Value = T;

  const T& lightVariant() const { return lightVariant_; }
  const std::optional<T>& lightVariantHighContrast() const { return optional(kLightHighContrast); }
  const std::optional<T>& darkVariant() const { return optional(kDark); }
  const std::optional<T>& darkVariantHighContrast() const { return optional(kDarkHighContrast); }

  void setLightVariant(T value) { setAndNotify(lightVariant_, std::move(value), "lightVariant"); }
  void setLightVariantHighContrast(std::optional<T> value) {
    setOptional(kLightHighContrast, std::move(value), "lightVariantHighContrast");
  }
  void setDarkVariant(std::optional<T> value) { setOptional(kDark, std::move(value), "darkVariant"); }
  void setDarkVariantHighContrast(std::optional<T> value) {
    setOptional(kDarkHighContrast, std::move(value), "darkVariantHighContrast");
  }

  // The requested variant, or the light variant when it is absent.
  const T& displayVariantFor(ColorSource source) const {
    const std::optional<T>* variant = optionalVariant(source);
    return variant && *variant ? **variant : lightVariant_;
  }

  // Exactly the stored variant.
  std::optional<T> variantFor(ColorSource source) const {
    const std::optional<T>* variant = optionalVariant(source);
    return variant ? *variant : std::optional<T>(lightVariant_);
  }

  // Stores one variant; the light variant is only replaced by a present value.
  void setVariant(ColorSource source, std::optional<T> value) {
    switch (source) {
      case ColorSource::light:
        if (value) setLightVariant(std::move(*value));
        break;
      case ColorSource::lightHighContrast:
        setLightVariantHighContrast(std::move(value));
        break;
      case ColorSource::dark:
        setDarkVariant(std::move(value));
        break;
      case ColorSource::darkHighContrast:
        setDarkVariantHighContrast(std::move(value));
        break;
    }
  }

 protected:
  explicit ThemeableVariants(T lightVariant, std::optional<T> darkVariant = std::nullopt,
                             std::optional<T> lightVariantHighContrast = std::nullopt,
                             std::optional<T> darkVariantHighContrast = std::nullopt)
      : lightVariant_(std::move(lightVariant)) {
    if (lightVariantHighContrast || darkVariant || darkVariantHighContrast)
      others_ = std::make_unique<Others>(Others{std::move(lightVariantHighContrast), std::move(darkVariant),
                                                std::move(darkVariantHighContrast)});
  }

  bool sameVariants(const ThemeableVariants& other) const {
    return lightVariant_ == other.lightVariant_ &&
           lightVariantHighContrast() == other.lightVariantHighContrast() &&
           darkVariant() == other.darkVariant() &&
           darkVariantHighContrast() == other.darkVariantHighContrast();
  }

 private:
  // Positions in the block of optional variants, in field order.
  static constexpr std::size_t kLightHighContrast = 0;
  static constexpr std::size_t kDark = 1;
  static constexpr std::size_t kDarkHighContrast = 2;
  using Others = std::array<std::optional<T>, 3>;

  const std::optional<T>& optional(std::size_t position) const {
    static const std::optional<T> absent;
    return others_ ? (*others_)[position] : absent;
  }

  void setOptional(std::size_t position, std::optional<T> value, std::string_view property) {
    if (!others_) {
      if (!value) return notifyChanged(property);
      others_ = std::make_unique<Others>();
    }
    setAndNotify((*others_)[position], std::move(value), property);
  }

  // Null for the light variant, which is not optional.
  const std::optional<T>* optionalVariant(ColorSource source) const {
    switch (source) {
      case ColorSource::lightHighContrast:
        return &optional(kLightHighContrast);
      case ColorSource::dark:
        return &optional(kDark);
      case ColorSource::darkHighContrast:
        return &optional(kDarkHighContrast);
      case ColorSource::light:
        break;
    }
    return nullptr;
  }

  T lightVariant_;
  std::unique_ptr<Others> others_;  // absent while every optional variant is
};

// A plain value (truth value, number, text) in up to four variants: nothing
// but the variants themselves.
template <class T>
class ThemeableValue : public ThemeableVariants<T> {
 public:
  explicit ThemeableValue(T lightVariant, std::optional<T> darkVariant = std::nullopt,
                          std::optional<T> lightVariantHighContrast = std::nullopt,
                          std::optional<T> darkVariantHighContrast = std::nullopt)
      : ThemeableVariants<T>(std::move(lightVariant), std::move(darkVariant),
                             std::move(lightVariantHighContrast), std::move(darkVariantHighContrast)) {}

  bool operator==(const ThemeableValue& other) const { return this->sameVariants(other); }
};

// A themeable value that is also the step of a ramp, and so carries a name
// and its own identifier.
template <class T>
class NamedThemeableVariants : public ThemeableVariants<T> {
 public:
  // Dark comes before light high contrast, as everywhere the model builds values.
  NamedThemeableVariants(std::string uuid, std::string name, T lightVariant,
                         std::optional<T> darkVariant = std::nullopt,
                         std::optional<T> lightVariantHighContrast = std::nullopt,
                         std::optional<T> darkVariantHighContrast = std::nullopt)
      : ThemeableVariants<T>(std::move(lightVariant), std::move(darkVariant),
                             std::move(lightVariantHighContrast), std::move(darkVariantHighContrast)),
        name_(std::move(name)),
        uuid_(std::move(uuid)) {}

  const std::string& name() const { return name_; }
  void setName(std::string name) { this->setAndNotify(name_, std::move(name), "name"); }
  // An empty uuid given to the constructor stands for a fresh one, made when
  // it is first read: values read from documents never store theirs, and
  // most are never asked for it.
  const std::string& uuid() const {
    if (uuid_.empty()) uuid_ = makeUUIDString();
    return uuid_;
  }
  const std::string& id() const { return uuid(); }

 protected:
  // A new value with the given identity and the four variants of `other`.
  template <class Derived>
  static std::shared_ptr<Derived> withVariantsOf(std::string uuid, std::string name, const Derived& other) {
    return std::make_shared<Derived>(std::move(uuid), std::move(name), other.lightVariant(),
                                     other.darkVariant(), other.lightVariantHighContrast(),
                                     other.darkVariantHighContrast());
  }

 private:
  std::string name_;
  mutable std::string uuid_;
};

}  // namespace tavlo
