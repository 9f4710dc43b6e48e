// The reader takes any bytes: it must never crash, hang or leak, and what it
// read must survive the writer. Writing what was read, reading that and
// writing again gives the same bytes: the first write settles every number to
// the writer's precision and gives every item an identifier, so nothing may
// change after it.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "TavloData/MerrinColorFileReader.h"
#include "TavloData/MerrinColorFileWriter.h"
#include "TavloData/MerrinColorProject.h"
#include "xmltree/XML.h"

namespace {

std::string writeOrDie(const tavlo::MerrinColorProject& project, const char* which) {
  try {
    return tavlo::MerrinColorFileWriter::data(project);
  } catch (const std::exception& error) {
    // Everything the reader builds came from well-formed UTF-8 and has a kind
    // object, so the writer has no reason to refuse it.
    std::fprintf(stderr, "writing the %s read failed: %s\n", which, error.what());
    std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  // The element tree reports parse errors on standard output; keep the
  // fuzzer's output readable.
  xmltree::setParseErrorSink([](std::string_view) {});
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
  const std::string_view data(reinterpret_cast<const char*>(bytes), size);
  const tavlo::MerrinColorFileReader reader;
  auto project = reader.parse(data);
  if (!project) std::abort();

  const std::string first = writeOrDie(*project, "first");
  auto again = reader.parse(first);
  const std::string second = writeOrDie(*again, "second");
  if (first != second) {
    std::fprintf(stderr, "writing is not stable after one round:\n--- first\n%s\n--- second\n%s\n",
                 first.c_str(), second.c_str());
    std::abort();
  }
  return 0;
}
