// The document reader against a bare expat pass over the same bytes, on two
// documents: the generator's usual mix (a tenth of the items are aliases) and
// one where a quarter of the items are aliases.
//
//   reader_bench                  benchmarks; counters: reader/expat time
//                                 ratio, per-item cost, then a summary of
//                                 the per-item growth from 10,000 to 100,000 items;
//                                 `lint` (the read with a diagnostics sink, its
//                                 findings sorted) against `stats` (the plain
//                                 read and the counts)
//   reader_bench --one-shot       fresh processes that each read one document
//                                 of 100,000 items once: reader/expat time
//                                 ratio (median of five processes)
//   reader_bench --memory         one read each of 10,000 and 100,000 items:
//                                 peak memory growth against the document size
#include <benchmark/benchmark.h>
#include <expat.h>
#include <malloc.h>
#include <sys/resource.h>

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fstream>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "TavloData/Diagnostics.h"
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

// The two documents: the usual mix, and a quarter of the items aliases.
constexpr std::size_t kAliasShares[] = {0, 25};

const char* shareLabel(std::size_t aliasesPerHundred) {
  return aliasesPerHundred == 0 ? "usual mix" : "quarter aliases";
}

std::string makeDocument(std::size_t items, std::size_t aliasesPerHundred) {
  return tavlo::bench::generateDocument({.itemCount = items, .aliasesPerHundred = aliasesPerHundred});
}

const std::string& document(std::size_t items, std::size_t aliasesPerHundred) {
  static std::map<std::pair<std::size_t, std::size_t>, std::string> cache;
  auto& text = cache[{items, aliasesPerHundred}];
  if (text.empty()) text = makeDocument(items, aliasesPerHundred);
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

// Per-item reader seconds by (items, aliases per hundred).
std::map<std::pair<std::int64_t, std::int64_t>, double> perItemSeconds;

// Each iteration times the reader and the bare pass back to back, so the
// ratio compares the two under the same machine load.
void BM_ReadDocument(benchmark::State& state) {
  const auto items = static_cast<std::size_t>(state.range(0));
  const std::string& bytes = document(items, static_cast<std::size_t>(state.range(1)));
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
  perItemSeconds[{state.range(0), state.range(1)}] = readerSeconds / iterations / static_cast<double>(items);
}
BENCHMARK(BM_ReadDocument)
    ->ArgNames({"items", "aliasesPerHundred"})
    ->ArgsProduct({{10000, 100000}, {0, 25}})
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

// What `tavlo lint` does against what `tavlo stats` does, back to back in
// each iteration, on the same document.
void BM_LintDocument(benchmark::State& state) {
  const std::string& bytes = document(static_cast<std::size_t>(state.range(0)), 25);
  auto stats = [&] {
    auto project = tavlo::MerrinColorFileReader().parse(bytes);
    benchmark::DoNotOptimize(project->projectStats());
  };
  std::size_t findings = 0;
  auto lint = [&] {
    tavlo::DiagnosticSink sink;
    auto project = tavlo::MerrinColorFileReader().parse(bytes, &sink);
    benchmark::DoNotOptimize(project);
    findings = sink.sortedDiagnostics().size();
  };
  stats();
  lint();
  double lintSeconds = 0, statsSeconds = 0;
  for (auto _ : state) {
    statsSeconds += secondsOf(stats);
    const double seconds = secondsOf(lint);
    lintSeconds += seconds;
    state.SetIterationTime(seconds);
  }
  state.counters["ratio_vs_stats"] = lintSeconds / statsSeconds;
  state.counters["findings"] = static_cast<double>(findings);
}
BENCHMARK(BM_LintDocument)->ArgNames({"items"})->Arg(100000)->UseManualTime()->Unit(benchmark::kMillisecond);

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
  for (std::size_t share : kAliasShares)
    for (std::size_t items : {10000u, 100000u}) {
      std::string bytes = makeDocument(items, share);
      malloc_trim(0);  // hand back what generating left free, so the read cannot hide in it
      const bool reset = resetPeak();
      const long before = reset ? currentKilobytes() : peakKilobytes();
      {
        auto project = tavlo::MerrinColorFileReader().parse(bytes);
        benchmark::DoNotOptimize(project);
        const long peak = peakKilobytes();
        const double growth = static_cast<double>(peak - before) * 1024.0;
        std::printf("%s, items %zu: document %.1f MB, peak growth %.1f MB = %.2fx document%s\n",
                    shareLabel(share), items, static_cast<double>(bytes.size()) / 1e6, growth / 1e6,
                    growth / static_cast<double>(bytes.size()),
                    reset ? "" : " (peak not resettable: upper bound)");
      }
      malloc_trim(0);
    }
  return 0;
}

