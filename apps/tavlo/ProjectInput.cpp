#include "ProjectInput.h"

#include "Command.h"
#include "FileIO.h"
#include "TavloData/MerrinColorFileReader.h"
#include "xmltree/XML.h"

namespace tavlo::cli {

void reportParseErrorsOnStderr() {
  xmltree::setParseErrorSink([](std::string_view line) { printError(line); });
}

std::shared_ptr<MerrinColorProject> readProjectFile(const std::string& path) {
  std::optional<std::string> bytes = readWholeFile(path);
  if (!bytes) return nullptr;
  reportParseErrorsOnStderr();
  return MerrinColorFileReader().parse(*bytes);
}

}  // namespace tavlo::cli
