// `tavlo thumbnail` as file managers run it: a square PNG of at most SIZE
// pixels, written whole or not at all, and a status that says which.
#include <gtest/gtest.h>
#include <png.h>

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

// The first tile is a blue swatch whose white name is the thumbnail's text.
const char* const document = R"(<?xml version="1.0" encoding="UTF-8"?>
<tavlo xmlns="https://tavlo.example/tavlo"><project><colorItems>
<colorItem><name>Brand Blue Wide</name><profile>sRGB</profile><color><variants><variant><rgba>0.2 0.4 0.9 1</rgba></variant></variants></color></colorItem>
<numberItem><name>Spacing</name><number><variants><variant><value>8</value></variant></variants></number></numberItem>
</colorItems></project></tavlo>
)";

class ThumbnailTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(dir_ / "folder");
    spit(input_, document);
  }
  // What the folder holds besides the input and the empty "folder".
  std::vector<std::string> leftovers() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::recursive_directory_iterator(dir_))
      if (entry.path() != input_ && entry.path() != dir_ / "folder") names.push_back(entry.path().filename());
    return names;
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
  // At 256 the first tile sits in the middle on the grid's dark background.
  ASSERT_EQ(run({"thumbnail", "-s", "256", input_, out}), 0);
  auto image = readPng(out);
  const png_byte* swatch = image->at(128, 200);
  EXPECT_NEAR(swatch[0], 51, 2);
  EXPECT_NEAR(swatch[1], 102, 2);
  EXPECT_NEAR(swatch[2], 230, 2);
  for (auto [x, y] : {std::pair{3, 3}, {252, 252}, {128, 3}, {3, 250}}) {
    EXPECT_LT(image->at(x, y)[0], 50);
    EXPECT_EQ(image->at(x, y)[0], image->at(3, 3)[0]);
    EXPECT_EQ(image->at(x, y)[3], 255);
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

// Light pixels of the first tile's name line: the strokes of its text.
int strokes(const Image& image) {
  int count = 0;
  for (int y = 24; y < 48; ++y)
    for (int x = 30; x < 220; ++x) count += image.at(x, y)[0] > 180 && image.at(x, y)[1] > 180;
  return count;
}

TEST_F(ThumbnailTest, ReadableInsideTheSandbox) {
  if (run(sandboxed("/tmp", {"/usr/bin/true"})) != 0)
    GTEST_SKIP() << "bubblewrap cannot make a sandbox here (not installed, or no user namespaces)";
  const fs::path work = dir_ / "work";
  fs::create_directories(work);
  fs::copy_file(input_, work / "gnome-thumbnail-Q3ZT1C");
  ASSERT_EQ(run(sandboxed(work, {fs::canonical(TAVLO_BIN), "thumbnail", "-s", "256",
                                 "/tmp/work/gnome-thumbnail-Q3ZT1C", "/tmp/work/out.png"})),
            0);
  auto boxed = readPng(work / "out.png");
  ASSERT_TRUE(boxed);
  EXPECT_EQ(boxed->width, 256);
  EXPECT_EQ(std::distance(fs::directory_iterator(work), fs::directory_iterator()), 2)
      << "wrote only its output";

  // Outside, the system's font configuration finds the fonts; inside, the
  // tool must find the same ones itself, so the name comes out alike.
  const std::string reference = (dir_ / "reference.png").string();
  ASSERT_EQ(run({"thumbnail", "-s", "256", input_, reference}), 0);
  auto outside = readPng(reference);
  EXPECT_GT(strokes(*boxed), 150);
  EXPECT_NEAR(strokes(*boxed), strokes(*outside), strokes(*outside) / 20);
  int differing = 0;
  for (std::size_t i = 0; i < boxed->rgba.size(); ++i)
    differing += std::abs(boxed->rgba[i] - outside->rgba[i]) > 24;
  EXPECT_LT(differing, 256 * 256 * 4 / 100);
}

}  // namespace
