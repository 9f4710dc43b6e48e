// `tavlo thumbnail` as file managers run it: a square PNG of at most SIZE
// pixels, written whole or not at all, and a status that says which.
#include <gtest/gtest.h>
#include <png.h>

#include <array>
#include <optional>

#include "ToolSupport.h"

namespace {

using namespace tooltest;

// Runs the command (the tool when it starts with "thumbnail"); its exit status.
int run(Args command) {
  if (command[0] == "thumbnail") command.insert(command.begin(), TAVLO_BIN);
  return tooltest::run(command).status;
}

// A decoded PNG, 8-bit RGBA; absent when the file is not a whole PNG.
struct Image {
  int width = 0, height = 0;
  std::vector<png_byte> rgba;
  const png_byte* at(int x, int y) const { return &rgba[(std::size_t(y) * width + x) * 4]; }
};
std::optional<Image> readPng(const fs::path& path) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&image, path.c_str())) return std::nullopt;
  image.format = PNG_FORMAT_RGBA;
  Image out{int(image.width), int(image.height), std::vector<png_byte>(PNG_IMAGE_SIZE(image))};
  if (!png_image_finish_read(&image, nullptr, out.rgba.data(), 0, nullptr)) return std::nullopt;
  return out;
}

// A document of colour items, one per "r g b" (bytes), in that order, named
// `names` (or C0, C1, ...).
std::string swatches(const std::vector<std::array<int, 3>>& colours,
                     const std::vector<std::string>& names = {}) {
  std::string items;
  for (std::size_t i = 0; i < colours.size(); ++i) {
    std::string rgba;
    for (int c : colours[i]) rgba += std::to_string(c / 255.0) + " ";
    items += "<colorItem><name>" + (names.empty() ? "C" + std::to_string(i) : names[i]) +
             "</name><profile>sRGB</profile><color><variants><variant><rgba>" + rgba +
             "1</rgba></variant></variants></color></colorItem>";
  }
  return "<tavlo><project><colorItems>" + items + "</colorItems></project></tavlo>";
}

class ThumbnailTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(dir_ / "folder");
    // The first tile is a blue swatch whose white name is the thumbnail's text.
    spit(input_, swatches({{51, 102, 230}, {128, 128, 128}}, {"Brand Blue Wide", "Spacing"}));
  }
  // What the folder holds besides the input and the empty "folder".
  std::vector<std::string> leftovers() const {
    auto files = filesUnder(dir_);
    std::erase_if(files, [](const std::string& name) { return name == "tokens.tavlo" || name == "folder"; });
    return files;
  }
  ScratchFolder scratch_;
  const fs::path dir_ = scratch_.path();
  const std::string input_ = (dir_ / "tokens.tavlo").string();
};

TEST_F(ThumbnailTest, SizeIsClampedDefaultedAndDrawnWhole) {
  const std::string out = (dir_ / "thumb.png").string();
  const std::pair<Args, int> cases[] = {
      {{"-s", "256"}, 256}, {{"-s", "7"}, 7},        {{}, 128},
      {{"-s", "abc"}, 128}, {{"-s", "12px"}, 128},   {{"-s", "0"}, 1},
      {{"-s", "-40"}, 1},   {{"-s", "99999"}, 1024}, {{"-s", "1" + std::string(30, '0')}, 1024}};
  for (const auto& [sizeArgs, side] : cases) {
    std::ofstream(out) << "an earlier thumbnail, replaced whole";
    Args args{"thumbnail"};
    args.insert(args.end(), sizeArgs.begin(), sizeArgs.end());
    args.insert(args.end(), {input_, out});
    ASSERT_EQ(run(args), 0) << ::testing::PrintToString(sizeArgs);
    auto image = readPng(out);
    ASSERT_TRUE(image);
    EXPECT_EQ(image->width, side);
    EXPECT_EQ(image->height, side);
    EXPECT_EQ(leftovers(), std::vector<std::string>{"thumb.png"});
  }
}

