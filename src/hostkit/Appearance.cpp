#include "hostkit/Appearance.h"

#include <algorithm>
#include <cmath>

namespace hostkit {

namespace {
struct AppearanceEntry {
  Appearance value;
  std::string_view raw;
};
constexpr AppearanceEntry appearanceTable[] = {{Appearance::dark, "dark"}, {Appearance::light, "light"}};

Appearance& appearanceSetting() {
  static Appearance appearance = Appearance::dark;
  return appearance;
}
}  // namespace

std::string_view rawValue(Appearance appearance) {
  for (const auto& e : appearanceTable)
    if (e.value == appearance) return e.raw;
  return {};
}

std::optional<Appearance> appearanceFromRaw(std::string_view raw) {
  for (const auto& e : appearanceTable)
    if (e.raw == raw) return e.value;
  return std::nullopt;
}

Appearance currentAppearance() {
  return appearanceSetting();
}
void setCurrentAppearance(Appearance appearance) {
  appearanceSetting() = appearance;
}

mcu::PlatformColor withOpacity(const mcu::PlatformColor& color, double opacity) {
  if (std::isnan(opacity)) opacity = 0;
  return color.colorWithAlphaComponent(color.alphaComponent() * std::clamp(opacity, 0.0, 1.0));
}

}  // namespace hostkit