// One read in the process it runs in, as a command that opens one document
// does: nothing warmed, the heap grown from scratch, the project released at
// the end. Prints the reader's and the bare pass's seconds.
int oneShotChild(std::size_t aliasesPerHundred) {
  xmltree::setParseErrorSink([](std::string_view) {});
  const std::string bytes = makeDocument(100000, aliasesPerHundred);
  malloc_trim(0);  // as in a process that has only just read the file
  const double expat = secondsOf([&] { bareExpatPass(bytes); });
  const double reader = secondsOf([&] {
    auto project = tavlo::MerrinColorFileReader().parse(bytes);
    benchmark::DoNotOptimize(project);
  });
  std::printf("%.9f %.9f\n", reader, expat);
  return 0;
}

// Runs the one-shot read in five fresh processes per document and reports the
// median ratio.
int measureOneShot(const char* self) {
  for (std::size_t share : kAliasShares) {
    std::vector<double> ratios;
    double readerTotal = 0, expatTotal = 0;
    for (int run = 0; run < 5; ++run) {
      int channel[2];
      if (pipe(channel) != 0) return 1;
      const pid_t child = fork();
      if (child == 0) {
        dup2(channel[1], STDOUT_FILENO);
        close(channel[0]);
        close(channel[1]);
        const std::string shareText = std::to_string(share);
        execl(self, self, "--one-shot-child", shareText.c_str(), static_cast<char*>(nullptr));
        _exit(127);
      }
      close(channel[1]);
      char line[128] = {};
      const ssize_t length = read(channel[0], line, sizeof line - 1);
      close(channel[0]);
      int status = 0;
      waitpid(child, &status, 0);
      double reader = 0, expat = 0;
      if (length <= 0 || std::sscanf(line, "%lf %lf", &reader, &expat) != 2 || expat <= 0) return 1;
      ratios.push_back(reader / expat);
      readerTotal += reader;
      expatTotal += expat;
    }
    std::sort(ratios.begin(), ratios.end());
    std::printf("%s, 100000 items, one-shot: reader %.0f ms, bare expat %.0f ms, ratio %.2f (median of 5)\n",
                shareLabel(share), readerTotal / 5 * 1e3, expatTotal / 5 * 1e3, ratios[2]);
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--memory") == 0) return measureMemory();
    if (std::strcmp(argv[i], "--one-shot") == 0) return measureOneShot("/proc/self/exe");
    if (std::strcmp(argv[i], "--one-shot-child") == 0 && i + 1 < argc)
      return oneShotChild(static_cast<std::size_t>(std::atoi(argv[i + 1])));
  }
  xmltree::setParseErrorSink([](std::string_view) {});
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  for (std::int64_t share : kAliasShares)
    if (perItemSeconds.count({10000, share}) && perItemSeconds.count({100000, share}))
      std::printf("%s: per-item cost 100,000 / 10,000 items: %.2f\n",
                  shareLabel(static_cast<std::size_t>(share)),
                  perItemSeconds[{100000, share}] / perItemSeconds[{10000, share}]);
  return 0;
}
