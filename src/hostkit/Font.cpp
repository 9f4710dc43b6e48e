#include "hostkit/Font.h"

namespace hostkit {

Font Font::style(TextStyle style) {
  switch (style) {
    case TextStyle::title:
      return {22, FontWeight::regular};
    case TextStyle::title2:
      return {17, FontWeight::regular};
    case TextStyle::headline:
      return {13, FontWeight::semibold};
    case TextStyle::body:
      return {13, FontWeight::regular};
    case TextStyle::callout:
      return {12, FontWeight::regular};
  }
  return {};
}

}  // namespace hostkit
