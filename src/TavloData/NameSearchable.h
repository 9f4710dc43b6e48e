// Shared by every value item and alias: whether the node it belongs to shows
// up for a search term.
#pragma once

#include <string_view>

#include "TavloData/ProjectKinds.h"

namespace tavlo {

class NameSearchable {
 public:
  // True for an empty term; otherwise when the node's name contains the term
  // (locale-aware, case-insensitive; see TextSearch.h).
  bool matches(std::string_view searchTerm, const MerrinColorProjectItem& item) const;

 protected:
  ~NameSearchable() = default;
};

}  // namespace tavlo
