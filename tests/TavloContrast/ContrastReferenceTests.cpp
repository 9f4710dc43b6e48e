// WCAG ratios and APCA Lc against values computed independently, in exact
// decimal arithmetic, by contrast_references.py (kept beside this file), and
// against the published values.
#include <fstream>
#include <sstream>

#include "ContrastTestSupport.h"

namespace {

using namespace contrasttest;

mcu::PlatformColor colorIn(const std::string& space, double r, double g, double b, double a) {
  if (space == "p3") return mcu::PlatformColor::colorWithDisplayP3Red(r, g, b, a);
  if (space == "extended")
    return mcu::PlatformColor::colorWithColorSpace(mcu::PlatformColorSpace::extendedSRGB(), {r, g, b, a});
  return srgb(r, g, b, a);
}

TEST(ContrastReference, EveryPairWithinToleranceOfTheExactValues) {
  std::ifstream in(std::string(TAVLO_SOURCE_DIR) + "/tests/TavloContrast/contrast_references.txt");
  ASSERT_TRUE(in) << "contrast_references.txt is missing";
  std::string line;
  int rows = 0;
  int kinds[4] = {};  // opaque sRGB, Display P3, extended, translucent
  while (std::getline(in, line)) {
    if (line.empty() || line[0] == '#') continue;
    std::istringstream fields(line);
    std::string fgSpace, bgSpace, ground;
    double f[4], b[4], ratio, lc;
    fields >> fgSpace >> f[0] >> f[1] >> f[2] >> f[3] >> bgSpace >> b[0] >> b[1] >> b[2] >> b[3] >> ground >>
        ratio >> lc;
    ASSERT_TRUE(fields) << line;
    SCOPED_TRACE(line);
    // A dark row puts both colours in the dark variant, so the pair is
    // measured over black.
    const ColorSource appearance = ground == "dark" ? ColorSource::dark : ColorSource::light;
    const auto fg = colorIn(fgSpace, f[0], f[1], f[2], f[3]);
    const auto bg = colorIn(bgSpace, b[0], b[1], b[2], b[3]);
    const ContrastMember text = ground == "dark" ? member("fg", TestPosition::foreground, srgb(1, 0, 1), fg)
                                                 : member("fg", TestPosition::foreground, fg);
    const ContrastMember back = ground == "dark" ? member("bg", TestPosition::background, srgb(0, 1, 0), bg)
                                                 : member("bg", TestPosition::background, bg);
    EXPECT_NEAR(measurePair(TestTaskType::wcagContrastTest, text, back, appearance), ratio, 1e-6);
    EXPECT_NEAR(measurePair(TestTaskType::apcaContrastTest, text, back, appearance), lc, 1e-3);
    ++rows;
    ++kinds[f[3] < 1 || b[3] < 1                 ? 3
            : fgSpace == "p3" || bgSpace == "p3" ? 1
            : fgSpace == "extended"              ? 2
                                                 : 0];
  }
  EXPECT_GE(rows, 200);
  for (int count : kinds) EXPECT_GE(count, 20);
}

// Black on white, white on black, #888 on #fff, and the examples that
// accompany the APCA-W3 0.0.98G-4g constants.
TEST(ContrastReference, PublishedPairs) {
  struct Case {
    std::string text, background;
    double ratio, lc;
  } cases[] = {
      {"000", "fff", 21.0, 106.04067321268862},
      {"fff", "000", 21.0, -107.88473318309870},
      {"888", "fff", 3.5448862152994014, 63.056469930209424},
      {"fff", "888", 3.5448862152994014, -68.54146436644962},
      {"000", "aaa", 9.0395555966439103, 58.146262578561334},
      {"aaa", "000", 9.0395555966439103, -56.24113336839742},
      {"123", "def", 13.647788588073723, 91.66830811481631},
      {"def", "123", 13.647788588073723, -93.06770049484275},
      {"123", "444", 1.6579732214130388, 8.32326136957393},
      {"444", "123", 1.6579732214130388, -7.526878460278154},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text + " on " + c.background);
    const auto text = member("t", TestPosition::foreground, hex(c.text));
    const auto back = member("b", TestPosition::background, hex(c.background));
    EXPECT_NEAR(measurePair(TestTaskType::wcagContrastTest, text, back), c.ratio, 1e-9);
    EXPECT_NEAR(measurePair(TestTaskType::apcaContrastTest, text, back), c.lc, 1e-9);
  }
}

}  // namespace