TEST_F(ThumbnailTest, AGridOfTheFirstTilesInDocumentOrder) {
  using Colours = std::vector<std::array<int, 3>>;
  const Colours nine = {{40, 90, 220},  {220, 40, 40},  {40, 180, 60},   {230, 200, 30}, {150, 60, 200},
                        {30, 200, 210}, {240, 130, 20}, {120, 120, 120}, {250, 250, 250}};
  // The same first colour as `nine`, then others: it must not look the same.
  const Colours sameFirst = {{40, 90, 220}, {250, 250, 250}, {120, 120, 120}, {240, 130, 20}};
  struct Case {
    Colours document;
    int size, columns;
  };
  const Case cases[] = {
      {nine, 128, 2}, {nine, 256, 2}, {sameFirst, 256, 2},
      {nine, 384, 3}, {nine, 512, 3}, {{{240, 130, 20}}, 256, 1},  // one tile fills the square
  };
  for (const auto& [colours, size, columns] : cases) {
    SCOPED_TRACE(::testing::Message() << colours.size() << " tiles at " << size);
    spit(input_, swatches(colours));
    const std::string out = (dir_ / "grid.png").string();
    ASSERT_EQ(run({"thumbnail", "-s", std::to_string(size), input_, out}), 0);
    auto image = readPng(out);
    ASSERT_TRUE(image);
    ASSERT_EQ(image->width, size);
    // Cells of 160 points, 16 apart and from the edges; probed below their text.
    const double scale = size / (16 + 176.0 * columns);
    for (int cell = 0; cell < columns * columns; ++cell) {
      const int x = int((16 + 176 * (cell % columns) + 80) * scale);
      const int y = int((16 + 176 * (cell / columns) + 130) * scale);
      for (int c = 0; c < 3; ++c)
        EXPECT_NEAR(image->at(x, y)[c], colours[cell][c], 3) << "cell " << cell << " channel " << c;
    }
    // The grid's dark background at the corners and between the cells.
    const int gap = int((16 + 168) * scale);
    for (auto [x, y] : {std::pair{1, 1}, {size - 2, size - 2}, {gap, 2}, {2, gap}}) {
      EXPECT_LT(image->at(x, y)[0], 50);
      EXPECT_EQ(image->at(x, y)[3], 255);
    }
  }
}

TEST_F(ThumbnailTest, TheEmptyDocumentNoticeSitsInTheMiddle) {
  spit(input_, "");
  const std::string out = (dir_ / "empty.png").string();
  for (int size : {128, 256, 512}) {
    ASSERT_EQ(run({"thumbnail", "-s", std::to_string(size), input_, out}), 0);
    auto image = readPng(out);
    ASSERT_TRUE(image);
    // The bounding box of whatever is not the background: the notice.
    const png_byte* background = image->at(0, 0);
    int left = size, right = -1, top = size, bottom = -1;
    for (int y = 0; y < size; ++y)
      for (int x = 0; x < size; ++x)
        if (std::abs(image->at(x, y)[0] - background[0]) > 6) {
          left = std::min(left, x), right = std::max(right, x);
          top = std::min(top, y), bottom = std::max(bottom, y);
        }
    ASSERT_GE(right, left) << size << ": no notice";
    EXPECT_GT(right - left, size / 2) << size;
    EXPECT_NEAR((left + right) / 2.0, (size - 1) / 2.0, 1.5) << size;
    EXPECT_NEAR((top + bottom) / 2.0, (size - 1) / 2.0, 1.5) << size;
  }
}

TEST_F(ThumbnailTest, FailuresExitNonZeroAndLeaveNothingBehind) {
  const std::string folder = (dir_ / "folder").string(), out = (dir_ / "out.png").string();
  const Args cases[] = {
      {"thumbnail", "-s", "128", (dir_ / "missing.tavlo").string(), out},
      {"thumbnail", "-s", "128", folder, out},
      {"thumbnail", "-s", "128", input_, (dir_ / "no" / "such" / "out.png").string()},
      {"thumbnail", "-s", "128", input_, folder},
  };
  for (const auto& args : cases) {
    EXPECT_EQ(run(args), 1) << ::testing::PrintToString(args);
    EXPECT_EQ(leftovers(), std::vector<std::string>{}) << ::testing::PrintToString(args);
  }
  EXPECT_EQ(run({"thumbnail", "-s", "128", input_}), 2) << "no OUTPUT";
}

