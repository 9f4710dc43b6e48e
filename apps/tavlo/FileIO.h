// Reading and writing whole files for the subcommands, with the one-line
// messages the command prints when that fails.
#pragma once

#include <optional>
#include <string>

namespace tavlo::cli {

// The whole file, or absent after printing
// "tavlo: cannot read 'PATH': REASON" on standard error.
std::optional<std::string> readWholeFile(const std::string& path);

// Replaces PATH with BYTES atomically: a temporary file beside it is written,
// flushed and renamed over PATH, so PATH is never left truncated. "-" means
// standard output. Prints the reason and returns false when that fails.
bool writeWholeFile(const std::string& path, const std::string& bytes);

}  // namespace tavlo::cli
