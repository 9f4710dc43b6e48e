// Items whose colours can be given a new working space: colours, colour
// ramps and colour aliases (which pass it on to what they reference).
#pragma once

#include "MerrinColorUtils/ColorSpace.h"

namespace tavlo {

class ColorAssignable {
 public:
  virtual ~ColorAssignable() = default;

  // Reinterprets: the colours keep their component values in the new space.
  virtual void assign(mcu::ColorSpace colorSpace) = 0;
  // Reinterprets in `colorSpace`, then converts to `andConvertTo`.
  virtual void assign(mcu::ColorSpace colorSpace, mcu::ColorSpace andConvertTo) = 0;

 protected:
  ColorAssignable() = default;
  ColorAssignable(const ColorAssignable&) = default;
  ColorAssignable& operator=(const ColorAssignable&) = default;
};

}  // namespace tavlo
