// tavlo fmt, run as a user would run it.
#include <gtest/gtest.h>

#include "TavloData/MerrinColorFileReader.h"
#include "TavloData/MerrinColorFileWriter.h"
#include "TavloData/MerrinColorProject.h"
#include "ToolSupport.h"

namespace {

using namespace tooltest;

class Fmt : public ::testing::Test {
 protected:
  ToolRun fmt(Args args) {
    args.insert(args.begin(), "fmt");
    return tooltest::tavlo(args);
  }
  ScratchFolder scratch_;
  const fs::path dir_ = scratch_.path();
};

const std::string showcase = TAVLO_SOURCE_DIR "/examples/showcase.tavlo";

TEST_F(Fmt, WritesTheWritersTextToStandardOutput) {
  ToolRun run = fmt({showcase});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.err, "");
  auto project = tavlo::MerrinColorFileReader().parse(slurp(showcase));
  EXPECT_EQ(run.out, tavlo::MerrinColorFileWriter::data(*project));
}

// Written in place, through a temporary file that does not stay behind; the
// writer's own stability is the round-trip table's.
TEST_F(Fmt, ReplacesTheOutputFileAlsoWhenItIsTheInput) {
  const fs::path copy = dir_ / "doc.tavlo";
  fs::copy_file(showcase, copy);
  ToolRun run = fmt({copy.string(), "-o", copy.string()});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, "");
  const std::string once = slurp(copy);
  EXPECT_EQ(fmt({copy.string(), "--output", copy.string()}).status, 0);
  EXPECT_EQ(slurp(copy), once);
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 1);  // only doc
}

TEST_F(Fmt, FailuresLeaveTheOutputAlone) {
  const fs::path out = dir_ / "out.tavlo";
  spit(out, "precious");
  ToolRun missing = fmt({(dir_ / "missing.tavlo").string(), "-o", out.string()});
  EXPECT_EQ(missing.status, 1);
  EXPECT_NE(missing.err.find("tavlo: cannot read '"), std::string::npos) << missing.err;
  EXPECT_EQ(slurp(out), "precious");

  ToolRun unwritable = fmt({showcase, "-o", (dir_ / "no-such-dir" / "out.tavlo").string()});
  EXPECT_EQ(unwritable.status, 1);
  EXPECT_NE(unwritable.err.find("tavlo: cannot write '"), std::string::npos) << unwritable.err;

  EXPECT_EQ(fmt({}).status, 2);
}

}  // namespace
