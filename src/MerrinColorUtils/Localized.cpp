#include "MerrinColorUtils/Localized.h"

#include <libintl.h>

namespace mcu {

namespace {
constexpr const char* textDomain = "tavlo";
}

std::string localized(std::string_view literal) {
  const std::string key(literal);
  // dgettext hands back the key itself when there is no translation.
  return dgettext(textDomain, key.c_str());
}

void bindTextDomain(const std::string& localeDirectory) {
  bindtextdomain(textDomain, localeDirectory.c_str());
  bind_textdomain_codeset(textDomain, "UTF-8");
}

}  // namespace mcu
