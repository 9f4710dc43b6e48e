// Large synthetic documents for the benchmarks: a realistic mix of item kinds
// in nested groups, the same bytes for the same shape on every run.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace tavlo::bench {

struct DocumentShape {
  // Value and alias items; groups come on top of these.
  std::size_t itemCount = 10000;
  // Items per innermost group; 0 puts every item at the top level.
  std::size_t itemsPerGroup = 50;
  // Innermost groups per outer (top-level) group.
  std::size_t groupsPerSection = 4;
  // 0 keeps the mix below, where a tenth of the items are aliases. Otherwise
  // exactly this many of every hundred items are aliases, spread evenly: the
  // mix's own alias places become colours, and every alias place holds a
  // colour alias (a fifth of them naming an earlier colour alias, so chains
  // are resolved too), a number, string or boolean alias.
  std::size_t aliasesPerHundred = 0;
  std::uint32_t seed = 1;
};

// Of every 50 items: 29 colours (sRGB, Display P3 and extended sRGB, some with
// dark and high-contrast variants), one five-step colour ramp, 5 numbers,
// 5 booleans, 5 texts, 3 colour aliases and one each of shadow, number alias,
// string alias. Aliases refer to items made before them.
std::string generateDocument(const DocumentShape& shape);

}  // namespace tavlo::bench
