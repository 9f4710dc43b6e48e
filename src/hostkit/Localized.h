// The host toolkit shows texts through the same gettext lookup as the colour
// module (one text domain, "tavlo").
#pragma once

#include "MerrinColorUtils/Localized.h"

namespace hostkit {

using mcu::bindTextDomain;
using mcu::localized;

}  // namespace hostkit
