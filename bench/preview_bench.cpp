// The stages of `tavlo preview` on a generated document, each against the
// document reader alone over the same bytes, measured in the same run.
//
//   preview_bench                      benchmarks; counters per stage (ms of
//                                      thread CPU time) and its ratio to the reader
//   preview_bench --write-document F [N]
//                                      writes the N-item document (default
//                                      1,000) to F, for timing the command
//                                      itself with --timings
//   preview_bench --write-svg D F N    writes the whole preview of document D
//                                      (of N items) to F as SVG, as `tavlo
//                                      preview --max-height 0 -o F D` does,
//                                      and prints its size and peak memory
//
// After the benchmarks it prints the size of the 10,000-item document's whole
// SVG preview and the peak memory of the process that wrote it.
#include <benchmark/benchmark.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <string>

#include "TavloData/MerrinColorFileReader.h"
#include "TavloData/MerrinColorProject.h"
#include "TavloPreviewer/PreviewDrawing.h"
#include "hostkit/Renderer.h"
#include "support/DocumentGenerator.h"
#include "xmltree/XML.h"

namespace {

// Thread CPU time: the machine is shared, and wall time would count other
// programs' turns on the processor as ours.
double cpuSeconds() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

double secondsOf(auto&& work) {
  const double start = cpuSeconds();
  work();
  return cpuSeconds() - start;
}

std::string document(std::size_t items) {
  return tavlo::bench::generateDocument({.itemCount = items});
}

void BM_PreviewStages(benchmark::State& state) {
  const auto items = static_cast<std::size_t>(state.range(0));
  const std::string bytes = document(items);
  const auto path =
      std::filesystem::temp_directory_path() / ("preview-bench-" + std::to_string(::getpid()) + ".tavlo");
  std::ofstream(path, std::ios::binary) << bytes;

  double reader = 0, reading = 0, layout = 0, drawing = 0, encoding = 0;
  for (auto _ : state) {
    reader += secondsOf([&] { benchmark::DoNotOptimize(tavlo::MerrinColorFileReader().parse(bytes)); });

    tavlo::previewer::PreparedPreview prepared;
    reading += secondsOf([&] { prepared = tavlo::previewer::preparePreview(path); });
    if (prepared.error) {
      state.SkipWithError(prepared.error->message.c_str());
      break;
    }

    std::optional<hostkit::Drawing> sized;
    layout += secondsOf([&] {
      sized.emplace(
          tavlo::previewer::previewDrawing(*prepared.controller, tavlo::previewer::defaultPreviewWidth));
      benchmark::DoNotOptimize(sized->layout());
    });

    const hostkit::RenderOptions options;
    for (const hostkit::Band& band :
         hostkit::splitIntoBands(sized->size().height, hostkit::maxBandHeight(options))) {
      std::optional<hostkit::Raster> raster;
      drawing += secondsOf([&] { raster = hostkit::rasterize(*sized, options, band.top, band.height); });
      if (!raster) {
        state.SkipWithError("drawing failed");
        break;
      }
      encoding += secondsOf([&] { benchmark::DoNotOptimize(hostkit::encodePNG(*raster)); });
    }
  }
  std::filesystem::remove(path);

  const double n = static_cast<double>(state.iterations());
  auto counter = [&](double total) { return benchmark::Counter(total / n * 1e3); };
  state.counters["reader_ms"] = counter(reader);
  state.counters["reading_ms"] = counter(reading);
  state.counters["layout_ms"] = counter(layout);
  state.counters["drawing_ms"] = counter(drawing);
  state.counters["encoding_ms"] = counter(encoding);
  if (reader > 0) {
    state.counters["reading/reader"] = reading / reader;
    state.counters["layout/reader"] = layout / reader;
    state.counters["drawing/reader"] = drawing / reader;
    state.counters["encoding/reader"] = encoding / reader;
  }
}
BENCHMARK(BM_PreviewStages)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond)->Iterations(3);

std::string grouped(std::size_t n) {
  std::string digits = std::to_string(n);
  for (auto at = digits.size(); at > 3; at -= 3) digits.insert(at - 3, ",");
  return digits;
}

// The peak memory of this process image, in bytes: VmHWM is the new image's
// own after an exec, where getrusage would carry the parent's over.
double peakMemory() {
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);)
    if (line.rfind("VmHWM:", 0) == 0) return std::strtod(line.c_str() + 6, nullptr) * 1024;
  return 0;
}

int writePreviewSVG(const std::filesystem::path& path, const std::filesystem::path& out, const char* items) {
  const tavlo::previewer::PreparedPreview prepared = tavlo::previewer::preparePreview(path);
  if (prepared.error) return 1;
  const hostkit::Drawing drawing =
      tavlo::previewer::previewDrawing(*prepared.controller, tavlo::previewer::defaultPreviewWidth);
  if (!hostkit::writeSVG(drawing, out).ok) return 1;
  std::error_code error;
  const auto bytes = std::filesystem::file_size(out, error);
  std::printf("%s items: SVG %.1f MB, peak memory %.0f MB\n", items, static_cast<double>(bytes) / 1e6,
              peakMemory() / 1e6);
  return 0;
}

// The SVG is written by a process of its own, so that its peak memory is the
// command's alone, not the benchmarks' or the document generator's.
void reportSVGSize(const char* self, std::size_t items) {
  const auto base = std::filesystem::temp_directory_path() / ("preview-bench-" + std::to_string(::getpid()));
  const std::string path = base.string() + ".tavlo", svg = base.string() + ".svg", count = grouped(items);
  std::ofstream(path, std::ios::binary) << document(items);
  std::fflush(stdout);
  char* const args[] = {const_cast<char*>(self),          const_cast<char*>("--write-svg"),
                        const_cast<char*>(path.c_str()),  const_cast<char*>(svg.c_str()),
                        const_cast<char*>(count.c_str()), nullptr};
  pid_t child = 0;
  int status = 0;
  if (::posix_spawn(&child, "/proc/self/exe", nullptr, nullptr, args, environ) != 0 ||
      ::waitpid(child, &status, 0) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
    std::printf("%s items: SVG not written\n", count.c_str());
  std::filesystem::remove(path);
  std::filesystem::remove(svg);
}

}  // namespace

int main(int argc, char** argv) {
  for (int i = 1; i + 1 < argc; ++i)
    if (std::strcmp(argv[i], "--write-document") == 0) {
      const std::size_t items = i + 2 < argc ? std::strtoul(argv[i + 2], nullptr, 10) : 1000;
      std::ofstream(argv[i + 1], std::ios::binary) << document(items);
      return 0;
    }
  xmltree::setParseErrorSink([](std::string_view) {});
  if (argc == 5 && std::strcmp(argv[1], "--write-svg") == 0)
    return writePreviewSVG(argv[2], argv[3], argv[4]);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  reportSVGSize(argv[0], 10000);
  return 0;
}
