#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "hostkit/Path.h"
#include "hostkit/Shape.h"

using namespace hostkit;

namespace {

Point cubicAt(Point p0, const Path::Element& e, double t) {
  const double u = 1 - t;
  const double a = u * u * u, b = 3 * u * u * t, c = 3 * u * t * t, d = t * t * t;
  return {a * p0.x + b * e.points[0].x + c * e.points[1].x + d * e.points[2].x,
          a * p0.y + b * e.points[0].y + c * e.points[1].y + d * e.points[2].y};
}

// Every point on the path's curves and line ends, sampled.
std::vector<Point> samples(const Path& path) {
  std::vector<Point> out;
  Point current{};
  for (const auto& e : path.elements()) {
    if (e.verb == Path::Verb::cubic) {
      for (double t = 0; t <= 1.0; t += 0.125) out.push_back(cubicAt(current, e, t));
      current = e.points[2];
    } else if (e.verb != Path::Verb::close) {
      current = e.points[0];
      out.push_back(current);
    }
  }
  return out;
}

}  // namespace

TEST(Path, ArcsStayOnTheirCircle) {
  for (double sweep : {0.3, std::numbers::pi / 2, std::numbers::pi, 2 * std::numbers::pi, -1.0}) {
    Path p;
    p.addArc({10, 20}, 5, 0.25, 0.25 + sweep);
    for (const Point& q : samples(p)) EXPECT_NEAR(std::hypot(q.x - 10, q.y - 20), 5, 0.005) << sweep;
  }
}

TEST(Path, ContinuousCornerGeometry) {
  const Rect r{10, 20, 200, 100};
  Path p;
  p.addContinuousRoundedRect(r, 10);
  // Curves lie inside their control points, so inside the rectangle.
  EXPECT_EQ(p.controlBounds(), r);
  // The top edge is straight from 1.53 radii after the left edge.
  bool straightStart = false;
  for (const auto& e : p.elements())
    if (e.verb == Path::Verb::line && std::abs(e.points[0].x - (r.maxX() - 15.2866483)) < 1e-6 &&
        e.points[0].y == r.y)
      straightStart = true;
  EXPECT_TRUE(straightStart);
  // The corner passes close to, but inside, where a circular corner would.
  double closest = HUGE_VAL;
  for (const Point& q : samples(p)) closest = std::min(closest, std::hypot(q.x - r.x, q.y - r.y));
  const double circular = std::hypot(10, 10) - 10;
  EXPECT_GT(closest, circular * 0.8);
  EXPECT_LT(closest, circular * 1.2);
}

TEST(Path, RadiiShrinkToFitSmallRectangles) {
  struct Case {
    Shape shape;
    Rect rect;
  };
  const Case cases[] = {
      {Shape::roundedRectangle(50, RoundedCornerStyle::continuous), {0, 0, 20, 10}},
      {Shape::roundedRectangle(50, RoundedCornerStyle::circular), {0, 0, 20, 10}},
      {Shape::capsule(), {0, 0, 30, 10}},
      {Shape::roundedRectangle(8).inset(3), {0, 0, 40, 40}},
  };
  for (const auto& c : cases) {
    const Rect bounds = c.shape.path(c.rect).controlBounds();
    const Rect expected = c.rect.insetBy(c.shape.insetAmount(), c.shape.insetAmount());
    EXPECT_NEAR(bounds.x, expected.x, 1e-9);
    EXPECT_NEAR(bounds.maxX(), expected.maxX(), 1e-9);
    EXPECT_NEAR(bounds.maxY(), expected.maxY(), 1e-9);
  }
  // An inset larger than the rectangle leaves nothing to draw.
  EXPECT_TRUE(Shape::rectangle().inset(30).path({0, 0, 40, 40}).isEmpty());
}

TEST(Path, QuadraticsBecomeEquivalentCubics) {
  Path p;
  p.moveTo({0, 0});
  p.quadTo({10, 20}, {20, 0});
  ASSERT_EQ(p.elements().size(), 2u);
  // A quadratic's midpoint is (p0 + 2c + p2) / 4.
  const Point mid = cubicAt({0, 0}, p.elements()[1], 0.5);
  EXPECT_NEAR(mid.x, 10, 1e-9);
  EXPECT_NEAR(mid.y, 10, 1e-9);
}
