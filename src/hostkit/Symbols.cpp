#include "hostkit/Symbols.h"

#include <map>
#include <mutex>

namespace hostkit {

namespace {

// A filled circle with a right-turning arrow cut out of it: the arrow's
// shaft rises from the lower left and its head points right.
Path turnUpRightCircle() {
  Path p;
  p.fillRule = FillRule::evenOdd;
  p.addEllipse({0, 0, 1, 1});
  p.moveTo({0.54, 0.22});
  p.lineTo({0.79, 0.43});
  p.lineTo({0.54, 0.64});
  p.lineTo({0.54, 0.51});
  p.curveTo({0.42, 0.51}, {0.35, 0.57}, {0.33, 0.75});
  p.lineTo({0.23, 0.75});
  p.curveTo({0.23, 0.50}, {0.36, 0.36}, {0.54, 0.36});
  p.closeSubpath();
  return p;
}

Path filledCircle() {
  Path p;
  p.addEllipse({0, 0, 1, 1});
  return p;
}

// The stand-in for a symbol the set does not have: a square outline with a
// smaller square inside, so that a missing symbol still shows.
Path placeholder() {
  Path p;
  p.fillRule = FillRule::evenOdd;
  p.addRect({0.1, 0.1, 0.8, 0.8});
  p.addRect({0.2, 0.2, 0.6, 0.6});
  return p;
}

struct Registry {
  std::mutex mutex;
  std::map<std::string, Path, std::less<>> symbols{
      {"arrowshape.turn.up.right.circle.fill", turnUpRightCircle()},
      {"circle.fill", filledCircle()},
      {"questionmark.square.dashed", placeholder()},
  };
};

Registry& registry() {
  static Registry r;
  return r;
}

}  // namespace

std::optional<Path> symbolPath(std::string_view name) {
  auto& r = registry();
  std::lock_guard lock(r.mutex);
  auto it = r.symbols.find(name);
  if (it == r.symbols.end()) return std::nullopt;
  return it->second;
}

Path symbolPathOrPlaceholder(std::string_view name) {
  if (auto p = symbolPath(name)) return *p;
  return placeholder();
}

void registerSymbol(std::string name, Path unitPath) {
  auto& r = registry();
  std::lock_guard lock(r.mutex);
  r.symbols[std::move(name)] = std::move(unitPath);
}

}  // namespace hostkit
