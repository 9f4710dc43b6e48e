// The reader takes any bytes: it must never crash, hang or leak, and what it
// read must survive the writer (see ReaderRoundTrip.h for what that means).
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "ReaderRoundTrip.h"
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
  return 0;
}
