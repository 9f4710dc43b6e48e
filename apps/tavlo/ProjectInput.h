// Reading a document for a subcommand: the file's bytes through the reader,
// with the element tree's parse-error line sent to standard error so that
// standard output carries only the command's result.
#pragma once

#include <cstddef>
#include <memory>
#include <string>

#include "TavloData/MerrinColorProject.h"

namespace tavlo::cli {

// Sends the element tree's one-line reports to standard error as
// "tavlo: <line>". Call before parsing.
void reportParseErrorsOnStderr();
// How many such reports this process has printed: a document that is not
// well-formed reads as an empty project, and this tells the two apart.
std::size_t parseErrorsReported();

// The project read from PATH; empty (after printing the one-line reason) when
// the file cannot be read. A file that is not a document gives an empty
// project, as the reader does.
std::shared_ptr<MerrinColorProject> readProjectFile(const std::string& path);

}  // namespace tavlo::cli
