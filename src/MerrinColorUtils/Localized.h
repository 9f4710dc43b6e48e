#pragma once

#include <string>
#include <string_view>

namespace mcu {

// The user-visible text for an English literal, looked up through gettext in
// the "tavlo" text domain; the literal itself when no translation exists.
std::string localized(std::string_view literal);

}  // namespace mcu
