#pragma once

#include <vector>

#include "hostkit/Geometry.h"

namespace hostkit {

enum class FillRule { nonZero, evenOdd };

// A vector outline: subpaths of lines and cubic curves, in points.
class Path {
 public:
  enum class Verb { move, line, cubic, close };
  struct Element {
    Verb verb;
    // move/line: points[0]; cubic: control 1, control 2, end point.
    Point points[3];
  };

  void moveTo(Point p);
  void lineTo(Point p);
  void curveTo(Point control1, Point control2, Point end);
  // A quadratic curve, stored as the equivalent cubic.
  void quadTo(Point control, Point end);
  // An arc of a circle from `startAngle` to `endAngle` (radians, clockwise on
  // screen when `endAngle` > `startAngle`), joined to the current point by a line.
  void addArc(Point center, double radius, double startAngle, double endAngle);
  void closeSubpath();

  void addRect(const Rect& r);
  void addEllipse(const Rect& r);
  // A rounded rectangle whose corners are plain quarter circles.
  void addCircularRoundedRect(const Rect& r, double radius);
  // A rounded rectangle with continuous corners: the curvature grows smoothly
  // from the straight edge into the corner (a superellipse-like corner), so
  // the corner starts about 1.53 × radius from the rectangle's corner.
  void addContinuousRoundedRect(const Rect& r, double radius);

  // Maps every point p to (p.x × sx + dx, p.y × sy + dy).
  Path transformed(double sx, double sy, double dx, double dy) const;
  // The path drawn in the unit square, fitted into `r`.
  Path fittedInto(const Rect& r) const { return transformed(r.width, r.height, r.x, r.y); }

  const std::vector<Element>& elements() const { return elements_; }
  bool isEmpty() const { return elements_.empty(); }
  FillRule fillRule = FillRule::nonZero;

  // The bounds of every point, control points included.
  Rect controlBounds() const;

 private:
  std::vector<Element> elements_;
  Point current_{};
  Point start_{};
  bool hasCurrent_ = false;
};

}  // namespace hostkit
