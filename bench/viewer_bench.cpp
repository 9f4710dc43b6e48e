// How quickly the viewer window answers, each figure against a baseline
// measured in the same run.
//
//   BM_ReLayoutOnWidthChange   a 10,000-item document: the window's work when
//                              its width changes (the grid prepared at the new
//                              width, then the first frame's band drawn),
//                              against the bare flow-layout pass over the
//                              same sections. Thread CPU time.
//   BM_FirstFrame              process start to the first frame painted, for
//                              the showcase against an empty document (what
//                              starting GTK and a window costs). Wall time,
//                              and the viewer's own processor time; needs an
//                              X display and, as a desktop session has, a
//                              message bus: run under
//                                dbus-run-session -- xvfb-run -a viewer_bench
//                              Without a bus GLib forks to start one, twice,
//                              which no desktop start pays.
#include <benchmark/benchmark.h>
#include <cairo.h>
#include <signal.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <string>

#include "TavloData/MerrinColorFileReader.h"
#include "TavloPreviewer/CollectionViewWrapperController.h"
#include "ViewerDocument.h"
#include "support/DocumentGenerator.h"

namespace {

namespace fs = std::filesystem;

double cpuSeconds() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

fs::path writeTemporary(const std::string& name, const std::string& bytes) {
  const fs::path path =
      fs::temp_directory_path() / ("viewer-bench-" + std::to_string(::getpid()) + "-" + name);
  std::ofstream(path, std::ios::binary) << bytes;
  return path;
}

void BM_ReLayoutOnWidthChange(benchmark::State& state) {
  const std::string bytes = tavlo::bench::generateDocument({.itemCount = 10000});
  const fs::path path = writeTemporary("10000.tavlo", bytes);
  tavlo::viewer::ViewerDocument document(path);
  if (!document.reload()) return state.SkipWithError(document.error()->c_str());

  auto project = tavlo::MerrinColorFileReader().parse(bytes);
  std::vector<tavlo::previewer::LeftAlignedFlowLayout::SectionShape> shapes;
  for (const auto& section : tavlo::previewer::gridSections(*project))
    shapes.push_back({static_cast<std::int64_t>(section.childItems.size()), section.parentItem != nullptr});
  auto bare = tavlo::previewer::CollectionViewWrapperController::makeGridLayout();

  constexpr int windowWidth = 1024, windowHeight = 720;
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, windowWidth, windowHeight);
  cairo_t* cr = cairo_create(surface);
  double baseline = 0, relayout = 0, frame = 0;
  int pass = 0;
  for (auto _ : state) {
    // Every pass is a width not seen before, so nothing measured earlier can be reused.
    const double width = windowWidth - 400 + (pass++ % 400);
    double start = cpuSeconds();
    bare->layOut(width, shapes);
    baseline += cpuSeconds() - start;

    start = cpuSeconds();
    benchmark::DoNotOptimize(document.contentHeight(width));
    relayout += cpuSeconds() - start;
    start = cpuSeconds();
    document.draw(cr, width, windowHeight, {0, 0, width, static_cast<double>(windowHeight)});
    frame += cpuSeconds() - start;
  }
  cairo_destroy(cr);
  cairo_surface_destroy(surface);
  fs::remove(path);
  const double n = static_cast<double>(state.iterations());
  state.counters["layout_pass_ms"] = baseline / n * 1e3;
  state.counters["relayout_ms"] = relayout / n * 1e3;
  state.counters["relayout_and_frame_ms"] = (relayout + frame) / n * 1e3;
  state.counters["relayout_ratio"] = relayout / baseline;
}
BENCHMARK(BM_ReLayoutOnWidthChange)->Unit(benchmark::kMillisecond);

struct FirstFrame {
  double wallSeconds = -1;  // negative: no frame came
  double cpuMilliseconds = 0;
};

// Starts the viewer on `file` and waits for its first painted frame.
FirstFrame firstFrame(const fs::path& file) {
  const auto start = std::chrono::steady_clock::now();
  const std::string command =
      "echo $$; exec env TAVLO_VIEWER_REPORT=1 GDK_DEBUG=gl-disable GSK_RENDERER=cairo '" +
      std::string(TAVLO_VIEWER_BIN) + "' '" + file.string() + "' 2>/dev/null";
  FILE* viewer = ::popen(command.c_str(), "r");
  FirstFrame frame;
  if (!viewer) return frame;
  char line[4096];
  const long pid = std::fgets(line, sizeof line, viewer) ? std::atol(line) : 0;
  while (std::fgets(line, sizeof line, viewer))
    if (std::sscanf(line, "first-frame cpu %lf", &frame.cpuMilliseconds) == 1) {
      frame.wallSeconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
      break;
    }
  if (pid > 0) ::kill(static_cast<pid_t>(pid), SIGTERM);
  ::pclose(viewer);
  return frame;
}

void BM_FirstFrame(benchmark::State& state) {
  if (!std::getenv("DISPLAY")) return state.SkipWithError("no X display: run under xvfb-run -a");
  if (!std::getenv("DBUS_SESSION_BUS_ADDRESS"))
    std::fputs(
        "viewer_bench: no session bus, so start-up includes GLib's attempts to start one; "
        "run under dbus-run-session for a desktop's figure\n",
        stderr);
  const fs::path showcase = fs::path(TAVLO_SOURCE_DIR) / "examples" / "showcase.tavlo";
  const fs::path empty = writeTemporary("empty.tavlo", "");
  FirstFrame baseline{0, 0}, measured{0, 0};
  for (auto _ : state) {
    const FirstFrame e = firstFrame(empty);
    const FirstFrame s = firstFrame(showcase);
    if (e.wallSeconds < 0 || s.wallSeconds < 0) {
      state.SkipWithError("the viewer painted no frame");
      break;
    }
    baseline.wallSeconds += e.wallSeconds;
    baseline.cpuMilliseconds += e.cpuMilliseconds;
    measured.wallSeconds += s.wallSeconds;
    measured.cpuMilliseconds += s.cpuMilliseconds;
    state.SetIterationTime(s.wallSeconds);
  }
  fs::remove(empty);
  const double n = static_cast<double>(state.iterations());
  state.counters["empty_document_ms"] = baseline.wallSeconds / n * 1e3;
  state.counters["showcase_ms"] = measured.wallSeconds / n * 1e3;
  state.counters["ratio"] = measured.wallSeconds / baseline.wallSeconds;
  // The viewer's own processor time to its first frame (GTK's start included).
  state.counters["empty_document_cpu_ms"] = baseline.cpuMilliseconds / n;
  state.counters["showcase_cpu_ms"] = measured.cpuMilliseconds / n;
}
BENCHMARK(BM_FirstFrame)->UseManualTime()->Iterations(5)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
