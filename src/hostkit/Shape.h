#pragma once

#include <functional>
#include <memory>
#include <optional>

#include "MerrinColorUtils/platform/PlatformColor.h"
#include "hostkit/Path.h"

namespace hostkit {

class View;

enum class RoundedCornerStyle { circular, continuous };
enum class LineCap { butt, round, square };
enum class LineJoin { miter, round, bevel };

struct StrokeStyle {
  double lineWidth = 1;
  LineCap lineCap = LineCap::butt;
  LineJoin lineJoin = LineJoin::miter;
  double miterLimit = 10;
  friend bool operator==(const StrokeStyle&, const StrokeStyle&) = default;
};

// An outline that takes whatever rectangle its view is given. Shapes are
// values; as views they fill their whole proposal.
class Shape {
 public:
  enum class Kind { rectangle, roundedRectangle, ellipse, capsule, custom };
  using PathBuilder = std::function<Path(const Rect&)>;

  static Shape rectangle();
  static Shape roundedRectangle(double cornerRadius,
                                RoundedCornerStyle style = RoundedCornerStyle::continuous);
  static Shape ellipse();
  static Shape capsule();
  // A shape whose outline `builder` draws into the rectangle it is given.
  static Shape custom(PathBuilder builder);

  // The same shape drawn `amount` points inside its rectangle on every side.
  Shape inset(double amount) const;

  Kind kind() const { return kind_; }
  double cornerRadius() const { return cornerRadius_; }
  RoundedCornerStyle cornerStyle() const { return cornerStyle_; }
  double insetAmount() const { return inset_; }

  // The outline in `r`, after the inset.
  Path path(const Rect& r) const;

  // As views. Without a colour the shape takes the foreground colour.
  View fill(const mcu::PlatformColor& color) const;
  View fill() const;
  // Strokes centred on the outline.
  View stroke(const mcu::PlatformColor& color, const StrokeStyle& style = {}) const;
  // Strokes inside the outline: the outline is inset by half the line width first.
  View strokeBorder(const mcu::PlatformColor& color, const StrokeStyle& style = {}) const;

 private:
  Kind kind_ = Kind::rectangle;
  double cornerRadius_ = 0;
  RoundedCornerStyle cornerStyle_ = RoundedCornerStyle::continuous;
  double inset_ = 0;
  std::shared_ptr<const PathBuilder> builder_;
};

}  // namespace hostkit
