// Inputs the reader fuzz target once failed on (tests/data/hostile/), each
// kept before its fault was fixed: every one must now pass the target's own
// check, so a fault that comes back is caught without fuzzing.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "../../fuzz/ReaderRoundTrip.h"
#include "xmltree/XML.h"

namespace tavlo {
namespace {

namespace fs = std::filesystem;

TEST(HostileRegression, EveryKeptInputPassesTheReaderRoundTrip) {
  xmltree::setParseErrorSink([](std::string_view) {});
  int replayed = 0;
  for (const auto& entry : fs::directory_iterator(fs::path(TAVLO_TEST_DATA) / "hostile")) {
    std::ostringstream bytes;
    bytes << std::ifstream(entry.path(), std::ios::binary).rdbuf();
    EXPECT_EQ(fuzzing::readerRoundTripFault(bytes.str()).value_or(""), "") << entry.path().filename();
    ++replayed;
  }
  EXPECT_GT(replayed, 0);
  xmltree::setParseErrorSink(nullptr);
}

}  // namespace
}  // namespace tavlo
