// tavlo color convert / random, run as a user would run them.
#include <algorithm>

#include "ToolSupport.h"

namespace {

using namespace tooltest;

std::size_t lineCount(const std::string& text) {
  return std::count(text.begin(), text.end(), '\n');
}

TEST(ColorCommand, ConvertWritesTheRequestedNotation) {
  struct Case {
    std::vector<std::string> args;
    std::string out;
  } cases[] = {
      {{"color", "convert", "1 0.5 0 1", "--to", "hexRGB"}, "0xFF8000\n"},
      {{"color", "convert", "#FF8000", "--from", "htmlRGB", "--to", "swiftColorRGBA", "--round", "2"},
       "Color(red: 1, green: 0.5, blue: 0, opacity: 1)\n"},
      {{"color", "convert", "color(display-p3 1 0 0)", "--to", "hexRGB", "--p3-prefix", "p3: "},
       "p3: 0xFF0000\n"},
      {{"color", "convert", "color(display-p3 1 0 0)", "--space", "displayP3", "--to", "cssRGB",
        "--force-clip", "--clip-suffix", " /* clipped */"},
       "rgb(255, 0, 0) /* clipped */\n"},
      // The CSS colour functions are tried too, though the library's guess leaves them out.
      {{"color", "convert", "oklch(70% 0.3 150)", "--to", "cssColor"}, "color(srgb 0 0.7968 0)\n"},
      // --space converts: into Display P3, and into extended sRGB without clipping.
      {{"color", "convert", "1 0 0 1", "--space", "displayP3", "--to", "floatRGBA"},
       "0.9175 0.2003 0.1386 1\n"},
      {{"color", "convert", "1.2 -0.1 0 1", "--space", "sRGBExtended", "--to", "floatRGBA"},
       "1.2 -0.1 0 1\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.args[2]);
    ToolRun run = tavlo(c.args);
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, c.out);
  }
}

TEST(ColorCommand, FailuresAreOneLineWithTheirStatus) {
  struct Case {
    std::vector<std::string> args;
    int status;
  } cases[] = {
      {{"color", "convert", "not a colour", "--to", "hexRGB"}, 1},
      {{"color", "convert", "0.5 0.5 0.5", "--space", "oklch", "--to", "swiftNSColorHSBA"}, 1},
      {{"color", "convert", "1 0 0", "--to", "hexrgb"}, 2},
      {{"color", "convert", "1 0 0", "--to", "hexRGB", "--space", "P3"}, 2},
      {{"color", "convert", "1 0 0"}, 2},
      {{"color", "random", "--algorithm", "neon"}, 2},
      {{"color"}, 2},
      {{"bogus"}, 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.args.back());
    ToolRun run = tavlo(c.args);
    EXPECT_EQ(run.status, c.status);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(lineCount(run.err), 1u) << run.err;
    EXPECT_TRUE(run.err.starts_with("tavlo: ")) << run.err;
  }
  EXPECT_EQ(tavlo({"bogus"}).err, "tavlo: unknown subcommand 'bogus' (see 'tavlo --help')\n");
}

TEST(ColorCommand, RandomPrintsCountColours) {
  ToolRun run = tavlo({"color", "random", "--algorithm", "monochrome", "-n", "5", "--to", "floatRGBA"});
  ASSERT_EQ(run.status, 0) << run.err;
  ASSERT_EQ(lineCount(run.out), 5u);
  std::istringstream lines(run.out);
  for (std::string line; std::getline(lines, line);) {
    std::istringstream numbers(line);
    double r = -1, g = -1, b = -1, a = -1;
    numbers >> r >> g >> b >> a;
    EXPECT_EQ(r, g) << line;
    EXPECT_EQ(g, b) << line;
    EXPECT_EQ(a, 1.0) << line;
  }

  ToolRun hex = tavlo({"color", "random", "-n", "3"});
  ASSERT_EQ(hex.status, 0) << hex.err;
  ASSERT_EQ(lineCount(hex.out), 3u);
  EXPECT_TRUE(hex.out.starts_with("0x")) << hex.out;
}

}  // namespace
