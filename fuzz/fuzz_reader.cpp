// The reader takes any bytes: it must never crash, hang or leak, and what it
// read must survive the writer (see ReaderRoundTrip.h for what that means).
// Every document read also has its contrast tests evaluated, and no value
// they measure may be NaN or infinite.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "ReaderRoundTrip.h"
#include "TavloContrast/ContrastEvaluation.h"
#include "xmltree/XML.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  // The element tree reports parse errors on standard output; keep the
  // fuzzer's output readable.
  xmltree::setParseErrorSink([](std::string_view) {});
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
  const auto fault =
      tavlo::fuzzing::readerRoundTripFault(std::string_view(reinterpret_cast<const char*>(bytes), size));
  if (fault) {
    std::fprintf(stderr, "%s\n", fault->c_str());
    std::abort();
  }
  const auto project =
      tavlo::MerrinColorFileReader().parse(std::string_view(reinterpret_cast<const char*>(bytes), size));
  for (const auto& group : tavlo::contrast::evaluateContrastTests(*project).groups)
    for (const auto& test : group.tests)
      for (const auto& result : test.results)
        if (!std::isfinite(result.value)) {
          std::fprintf(stderr, "contrast value %g in test group '%s'\n", result.value, group.name.c_str());
          std::abort();
        }
  return 0;
}
