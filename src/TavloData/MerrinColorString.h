// The kind object of a text node.
#pragma once

#include <memory>

#include "TavloData/ThemeableString.h"
#include "TavloData/ValueItemKind.h"

namespace tavlo {

class MerrinColorString : public ValueItemKind<ThemeableString> {
 public:
  using ValueItemKind::ValueItemKind;
};

}  // namespace tavlo
