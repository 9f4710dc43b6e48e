// tavlo build's work against reading alone: a generated document of 10,000
// items with one CSS, one SCSS and one design-token task, all items linked.
// The build reads the document and runs the three tasks into memory (the
// files' bytes are made; writing them is the file system's cost).
//
//   export_bench            benchmarks, then "build / read" as the ratio of
//                           the best of eleven runs of each, taken in turns
//                           (thread CPU time)
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "TavloData/BuildGroup.h"
#include "TavloData/MerrinColorFileReader.h"
#include "TavloData/MerrinColorProject.h"
#include "TavloData/MerrinColorProjectItem.h"
#include "TavloExport/ExportJob.h"
#include "TavloExport/Exporter.h"
#include "support/DocumentGenerator.h"
#include "xmltree/XML.h"

namespace {

double cpuSeconds() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

const std::string& document() {
  static const std::string bytes = tavlo::bench::generateDocument({.itemCount = 10000});
  return bytes;
}

std::shared_ptr<tavlo::MerrinColorProject> readDocument() {
  return tavlo::MerrinColorFileReader().parse(document());
}

// Reads the document, links every top-level node to a group of three tasks
// and runs them; returns the bytes made, so nothing is optimised away.
std::size_t build() {
  auto project = readDocument();
  using tavlo::BuildFileType;
  using tavlo::BuildNameTransform;
  std::vector<std::shared_ptr<tavlo::BuildTask>> tasks{
      std::make_shared<tavlo::BuildTask>("1", "css", BuildNameTransform::kebabCase, "web", "tokens",
                                         BuildFileType::css),
      std::make_shared<tavlo::BuildTask>("2", "scss", BuildNameTransform::kebabCase, "web", "tokens",
                                         BuildFileType::scss),
      std::make_shared<tavlo::BuildTask>("3", "json", BuildNameTransform::camelCase, "tokens", "tokens",
                                         BuildFileType::jsonDesignToken)};
  auto group = std::make_shared<tavlo::BuildGroup>("All", "G", tasks);
  project->appendBuildGroup(group);
  for (const auto& node : project->items()) node->setBuildGroup(group);
  std::size_t bytes = 0;
  // As tavlo build does: the group's items resolved once for its three tasks.
  const auto resolved = std::make_shared<const tavlo::exports::GroupTokens>(*project, *group);
  for (const auto& task : tasks) {
    tavlo::exports::ExportJob job(resolved, *task, "generated.tavlo");
    tavlo::exports::Diagnostics diagnostics;
    for (const auto& file : tavlo::exports::runExport(job, diagnostics)) bytes += file.bytes.size();
  }
  return bytes;
}

void BM_Read(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(readDocument());
}
BENCHMARK(BM_Read)->Unit(benchmark::kMillisecond);

void BM_Build(benchmark::State& state) {
  std::size_t bytes = 0;
  for (auto _ : state) bytes = build();
  state.counters["output_bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_Build)->Unit(benchmark::kMillisecond);

// The best of eleven runs of each, taken in turns so that both see the same
// machine: on a shared machine a run can take half again as long.
std::pair<double, double> bestInTurns() {
  double read = 1e30, built = 1e30;
  for (int i = 0; i < 11; ++i) {
    double start = cpuSeconds();
    benchmark::DoNotOptimize(readDocument());
    read = std::min(read, cpuSeconds() - start);
    start = cpuSeconds();
    benchmark::DoNotOptimize(build());
    built = std::min(built, cpuSeconds() - start);
  }
  return {read, built};
}

}  // namespace

int main(int argc, char** argv) {
  xmltree::setParseErrorSink([](std::string_view) {});
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  const auto [readTime, buildTime] = bestInTurns();
  std::printf(
      "10,000 items: read %.1f ms, build (read + CSS, SCSS, design tokens) %.1f ms, build / read %.2f\n",
      readTime * 1e3, buildTime * 1e3, buildTime / readTime);
  return 0;
}
