// User-visible texts: the English literal is the message id in the "tavlo"
// text domain. Every module that shows text uses these two functions.
#pragma once

#include <string>
#include <string_view>

namespace mcu {

// The user-visible text for an English literal, looked up through gettext in
// the "tavlo" text domain; the literal itself when no translation exists.
std::string localized(std::string_view literal);

// Binds the text domain to a directory of message catalogues (optional; the
// default locale directory is used otherwise).
void bindTextDomain(const std::string& localeDirectory);

}  // namespace mcu
