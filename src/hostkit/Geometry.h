#pragma once

#include <algorithm>
#include <cmath>
#include <optional>

namespace hostkit {

// Geometry in points. At scale 1 one point is one pixel of the output.

struct Point {
  double x = 0;
  double y = 0;
  friend bool operator==(const Point&, const Point&) = default;
};

struct Size {
  double width = 0;
  double height = 0;
  friend bool operator==(const Size&, const Size&) = default;
};

struct Rect {
  double x = 0;
  double y = 0;
  double width = 0;
  double height = 0;

  double minX() const { return x; }
  double minY() const { return y; }
  double maxX() const { return x + width; }
  double maxY() const { return y + height; }
  double midX() const { return x + width / 2; }
  double midY() const { return y + height / 2; }
  Size size() const { return {width, height}; }
  bool isEmpty() const { return !(width > 0) || !(height > 0); }
  // Shrinks (or, with negative amounts, grows) the rectangle on every side.
  Rect insetBy(double dx, double dy) const { return {x + dx, y + dy, width - 2 * dx, height - 2 * dy}; }
  Rect offsetBy(double dx, double dy) const { return {x + dx, y + dy, width, height}; }
  bool intersects(const Rect& o) const {
    return x < o.maxX() && o.x < maxX() && y < o.maxY() && o.y < maxY();
  }
  friend bool operator==(const Rect&, const Rect&) = default;
};

// Insets in the reading direction's terms; the toolkit only lays out left to right.
struct EdgeInsets {
  double top = 0;
  double leading = 0;
  double bottom = 0;
  double trailing = 0;

  static constexpr EdgeInsets all(double v) { return {v, v, v, v}; }
  friend bool operator==(const EdgeInsets&, const EdgeInsets&) = default;
};

// What a parent offers a child while sizing it. An absent dimension asks for
// the child's ideal size in that direction; infinity asks for its largest.
struct ProposedSize {
  std::optional<double> width;
  std::optional<double> height;

  static ProposedSize unspecified() { return {}; }
  static ProposedSize infinity() { return {HUGE_VAL, HUGE_VAL}; }
  friend bool operator==(const ProposedSize&, const ProposedSize&) = default;
};

enum class HorizontalAlignment { leading, center, trailing };
enum class VerticalAlignment { top, center, bottom };

struct Alignment {
  HorizontalAlignment horizontal = HorizontalAlignment::center;
  VerticalAlignment vertical = VerticalAlignment::center;

  static constexpr Alignment center() { return {}; }
  static constexpr Alignment leading() { return {HorizontalAlignment::leading, VerticalAlignment::center}; }
  static constexpr Alignment trailing() { return {HorizontalAlignment::trailing, VerticalAlignment::center}; }
  static constexpr Alignment top() { return {HorizontalAlignment::center, VerticalAlignment::top}; }
  static constexpr Alignment bottom() { return {HorizontalAlignment::center, VerticalAlignment::bottom}; }
  static constexpr Alignment topLeading() { return {HorizontalAlignment::leading, VerticalAlignment::top}; }
  static constexpr Alignment topTrailing() { return {HorizontalAlignment::trailing, VerticalAlignment::top}; }
  static constexpr Alignment bottomLeading() {
    return {HorizontalAlignment::leading, VerticalAlignment::bottom};
  }
  static constexpr Alignment bottomTrailing() {
    return {HorizontalAlignment::trailing, VerticalAlignment::bottom};
  }
  friend bool operator==(const Alignment&, const Alignment&) = default;
};

// The largest coordinate or length the toolkit works with. Documents are
// hostile: every number from them is brought into this range (and NaN to 0)
// before it can reach layout or drawing.
inline constexpr double maxCoordinate = 1.0e9;

inline double sanitized(double v, double lo = -maxCoordinate, double hi = maxCoordinate) {
  if (std::isnan(v)) return std::clamp(0.0, lo, hi);
  return std::clamp(v, lo, hi);
}

}  // namespace hostkit
