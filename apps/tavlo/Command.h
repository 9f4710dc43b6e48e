// The tavlo command is a set of subcommands; each lives in its own file and
// registers itself here, so adding one touches nothing else.
#pragma once

#include <CLI/CLI.hpp>

#include <functional>
#include <string>
#include <string_view>

namespace tavlo::cli {

// A subcommand declares its options on the CLI::App made for it and returns
// what runs when it is chosen. That returns the process exit status: 0
// success, 1 a file or a colour text could not be used (usage errors are
// reported by the parser as 2). Nested subcommands run before their parent's
// run, so a parent may return the status its child left behind.
using CommandRun = std::function<int()>;
using CommandSetup = std::function<CommandRun(CLI::App& command)>;

// Define one at namespace scope in the subcommand's file:
//   static const CommandRegistration stats{"stats", "Print ...", setupStats};
struct CommandRegistration {
  CommandRegistration(std::string name, std::string description, CommandSetup setup);
};

// Prints "tavlo: <message>" as one line on standard error.
void printError(std::string_view message);

}  // namespace tavlo::cli
