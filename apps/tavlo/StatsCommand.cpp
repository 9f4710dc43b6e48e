// tavlo stats FILE: how many items of each kind the document holds, one
// "counter: value" line per statistics counter, in the counters' order.
#include <iostream>
#include <string>

#include "Command.h"
#include "ProjectInput.h"
#include "TavloData/MerrinColorProjectStatistics.h"

namespace tavlo::cli {

namespace {

CommandRun setupStats(CLI::App& command) {
  auto path = std::make_shared<std::string>();
  command.add_option("FILE", *path, "The document to count")->required();
  return [path] {
    auto project = readProjectFile(*path);
    if (!project) return 1;
    const MerrinColorProjectStatistics stats = project->projectStats();
    for (const auto& field : merrinColorProjectStatisticsFields)
      std::cout << field.name << ": " << stats.*field.counter << '\n';
    return 0;
  };
}

const CommandRegistration registration{"stats", "Print the number of items of each kind in a document",
                                       setupStats};

}  // namespace

}  // namespace tavlo::cli
