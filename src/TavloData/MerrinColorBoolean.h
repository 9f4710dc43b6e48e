// The kind object of a boolean node.
#pragma once

#include <memory>

#include "TavloData/ThemeableBoolean.h"
#include "TavloData/ValueItemKind.h"

namespace tavlo {

class MerrinColorBoolean : public ValueItemKind<ThemeableBoolean> {
 public:
  using ValueItemKind::ValueItemKind;
};

}  // namespace tavlo
