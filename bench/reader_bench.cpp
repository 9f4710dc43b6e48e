// The document reader against a bare expat pass over the same bytes.
//
//   reader_bench                  benchmarks; counters: reader/expat time
//                                 ratio, per-item cost, then a summary of
//                                 the per-item growth from 10,000 to 100,000 items
//   reader_bench --memory         one read each of 10,000 and 100,000 items:
//                                 peak memory growth against the document size
#include <benchmark/benchmark.h>
#include <expat.h>
#include <malloc.h>
#include <sys/resource.h>

#include <cstdio>
#include <cstring>
#include <ctime>
#include <fstream>
#include <map>
#include <string>

#include "TavloData/MerrinColorFileReader.h"
#include "TavloData/MerrinColorProject.h"
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

const std::string& document(std::size_t items) {
  static std::map<std::size_t, std::string> cache;
  auto& text = cache[items];
  if (text.empty()) text = tavlo::bench::generateDocument({.itemCount = items});
  return text;
}

// The baseline: expat over the bytes with handlers that do nothing, the least
// any reader of the element tree has to pay.
void bareExpatPass(const std::string& bytes) {
  XML_Parser parser = XML_ParserCreate(nullptr);
  XML_SetElementHandler(
      parser, [](void*, const XML_Char*, const XML_Char**) {}, [](void*, const XML_Char*) {});
  XML_SetCharacterDataHandler(parser, [](void*, const XML_Char*, int) {});
  XML_Parse(parser, bytes.data(), static_cast<int>(bytes.size()), XML_TRUE);
  XML_ParserFree(parser);
}

double secondsOf(auto&& work) {
  const double start = cpuSeconds();
  work();
  return cpuSeconds() - start;
}

std::map<std::int64_t, double> perItemSeconds;

// Each iteration times the reader and the bare pass back to back, so the
// ratio compares the two under the same machine load.
void BM_ReadDocument(benchmark::State& state) {
  const auto items = static_cast<std::size_t>(state.range(0));
  const std::string& bytes = document(items);
  // Warm both paths (allocator, caches) before anything is timed.
  bareExpatPass(bytes);
  benchmark::DoNotOptimize(tavlo::MerrinColorFileReader().parse(bytes));

  double readerSeconds = 0, expatSeconds = 0;
  for (auto _ : state) {
    expatSeconds += secondsOf([&] { bareExpatPass(bytes); });
    const double reader = secondsOf([&] {
      auto project = tavlo::MerrinColorFileReader().parse(bytes);
      benchmark::DoNotOptimize(project);
    });
    readerSeconds += reader;
    state.SetIterationTime(reader);
  }
  const double iterations = static_cast<double>(state.iterations());
  state.counters["ratio_vs_expat"] = readerSeconds / expatSeconds;
  state.counters["ns_per_item"] = readerSeconds / iterations / static_cast<double>(items) * 1e9;
  state.counters["expat_ns_per_item"] = expatSeconds / iterations / static_cast<double>(items) * 1e9;
  state.counters["MB_per_s"] = static_cast<double>(bytes.size()) * iterations / readerSeconds / 1e6;
  perItemSeconds[state.range(0)] = readerSeconds / iterations / static_cast<double>(items);
}
BENCHMARK(BM_ReadDocument)->Arg(10000)->Arg(100000)->UseManualTime()->Unit(benchmark::kMillisecond);

// Peak resident memory: the kernel's high-water mark, reset just before the
// read where the kernel allows it (clear_refs "5"), else the process's peak.
long peakKilobytes() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line))
    if (line.rfind("VmHWM:", 0) == 0) return std::stol(line.substr(6));
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

long currentKilobytes() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line))
    if (line.rfind("VmRSS:", 0) == 0) return std::stol(line.substr(6));
  return 0;
}

bool resetPeak() {
  std::ofstream clear("/proc/self/clear_refs");
  clear << "5";
  clear.flush();
  return static_cast<bool>(clear);
}

int measureMemory() {
  xmltree::setParseErrorSink([](std::string_view) {});
  for (std::size_t items : {10000u, 100000u}) {
    std::string bytes = tavlo::bench::generateDocument({.itemCount = items});
    malloc_trim(0);  // hand back what generating left free, so the read cannot hide in it
    const bool reset = resetPeak();
    const long before = reset ? currentKilobytes() : peakKilobytes();
    {
      auto project = tavlo::MerrinColorFileReader().parse(bytes);
      benchmark::DoNotOptimize(project);
      const long peak = peakKilobytes();
      const double growth = static_cast<double>(peak - before) * 1024.0;
      std::printf("items %zu: document %.1f MB, peak growth %.1f MB = %.2fx document%s\n", items,
                  static_cast<double>(bytes.size()) / 1e6, growth / 1e6,
                  growth / static_cast<double>(bytes.size()),
                  reset ? "" : " (peak not resettable: upper bound)");
    }
    malloc_trim(0);
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  for (int i = 1; i < argc; ++i)
    if (std::strcmp(argv[i], "--memory") == 0) return measureMemory();
  xmltree::setParseErrorSink([](std::string_view) {});
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  if (perItemSeconds.count(10000) && perItemSeconds.count(100000))
    std::printf("per-item cost 100,000 / 10,000 items: %.2f\n",
                perItemSeconds[100000] / perItemSeconds[10000]);
  return 0;
}
