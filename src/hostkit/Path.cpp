#include "hostkit/Path.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace hostkit {

void Path::moveTo(Point p) {
  elements_.push_back({Verb::move, {p, {}, {}}});
  current_ = start_ = p;
  hasCurrent_ = true;
}

void Path::lineTo(Point p) {
  if (!hasCurrent_) return moveTo(p);
  elements_.push_back({Verb::line, {p, {}, {}}});
  current_ = p;
}

void Path::curveTo(Point control1, Point control2, Point end) {
  if (!hasCurrent_) moveTo(control1);
  elements_.push_back({Verb::cubic, {control1, control2, end}});
  current_ = end;
}

void Path::quadTo(Point control, Point end) {
  if (!hasCurrent_) moveTo(control);
  // Degree elevation: each cubic control point lies two thirds of the way
  // from an end point to the quadratic control point.
  const Point c1{current_.x + 2.0 / 3.0 * (control.x - current_.x),
                 current_.y + 2.0 / 3.0 * (control.y - current_.y)};
  const Point c2{end.x + 2.0 / 3.0 * (control.x - end.x), end.y + 2.0 / 3.0 * (control.y - end.y)};
  curveTo(c1, c2, end);
}

void Path::addArc(Point center, double radius, double startAngle, double endAngle) {
  const Point first{center.x + radius * std::cos(startAngle), center.y + radius * std::sin(startAngle)};
  if (hasCurrent_)
    lineTo(first);
  else
    moveTo(first);
  const double sweep = endAngle - startAngle;
  if (!std::isfinite(sweep) || sweep == 0) return;
  // Quarter turns or less per cubic keep the error under 0.03 % of the radius.
  const int segments =
      std::clamp(static_cast<int>(std::ceil(std::abs(sweep) / (std::numbers::pi / 2))), 1, 64);
  const double step = sweep / segments;
  // Control arm length of a cubic approximating a circular arc of angle `step`.
  const double k = 4.0 / 3.0 * std::tan(step / 4);
  double a = startAngle;
  for (int i = 0; i < segments; ++i) {
    const double b = a + step;
    const Point p0{center.x + radius * std::cos(a), center.y + radius * std::sin(a)};
    const Point p3{center.x + radius * std::cos(b), center.y + radius * std::sin(b)};
    const Point c1{p0.x - k * radius * std::sin(a), p0.y + k * radius * std::cos(a)};
    const Point c2{p3.x + k * radius * std::sin(b), p3.y - k * radius * std::cos(b)};
    curveTo(c1, c2, p3);
    a = b;
  }
}

void Path::closeSubpath() {
  if (!hasCurrent_) return;
  elements_.push_back({Verb::close, {}});
  current_ = start_;
}

void Path::addRect(const Rect& r) {
  moveTo({r.minX(), r.minY()});
  lineTo({r.maxX(), r.minY()});
  lineTo({r.maxX(), r.maxY()});
  lineTo({r.minX(), r.maxY()});
  closeSubpath();
}

void Path::addEllipse(const Rect& r) {
  // Circle arcs in the unit square, stretched into r.
  Path unit;
  unit.addArc({0.5, 0.5}, 0.5, 0, 2 * std::numbers::pi);
  unit.closeSubpath();
  const Path fitted = unit.fittedInto(r);
  for (const auto& e : fitted.elements()) elements_.push_back(e);
  start_ = current_ = {r.maxX(), r.midY()};
  hasCurrent_ = true;
}

void Path::addCircularRoundedRect(const Rect& r, double radius) {
  radius = std::clamp(radius, 0.0, std::min(r.width, r.height) / 2);
  if (!(radius > 0)) return addRect(r);
  const double pi = std::numbers::pi;
  moveTo({r.minX() + radius, r.minY()});
  addArc({r.maxX() - radius, r.minY() + radius}, radius, -pi / 2, 0);
  addArc({r.maxX() - radius, r.maxY() - radius}, radius, 0, pi / 2);
  addArc({r.minX() + radius, r.maxY() - radius}, radius, pi / 2, pi);
  addArc({r.minX() + radius, r.minY() + radius}, radius, pi, 3 * pi / 2);
  closeSubpath();
}

