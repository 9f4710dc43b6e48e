#include "hostkit/ResourceCatalog.h"

namespace hostkit {

void ResourceCatalog::registerColor(std::string name, const mcu::PlatformColor& dark,
                                    const mcu::PlatformColor& light) {
  colors_[std::move(name)] = NamedColor{dark, light};
}

void ResourceCatalog::registerImage(std::string name, ImageMaker maker) {
  std::erase_if(imageCache_, [&](const auto& entry) { return entry.first.first == name; });
  images_[std::move(name)] = std::move(maker);
}

bool ResourceCatalog::hasColor(std::string_view name) const {
  return colors_.find(name) != colors_.end();
}
bool ResourceCatalog::hasImage(std::string_view name) const {
  return images_.find(name) != images_.end();
}

std::optional<mcu::PlatformColor> ResourceCatalog::findColor(std::string_view name,
                                                             Appearance appearance) const {
  auto it = colors_.find(name);
  if (it == colors_.end()) return std::nullopt;
  return appearance == Appearance::dark ? it->second.dark : it->second.light;
}

mcu::PlatformColor ResourceCatalog::color(std::string_view name, Appearance appearance) const {
  if (auto c = findColor(name, appearance)) return *c;
  return mcu::PlatformColor::colorWithSRGBRed(1, 0, 1, 1);
}

mcu::PlatformColor ResourceCatalog::color(std::string_view name) const {
  return color(name, currentAppearance());
}

std::shared_ptr<const ImageResource> ResourceCatalog::findImage(std::string_view name,
                                                                Appearance appearance) const {
  auto it = images_.find(name);
  if (it == images_.end()) return nullptr;
  const auto key = std::make_pair(std::string(name), appearance);
  auto cached = imageCache_.find(key);
  if (cached != imageCache_.end()) return cached->second;
  auto made = std::make_shared<const ImageResource>(it->second(appearance));
  imageCache_.emplace(key, made);
  return made;
}

Image ResourceCatalog::image(std::string_view name) const {
  auto resource = findImage(name, currentAppearance());
  if (!resource) resource = std::make_shared<const ImageResource>(ImageResource{std::string(name), {}, {}});
  return Image(resource);
}

}  // namespace hostkit
