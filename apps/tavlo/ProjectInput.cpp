#include "ProjectInput.h"

#include "Command.h"
#include "FileIO.h"
#include "TavloData/MerrinColorFileReader.h"
#include "xmltree/XML.h"

namespace tavlo::cli {

namespace {
std::size_t reported = 0;
}  // namespace

void reportParseErrorsOnStderr() {
  xmltree::setParseErrorSink([](std::string_view line) {
    ++reported;
    printError(line);
  });
}

std::size_t parseErrorsReported() {
  return reported;
}

std::shared_ptr<MerrinColorProject> readProjectFile(const std::string& path) {
  std::optional<std::string> bytes = readWholeFile(path);
  if (!bytes) return nullptr;
  reportParseErrorsOnStderr();
  return MerrinColorFileReader().parse(*bytes);
}

}  // namespace tavlo::cli
