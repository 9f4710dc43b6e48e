// The window under a real X server: what it shows where the flow layout
// puts it, after a resize, after the file changes, and for files it cannot show.
#include <cairo.h>
#include <gtest/gtest.h>

#include <set>

#include <cmath>
#include <cstdlib>
#include <memory>

#include "TavloData/MerrinColorFileReader.h"
#include "TavloData/MerrinColorProject.h"
#include "TavloData/MerrinColorProjectItem.h"
#include "TavloPreviewer/CollectionViewWrapperController.h"
#include "ViewerDocument.h"
#include "WindowHarness.h"

namespace {

namespace fs = std::filesystem;
using namespace viewertest;
using tavlo::previewer::CollectionViewWrapperController;

const fs::path showcase = fs::path(TAVLO_SOURCE_DIR) / "examples" / "showcase.tavlo";

// Where a colour tile's own colour shows: below its texts, inside its border.
constexpr double swatchProbeX = 80, swatchProbeY = 140;

struct Swatch {
  std::string name;
  double x = 0, y = 0;  // grid coordinates
  Rgb expected;
};

Rgb eightBit(const mcu::PlatformColor& color) {
  const auto srgb = color.colorUsingColorSpace(mcu::PlatformColorSpace::sRGB());
  auto channel = [](double v) { return static_cast<int>(std::lround(std::clamp(v, 0.0, 1.0) * 255)); };
  return {channel(srgb->redComponent()), channel(srgb->greenComponent()), channel(srgb->blueComponent())};
}

struct Tile {
  std::string name;
  double x = 0, y = 0;  // grid coordinates of its probe point
  std::optional<mcu::PlatformColor> color;
};

// Every tile of `file` at grid width `width`, placed by the grid's own flow layout.
std::vector<Tile> tiles(const fs::path& file, double width,
                        tavlo::ColorSource variant = tavlo::ColorSource::light) {
  auto project = tavlo::MerrinColorFileReader().parse(tooltest::slurp(file));
  const auto sections = tavlo::previewer::gridSections(*project);
  auto layout = CollectionViewWrapperController::makeGridLayout();
  std::vector<tavlo::previewer::LeftAlignedFlowLayout::SectionShape> shapes;
  for (const auto& s : sections)
    shapes.push_back({static_cast<std::int64_t>(s.childItems.size()), bool(s.parentItem)});
  layout->layOut(width, shapes);
  std::vector<Tile> found;
  for (std::size_t s = 0; s < sections.size(); ++s)
    for (std::size_t i = 0; i < sections[s].childItems.size(); ++i) {
      const auto& item = *sections[s].childItems[i];
      const auto frame =
          layout->layoutAttributesForItemAtIndexPath({std::int64_t(s), std::int64_t(i)})->frame;
      found.push_back({item.name(), frame.x + swatchProbeX, frame.y + swatchProbeY,
                       tavlo::viewer::tileColor(item, variant)});
    }
  return found;
}

// Every opaque colour tile of `file` at grid width `width` whose probe point
// lies above `height`.
std::vector<Swatch> swatches(const fs::path& file, double width, double height,
                             tavlo::ColorSource variant = tavlo::ColorSource::light) {
  std::vector<Swatch> found;
  for (const Tile& t : tiles(file, width, variant))
    if (t.color && t.color->alphaComponent() >= 1 && t.y < height)
      found.push_back({t.name, t.x, t.y, eightBit(*t.color)});
  return found;
}

bool near(Rgb a, Rgb b) {
  return std::abs(a.r - b.r) <= 3 && std::abs(a.g - b.g) <= 3 && std::abs(a.b - b.b) <= 3;
}

// The window's document drawn without a window: each variant reaches the tiles.
TEST(ViewerDocumentTest, EachVariantDrawsItsOwnColours) {
  constexpr int width = 1024, height = 400;
  tavlo::viewer::ViewerDocument document(showcase);
  ASSERT_TRUE(document.reload());
  std::set<std::string> lightAndDark;
  for (tavlo::ColorSource variant : tavlo::allColorSources) {
    SCOPED_TRACE(std::string(displayName(variant)));
    document.setVariant(variant);
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height);
    cairo_t* cr = cairo_create(surface);
    document.draw(cr, width, height, {0, 0, width, height});
    cairo_surface_flush(surface);
    const auto* data = cairo_image_surface_get_data(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    const auto expected = swatches(showcase, width, height, variant);
    EXPECT_GE(expected.size(), 6u);
    for (const Swatch& s : expected) {
      const std::uint32_t px =
          *reinterpret_cast<const std::uint32_t*>(data + int(s.y) * stride + int(s.x) * 4);
      const Rgb seen{int(px >> 16 & 0xFF), int(px >> 8 & 0xFF), int(px & 0xFF)};
      EXPECT_TRUE(near(seen, s.expected)) << s.name;
      if (variant == tavlo::ColorSource::light || variant == tavlo::ColorSource::dark)
        lightAndDark.insert(s.name + std::to_string(s.expected.r) + std::to_string(s.expected.g));
    }
    cairo_destroy(cr);
    cairo_surface_destroy(surface);
  }
  EXPECT_GT(lightAndDark.size(), swatches(showcase, width, height).size()) << "no swatch has a dark variant";
}

// The tooltip of the tile under a point: the item's name, then each variant
// it stores and no other, so a colour without high-contrast variants lists none.
TEST(ViewerDocumentTest, TooltipListsTheVariantsTheItemStores) {
  constexpr double width = 1024;
  const std::vector<std::pair<std::string, std::string>> cases{
      {"Primary",
       "Primary\nLight: p3: 0.18 0.388 0.898 1\nLight High Contrast: p3: 0.098 0.271 0.729 1\n"
       "Dark: p3: 0.431 0.588 1 1\nDark High Contrast: p3: 0.616 0.729 1 1"},
      {"Ink", "Ink\nLight: 0.078 0.094 0.122 1\nDark: 0.941 0.953 0.961 1"},
      {"Corner radius", "Corner radius\nLight: 8\nDark: 10.5"},
      {"Font family", "Font family\nLight: Inter\nLight High Contrast: Inter Display"},
      // An alias: where each variant leads and the colour it shows there, once.
      {"Link", "Link\nLight: → Blue ramp (p3: 0.255 0.439 0.878 1)"},
      {"Text on surface",
       "Text on surface\nLight: → Ink (0.078 0.094 0.122 1)\nDark: → Paper (1 1 1 1)\n"
       "Dark High Contrast: → Paper (1 1 1 1)"},
      // A ramp: a step per line, its variants named after the light one.
      {"Teal",
       "Teal\n1: 0.85 0.97 0.95 1; Dark: 0 0.2 0.2 1\n2: 0.77 0.888 0.87 1; Dark: 0.28 0.49 0.466 1\n"
       "3: 0.677 0.795 0.778 1; Dark: 0.392 0.647 0.614 1\n4: 0.564 0.685 0.67 1; Dark: 0.474 0.766 "
       "0.726 1\n5: 0.41 0.545 0.532 1; Dark: 0.542 0.864 0.819 1\n6: 0.02 0.33 0.32 1; Dark: 0.6 0.95 0.9 "
       "1"},
  };
  tavlo::viewer::ViewerDocument document(showcase);
  ASSERT_TRUE(document.reload());
  const auto all = tiles(showcase, width);
  for (const auto& [name, tooltip] : cases) {
    const auto tile = std::find_if(all.begin(), all.end(), [&](const Tile& t) { return t.name == name; });
    ASSERT_NE(tile, all.end()) << name;
    const auto item = document.itemAt({tile->x, tile->y}, width);
    ASSERT_TRUE(item) << name;
    EXPECT_EQ(tavlo::viewer::tileDescription(*item), tooltip);
  }
}

class ViewerWindowTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    for (const char* tool : {"Xvfb", "xdotool", "import"})
      if (!onPath(tool))
        missing_ = std::string(tool) + " is not installed (scripts/setup --test installs it)";
    if (missing_.empty()) server_ = new XServer;
  }
  static void TearDownTestSuite() {
    delete server_;
    server_ = nullptr;
  }
  void SetUp() override {
    if (!missing_.empty()) GTEST_SKIP() << missing_;
    ASSERT_FALSE(server_->display().empty()) << "Xvfb did not start";
  }

  // The viewer on `file`, drawn by the cairo renderer: Xvfb has no GL worth starting.
  std::unique_ptr<Process> open(const fs::path& file) {
    return std::make_unique<Process>(
        tooltest::Args{"env", "DISPLAY=" + server_->display(), "GDK_BACKEND=x11", "GDK_DEBUG=gl-disable",
                       "GSK_RENDERER=cairo", "TAVLO_VIEWER_REPORT=1", TAVLO_VIEWER_BIN, file.string()});
  }

  // Where the grid's origin is on the screen: the window sits at the
  // screen's origin, since no window manager moves it.
  struct Shown {
    double width = 0;
    int originX = 0, originY = 0;
    int windowHeight = 720;  // the window's default height, its frame included
    double visibleHeight() const { return windowHeight - originX - originY; }
  };
  Shown waitForGrid(Process& viewer) {
    Shown shown;
    const std::string grid = viewer.lineStartingWith("shown grid");
    const std::string area = viewer.lineStartingWith("area");
    EXPECT_FALSE(viewer.lineStartingWith("first-frame").empty());
    std::sscanf(grid.c_str(), "shown grid %lf", &shown.width);
    std::sscanf(area.c_str(), "area %d %d", &shown.originX, &shown.originY);
    return shown;
  }

  void expectSwatches(const fs::path& file, const Shown& shown, std::size_t atLeast) {
    const auto screen = server_->capture();
    const auto expected = swatches(file, shown.width, shown.visibleHeight());
    EXPECT_GE(expected.size(), atLeast);
    for (const Swatch& s : expected) {
      const Rgb seen = XServer::pixel(screen, shown.originX + int(s.x), shown.originY + int(s.y));
      EXPECT_TRUE(near(seen, s.expected))
          << s.name << " at " << s.x << "," << s.y << " is " << seen.r << " " << seen.g << " " << seen.b
          << ", expected " << s.expected.r << " " << s.expected.g << " " << s.expected.b;
    }
  }

  static inline XServer* server_ = nullptr;
  static inline std::string missing_;
};