namespace {

// One continuous corner, as offsets in multiples of the radius: `along` is
// the distance from the corner back along the incoming edge, `across` the
// distance from it along the outgoing edge. Three cubics take the curvature
// from 0 on the straight edge up to a circle-like middle and back to 0,
// which is what makes the corner look smooth rather than stitched on. The
// curve is symmetric about the corner's diagonal.
struct CornerPoint {
  double along, across;
};
constexpr double cornerExtent = 1.52866483;
constexpr CornerPoint cornerCurve[] = {
    {1.08849323, 0.0},        {0.86840689, 0.0},        {0.66993427, 0.06549600},
    {0.31814305, 0.18337665}, {0.18337665, 0.31814305}, {0.06549600, 0.66993427},
    {0.0, 0.86840689},        {0.0, 1.08849323},        {0.0, cornerExtent},
};

}  // namespace

void Path::addContinuousRoundedRect(const Rect& r, double radius) {
  // The corner needs 1.53 radii of each edge; smaller rectangles get smaller corners.
  radius = std::clamp(radius, 0.0, std::min(r.width, r.height) / (2 * cornerExtent));
  if (!(radius > 0)) return addRect(r);
  struct Corner {
    Point at;
    Point incoming;  // unit vector from the corner back along the incoming edge
    Point outgoing;  // unit vector from the corner along the outgoing edge
  };
  // Clockwise on screen, starting on the top edge.
  const Corner corners[] = {
      {{r.maxX(), r.minY()}, {-1, 0}, {0, 1}},
      {{r.maxX(), r.maxY()}, {0, -1}, {-1, 0}},
      {{r.minX(), r.maxY()}, {1, 0}, {0, -1}},
      {{r.minX(), r.minY()}, {0, 1}, {1, 0}},
  };
  auto point = [&](const Corner& c, double along, double across) {
    return Point{c.at.x + radius * (along * c.incoming.x + across * c.outgoing.x),
                 c.at.y + radius * (along * c.incoming.y + across * c.outgoing.y)};
  };
  moveTo(point(corners[3], 0, cornerExtent));
  for (const Corner& c : corners) {
    lineTo(point(c, cornerExtent, 0));
    for (int i = 0; i < 9; i += 3)
      curveTo(point(c, cornerCurve[i].along, cornerCurve[i].across),
              point(c, cornerCurve[i + 1].along, cornerCurve[i + 1].across),
              point(c, cornerCurve[i + 2].along, cornerCurve[i + 2].across));
  }
  closeSubpath();
}

Path Path::transformed(double sx, double sy, double dx, double dy) const {
  Path out;
  out.fillRule = fillRule;
  auto map = [&](Point p) { return Point{p.x * sx + dx, p.y * sy + dy}; };
  for (const auto& e : elements_) {
    Element m = e;
    for (auto& p : m.points) p = map(p);
    out.elements_.push_back(m);
  }
  out.current_ = map(current_);
  out.start_ = map(start_);
  out.hasCurrent_ = hasCurrent_;
  return out;
}

Rect Path::controlBounds() const {
  if (elements_.empty()) return {};
  double x0 = HUGE_VAL, y0 = HUGE_VAL, x1 = -HUGE_VAL, y1 = -HUGE_VAL;
  for (const auto& e : elements_) {
    const int n = e.verb == Verb::cubic ? 3 : e.verb == Verb::close ? 0 : 1;
    for (int i = 0; i < n; ++i) {
      x0 = std::min(x0, e.points[i].x);
      y0 = std::min(y0, e.points[i].y);
      x1 = std::max(x1, e.points[i].x);
      y1 = std::max(y1, e.points[i].y);
    }
  }
  if (x0 > x1) return {};
  return {x0, y0, x1 - x0, y1 - y0};
}

}  // namespace hostkit
