// tavlo fmt, run as a user would run it.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "TavloData/MerrinColorFileReader.h"
#include "TavloData/MerrinColorFileWriter.h"
#include "TavloData/MerrinColorProject.h"

namespace {

namespace fs = std::filesystem;

std::string slurp(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

void spill(const fs::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

class Fmt : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("tavlo-fmt-" + std::to_string(::getpid()) + "-" +
                                        ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }

  struct Run {
    int status = -1;
    std::string out;
    std::string err;
  };

  Run fmt(const std::vector<std::string>& args) {
    std::string command = "'" + std::string(TAVLO_BIN) + "' fmt";
    for (const auto& arg : args) command += " '" + arg + "'";
    command += " >'" + (dir_ / "stdout").string() + "' 2>'" + (dir_ / "stderr").string() + "' </dev/null";
    const int raw = std::system(command.c_str());
    return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, slurp(dir_ / "stdout"), slurp(dir_ / "stderr")};
  }

  fs::path dir_;
};

const std::string showcase = TAVLO_SOURCE_DIR "/examples/showcase.tavlo";

TEST_F(Fmt, WritesTheWritersTextToStandardOutput) {
  Run run = fmt({showcase});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.err, "");
  auto project = tavlo::MerrinColorFileReader().parse(slurp(showcase));
  EXPECT_EQ(run.out, tavlo::MerrinColorFileWriter::data(*project));
}

TEST_F(Fmt, ReplacesTheOutputFileAlsoWhenItIsTheInput) {
  const fs::path copy = dir_ / "doc.tavlo";
  fs::copy_file(showcase, copy);
  Run run = fmt({copy.string(), "-o", copy.string()});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, "");
  const std::string once = slurp(copy);
  EXPECT_EQ(once, fmt({showcase}).out);
  // Formatting is idempotent, and leaves no temporary file behind.
  EXPECT_EQ(fmt({copy.string(), "--output", copy.string()}).status, 0);
  EXPECT_EQ(slurp(copy), once);
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 3);  // doc, stdout, stderr
}

TEST_F(Fmt, FailuresLeaveTheOutputAlone) {
  const fs::path out = dir_ / "out.tavlo";
  spill(out, "precious");
  Run missing = fmt({(dir_ / "missing.tavlo").string(), "-o", out.string()});
  EXPECT_EQ(missing.status, 1);
  EXPECT_NE(missing.err.find("tavlo: cannot read '"), std::string::npos) << missing.err;
  EXPECT_EQ(slurp(out), "precious");

  Run unwritable = fmt({showcase, "-o", (dir_ / "no-such-dir" / "out.tavlo").string()});
  EXPECT_EQ(unwritable.status, 1);
  EXPECT_NE(unwritable.err.find("tavlo: cannot write '"), std::string::npos) << unwritable.err;

  EXPECT_EQ(fmt({}).status, 2);
}

}  // namespace
