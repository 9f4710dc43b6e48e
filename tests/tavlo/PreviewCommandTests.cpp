// tavlo preview, run as a user would run it.
#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "ToolSupport.h"

namespace {

using namespace tooltest;

std::string numberXml(int i) {
  return "<numberItem><name>N" + std::to_string(i) +
         "</name><number><variants><variant><value>1</value></variant></variants></number></numberItem>";
}

std::string documentXml(const std::string& items) {
  return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<tavlo><project><colorItems>" + items +
         "</colorItems></project></tavlo>\n";
}

bool isPNG(const std::string& bytes) {
  return bytes.rfind("\x89PNG\r\n\x1a\n", 0) == 0;
}

std::uint32_t pngHeight(const std::string& bytes) {
  // The IHDR chunk follows the signature: length, type, width, height (big-endian).
  auto byte = [&](std::size_t i) {
    return static_cast<std::uint32_t>(static_cast<unsigned char>(bytes.at(i)));
  };
  return byte(20) << 24 | byte(21) << 16 | byte(22) << 8 | byte(23);
}

class PreviewCommand : public ::testing::Test {
 protected:
  void SetUp() override {
    spit(dir_ / "doc.tavlo",
         documentXml(numberXml(1) + "<group><name>Brand</name>" + numberXml(2) + "</group>"));
    // One cell per row at width 208: 16 + 176 * 99 + 160 + 12 = 17612 points.
    std::string items;
    for (int i = 0; i < 100; ++i) items += numberXml(i);
    spit(dir_ / "tall.tavlo", documentXml(items));
  }

  // Runs tavlo in the test's own folder.
  ToolRun tavlo(const Args& args) const { return tooltest::tavlo(args, dir_); }

