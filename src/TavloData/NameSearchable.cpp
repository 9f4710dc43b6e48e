#include "TavloData/NameSearchable.h"

#include "TavloData/MerrinColorProjectItem.h"
#include "TavloData/TextSearch.h"

namespace tavlo {

bool NameSearchable::matches(std::string_view searchTerm, const MerrinColorProjectItem& item) const {
  return searchTerm.empty() || localizedCaseInsensitiveContains(item.name(), searchTerm);
}

}  // namespace tavlo
