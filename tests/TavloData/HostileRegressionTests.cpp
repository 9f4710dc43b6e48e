// Inputs the reader fuzz target once failed on (tests/data/hostile/), each
// kept before its fault was fixed: every one must now pass the target's own
// check, so a fault that comes back is caught without fuzzing.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "../../fuzz/ReaderRoundTrip.h"
#include "DataTestSupport.h"
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

TEST(HostileRegression, AWhitespaceKeyIsWrittenEmptyAndThenDropped) {
  // The writer trims texts, and a setting needs a key text to be read.
  const auto read =
      testsupport::readItems("", "<settings><setting><key>  </key><value>v</value></setting></settings>");
  ASSERT_EQ(read->settings().size(), 1u);
  const std::string written = MerrinColorFileWriter::data(*read);
  EXPECT_NE(written.find("<key></key>"), std::string::npos);
  EXPECT_TRUE(MerrinColorFileReader().parse(written)->settings().empty());
}

}  // namespace
}  // namespace tavlo