TEST_F(ViewerWindowTest, SwatchesSitWhereTheFlowLayoutPutsThemAndReflowAt400Points) {
  auto viewer = open(showcase);
  const Shown wide = waitForGrid(*viewer);
  ASSERT_GT(wide.width, 900);
  expectSwatches(showcase, wide, 6);

  const std::string window = server_->client({"xdotool", "search", "--name", "showcase.tavlo"}).out;
  ASSERT_FALSE(window.empty());
  const int frame = wide.originX;  // the window's own frame, left and right
  server_->client(
      {"xdotool", "windowsize", window.substr(0, window.find('\n')), std::to_string(400 + 2 * frame), "700"});
  ASSERT_FALSE(viewer->lineStartingWith("shown grid 400 ").empty());
  const Shown narrow{400, wide.originX, wide.originY, 700};
  std::this_thread::sleep_for(300ms);  // the frame after the new layout
  // Two tiles to a row now: the third tile of the brand section is on a row of its own.
  expectSwatches(showcase, narrow, 3);
}

TEST_F(ViewerWindowTest, ShowsTheFileAsRewrittenWithinASecond) {
  tooltest::ScratchFolder folder;
  const fs::path file = folder / "live.tavlo";
  fs::copy_file(showcase, file);
  auto viewer = open(file);
  const Shown shown = waitForGrid(*viewer);

  // Saved as editors save: a new file renamed over the old one.
  std::string text = tooltest::slurp(file);
  const std::string ink = "0.078431 0.094118 0.12157 1";
  ASSERT_NE(text.find(ink), std::string::npos);
  text.replace(text.find(ink), ink.size(), "1 0 1 1");
  tooltest::spit(folder / "live.tavlo.new", text);
  const auto saved = Clock::now();
  fs::rename(folder / "live.tavlo.new", file);

  const Swatch inkTile = swatches(file, shown.width, 1e9).front();
  ASSERT_EQ(inkTile.name, "Ink");
  bool seen = false;
  while (!seen && Clock::now() - saved < 1s) {
    const Rgb now =
        XServer::pixel(server_->capture(), shown.originX + int(inkTile.x), shown.originY + int(inkTile.y));
    seen = near(now, {255, 0, 255});
  }
  EXPECT_TRUE(seen) << "the window did not show the new colour within a second";

  // Scrolled down, the window stays where it was when the file changes again.
  server_->client({"xdotool", "mousemove", "300", "300", "click", "--repeat", "3", "--delay", "50", "5"});
  std::string scrolled, line;
  while (!(line = viewer->lineStartingWith("scrolled", 500ms)).empty()) scrolled = line;
  ASSERT_FALSE(scrolled.empty()) << "the wheel did not scroll the grid";
  text.replace(text.find("1 0 1 1"), 7, "0 1 1 1");
  tooltest::spit(folder / "live.tavlo.new", text);
  fs::rename(folder / "live.tavlo.new", file);
  bool reloaded = false;
  while (!(line = viewer->lineStartingWith("", reloaded ? 500ms : 2s)).empty()) {
    reloaded = reloaded || line.starts_with("shown grid");
    if (line.starts_with("scrolled")) {
      EXPECT_EQ(line, scrolled);
    }
  }
  EXPECT_TRUE(reloaded);
  EXPECT_EQ(tooltest::slurp(file), text) << "the viewer wrote to the document";
}

