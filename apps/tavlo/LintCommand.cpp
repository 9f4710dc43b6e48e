// tavlo lint FILE [--format text|json]: everything the reader leaves out or
// cannot resolve, each finding with its line and column. The document is read
// exactly as every other command reads it; the findings only say what that
// read lost. Exit status 0 without errors (warnings allowed), 1 with an
// error or when the file cannot be read.
#include <iostream>
#include <memory>
#include <string>

#include <nlohmann/json.hpp>

#include "Command.h"
#include "FileIO.h"
#include "TavloData/Diagnostics.h"
#include "TavloData/MerrinColorFileReader.h"
#include "xmltree/XML.h"

namespace tavlo::cli {

namespace {

struct LintOptions {
  std::string input;
  std::string format = "text";
};

// Ids and names come from the document: a line break or another control
// character in one must not break the one-line-per-finding form.
std::string oneLine(std::string_view text) {
  static constexpr char kHex[] = "0123456789abcdef";
  std::string line;
  line.reserve(text.size());
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7f)
      line.append("\\x").append(1, kHex[byte >> 4]).append(1, kHex[byte & 0xf]);
    else
      line.push_back(c);
  }
  return line;
}

std::string counted(std::size_t count, std::string_view noun) {
  return std::to_string(count) + " " + std::string(noun) + (count == 1 ? "" : "s");
}

void printText(const std::string& path, const std::vector<Diagnostic>& findings) {
  const std::string file = oneLine(path);
  for (const Diagnostic& finding : findings)
    std::cout << file << ':' << finding.line << ':' << finding.column << ": " << rawValue(finding.severity())
              << ": " << oneLine(finding.message) << " [" << rawValue(finding.code) << "]\n";
}

void printJson(const std::vector<Diagnostic>& findings, std::size_t errors, std::size_t warnings) {
  nlohmann::ordered_json list = nlohmann::ordered_json::array();
  for (const Diagnostic& finding : findings)
    list.push_back(
        {{"line", finding.line},
         {"column", finding.column},
         {"severity", rawValue(finding.severity())},
         {"code", rawValue(finding.code)},
         {"message", finding.message},
         {"item", finding.item.empty() ? nlohmann::ordered_json() : nlohmann::ordered_json(finding.item)}});
  const nlohmann::ordered_json report = {{"findings", list}, {"errors", errors}, {"warnings", warnings}};
  // Texts come from documents of any origin: replace invalid UTF-8 rather than throw.
  std::cout << report.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace) << '\n';
}

CommandRun setupLint(CLI::App& command) {
  auto options = std::make_shared<LintOptions>();
  command.add_option("FILE", options->input, "The document to check")->required();
  command.add_option("--format", options->format, "text: one line per finding; json: one object")
      ->check(CLI::IsMember({"text", "json"}))
      ->capture_default_str();
  return [options] {
    const std::optional<std::string> bytes = readWholeFile(options->input);
    if (!bytes) return 1;
    // A document that is not well formed is a finding of its own; the
    // element tree's report line would only repeat it.
    xmltree::setParseErrorSink([](std::string_view) {});
    DiagnosticSink sink;
    MerrinColorFileReader().parse(*bytes, &sink);

    const std::vector<Diagnostic> findings = sink.sortedDiagnostics();
    const std::size_t errors = sink.count(DiagnosticSeverity::error);
    const std::size_t warnings = sink.count(DiagnosticSeverity::warning);
    if (options->format == "json") {
      printJson(findings, errors, warnings);
    } else {
      printText(options->input, findings);
      std::cout.flush();
      std::cerr << oneLine(options->input) << ": " << counted(errors, "error") << ", "
                << counted(warnings, "warning") << '\n';
    }
    return errors ? 1 : 0;
  };
}

const CommandRegistration registration{"lint", "Report what a document loses when it is read, with positions",
                                       setupLint};

}  // namespace

}  // namespace tavlo::cli
