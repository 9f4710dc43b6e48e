// tavlo dump FILE: the project as JSON on standard output.
#include <iostream>
#include <string>

#include "Command.h"
#include "DumpJson.h"
#include "ProjectInput.h"

namespace tavlo::cli {

namespace {

CommandRun setupDump(CLI::App& command) {
  auto path = std::make_shared<std::string>();
  command.add_option("FILE", *path, "The document to print")->required();
  return [path] {
    auto project = readProjectFile(*path);
    if (!project) return 1;
    // Names come from documents of any origin: replace invalid UTF-8 rather than throw.
    std::cout << projectToJson(*project).dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace)
              << '\n';
    return 0;
  };
}

const CommandRegistration registration{"dump", "Print a document's project as JSON", setupDump};

}  // namespace

}  // namespace tavlo::cli
