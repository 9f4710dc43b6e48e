// tavlo fmt FILE [-o OUT]: read a document and write it back in the writer's
// form. OUT (which may be FILE itself) is replaced atomically, and only once
// the whole text is ready, so a failure never leaves it truncated.
#include <memory>
#include <stdexcept>
#include <string>

#include "Command.h"
#include "FileIO.h"
#include "ProjectInput.h"
#include "TavloData/MerrinColorFileWriter.h"

namespace tavlo::cli {

namespace {

struct FmtOptions {
  std::string input;
  std::string output = "-";
};

CommandRun setupFmt(CLI::App& command) {
  auto options = std::make_shared<FmtOptions>();
  command.add_option("FILE", options->input, "The document to read")->required();
  command.add_option("-o,--output", options->output, "Where to write the document; - is standard output")
      ->capture_default_str();
  return [options] {
    std::shared_ptr<MerrinColorProject> project = readProjectFile(options->input);
    if (!project) return 1;
    std::string text;
    try {
      text = MerrinColorFileWriter::data(*project);
    } catch (const std::runtime_error& error) {
      const std::string target = options->output == "-" ? "standard output" : "'" + options->output + "'";
      printError("cannot write " + target + ": " + error.what());
      return 1;
    }
    return writeWholeFile(options->output, text) ? 0 : 1;
  };
}

const CommandRegistration registration{"fmt", "Read a document and write it back in Tavlo's own layout",
                                       setupFmt};

}  // namespace

}  // namespace tavlo::cli