  ScratchFolder scratch_;
  const fs::path dir_ = scratch_.path();
};

TEST_F(PreviewCommand, TheFormatFollowsTheOutputName) {
  const struct {
    std::string out;
    std::string prefix;
  } cases[] = {{"grid.png", "\x89PNG"}, {"grid.svg", "<?xml"}, {"grid.pdf", "%PDF"}};
  for (const auto& c : cases) {
    auto run = tavlo({"preview", "doc.tavlo", "-o", c.out, "--width", "400"});
    EXPECT_EQ(run.status, 0) << c.out << run.err;
    EXPECT_EQ(slurp(dir_ / c.out).rfind(c.prefix, 0), 0u) << c.out;
  }

  auto toStdout = tavlo({"preview", "doc.tavlo", "-o", "-", "--width", "400"});
  EXPECT_EQ(toStdout.status, 0);
  EXPECT_TRUE(isPNG(toStdout.out));
  EXPECT_TRUE(toStdout.err.empty());
}

TEST_F(PreviewCommand, DefaultsToTheDocumentsNameInTheCurrentDirectory) {
  fs::create_directories(dir_ / "in");
  spit(dir_ / "in" / "notes.tavlo", "not a document at all");
  auto run = tavlo({"preview", "in/notes.tavlo"});
  EXPECT_EQ(run.status, 0) << run.err;
  const std::string png = slurp(dir_ / "notes.png");
  EXPECT_TRUE(isPNG(png));
}

TEST_F(PreviewCommand, BadUsageAndUnreadableFiles) {
  const struct {
    std::vector<std::string> args;
    int status;
  } cases[] = {
      {{"preview", "missing.tavlo"}, 1},
      {{"preview", "doc.tavlo", "-o", "grid.jpg"}, 2},
      {{"preview", "doc.tavlo", "-o", "grid"}, 2},
      {{"preview", "doc.tavlo", "--scale", "5"}, 2},
      {{"preview", "doc.tavlo", "--width", "20000", "--scale", "2"}, 2},
      {{"preview", "doc.tavlo", "--output-space", "adobe"}, 2},
      {{"preview", "doc.tavlo", "--appearance", "dim"}, 2},
      {{"preview", "doc.tavlo", "--variant", "Dark"}, 2},
      {{"preview", "doc.tavlo", "--max-height", "-1"}, 2},
  };
  const auto before = filesUnder(dir_);
  for (const auto& c : cases) {
    auto run = tavlo(c.args);
    EXPECT_EQ(run.status, c.status) << c.args.back() << run.err;
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
    EXPECT_EQ(filesUnder(dir_), before) << "wrote something for " << c.args.back();
  }
  EXPECT_NE(tavlo({"preview", "missing.tavlo"}).err.find("cannot read 'missing.tavlo'"), std::string::npos);
}

TEST_F(PreviewCommand, ContrastAddsTheTestGroupsSections) {
  // The contrast manual's example: a test group with failing pairs.
  const std::string manual = slurp(fs::path(TAVLO_SOURCE_DIR) / "docs" / "contrast.md");
  const std::size_t start = manual.find("```xml\n") + 7;
  spit(dir_ / "buttons.tavlo", manual.substr(start, manual.find("```", start) - start));
  ASSERT_EQ(tavlo({"preview", "buttons.tavlo", "-o", "plain.png"}).status, 0);
  const ToolRun run = tavlo({"preview", "buttons.tavlo", "--contrast", "-o", "contrast.png"});
  EXPECT_EQ(run.status, 0) << run.err;
  const std::string png = slurp(dir_ / "contrast.png");
  ASSERT_TRUE(isPNG(png));
  EXPECT_GT(pngHeight(png), pngHeight(slurp(dir_ / "plain.png")));
}

TEST_F(PreviewCommand, NeverWritesOverTheInput) {
  spit(dir_ / "odd.png", documentXml(numberXml(1)));
  auto run = tavlo({"preview", "odd.png"});  // the default output would be odd.png itself
  EXPECT_NE(run.status, 0);
  EXPECT_EQ(slurp(dir_ / "odd.png"), documentXml(numberXml(1)));
}

TEST_F(PreviewCommand, DisplayP3OutputCarriesItsProfile) {
  auto run =
      tavlo({"preview", "doc.tavlo", "-o", "p3.png", "--width", "400", "--output-space", "display-p3"});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_NE(slurp(dir_ / "p3.png").find("iCCP"), std::string::npos);
}

TEST_F(PreviewCommand, ATallGridIsSplitIntoNumberedFiles) {
  // 17612 points are 35224 pixels at scale 2, more than one PNG can hold.
  auto run = tavlo({"preview", "tall.tavlo", "--width", "208", "--scale", "2"});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_FALSE(fs::exists(dir_ / "tall.png"));
  const std::string first = slurp(dir_ / "tall-1.png"), second = slurp(dir_ / "tall-2.png");
  ASSERT_TRUE(isPNG(first) && isPNG(second));
  EXPECT_FALSE(fs::exists(dir_ / "tall-3.png"));
  EXPECT_LE(pngHeight(first), 32767u);
  EXPECT_EQ(pngHeight(first) + pngHeight(second), 35224u);

  // Standard output holds one PNG only.
  EXPECT_EQ(tavlo({"preview", "tall.tavlo", "--width", "208", "--scale", "2", "-o", "-"}).status, 1);
}

TEST_F(PreviewCommand, MaxHeightCutsAboveTheFirstRowItWouldHalve) {
  // Rows of one cell at width 208 start at 16 + 176 k and are 160 high: a
  // limit of 1000 would halve the row at 896, so the picture ends there.
  const struct {
    std::string maxHeight;
    std::uint32_t height;
    std::string warning;
  } cases[] = {
      {"1000", 896, "tavlo: warning: the preview is 17,612 points tall; only the first 896 are drawn"},
      {"896", 896, "tavlo: warning: the preview is 17,612 points tall; only the first 896 are drawn"},
      {"0", 17612, ""},
      {"20000", 17612, ""},
  };
  for (const auto& c : cases) {
    auto run = tavlo({"preview", "tall.tavlo", "--width", "208", "--max-height", c.maxHeight, "-o", "-"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(pngHeight(run.out), c.height) << c.maxHeight;
    EXPECT_EQ(run.err.substr(0, c.warning.size()), c.warning) << c.maxHeight;
    if (c.warning.empty()) {
      EXPECT_EQ(run.err, "") << c.maxHeight;
    }
  }
}

}  // namespace