TEST_F(ViewerWindowTest, FilesItCannotShowGetANoticeAndTheWindowStays) {
  struct Case {
    fs::path file;
    std::string shown;
  };
  tooltest::ScratchFolder folder;
  tooltest::spit(folder / "empty.tavlo", "");
  std::vector<Case> cases{
      {"/nonexistent/missing.tavlo", "shown error cannot read '/nonexistent/missing.tavlo'"},
      {fs::path(TAVLO_TEST_DATA), "shown error cannot read"}};
  for (const auto& entry : fs::directory_iterator(fs::path(TAVLO_TEST_DATA) / "hostile"))
    if (entry.path().extension() == ".tavlo") cases.push_back({entry.path(), "shown "});
  cases.push_back({folder / "empty.tavlo", "shown empty"});
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file.string());
    auto viewer = open(c.file);
    EXPECT_FALSE(viewer->lineStartingWith(c.shown).empty());
    std::this_thread::sleep_for(500ms);
    EXPECT_TRUE(viewer->isRunning());
  }
}

// Ctrl+C and the tile menu put the tile's colour on the X clipboard, read by
// another client while the viewer owns it.
TEST_F(ViewerWindowTest, CopiesTheTileColourToTheClipboard) {
  if (!onPath("xclip")) GTEST_SKIP() << "xclip is not installed (scripts/setup --test installs it)";
  enum class How { hover, menu, lastClicked, scrolled };
  struct Case {
    How how;
    std::string tile, copied;  // copied empty: nothing is copied
  };
  const std::string primary = "p3: 0.1804 0.3882 0.898 1", ink = "0.0784 0.0941 0.1216 1";
  const std::vector<Case> cases{
      {How::hover, "Ink", ink},
      {How::hover, "Primary", primary},
      {How::hover, "Accent", "1.05 0.42 -0.02 1"},         // extended sRGB, not clamped
      {How::hover, "Link", "p3: 0.2549 0.4392 0.8784 1"},  // an alias of a step of the P3 ramp
      {How::hover, "Blue ramp", ""},                       // a ramp has no one colour
      {How::menu, "Primary", primary},                     // the menu's item lies over Accent
      {How::lastClicked, "Ink", ink},                      // then over Paper, then over no tile
      {How::scrolled, "Primary", primary},                 // by more than the probe's depth in its tile
  };
  auto viewer = open(showcase);
  const Shown shown = waitForGrid(*viewer);
  using Point = std::pair<int, int>;
  auto screenPoint = [&](const std::string& name) {
    for (const Tile& t : tiles(showcase, shown.width))
      if (t.name == name) return Point{shown.originX + int(t.x), shown.originY + int(t.y)};
    ADD_FAILURE() << "no tile " << name;
    return Point{};
  };
  // The pointer moved to `p`, then `then` (a click, a key) there.
  auto at = [&](Point p, std::initializer_list<std::string> then) {
    tooltest::Args args{"xdotool", "mousemove", std::to_string(p.first), std::to_string(p.second)};
    args.insert(args.end(), then);
    server_->client(args);
  };
  std::string held;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.tile + ", case " + std::to_string(&c - cases.data()));
    Point p = screenPoint(c.tile);
    if (c.how == How::menu) {
      // Opened near the tile's top right corner, the menu drops below and to the
      // right of the pointer: its one item covers the next tile.
      p = {p.first + 75, p.second - 110};
      const Point item{p.first + 60, p.second + 24};
      const Rgb before = XServer::pixel(server_->capture(), item.first, item.second);
      at(p, {"click", "3"});
      const auto opened = Clock::now();
      while (near(XServer::pixel(server_->capture(), item.first, item.second), before))
        ASSERT_LT(Clock::now() - opened, 5s) << "the menu did not open";
      at(item, {"click", "1"});
    } else if (c.how == How::lastClicked) {
      at(p, {"click", "1"});
      at(screenPoint("Paper"), {"sleep", "0.1"});
      at({shown.originX + int(shown.width / 2), p.second}, {"key", "ctrl+c"});  // the row ends before
    } else {
      if (c.how == How::scrolled) {
        at(p, {"click", "--repeat", "3", "--delay", "50", "5"});
        std::string line, scrolled = "scrolled 0";
        while (!(line = viewer->lineStartingWith("scrolled", 500ms)).empty()) scrolled = line;
        const int by = std::stoi(scrolled.substr(9));
        ASSERT_GT(by, swatchProbeY) << "scrolled too little to tell the grid's coordinates from the window's";
        p.second -= by;
      }
      at(p, {"key", "ctrl+c"});
    }
    const std::string copied = viewer->lineStartingWith("copied", c.copied.empty() ? 500ms : 5s);
    EXPECT_EQ(copied.empty(), c.copied.empty()) << copied;
    if (!c.copied.empty()) held = c.copied;
    EXPECT_EQ(server_->client({"xclip", "-selection", "clipboard", "-o"}).out, held);
  }
}

TEST(ViewerDesktopEntry, IsValidAndOpensTheDocumentType) {
  const fs::path entry = fs::path(TAVLO_SOURCE_DIR) / "data" / "tavlo-viewer.desktop";
  if (!onPath("desktop-file-validate")) GTEST_SKIP() << "desktop-file-validate is not installed";
  const auto result = tooltest::run({"desktop-file-validate", entry.string()});
  EXPECT_EQ(result.status, 0) << result.out << result.err;
  EXPECT_NE(tooltest::slurp(entry).find("MimeType=application/x-tavlo;"), std::string::npos);
}

}  // namespace
