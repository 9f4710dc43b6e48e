// Reading the `colorSet` and `shadowSet` elements of a document. Both are
// one routine that differs only in the member container (`colors` or
// `shadows`), the member parser and the ramp built. The ramp keeps exactly
// the members read: nothing is regenerated while reading, and `steps` is the
// number of members (the document's own `steps` is not read).
//
// parseColorSet and parseShadowSet themselves are declared with the other
// kind parsers in ItemElementReaders.h.
#pragma once

#include <optional>

#include "TavloData/RampSet.h"
#include "xmltree/XML.h"

namespace tavlo {

// The ramp parameters of a ramp element, absent when a required one is
// missing or out of range: `profile`, `middle` (a number), `type` (1 ... 3),
// `naming` (1 ... 4) and `interpolation` (1 ... 4). `curve` falls back to
// linear and `curveAmount` to 1.0; `appearance` and `autoContrast` follow the
// item rules.
std::optional<RampParameters> parseRampParameters(const xmltree::XML& rampElement);

}  // namespace tavlo
