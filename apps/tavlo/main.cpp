// tavlo: read, preview and write Tavlo design-token documents.
#include "Command.h"

#include <clocale>
#include <iostream>
#include <map>
#include <memory>
#include <string>

namespace tavlo::cli {

namespace {

struct Entry {
  std::string description;
  CommandSetup setup;
};

// Sorted by name, so help lists the subcommands in a stable order.
std::map<std::string, Entry>& registry() {
  static std::map<std::string, Entry> commands;
  return commands;
}

}  // namespace

CommandRegistration::CommandRegistration(std::string name, std::string description, CommandSetup setup) {
  registry().emplace(std::move(name), Entry{std::move(description), std::move(setup)});
}

void printError(std::string_view message) {
  std::cerr << "tavlo: " << message << '\n';
}

}  // namespace tavlo::cli

int main(int argc, char** argv) {
  // Numbers shown to people follow the user's locale; every file format and
  // colour text pins "." itself.
  std::setlocale(LC_ALL, "");
  std::setlocale(LC_NUMERIC, "C");

  CLI::App app{"Read, preview and write Tavlo design-token documents.", "tavlo"};
  app.set_version_flag("--version", std::string("tavlo ") + TAVLO_VERSION);
  app.require_subcommand(1);

  int status = 0;
  for (auto& [name, entry] : tavlo::cli::registry()) {
    CLI::App* sub = app.add_subcommand(name, entry.description);
    sub->callback([run = entry.setup(*sub), &status] { status = run(); });
  }

  // The parser would only say that a subcommand is required.
  if (argc > 1 && argv[1][0] != '-' && !tavlo::cli::registry().contains(argv[1])) {
    tavlo::cli::printError("unknown subcommand '" + std::string(argv[1]) + "' (see 'tavlo --help')");
    return 2;
  }

  try {
    app.parse(argc, argv);
  } catch (const CLI::CallForHelp& e) {
    return app.exit(e);
  } catch (const CLI::CallForAllHelp& e) {
    return app.exit(e);
  } catch (const CLI::CallForVersion& e) {
    return app.exit(e);
  } catch (const CLI::ParseError& e) {
    std::string what = e.what();
    if (auto nl = what.find('\n'); nl != std::string::npos) what.resize(nl);
    tavlo::cli::printError(what + " (see 'tavlo --help')");
    return 2;
  }
  return status;
}
