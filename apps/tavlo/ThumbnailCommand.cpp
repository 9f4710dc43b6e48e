// tavlo thumbnail -s SIZE INPUT OUTPUT: the desktop's thumbnailer. File
// managers run it on whatever file they come across, unattended and with no
// limits of their own, so it sets its own: a time limit, an address-space
// limit, a clamped size, and it writes nothing but OUTPUT.
#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <climits>
#include <cstring>
#include <exception>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "Command.h"
#include "ProjectInput.h"
#include "TavloPreviewer/PreviewDrawing.h"
#include "VariantOption.h"
#include "hostkit/Renderer.h"

namespace tavlo::cli {

namespace {

namespace fs = std::filesystem;

// What the thumbnail is asked for when SIZE is missing or not a number, and
// the range any SIZE is brought into (pixels).
constexpr int defaultThumbnailSize = 128;
constexpr int minThumbnailSize = 1;
constexpr int maxThumbnailSize = 1024;

// The limits of one run.
constexpr unsigned watchdogSeconds = 10;
constexpr rlim_t addressSpaceLimit = rlim_t(1) << 30;

// The temporary file beside OUTPUT while it is being written; empty when
// there is none. A fixed buffer, because the watchdog reads it from a signal
// handler.
char temporaryPath[PATH_MAX + 32] = {};

extern "C" void watchdogExpired(int) {
  if (temporaryPath[0] != '\0') ::unlink(temporaryPath);
  ::_exit(1);
}

void limitThisRun() {
  struct sigaction action {};
  action.sa_handler = watchdogExpired;
  sigemptyset(&action.sa_mask);
  ::sigaction(SIGALRM, &action, nullptr);
  ::alarm(watchdogSeconds);
#ifndef TAVLO_UNDER_SANITIZER
  // The sanitizers reserve terabytes of address space up front; a limit
  // would only stop them.
  struct rlimit limit {};
  if (::getrlimit(RLIMIT_AS, &limit) == 0 &&
      (limit.rlim_cur == RLIM_INFINITY || limit.rlim_cur > addressSpaceLimit)) {
    limit.rlim_cur = addressSpaceLimit;
    if (limit.rlim_max != RLIM_INFINITY && limit.rlim_max < limit.rlim_cur) limit.rlim_cur = limit.rlim_max;
    ::setrlimit(RLIMIT_AS, &limit);
  }
#endif
}

int thumbnailSize(const std::string& text) {
  long long value = 0;
  const char* end = text.data() + text.size();
  auto [ptr, ec] = std::from_chars(text.data(), end, value);
  if (text.empty() || ec == std::errc::invalid_argument || ptr != end) return defaultThumbnailSize;
  if (ec == std::errc::result_out_of_range) return text[0] == '-' ? minThumbnailSize : maxThumbnailSize;
  return static_cast<int>(std::clamp<long long>(value, minThumbnailSize, maxThumbnailSize));
}

// The raster brought down to size × size by averaging the source pixels
// each target pixel covers; used when the drawing could not be drawn that
// small directly.
hostkit::Raster shrunkTo(const hostkit::Raster& source, int size) {
  hostkit::Raster out;
  out.width = out.height = size;
  out.outputSpace = source.outputSpace;
  out.pixels.resize(static_cast<std::size_t>(size) * size);
  for (int ty = 0; ty < size; ++ty) {
    const int y0 = ty * source.height / size, y1 = std::max(y0 + 1, (ty + 1) * source.height / size);
    for (int tx = 0; tx < size; ++tx) {
      const int x0 = tx * source.width / size, x1 = std::max(x0 + 1, (tx + 1) * source.width / size);
      std::uint64_t sum[4] = {};
      std::uint64_t count = 0;
      for (int y = y0; y < y1 && y < source.height; ++y)
        for (int x = x0; x < x1 && x < source.width; ++x) {
          // Premultiplied words average correctly channel by channel.
          const std::uint32_t p = source.pixels[static_cast<std::size_t>(y) * source.width + x];
          for (int c = 0; c < 4; ++c) sum[c] += (p >> (8 * c)) & 0xFF;
          ++count;
        }
      std::uint32_t word = 0;
      for (int c = 0; c < 4; ++c)
        word |= static_cast<std::uint32_t>(count ? (sum[c] + count / 2) / count : 0) << (8 * c);
      out.pixels[static_cast<std::size_t>(ty) * size + tx] = word;
    }
  }
  return out;
}

bool writeAll(int fd, const std::vector<unsigned char>& bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    done += static_cast<std::size_t>(n);
  }
  return true;
}

// OUTPUT appears complete or not at all: the bytes go to a temporary file
// beside it, which is renamed over it.
bool writeOutput(const std::string& output, const std::vector<unsigned char>& bytes) {
  const fs::path path(output);
  const std::string temporary =
      (path.parent_path() / ("." + path.filename().string() + ".tavlo-XXXXXX")).string();
  if (temporary.size() >= sizeof temporaryPath) {
    printError("cannot write '" + output + "': " + std::strerror(ENAMETOOLONG));
    return false;
  }
  std::memcpy(temporaryPath, temporary.c_str(), temporary.size() + 1);
  const int fd = ::mkostemp(temporaryPath, O_CLOEXEC);
  if (fd < 0) {
    const int error = errno;
    temporaryPath[0] = '\0';
    printError("cannot write '" + output + "': " + std::strerror(error));
    return false;
  }
  bool ok = writeAll(fd, bytes) && ::fsync(fd) == 0;
  int error = errno;
  if (::close(fd) != 0 && ok) {
    ok = false;
    error = errno;
  }
  // Past this point the watchdog must not undo a finished thumbnail.
  ::alarm(0);
  if (ok && ::rename(temporaryPath, output.c_str()) != 0) {
    ok = false;
    error = errno;
  }
  if (!ok) {
    ::unlink(temporaryPath);
    printError("cannot write '" + output + "': " + std::strerror(error));
  }
  temporaryPath[0] = '\0';
  return ok;
}

struct ThumbnailOptions {
  std::string size;
  std::string input;
  std::string output;
  ColorSource variant = ColorSource::light;
};

int runThumbnail(const ThumbnailOptions& options) {
  limitThisRun();
  const int size = thumbnailSize(options.size);

  reportParseErrorsOnStderr();
  previewer::PreparedPreview prepared = previewer::preparePreview(options.input);
  if (prepared.error) {
    printError(prepared.error->message);
    return 1;
  }
  prepared.controller->setColorSource(options.variant);

  const hostkit::Drawing drawing =
      previewer::thumbnailDrawing(*prepared.controller, previewer::thumbnailColumns(size));
  const double side = drawing.size().width;
  hostkit::RenderOptions render;
  // Just under size / side, so that rounding up lands on exactly `size` pixels.
  render.scale = (size - 1e-6) / side;
  std::string error;
  std::optional<hostkit::Raster> square =
      hostkit::rasterize(drawing, render, std::nullopt, std::nullopt, &error);
  if (!square) {
    printError("cannot draw the thumbnail: " + error);
    return 1;
  }
  // The renderer draws no smaller than a tenth of a point per pixel.
  if (square->width != size || square->height != size) square = shrunkTo(*square, size);

  auto png = hostkit::encodePNG(*square, &error);
  if (!png) {
    printError("cannot encode the thumbnail: " + error);
    return 1;
  }
  return writeOutput(options.output, *png) ? 0 : 1;
}

CommandRun setupThumbnail(CLI::App& command) {
  auto options = std::make_shared<ThumbnailOptions>();
  command.add_option(
      "-s,--size", options->size,
      "Largest side of the thumbnail in pixels, 1 to 1024 (default and when not a number: 128)");
  command.add_option("INPUT", options->input, "The document")->required();
  command.add_option("OUTPUT", options->output, "Where to write the PNG")->required();
  addVariantOption(command, options->variant);
  return [options] {
    // Memory runs out under the address-space limit as an exception; the
    // file manager still gets a plain failure rather than a crash.
    try {
      return runThumbnail(*options);
    } catch (const std::exception& error) {
      printError(std::string("cannot make the thumbnail: ") + error.what());
      return 1;
    }
  };
}

const CommandRegistration thumbnail{
    "thumbnail", "Write a square PNG thumbnail of a document, as desktops ask for", setupThumbnail};

}  // namespace

}  // namespace tavlo::cli