// The sandbox the desktop's thumbnail service runs thumbnailers in: the
// system read-only, no home, no font configuration, a private /tmp, no
// network, the input under a made-up name.
Args sandboxed(const fs::path& work, const Args& command) {
  const std::string tool = fs::canonical(TAVLO_BIN).parent_path();
  Args args;
  std::istringstream fixed(
      "bwrap --ro-bind /usr /usr --symlink usr/lib /lib --symlink usr/lib64 /lib64 --symlink usr/bin /bin "
      "--proc /proc --dev /dev --tmpfs /tmp --unshare-all --die-with-parent --new-session --clearenv "
      "--setenv PATH /usr/bin");
  for (std::string word; fixed >> word;) args.push_back(word);
  args.insert(args.end(), {"--ro-bind", tool, tool, "--bind", work, "/tmp/work"});
  // A sanitized build reads its settings from the environment, as outside.
  for (const char* name : {"ASAN_OPTIONS", "UBSAN_OPTIONS", "LSAN_OPTIONS"})
    if (const char* value = std::getenv(name)) args.insert(args.end(), {"--setenv", name, value});
  args.push_back("--");
  args.insert(args.end(), command.begin(), command.end());
  return args;
}

// Light pixels of the first tile's name line, at 256 pixels in a square of
// two by two: the strokes of its text.
int strokes(const Image& image) {
  int count = 0;
  for (int y = 14; y < 36; ++y)
    for (int x = 16; x < 120; ++x) count += image.at(x, y)[0] > 180 && image.at(x, y)[1] > 180;
  return count;
}

TEST_F(ThumbnailTest, ReadableInsideTheSandbox) {
  if (run(sandboxed("/tmp", {"/usr/bin/true"})) != 0)
    GTEST_SKIP() << "bubblewrap cannot make a sandbox here (not installed, or no user namespaces)";
  const fs::path work = dir_ / "work";
  fs::create_directories(work);
  // Names in every script the preview draws, four tiles of them.
  spit(dir_ / "scripts.tavlo", swatches(std::vector<std::array<int, 3>>(4, {51, 102, 230}),
                                        {"\u8272 \u6F22\u5B57 \u30AB\u30E9\u30FC",
                                         "\u0930\u0902\u0917 \u0E2A\u0E35\u0E44\u0E17\u0E22",
                                         "\u0644\u0648\u0646 \u05E6\u05D1\u05E2", "\U0001F3A8\U0001F308"}));
  for (const fs::path& input : {fs::path(input_), dir_ / "scripts.tavlo"}) {
    SCOPED_TRACE(input.filename());
    fs::remove_all(work);
    fs::create_directories(work);
    fs::copy_file(input, work / "gnome-thumbnail-Q3ZT1C");
    const ToolRun boxedRun =
        tooltest::run(sandboxed(work, {fs::canonical(TAVLO_BIN), "thumbnail", "-s", "256",
                                       "/tmp/work/gnome-thumbnail-Q3ZT1C", "/tmp/work/out.png"}));
    ASSERT_EQ(boxedRun.status, 0);
    // Without a font configuration or a cache to write, fontconfig has nothing to say either.
    EXPECT_EQ(boxedRun.err, "");
    auto boxed = readPng(work / "out.png");
    ASSERT_TRUE(boxed);
    EXPECT_EQ(boxed->width, 256);
    EXPECT_EQ(std::distance(fs::directory_iterator(work), fs::directory_iterator()), 2)
        << "wrote only its output";

    // Outside, the system's font configuration finds the fonts; inside, the
    // tool must find the same ones itself, so the names come out alike.
    const std::string reference = (dir_ / "reference.png").string();
    ASSERT_EQ(run({"thumbnail", "-s", "256", input.string(), reference}), 0);
    auto outside = readPng(reference);
    EXPECT_GT(strokes(*boxed), 40);
    EXPECT_NEAR(strokes(*boxed), strokes(*outside), strokes(*outside) / 20);
    int differing = 0;
    for (std::size_t i = 0; i < boxed->rgba.size(); ++i)
      differing += std::abs(boxed->rgba[i] - outside->rgba[i]) > 24;
    EXPECT_LT(differing, 256 * 256 * 4 / 100);
  }
}

}  // namespace
