#include "MerrinColorUtils/Localized.h"

#include <libintl.h>

namespace mcu {

std::string localized(std::string_view literal) {
  const std::string key(literal);
  // dgettext hands back the key itself when there is no translation.
  return dgettext("tavlo", key.c_str());
}

}  // namespace mcu
