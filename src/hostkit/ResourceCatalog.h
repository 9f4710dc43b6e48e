#pragma once

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "MerrinColorUtils/platform/PlatformColor.h"
#include "hostkit/Appearance.h"
#include "hostkit/View.h"

namespace hostkit {

// Named colours and pictures, each with a dark and a light look. One
// catalogue per bundle: the interface toolkit has its own, the preview
// extension another.
class ResourceCatalog {
 public:
  explicit ResourceCatalog(std::string bundleName) : bundleName_(std::move(bundleName)) {}

  const std::string& bundleName() const { return bundleName_; }

  void registerColor(std::string name, const mcu::PlatformColor& dark, const mcu::PlatformColor& light);
  // A picture drawn on demand for an appearance.
  using ImageMaker = std::function<ImageResource(Appearance)>;
  void registerImage(std::string name, ImageMaker maker);

  bool hasColor(std::string_view name) const;
  bool hasImage(std::string_view name) const;

  std::optional<mcu::PlatformColor> findColor(std::string_view name, Appearance appearance) const;
  // The colour for the current appearance. An unknown name is a programming
  // error; it draws as opaque magenta so that it shows.
  mcu::PlatformColor color(std::string_view name) const;
  mcu::PlatformColor color(std::string_view name, Appearance appearance) const;

  std::shared_ptr<const ImageResource> findImage(std::string_view name, Appearance appearance) const;
  // The picture for the current appearance, as an image view; an unknown
  // name gives an empty picture.
  Image image(std::string_view name) const;

 private:
  struct NamedColor {
    mcu::PlatformColor dark, light;
  };
  std::string bundleName_;
  std::map<std::string, NamedColor, std::less<>> colors_;
  std::map<std::string, ImageMaker, std::less<>> images_;
  mutable std::map<std::pair<std::string, Appearance>, std::shared_ptr<const ImageResource>, std::less<>>
      imageCache_;
};

}  // namespace hostkit
