#include "hostkit/Shape.h"

#include <algorithm>

#include "hostkit/View.h"

namespace hostkit {

Shape Shape::rectangle() {
  return Shape();
}

Shape Shape::roundedRectangle(double cornerRadius, RoundedCornerStyle style) {
  Shape s;
  s.kind_ = Kind::roundedRectangle;
  s.cornerRadius_ = sanitized(cornerRadius, 0, maxCoordinate);
  s.cornerStyle_ = style;
  return s;
}

Shape Shape::ellipse() {
  Shape s;
  s.kind_ = Kind::ellipse;
  return s;
}

Shape Shape::capsule() {
  Shape s;
  s.kind_ = Kind::capsule;
  return s;
}

Shape Shape::custom(PathBuilder builder) {
  Shape s;
  s.kind_ = Kind::custom;
  s.builder_ = std::make_shared<const PathBuilder>(std::move(builder));
  return s;
}

Shape Shape::inset(double amount) const {
  Shape s = *this;
  s.inset_ = sanitized(inset_ + sanitized(amount));
  return s;
}

Path Shape::path(const Rect& bounds) const {
  Path p;
  Rect r = bounds.insetBy(inset_, inset_);
  if (r.width < 0 || r.height < 0) return p;
  switch (kind_) {
    case Kind::rectangle:
      p.addRect(r);
      break;
    case Kind::roundedRectangle:
      // The inset shape keeps its outline parallel to the original, so its
      // corners shrink by the inset.
      if (cornerStyle_ == RoundedCornerStyle::continuous)
        p.addContinuousRoundedRect(r, std::max(0.0, cornerRadius_ - inset_));
      else
        p.addCircularRoundedRect(r, std::max(0.0, cornerRadius_ - inset_));
      break;
    case Kind::ellipse:
      p.addEllipse(r);
      break;
    case Kind::capsule:
      p.addCircularRoundedRect(r, std::min(r.width, r.height) / 2);
      break;
    case Kind::custom:
      if (builder_ && *builder_) p = (*builder_)(r);
      break;
  }
  return p;
}

namespace {
View shapeView(const Shape& shape, ShapePaint paint, std::optional<mcu::PlatformColor> color,
               const StrokeStyle& style) {
  auto node = std::make_shared<ShapeNode>();
  node->shape = shape;
  node->paint = paint;
  node->color = std::move(color);
  node->strokeStyle = style;
  node->strokeStyle.lineWidth = sanitized(style.lineWidth, 0, 1000);
  node->strokeStyle.miterLimit = sanitized(style.miterLimit, 1, 1000);
  return View(node);
}
}  // namespace

View Shape::fill(const mcu::PlatformColor& color) const {
  return shapeView(*this, ShapePaint::fill, color, {});
}
View Shape::fill() const {
  return shapeView(*this, ShapePaint::fill, std::nullopt, {});
}
View Shape::stroke(const mcu::PlatformColor& color, const StrokeStyle& style) const {
  return shapeView(*this, ShapePaint::stroke, color, style);
}
View Shape::strokeBorder(const mcu::PlatformColor& color, const StrokeStyle& style) const {
  return shapeView(*this, ShapePaint::strokeBorder, color, style);
}

}  // namespace hostkit
